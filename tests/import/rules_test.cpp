// Request bodies byte for byte, the name rules, answer parsing, the
// pre-flight texts and the report's order.
#include "channel_suffix.h"
#include "clip_sources.h"
#include "import_bodies.h"
#include "import_core.h"

#include <gtest/gtest.h>

namespace {

using namespace kestrix;
using namespace kestrix::import;

// The plain bodies are checked as ptsl-sim receives them; here, the names
// that must be escaped.
TEST(ImportBodies, EscapeEveryNameTheUserGave)
{
    EXPECT_EQ(createNewTracksBody("Gtr \"A\"", "TF_Stereo", "TT_Audio", "Drums\t1"),
              R"({"number_of_tracks": 1, "track_name": "Gtr \"A\"", "track_format": "TF_Stereo", "track_type": )"
              R"("TT_Audio", "track_timebase": "TTB_Samples", "insertion_point_position": "TIPoint_Last", )"
              R"("insertion_point_track_name": "Drums\t1"})");
    EXPECT_EQ(selectTracksBody("K\\1"), R"({"track_names": ["K\\1"]})");
    EXPECT_EQ(setTrackColorBody("K\"", 3), R"({"track_names": ["K\""], "color_index": 3})");
    EXPECT_EQ(importAudioBody({"/b.wav", "/a\".wav"}, audioOperation(true, false)),
              R"({"file_list": ["/a\".wav","/b.wav"], "audio_operations": "AOperations_ConvertAudio"})");
    EXPECT_EQ(spotClipsBody({"c-1", "c-2"}, "", "Kick \"1\"", 96000),
              R"({"src_clips": ["c-1","c-2"], "dst_track_name": "Kick \"1\"", "dst_location_data": )"
              R"({"location_type": "SLType_Start", "location": {"location": "96000", "time_type": "TLType_Samples"}}})");
}

TEST(ImportRules, ChannelSuffixesSplitSourcesAndAnswers)
{
    // Nothing but a suffix stays.
    for (const auto &[name, stem] : {std::pair{"Kick.L", "Kick"}, {"Amb.Ls", "Amb"}, {"Amb.Ltf", "Amb"}, {".L", ".L"},
                                     {"Kick.wav", "Kick.wav"}})
        EXPECT_EQ(stripChannelSuffix(name), stem) << name;

    const std::vector<ImportedFileId> ids = {{"f-r", "/x/Kick.R.wav"}, {"f-l", "/x/Kick.L.wav"}, {"f-3", ""}};
    EXPECT_EQ(splitSourceFileId(ids, 2).fileId, "f-3") << "no .C: the index";
    EXPECT_EQ(splitSourceFileId(ids, 9).fileId, "f-3") << "past the end: the last";

    const FileIdMap files = parseImportedFiles(
        R"({"file_list":[{"original_input_path":"/nowhere/a.wav","destination_file_list":[{"file_id":"f-1",)"
        R"("file_path":"/s/a.L.wav"},{"file_id":"f-2","file_path":"/s/a.R.wav"}]},)"
        R"({"original_input_path":"/nowhere/b.wav","destination_file_list":[{"file_id":"f-3"}]}]})");
    ASSERT_EQ(files.size(), 2u);
    ASSERT_EQ(files.at("/nowhere/a.wav").size(), 2u);
    EXPECT_EQ(files.at("/nowhere/a.wav")[1].filePath, "/s/a.R.wav");
    ASSERT_EQ(files.at("/nowhere/b.wav").size(), 1u);
    EXPECT_EQ(files.at("/nowhere/b.wav")[0].filePath, "") << "a path never borrowed from another entry";
    EXPECT_EQ(createdClipIds(R"({"clip_ids":["c-1","c-2"],"other":["x"]})"), (std::vector<std::string>{"c-1", "c-2"}));
    EXPECT_TRUE(createdClipIds(R"({"clip_ids":[],"x":["y"]})").empty());
}

