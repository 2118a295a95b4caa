#include "model_builders.h"
#include "search.h"
#include "text_match.h"

#include <gtest/gtest.h>

using namespace kestrix;
using namespace modeltest;

TEST(SearchTerms, TrimLowerCaseAndSplitAtBlanksAndEveryTermMustOccur)
{
    EXPECT_EQ(searchTerms("  KICK   IN "), (Names{"kick", "in"}));
    EXPECT_EQ(searchTerms("\tSnare\nTop\r\n"), (Names{"snare", "top"}));
    EXPECT_TRUE(searchTerms(" \t\n ").empty());

    const TermMatcher matcher("  KICK   IN ");
    EXPECT_TRUE(matcher.matches("INside kick"));
    EXPECT_FALSE(matcher.matches("Kick"));
    EXPECT_TRUE(TermMatcher("aa aaa").matches("xaaax")) << "terms may overlap";
    EXPECT_TRUE(TermMatcher("   ").matches("anything"));
}

TEST(Search, TracksPassByClipNamesAndBringTheirFolders)
{
    const std::vector<PTXTrackInfo> tracks = {
        track("Drums", {}, std::nullopt, PTXTrackType::folder),
        track("Kit", {}, "Drums", PTXTrackType::folder),
        track("Kick", {clip("Kick_01")}, "Kit"),
        track("Snare", {clip("Snare Top_03")}, "Kit"),
        track("Overheads", {}, "Drums"),
        track("Bass", {clip("Bass DI")}),
        track("Loop A", {}, "Loop B"),  // folder names that loop end the walk
        track("Loop B", {}, "Loop A"),
        track("Orphan snare", {}, "Nobody"),
    };
    EXPECT_EQ(namesAt(tracks, searchTracks(tracks, "snare")), (Names{"Drums", "Kit", "Snare", "Orphan snare"}));
    EXPECT_EQ(namesAt(tracks, searchTracks(tracks, "KICK   01")), (Names{"Drums", "Kit", "Kick"}));
    EXPECT_EQ(namesAt(tracks, searchTracks(tracks, "kit")), (Names{"Drums", "Kit"}))
        << "a matching folder does not bring its tracks";
    EXPECT_EQ(namesAt(tracks, searchTracks(tracks, "loop a")), (Names{"Loop A", "Loop B"}));
    EXPECT_EQ(searchTracks(tracks, "  \t").size(), tracks.size());
    EXPECT_TRUE(searchTracks(tracks, "zzz").empty());
}

TEST(Search, FolderChainsStopAfterSixtyFourLevels)
{
    std::vector<PTXTrackInfo> tracks;
    for (int level = 0; level <= 70; ++level)
        tracks.push_back(track("F" + std::to_string(level), {},
                               level == 0 ? std::nullopt : std::optional<std::string>("F" + std::to_string(level - 1))));
    tracks.back().name = "Deep match";
    const std::vector<size_t> passed = searchTracks(tracks, "deep");
    ASSERT_EQ(passed.size(), 65u);
    EXPECT_EQ(tracks[passed.front()].name, "F6");
}

TEST(Search, ClipsFilesAndGroupsKeepInputOrder)
{
    const std::vector<PTXClipInfo> clips = {clip("Vox 1"), clip("Gtr.L"), clip("vox 2"), clip("Gtr.R")};
    EXPECT_EQ(namesAt(clips, searchClips(clips, "VOX")), (Names{"Vox 1", "vox 2"}));
    EXPECT_EQ(searchClips(clips, " ").size(), 4u);

    const std::vector<PTXAudioFile> files = {audioFile("Vox.wav"), audioFile("Gtr.L.wav"), audioFile("Gtr.R.wav")};
    EXPECT_EQ(namesAt(files, searchAudioFiles(files, "gtr")), (Names{"Gtr.L.wav", "Gtr.R.wav"}));

    // A group passes when any channel's name matches, so the set shows once.
    const std::vector<PTXAudioFileGroup> fileGroups = groupAudioFiles(files);
    EXPECT_EQ(namesAt(fileGroups, searchAudioFileGroups(fileGroups, "gtr.r")), Names{"Gtr"});
    EXPECT_EQ(namesAt(fileGroups, searchAudioFileGroups(fileGroups, "wav")), (Names{"Vox.wav", "Gtr"}));
    const std::vector<PTXClipGroup> clipGroups = groupClips(clips);
    EXPECT_EQ(namesAt(clipGroups, searchClipGroups(clipGroups, ".l")), Names{"Gtr"});
    EXPECT_EQ(searchClipGroups(clipGroups, "").size(), clipGroups.size());
}

TEST(SearchTerms, LowerCaseCoversEveryScriptWithCases)
{
    EXPECT_EQ(lowerCase("ÉCHO ΔΕΛΤΑ БАС Ѐ ŘEČ ŁÓDŹ ŐRÜLT"), "écho δελτα бас ѐ řeč łódź őrült");
    EXPECT_EQ(lowerCase("ǄEP ŞĞ ĐẶNG ՀԱՅ"), "ǆep şğ đặng հայ") << "digraph, Turkish, Vietnamese, Armenian";
    EXPECT_EQ(lowerCase("ᲐᲑᲒ 𐐀𐐁"), "აბგ 𐐨𐐩") << "Georgian capitals and letters beyond the BMP";
    EXPECT_EQ(lowerCase("İ"), "i\u0307") << "the full mapping, not the one-letter one";
    EXPECT_EQ(lowerCase("ΟΔΟΣ"), "οδοσ") << "a letter is lower-cased alike wherever it stands";
    EXPECT_EQ(lowerCase("×ß\xC5\x98\xFF\xC4"), "×ßř\xFF\xC4") << "no lower case, and broken sequences, are kept";
    EXPECT_TRUE(TermMatcher("AĞAÇ").matches("ağaç kökü"));
    EXPECT_TRUE(TermMatcher("řeč").matches("ŘEČ NAHRÁVKA"));
    EXPECT_FALSE(TermMatcher("řec").matches("ŘEČ"));
}
