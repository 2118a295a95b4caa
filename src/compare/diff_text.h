// The differences as text, grouped by section: "+" added, "-" removed,
// "~" changed lines, times in Min:Sec.
#ifndef KESTRIX_COMPARE_DIFF_TEXT_H
#define KESTRIX_COMPARE_DIFF_TEXT_H

#include "session_diff.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// "1:02.500" (minutes not wrapped below an hour), "1:00:00.000" from an hour
// on; "<n> samples" when the sample-rate text is not a positive number.
std::string minSecText(uint64_t samples, std::string_view sampleRateText);

// What a line points at in the old session: a track (clip -1) or one of its
// placed clips; no track for lines about anything else, or about what only
// the new session has.
struct DiffTarget {
    std::string track;
    int64_t clip = -1;
    bool operator==(const DiffTarget &) const = default;
};

struct DiffLine {
    char sign = '~';   // '+', '-' or '~'
    std::string text;  // without the sign
    DiffTarget target;
};

struct DiffSection {
    std::string title;
    std::vector<DiffLine> lines;
};

// The sections that have lines, in a fixed order. Old positions are timed at
// the old session's rate, new ones at the new session's.
std::vector<DiffSection> diffSections(const SessionDiff &diff, const PTXSessionInfo &oldSession,
                                      const PTXSessionInfo &newSession);

// The sections as "+", "-" and "~" lines under their titles, a blank line
// between sections; empty for identical sessions.
std::string diffText(const SessionDiff &diff, const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession);

} // namespace kestrix

#endif