TEST(Preflight, AlertTextsAndRenames)
{
    EXPECT_EQ(channelViewRename("Kick.A12"), "Kick.A_12");
    EXPECT_FALSE(channelViewRename("Kick.A"));
    EXPECT_FALSE(channelViewRename("Kick.A1x"));
    EXPECT_FALSE(channelViewAlert({"Kick", "Snare.A"}));
    const auto alert = channelViewAlert({"a.A1", "Kick", "b.A2", "c.A3", "d.A4", "e.A5"});
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title, "Pro Tools will refuse 5 clip names");
    EXPECT_EQ(alert->text,
              "Pro Tools treats trailing \".A1\", \".A2\", \xE2\x80\xA6 as channel-view suffixes and silently refuses "
              "to create clips with those names. Affected:\n\n  \xE2\x80\xA2 a.A1\n  \xE2\x80\xA2 b.A2\n  \xE2\x80\xA2 "
              "c.A3\n  \xE2\x80\xA6" "and 2 more\n\nRename them to \".A_1\", \".A_2\", \xE2\x80\xA6 so the import "
              "succeeds?");
    EXPECT_EQ(alert->buttons, (std::vector<std::string>{"Rename and Import", "Import Without Renaming", "Cancel"}));
    EXPECT_EQ(channelViewAlert({"x.A1"})->title, "Pro Tools will refuse 1 clip name");

    ExistingNames existing{{"Kick"}, {"Snare_01"}, {"Kick.wav"}};
    EXPECT_FALSE(namesExistAlert({"Bass"}, {"Bass_01"}, {"/a/Bass.wav"}, existing));
    const auto names = namesExistAlert({"Kick"}, {"Snare_01"}, {"/other/folder/Kick.wav"}, existing);
    ASSERT_TRUE(names);
    EXPECT_EQ(names->title, "Names already exist in the destination session");
    EXPECT_EQ(names->text, "Audio files (may be overwritten or renamed by Pro Tools):\n  \xE2\x80\xA2 Kick.wav\n\n"
                           "Tracks (Pro Tools will auto-rename to \"<name> 1\"):\n  \xE2\x80\xA2 Kick\n\n"
                           "Clips (Pro Tools will auto-rename in the Clip List):\n  \xE2\x80\xA2 Snare_01");

    // Many conflicts, given unsorted and more than once: the first five in
    // sorted order, the rest counted once each.
    ExistingNames many;
    std::vector<std::string> clipNames, paths;
    for (const char *name : {"h", "b", "g", "a", "f", "c", "e", "d", "zz"}) {
        many.clips.insert(name);
        many.audioFiles.insert(std::string(name) + ".wav");
    }
    for (const char *name : {"g", "x", "b", "g", "h", "a", "b", "f", "c", "e", "d", "h"}) {
        clipNames.push_back(name);
        paths.push_back("/media/" + std::string(name) + ".wav");
        paths.push_back("/other/" + std::string(name) + ".wav");
    }
    const auto crowded = namesExistAlert({"Kick"}, clipNames, paths, many);
    ASSERT_TRUE(crowded);
    EXPECT_EQ(crowded->text,
              "Audio files (may be overwritten or renamed by Pro Tools):\n  \xE2\x80\xA2 a.wav\n  \xE2\x80\xA2 b.wav\n"
              "  \xE2\x80\xA2 c.wav\n  \xE2\x80\xA2 d.wav\n  \xE2\x80\xA2 e.wav\n  \xE2\x80\xA6" "and 3 more\n\n"
              "Clips (Pro Tools will auto-rename in the Clip List):\n  \xE2\x80\xA2 a\n  \xE2\x80\xA2 b\n"
              "  \xE2\x80\xA2 c\n  \xE2\x80\xA2 d\n  \xE2\x80\xA2 e\n  \xE2\x80\xA6" "and 3 more");

    // A few names against a large destination.
    ExistingNames large;
    for (int i = 0; i < 100; ++i)
        large.tracks.insert("T" + std::to_string(i));
    EXPECT_EQ(namesExistAlert({"T5", "T42", "New", "T5"}, {}, {}, large)->text,
              "Tracks (Pro Tools will auto-rename to \"<name> 1\"):\n  \xE2\x80\xA2 T42\n  \xE2\x80\xA2 T5");
}

TEST(ImportArguments, MappingsAndSampleRateScaling)
{
    PTXTrackInfo track;
    track.type = PTXTrackType::aux;
    track.isFolder = true;
    EXPECT_EQ(trackTypeArgument(track), "TT_RoutingFolder");
    track.isFolder = false;
    track.type = PTXTrackType::video;
    EXPECT_EQ(trackTypeArgument(track), "TT_Audio");
    EXPECT_EQ(trackFormatArgument("5.1"), "TF_5_1");
    EXPECT_EQ(trackFormatArgument("Unknown"), "TF_Mono");
    EXPECT_EQ(colorArgument(7), 7);

    const SampleRateScale scale{48000, 44100};
    EXPECT_TRUE(scale.converts());
    EXPECT_FALSE(mediaOptions(scale).linkAvailable);
    // 1.088 rounds to 1 and 7.619 to 8, halves round up, an unknown source
    // rate changes nothing and the end of the range is kept.
    const std::tuple<SampleRateScale, uint64_t, uint64_t> cases[] = {
        {scale, 44100, 48000},  {scale, 1, 1},        {scale, 2, 2},           {scale, 7, 8},
        {{48000, 0}, 7, 7},     {{1, 2}, 1, 1},       {{1, 2}, 3, 2},          {scale, UINT64_MAX, UINT64_MAX},
        {{96000, 44100}, 1'000'000'000'000, 2'176'870'748'299}};
    for (const auto &[rates, samples, scaled] : cases)
        EXPECT_EQ(rates.apply(samples), scaled) << rates.proToolsRate << "/" << rates.sourceRate << " of " << samples;
}

