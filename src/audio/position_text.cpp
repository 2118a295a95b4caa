#include "position_text.h"

#include <cmath>

namespace kestrix {

QString positionText(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0)
        seconds = 0;
    const auto whole = qint64(seconds);
    // The small allowance keeps 0.29 s from showing as 0:00.28 after the
    // binary fraction is multiplied out.
    const auto hundredths = std::min<qint64>(99, qint64((seconds - double(whole)) * 100 + 1e-6));
    return QString::asprintf("%lld:%02lld.%02lld", whole / 60, whole % 60, hundredths);
}

} // namespace kestrix
