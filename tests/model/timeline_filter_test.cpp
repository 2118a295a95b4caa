#include "model_builders.h"
#include "timeline_filter.h"
#include "visible_lists.h"

#include <gtest/gtest.h>

using namespace kestrix;
using namespace modeltest;

namespace {

// Files 0..3; session clips naming them; tracks A, B and C placing clips.
PTXSessionInfo session()
{
    PTXSessionInfo s;
    s.audioFiles = {audioFile("Kick.wav", "/s/Kick.wav"), audioFile("Gtr.L.wav", "/s/Gtr.L.wav"),
                    audioFile("Gtr.R.wav", "/s/Gtr.R.wav"), audioFile("Vox.wav", "/s/Vox.wav")};
    s.clips = {clip("Kick_01", 0, 0), clip("Gtr.L", 0, 1), clip("Gtr.R", 0, 2), clip("Vox_01", 0, 3),
               clip("Unused", 0, -1)};
    s.tracks = {
        track("A", {clip("Kick_01", 1000, 0), clip("Unused", 500000, -1)}),
        track("B", {clip("Gtr.L", 48000, 1), clip("Gtr.R", 48000, 2)}),
        track("C", {clip("Vox_01", 96000, 3)}),
    };
    return s;
}

ListFilters searchFor(std::string text, SearchQuery::Scope scope)
{
    ListFilters filters;
    filters.search = {std::move(text), scope};
    return filters;
}

UniverseSelection selectionOf(std::set<std::string, std::less<>> names, std::optional<SampleRange> range = {})
{
    return {std::move(names), range};
}

} // namespace

TEST(TimelineFilter, TracksAndTimeRangeNarrowClipsAndFiles)
{
    const PTXSessionInfo s = session();
    const auto clipsFor = [&](const UniverseSelection &sel) { return namesAt(s.clips, clipsInSelection(s.clips, s.tracks, sel)); };
    const auto filesFor = [&](const UniverseSelection &sel) {
        return namesAt(s.audioFiles,
                       audioFilesInSelection(s.audioFiles, s.clips, clipsInSelection(s.clips, s.tracks, sel), sel));
    };

    EXPECT_EQ(clipsFor({}).size(), s.clips.size()) << "the empty selection filters nothing";
    EXPECT_EQ(filesFor({}).size(), s.audioFiles.size());

    const UniverseSelection ab = selectionOf({"A", "B"});
    EXPECT_EQ(clipsFor(ab), (Names{"Kick_01", "Gtr.L", "Gtr.R", "Unused"}));
    EXPECT_EQ(filesFor(ab), (Names{"Kick.wav", "Gtr.L.wav", "Gtr.R.wav"})) << "no file index is ignored";

    // Bounds are included; only the clip's start counts.
    EXPECT_EQ(clipsFor(selectionOf({"A", "B", "C"}, SampleRange{1000, 48000})), (Names{"Kick_01", "Gtr.L", "Gtr.R"}));
    EXPECT_EQ(clipsFor(selectionOf({"A", "B", "C"}, SampleRange{1001, 95999})), (Names{"Gtr.L", "Gtr.R"}));
    EXPECT_TRUE(clipsFor(selectionOf({}, SampleRange{0, 1e12})).empty()) << "a range without tracks keeps nothing";
    EXPECT_TRUE(filesFor(selectionOf({}, SampleRange{0, 1e12})).empty());
    EXPECT_TRUE(clipsFor(selectionOf({"Nobody"})).empty());
}

TEST(TimelineFilter, GroupedListsPassWhenOneChannelDoes)
{
    const PTXSessionInfo s = session();
    const std::vector<PTXClipGroup> clipGroups = groupClips(s.clips);
    const std::vector<PTXAudioFileGroup> fileGroups = groupAudioFiles(s.audioFiles);
    // Only the left channel's clip is on track D.
    PTXSessionInfo withD = s;
    withD.tracks.push_back(track("D", {clip("Gtr.L", 0, 1)}));
    const UniverseSelection d = selectionOf({"D"});
    EXPECT_EQ(namesAt(clipGroups, clipGroupsInSelection(clipGroups, withD.tracks, d)), Names{"Gtr"});
    EXPECT_EQ(namesAt(fileGroups, audioFileGroupsInSelection(fileGroups, withD, d)), Names{"Gtr"});
    EXPECT_EQ(audioFileGroupsInSelection(fileGroups, withD, {}).size(), fileGroups.size());

    // A file of the same name in another folder is another file.
    PTXSessionInfo moved = withD;
    moved.audioFiles[1].path = "/elsewhere/Gtr.L.wav";
    moved.audioFiles[2].path = "/elsewhere/Gtr.R.wav";
    EXPECT_TRUE(audioFileGroupsInSelection(fileGroups, moved, d).empty());
}

