// What the compare window's timeline shows: the new session's tracks, then
// the tracks only the old one has, with added clips, removed clips (as
// outlines) and moved or trimmed clips marked in their own colours.
#ifndef KESTRIX_VIEWS_COMPARE_COMPARE_TIMELINE_H
#define KESTRIX_VIEWS_COMPARE_COMPARE_TIMELINE_H

#include "session_diff.h"
#include "universe_marks.h"

#include <QColor>

#include <vector>

namespace kestrix {

// Blue, vermillion and orange of the Okabe-Ito palette: told apart with any
// colour vision, and removed clips differ in shape too.
namespace compare_colors {
inline QColor added() { return QColor(0, 114, 178); }
inline QColor removed() { return QColor(213, 94, 0); }
inline QColor moved() { return QColor(230, 159, 0); }
} // namespace compare_colors

struct CompareTimeline {
    // Every track shown, removed clips included: it gives the time axis.
    PTXSessionInfo session;
    // The same tracks without what was removed, which only the marks show,
    // all in one neutral colour.
    std::vector<PTXTrackInfo> rows;
    std::vector<UniverseMark> marks;
};

CompareTimeline compareTimeline(const SessionDiff &diff, const PTXSessionInfo &oldSession,
                                const PTXSessionInfo &newSession);

} // namespace kestrix

#endif