TEST(ImportArguments, ClipsKeepOnlyFilesOnDiskWhicheverWayTheyAreLookedUp)
{
    PTXSessionInfo session;
    for (const char *name : {"a.wav", "b.wav", "a.wav", "c.wav", "d.wav"}) {
        session.audioFiles.emplace_back();
        session.audioFiles.back().name = name;
    }
    AudioFileResolution files;
    files.resolvedPaths = {{"a.wav", "/m/a.wav"}, {"b.wav", "/m/b.wav"}, {"d.wav", "/m/d.wav"}};
    files.offlineFiles = {"b.wav", "c.wav"};
    const auto clip = [](const char *name, int64_t file, uint64_t at) {
        return PTXClipInfo{.id = {}, .name = name, .sourceFileIndex = file, .sampleOffset = 441, .sampleLength = 882,
                           .timelinePosition = at};
    };
    PTXTrackInfo track;
    track.name = "Gtr";
    track.clips = {clip("Gtr.L", 0, 10), clip("Gtr.R", 2, 10), clip("Off", 1, 20), clip("None", -1, 30),
                   clip("Past", 5, 40), clip("Gone", 3, 50), clip("Gtr.A1", 0, 60)};
    PTXTrackInfo offline = track;
    offline.name = "Off";
    offline.clips = {clip("Off", 1, 0), clip("Gone", 3, 0)};
    const SampleRateScale scale{48000, 44100};
    const ClipFileLookup lookup(session, files);
    for (const TrackArguments &arguments : {trackArguments(track, session, files, {}, scale, true),
                                            trackArguments(track, lookup, {}, scale, true)}) {
        ASSERT_EQ(arguments.clips.size(), 3u);
        EXPECT_EQ(arguments.clips[0].path, "/m/a.wav");
        EXPECT_EQ(arguments.clips[1].path, "/m/a.wav") << "a second entry of the same name";
        EXPECT_EQ(arguments.clips[1].channel, 1);
        EXPECT_EQ(arguments.clips[2].name, "Gtr.A_1");
        EXPECT_EQ(arguments.clips[2].sourceStart, 480u);
        EXPECT_EQ(arguments.clips[2].sourceEnd, 1440u);
        EXPECT_EQ(arguments.clips[2].position, 65u) << "60 * 48000 / 44100 = 65.3";
        EXPECT_FALSE(arguments.noResolvableClips);
    }
    EXPECT_TRUE(trackArguments(offline, lookup, {}, scale, false).noResolvableClips);
    EXPECT_TRUE(trackArguments(offline, session, files, {}, scale, false).noResolvableClips);
    EXPECT_EQ(lookup.filePaths({&track, &offline}), (std::vector<std::string>{"/m/a.wav"}))
        << "each file once, offline ones left out";
}

TEST(ImportReport, SectionsInOrderAndFileName)
{
    ImportOutcome outcome;
    outcome.errors = {"Kick: Import failed at step: Connect"};
    outcome.operations = {"Imported track \"Snare\""};
    PTXSessionInfo session;
    session.sessionName = "Demo";
    ReportInput input{"Import Tracks", "/s/My Song.ptx", &session, std::nullopt, true, {"Kick", "Snare"}, {}, {},
                      &outcome, 0};
    const std::string report = importReport(input);
    size_t at = 0;
    for (const char *line : {"=== Kestrix Import Report ===", "Context: Import Tracks",
                             "Outcome: completed with 1 warning(s)", "=== Source .ptx Session ===",
                             "File: My Song.ptx", "Name: Demo", "=== Pro Tools Session (destination) ===",
                             "(no info available)", "=== Tracks Selected for Import (2) ===",
                             "=== Warnings (1) ===", "=== Operations ===", "=== PTSL Transcript ===",
                             "(no transcript captured)"}) {
        const size_t found = report.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " after offset " << at << " in\n" << report;
        at = found;
    }
    EXPECT_EQ(report.find("Sample rate: "), std::string::npos) << "empty properties are left out";
    EXPECT_EQ(outcomeTitle(outcome), "Import Completed with 1 Warning");
    EXPECT_EQ(reportFileName("/s/My Song.ptx", 1700000000), "Kestrix_Import_My_Song_1700000000.txt");
    EXPECT_EQ(reportFileName("", 5), "Kestrix_Import_session_5.txt");
}

} // namespace