TEST(VisibleLists, ScopeLimitsTheSearchTimelineAndTypesNarrowTheRest)
{
    PTXSessionInfo s = session();
    s.tracks.push_back(track("Verb", {}, std::nullopt, PTXTrackType::aux));
    s.tracks.push_back(track("Gtr Bus", {}, std::nullopt, PTXTrackType::aux));
    const std::vector<PTXAudioFileGroup> fileGroups = groupAudioFiles(s.audioFiles);
    const std::vector<PTXClipGroup> clipGroups = groupClips(s.clips);
    const auto lists = [&](ListFilters filters) {
        const VisibleLists v = visibleLists(s, fileGroups, clipGroups, filters);
        return std::vector<Names>{namesAt(s.tracks, v.tracks), namesAt(fileGroups, v.audioFileGroups),
                                  namesAt(clipGroups, v.clipGroups)};
    };
    const Names allTracks = {"A", "B", "C", "Verb", "Gtr Bus"};
    const Names allFiles = {"Kick.wav", "Gtr", "Vox.wav"};
    const Names allClips = {"Kick_01", "Gtr", "Vox_01", "Unused"};

    EXPECT_EQ(lists({}), (std::vector<Names>{allTracks, allFiles, allClips}));
    EXPECT_EQ(lists(searchFor("gtr", SearchQuery::Scope::all)),
              (std::vector<Names>{{"B", "Gtr Bus"}, {"Gtr"}, {"Gtr"}}));
    EXPECT_EQ(lists(searchFor("gtr", SearchQuery::Scope::tracks)), (std::vector<Names>{{"B", "Gtr Bus"}, allFiles, allClips}));
    EXPECT_EQ(lists(searchFor("gtr", SearchQuery::Scope::files)), (std::vector<Names>{allTracks, {"Gtr"}, allClips}));
    EXPECT_EQ(lists(searchFor("gtr", SearchQuery::Scope::clips)), (std::vector<Names>{allTracks, allFiles, {"Gtr"}}));

    ListFilters noAux = searchFor("gtr", SearchQuery::Scope::all);
    noAux.trackTypes.aux = false;
    EXPECT_EQ(lists(noAux)[0], Names{"B"});

    ListFilters timeline;
    timeline.timeline = selectionOf({"A"});
    timeline.search = {"kick", SearchQuery::Scope::all};
    EXPECT_EQ(lists(timeline), (std::vector<Names>{{"A"}, {"Kick.wav"}, {"Kick_01"}}));
    timeline.search = {"vox", SearchQuery::Scope::clips};
    EXPECT_EQ(lists(timeline), (std::vector<Names>{allTracks, {"Kick.wav"}, {}}))
        << "search and timeline selection both apply";
}

TEST(TrackTypeFilter, OnlyTheFourSwitchedTypesHide)
{
    const TrackTypeFilter none{false, false, false, false};
    for (PTXTrackType type : {PTXTrackType::audio, PTXTrackType::instrument, PTXTrackType::aux, PTXTrackType::vca})
        EXPECT_FALSE(none.shows(type));
    for (PTXTrackType type : {PTXTrackType::midi, PTXTrackType::masterFader, PTXTrackType::video,
                              PTXTrackType::folder, PTXTrackType::unknown})
        EXPECT_TRUE(none.shows(type));
    EXPECT_TRUE(TrackTypeFilter{}.shows(PTXTrackType::vca)) << "every switch starts on";
    TrackTypeFilter onlyVca = none;
    onlyVca.vca = true;
    EXPECT_TRUE(onlyVca.shows(PTXTrackType::vca));
    EXPECT_FALSE(onlyVca.shows(PTXTrackType::audio));
}
