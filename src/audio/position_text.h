// The player's position counter: minutes:seconds.hundredths.
#ifndef KESTRIX_AUDIO_POSITION_TEXT_H
#define KESTRIX_AUDIO_POSITION_TEXT_H

#include <QString>

namespace kestrix {

// "%d:%02d.%02d", the hundredths truncated: 83.456 s is "1:23.45". A
// negative or non-finite time shows as "0:00.00".
QString positionText(double seconds);

} // namespace kestrix

#endif
