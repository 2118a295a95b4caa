// What the import dialogs list and pass on, without Pro Tools: clip rows
// with their files and offline marks, format texts, and the plans' names,
// paths and report lines.
#include "import_items.h"
#include "import_plan.h"
#include "views_test_support.h"

#include <gtest/gtest.h>

namespace {

using namespace kestrix;
using namespace viewstest;

TEST(ImportItems, RowsNameTheirFilesAndPlansPassOnlyWhatIsOnDisk)
{
    PTXSessionInfo session;
    session.sampleRate = "48000";
    session.audioFiles = {audioFile("Kick.wav"), audioFile("Gone.wav"), audioFile("Pad.L.wav"), audioFile("Pad.R.wav")};
    import::AudioFileResolution files;
    files.resolvedPaths = {{"Kick.wav", "/a/Kick.wav"}, {"Pad.L.wav", "/a/Pad.L.wav"}};
    files.offlineFiles = {"Gone.wav", "Pad.R.wav"};
    // A clip of a file on disk, one of a file found nowhere, one whose file
    // index points past the list.
    const std::vector<ImportTrackItem> items = importTrackItems(
        {track("Drums", {clip("Kick", 0, 0), clip("Old", 1, 10), clip("Stray", 9, 20)})}, session, files);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].clipCount, 3u);
    std::vector<std::tuple<std::string, std::string, bool>> rows;
    for (const auto &c : items[0].clips)
        rows.emplace_back(c.fileName, c.resolvedPath, c.isOffline);
    EXPECT_EQ(rows, (decltype(rows){{"Kick.wav", "/a/Kick.wav", false}, {"Gone.wav", "", true}, {"", "", true}}));

    EXPECT_EQ(groupFormatText(1, "WAV"), "WAV");
    EXPECT_EQ(groupFormatText(6, "WAV"), "Multi-mono, 6 ch");

    // Plans pass only what is on disk, and rename channel views when asked.
    const PTXClipGroup pad{"Pad", "Pad", {{"L", clip("Pad.L", 2)}, {"R", clip("Pad.R", 3)}}};
    const std::vector<ImportClipItem> clips = importClipItems({pad}, session, files, {{"Pad.L.wav", "WAV"}});
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].format, "Multi-mono, 2 ch");
    EXPECT_EQ(clips[0].channels[1].sourceFilePath, "") << "the offline channel has no path";
    const ImportPlan clipPlan = clipsPlan(clips, session, files, {}, false);
    EXPECT_EQ(clipPlan.clipNames, (std::vector<std::string>{"Pad.L"})) << "the offline channel is left out";
    EXPECT_EQ(clipPlan.filePaths, (std::vector<std::string>{"/a/Pad.L.wav"}));
    EXPECT_EQ(clipPlan.clipLines, (std::vector<std::string>{"Pad (Multi-mono, 2 ch)"}));
    EXPECT_TRUE(clipPlan.trackNames.empty());

    const PTXAudioFileGroup padFiles{"Pad", "Pad", {{"L", "Pad.L.wav", ""}, {"R", "Pad.R.wav", ""}}};
    const std::vector<ImportAudioFile> audio = importAudioFiles({padFiles}, files, {});
    ASSERT_EQ(audio.size(), 1u);
    EXPECT_EQ(audio[0].path, "/a/Pad.L.wav");
    EXPECT_EQ(audio[0].offlineChannels, 1u);
    const ImportPlan audioRun = audioPlan({padFiles}, files);
    EXPECT_FALSE(audioRun.runsPreflight);
    EXPECT_EQ(audioRun.filePaths, (std::vector<std::string>{"/a/Pad.L.wav"}));
    EXPECT_EQ(audioRun.fileLines, (std::vector<std::string>{"Pad (2 files)"}));

    const std::vector<ImportTrackItem> tracks =
        importTrackItems({track("Drums", {clip("Kick.A1", 0, 0)})}, session, files);
    EXPECT_EQ(tracksPlan(tracks, session, files, {}, false).clipNames, (std::vector<std::string>{"Kick.A1"}));
    const ImportPlan renamed = tracksPlan(tracks, session, files, {}, true);
    EXPECT_EQ(renamed.clipNames, (std::vector<std::string>{"Kick.A_1"}));
    EXPECT_EQ(renamed.trackNames, (std::vector<std::string>{"Drums"}));
    EXPECT_EQ(renamed.filePaths, (std::vector<std::string>{"/a/Kick.wav"}));
}
}

