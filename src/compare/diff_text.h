// The differences as text, grouped by section: "+" added, "-" removed,
// "~" changed lines, times in Min:Sec.
#ifndef KESTRIX_COMPARE_DIFF_TEXT_H
#define KESTRIX_COMPARE_DIFF_TEXT_H

#include "session_diff.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrix {

// "1:02.500" (minutes not wrapped below an hour), "1:00:00.000" from an hour
// on; "<n> samples" when the sample-rate text is not a positive number.
std::string minSecText(uint64_t samples, std::string_view sampleRateText);

// Empty for identical sessions. Old positions are timed at the old
// session's rate, new ones at the new session's.
std::string diffText(const SessionDiff &diff, const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession);

} // namespace kestrix

#endif
