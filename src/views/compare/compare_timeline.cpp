#include "compare_timeline.h"

#include <optional>

namespace kestrix {

namespace {

// The row of the new session's track that an old track was paired with: the
// n-th track of a name pairs with the n-th.
std::optional<size_t> pairedRow(const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession, size_t oldTrack)
{
    const std::string &name = oldSession.tracks[oldTrack].name;
    size_t occurrence = 0;
    for (size_t t = 0; t < oldTrack; ++t)
        occurrence += oldSession.tracks[t].name == name;
    for (size_t t = 0; t < newSession.tracks.size(); ++t)
        if (newSession.tracks[t].name == name && occurrence-- == 0)
            return t;
    return std::nullopt;
}

const PTXClipInfo &clipAt(const PTXSessionInfo &session, const ClipPlace &place)
{
    return session.tracks[place.track].clips[place.clip];
}

UniverseMark mark(size_t row, const PTXClipInfo &clip, const QColor &color, bool outline)
{
    return {row, clip.timelinePosition, clip.timelinePosition + clip.sampleLength, color, outline};
}

} // namespace

CompareTimeline compareTimeline(const SessionDiff &diff, const PTXSessionInfo &oldSession,
                                const PTXSessionInfo &newSession)
{
    CompareTimeline timeline{newSession, newSession.tracks, {}};
    for (const TrackEntry &removed : diff.tracksRemoved) {
        const size_t row = timeline.rows.size();
        PTXTrackInfo track = oldSession.tracks[removed.index];
        timeline.session.tracks.push_back(track);
        for (const PTXClipInfo &clip : track.clips)
            timeline.marks.push_back(mark(row, clip, compare_colors::removed(), true));
        track.clips.clear();
        timeline.rows.push_back(std::move(track));
    }
    for (const ClipEntry &removed : diff.clipsRemoved) {
        const PTXClipInfo &clip = clipAt(oldSession, removed.place);
        if (const auto row = pairedRow(oldSession, newSession, removed.place.track)) {
            timeline.session.tracks[*row].clips.push_back(clip);
            timeline.marks.push_back(mark(*row, clip, compare_colors::removed(), true));
        }
    }
    for (const TrackEntry &added : diff.tracksAdded)
        for (const PTXClipInfo &clip : newSession.tracks[added.index].clips)
            timeline.marks.push_back(mark(added.index, clip, compare_colors::added(), false));
    for (const ClipEntry &added : diff.clipsAdded)
        timeline.marks.push_back(mark(added.place.track, clipAt(newSession, added.place), compare_colors::added(), false));
    for (const auto *changes : {&diff.clipsMoved, &diff.clipsTrimmed})
        for (const ClipChange &change : *changes) {
            // The old place as an outline, the new one filled.
            timeline.marks.push_back(
                mark(change.newPlace.track, clipAt(oldSession, change.oldPlace), compare_colors::moved(), true));
            timeline.marks.push_back(
                mark(change.newPlace.track, clipAt(newSession, change.newPlace), compare_colors::moved(), false));
        }
    // Unchanged clips in the neutral grey of tracks without a colour, so that
    // only the marks are coloured.
    for (PTXTrackInfo &row : timeline.rows) {
        row.type = PTXTrackType::unknown;
        row.colorIndex = kNoColorIndex;
    }
    return timeline;
}

} // namespace kestrix
