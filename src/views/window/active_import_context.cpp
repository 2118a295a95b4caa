#include "active_import_context.h"

namespace kestrix {

void ActiveImportContext::setTrackCount(int count)
{
    if (count == trackCount_)
        return;
    trackCount_ = count;
    emit trackCountChanged(count);
}

void ActiveImportContext::setImportEnabled(bool enabled)
{
    if (enabled == importEnabled_)
        return;
    importEnabled_ = enabled;
    emit importEnabledChanged(enabled);
}

void ActiveImportContext::pulse()
{
    ++importPulse_;
    emit importPulseChanged(importPulse_);
}

QString importMenuTitle(int trackCount)
{
    if (trackCount < 2)
        return QStringLiteral("Import to Pro Tools…");
    return QStringLiteral("Import %1 Items to Pro Tools…").arg(trackCount);
}

} // namespace kestrix
