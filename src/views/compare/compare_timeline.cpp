#include "compare_timeline.h"

#include <optional>
#include <string_view>
#include <unordered_map>

namespace kestrix {

namespace {

// For each old track, the row of the new session's track it was paired
// with: the n-th track of a name pairs with the n-th.
std::vector<std::optional<size_t>> pairedRows(const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession)
{
    std::unordered_map<std::string_view, std::vector<size_t>> newRowsByName;
    for (size_t t = 0; t < newSession.tracks.size(); ++t)
        newRowsByName[newSession.tracks[t].name].push_back(t);
    std::unordered_map<std::string_view, size_t> seen;
    std::vector<std::optional<size_t>> rows;
    rows.reserve(oldSession.tracks.size());
    for (const PTXTrackInfo &track : oldSession.tracks) {
        const size_t occurrence = seen[track.name]++;
        const auto found = newRowsByName.find(track.name);
        if (found != newRowsByName.end() && occurrence < found->second.size())
            rows.push_back(found->second[occurrence]);
        else
            rows.push_back(std::nullopt);
    }
    return rows;
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
    const std::vector<std::optional<size_t>> rowOfOldTrack = pairedRows(oldSession, newSession);
    for (const ClipEntry &removed : diff.clipsRemoved) {
        const PTXClipInfo &clip = clipAt(oldSession, removed.place);
        if (const std::optional<size_t> row = rowOfOldTrack[removed.place.track]) {
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
