// The import operations and runs against ptsl-sim, read back from the
// requests it received and the state it kept: clip groups and channels,
// split sources, batch reuse, clamping, refusals, tracks without clips,
// folders and colours, clip and audio-file imports, and cancelling.
#include "import_bodies.h"
#include "import_core.h"
#include "import_fixture.h"
#include "wav_frames.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <set>

namespace {

using namespace kestrix;
using namespace kestrix::import;

constexpr const char *kEllipsis = "\xE2\x80\xA6";

using ImportOperations = ImportTest;

struct TrackCall {
    int32_t status = 0;
    std::string error, transcript;
};

TrackCall importTrack(const char *name, const char *format, const std::vector<ImportClipRecord> &clips,
                      int32_t colorIndex = -2, const char *folder = nullptr, const char *type = "TT_Audio")
{
    char *error = nullptr, *transcript = nullptr;
    TrackCall call;
    call.status = ptsl_import_track(name, type, format, folder, clips.data(), int32_t(clips.size()), false, false,
                                    colorIndex, &error, &transcript);
    call.error = error ? error : "";
    call.transcript = transcript ? transcript : "";
    std::free(error);
    std::free(transcript);
    return call;
}

std::string element(const std::string &fileId, uint64_t start, uint64_t end, const std::string &channels = "")
{
    return R"({"file_id": ")" + fileId + R"(", "src_start_point": {"time_type": "BTType_Samples", "position": )" +
           std::to_string(start) + R"(}, "src_end_point": {"time_type": "BTType_Samples", "position": )" +
           std::to_string(end) + "}" + channels + "}";
}

std::string channels(const char *source, const char *destination)
{
    return std::string(R"(, "src_channel": {"name": ")") + source + R"("}, "dst_channel": {"name": ")" +
           destination + "\"}";
}

std::string clipsBody(const std::string &name, bool stereo, const std::string &elements)
{
    return R"({"clip_list": [{"name": ")" + name + "\", " + (stereo ? R"("channel_format": "SFormat_Stereo", )" : "") +
           R"("clip_info": [)" + elements + "]}]}";
}

TEST_F(ImportOperations, ClipGroupsOfMonoAndStereoTracksWithClamping)
{
    startSim();
    const std::string left = wav("Pair.L.wav", 1000), right = wav("Pair.R.wav", 1000);
    const std::string both = wav("Both.wav", 1000, "-c 2 -b 16"), shortFile = wav("Short.wav", 500);

    // Two mono files at one position: one clip, no channel fields. The
    // second clip ends past the 500 frames of its file.
    const TrackCall mono = importTrack("Mono", "TF_Mono",
                                       {{"Kick", left.c_str(), 0, 100, 48000, 0},
                                        {"Kick2", shortFile.c_str(), 10, 800, 48000, 0}});
    EXPECT_EQ(mono.status, 0) << mono.error;
    EXPECT_NE(mono.transcript.find("[note] Pre-flight: clamped src_end for 'Kick' (file '" + shortFile +
                                   "' has 500 frames). Requested src_end=800 \xE2\x86\x92 500."),
              std::string::npos)
        << mono.transcript;
    EXPECT_NE(mono.transcript.find("Import summary for track 'Mono': 1 clip(s) clamped at pre-flight, 0 clip(s) "
                                   "refused by Pro Tools (CreateAudioClips), 0 clip(s) failed to spot. 1 of 1 "
                                   "group(s) placed."),
              std::string::npos);

    // A stereo pair of mono files, then one interleaved file: right before
    // left in the arguments, left first in the clip.
    const TrackCall stereo = importTrack("Stereo", "TF_Stereo",
                                         {{"Pair.R", right.c_str(), 0, 100, 0, 1},
                                          {"Pair.L", left.c_str(), 0, 100, 0, 0},
                                          {"Both.R", both.c_str(), 5, 50, 96000, 1},
                                          {"Both.L", both.c_str(), 5, 50, 96000, 0}});
    EXPECT_EQ(stereo.status, 0) << stereo.error;

    // The left file was imported for "Mono" without a batch: f-1, f-2,
    // then f-3 (Both), f-4 (Pair.L), f-5 (Pair.R) in byte order.
    EXPECT_EQ(bodies(127),
              (std::vector<std::string>{
                  clipsBody("Kick", false, element("f-1", 0, 100) + "," + element("f-2", 10, 500)),
                  clipsBody("Pair", true,
                            element("f-4", 0, 100, channels("SChannel_Mono", "SChannel_Left")) + "," +
                                element("f-5", 0, 100, channels("SChannel_Mono", "SChannel_Right"))),
                  clipsBody("Both", true,
                            element("f-3", 5, 50, channels("SChannel_Left", "SChannel_Left")) + "," +
                                element("f-3", 5, 50, channels("SChannel_Right", "SChannel_Right")))}));
}

TEST_F(ImportOperations, SplitSourceTakesEachChannelFileByItsSuffix)
{
    // Pro Tools splits the file and lists the right channel first.
    startSim({"--split-channels", "R,L"});
    const std::string file = wav("Kick.wav", 1000, "-c 2 -b 16");
    const TrackCall call =
        importTrack("Kick", "TF_Stereo", {{"Kick.L", file.c_str(), 0, 10, 0, 0}, {"Kick.R", file.c_str(), 0, 10, 0, 1}});
    EXPECT_EQ(call.status, 0) << call.error;
    EXPECT_EQ(bodies(127), (std::vector<std::string>{clipsBody(
                               "Kick", true,
                               element("f-2", 0, 10, channels("SChannel_Mono", "SChannel_Left")) + "," +
                                   element("f-1", 0, 10, channels("SChannel_Mono", "SChannel_Right")))}));
}

TEST_F(ImportOperations, BatchImportsASharedFileOnceAndForgetsItWhenProToolsRestarts)
{
    startSim();
    const std::string file = wav("Shared.wav", 1000);
    const std::vector<ClipArgument> clips = {{"Shared", file, 0, 100, 0, 0}, {"Shared_2", file, 0, 50, 200, 0}};
    const ImportOutcome outcome = runTracksImport(
        {TrackArguments{"One", "TT_Audio", "TF_Mono", {}, clips, -2, false},
         TrackArguments{"Two", "TT_Audio", "TF_Mono", {}, clips, -2, false}},
        {}, {}, nullptr);
    EXPECT_TRUE(outcome.errors.empty()) << outcome.errors.front();
    EXPECT_EQ(bodies(123).size(), 1u) << "the shared file is imported once";
    const size_t second = outcome.transcript.find("----- Track \"Two\" -----");
    ASSERT_NE(second, std::string::npos);
    EXPECT_NE(outcome.transcript.find("[note] Reused 2 file_id(s) from this import batch (skipped re-copy).", second),
              std::string::npos)
        << "counted per clip: " << outcome.transcript;
    EXPECT_NE(outcome.transcript.find("[note] Skipped CId_ImportAudioToClipList \xE2\x80\x94 every source file was "
                                      "already imported earlier in this batch.",
                                      second),
              std::string::npos);

    // Pro Tools restarts between the two tracks of one import: the new one
    // knows none of the old file ids, so the second track imports again.
    std::vector<std::string> progress;
    const ImportOutcome restarted = runTracksImport(
        {TrackArguments{"Three", "TT_Audio", "TF_Mono", {}, clips, -2, false},
         TrackArguments{"Four", "TT_Audio", "TF_Mono", {}, clips, -2, false}},
        {},
        [&](const std::string &text) {
            progress.push_back(text);
            if (progress.size() == 2) {
                sim_.reset();
                sim_ = std::make_unique<SimProcess>();
                kestrix::ptsl::testing::overrideSettings({sim_->address(), {}, {}});
            }
        },
        nullptr);
    EXPECT_TRUE(restarted.errors.empty()) << restarted.errors.front();
    EXPECT_EQ(bodies(123).size(), 1u) << "the new Pro Tools got the file again";
    EXPECT_NE(sim_->stateJson().find(R"("name":"Four")"), std::string::npos);
}

TEST_F(ImportOperations, EveryRefusedGroupFailsTheTrackThoughItWasCreated)
{
    startSim();
    const std::string file = wav("Take.wav", 1000);
    const TrackCall call = importTrack("Vox", "TF_Mono",
                                       {{"Take.A1", file.c_str(), 0, 10, 0, 0}, {"Take.A2", file.c_str(), 0, 10, 5, 0}});
    EXPECT_EQ(call.status, -10);
    EXPECT_EQ(call.error, "Import failed at step: CreateAudioClips\n\nPro Tools created 0 of 2 clip(s) for track "
                          "'Vox'.\n\nFirst failure: Pro Tools refused to create clip 'Take.A1' (CreateAudioClips "
                          "returned OK with empty clip_ids).");
    EXPECT_NE(sim_->stateJson().find(R"("name":"Vox")"), std::string::npos) << "the track stays";
    EXPECT_TRUE(bodies(124).empty()) << "nothing spotted";
}

TEST_F(ImportOperations, TracksWithoutClipsFoldersRenamedByProToolsAndColours)
{
    // "Drums" exists already, so the imported folder becomes "Drums 1": its
    // children go into "Drums 1", not into the old "Drums". From the model:
    // colour 0 passes -1, a track without colour is left alone, and a folder
    // that is not imported is no insertion point.
    startSim({"--track", "Drums"});
    const auto audioTrack = [](const char *name, std::optional<std::string> parent, uint16_t colorIndex) {
        PTXTrackInfo track;
        track.name = name;
        track.type = PTXTrackType::audio;
        track.parentName = std::move(parent);
        track.colorIndex = colorIndex;
        return track;
    };
    PTXTrackInfo folder = audioTrack("Drums", std::nullopt, kNoColorIndex);
    folder.isFolder = true;
    PTXTrackInfo kick = audioTrack("Kick", "Drums", 0), snare = audioTrack("Snare", "Drums", kNoColorIndex),
                 bass = audioTrack("Bass", "Synths", kNoColorIndex);
    const PTXSessionInfo session;
    const std::set<std::string> imported = {"Drums", "Kick", "Snare"};
    std::vector<TrackArguments> tracks;
    for (const PTXTrackInfo *track : {&folder, &kick, &snare, &bass})
        tracks.push_back(trackArguments(*track, session, {}, imported, {}, false));
    const ImportOutcome outcome = runTracksImport(tracks, {}, {}, nullptr);
    EXPECT_TRUE(outcome.errors.empty()) << outcome.errors.front();

    // The bodies themselves are checked byte for byte elsewhere; here, what goes into them.
    EXPECT_EQ(bodies(72), (std::vector{createNewTracksBody("Drums", "TF_Mono", "TT_BasicFolder", ""),
                                       createNewTracksBody("Kick", "TF_Mono", "TT_Audio", "Drums 1"),
                                       createNewTracksBody("Snare", "TF_Mono", "TT_Audio", "Drums 1"),
                                       createNewTracksBody("Bass", "TF_Mono", "TT_Audio", "")}))
        << "Bass's folder is not in the import";
    EXPECT_EQ(bodies(153), (std::vector<std::string>{R"({"track_names": ["Kick"], "color_index": -1})"}));
    EXPECT_NE(outcome.transcript.find("[note] Folder 'Drums' was created as 'Drums 1' in this import; the track goes "
                                      "into 'Drums 1'."),
              std::string::npos)
        << outcome.transcript;
    EXPECT_TRUE(bodies(123).empty() && bodies(127).empty()) << "no audio commands for tracks without clips";
    EXPECT_EQ(bodies(73), (std::vector<std::string>{R"({"track_names": ["Drums 1"]})", R"({"track_names": ["Kick"]})",
                                                    R"({"track_names": ["Snare"]})", R"({"track_names": ["Bass"]})"}))
        << "each track selected by the name it was given";

    // The rename is followed within one import only: a later import that
    // names "Drums" means the track of that name.
    const TrackCall later = importTrack("Tom", "TF_Mono", {}, -2, "Drums");
    EXPECT_EQ(later.status, 0) << later.error;
    EXPECT_NE(bodies(72).back().find(R"("insertion_point_track_name": "Drums"})"), std::string::npos);

    // Before 2025.10 the colour is skipped with a note.
    startSim({"--version", "2025.9"});
    const TrackCall old = importTrack("Old", "TF_Mono", {}, 5);
    EXPECT_EQ(old.status, 0) << old.error;
    EXPECT_TRUE(bodies(153).empty());
    EXPECT_NE(old.transcript.find("[note] Track color skipped \xE2\x80\x94 CId_SetTrackColor requires Pro Tools "
                                  "2025.10 or later."),
              std::string::npos)
        << old.transcript;
}

TEST_F(ImportOperations, ClipImportGroupsByNameAndAudioImportSendsEachFileOnce)
{
    startSim();
    const std::string l = wav("Kick.L.wav", 100), r = wav("Kick.R.wav", 100), snare = wav("Snare.wav", 100);
    const std::string c = wav("Amb.C.wav", 100);
    const std::vector<ImportClipRecord> clips = {
        {"Kick.R", r.c_str(), 0, 10, 0, 1},   {"Snare", snare.c_str(), 0, 10, 0, 0},
        {"Kick.L", l.c_str(), 0, 10, 0, 0},   {"Amb.L", l.c_str(), 0, 10, 0, 0},
        {"Amb.C", c.c_str(), 0, 10, 0, 1},    {"Amb.R", r.c_str(), 0, 10, 0, 2}};
    char *error = nullptr;
    EXPECT_EQ(ptsl_import_clips(clips.data(), int32_t(clips.size()), nullptr, false, false, &error, nullptr), 0)
        << (error ? error : "");
    std::free(error);
    // Files in byte order: Amb.C f-1, Kick.L f-2, Kick.R f-3, Snare f-4.
    EXPECT_EQ(bodies(127),
              (std::vector<std::string>{
                  clipsBody("Kick", true,
                            element("f-2", 0, 10, channels("SChannel_Mono", "SChannel_Left")) + "," +
                                element("f-3", 0, 10, channels("SChannel_Mono", "SChannel_Right"))),
                  clipsBody("Snare", false, element("f-4", 0, 10)),
                  clipsBody("Amb", false,
                            element("f-2", 0, 10) + "," + element("f-1", 0, 10) + "," + element("f-3", 0, 10))}));

    // Every path once, sorted; linking wins over converting.
    const char *paths[] = {snare.c_str(), l.c_str(), nullptr, snare.c_str()};
    EXPECT_EQ(ptsl_import_audio_files(paths, 4, true, true, nullptr, nullptr), 0);
    EXPECT_EQ(bodies(123).back(),
              R"({"file_list": [")" + l + R"(",")" + snare + R"("], "audio_operations": "AOperations_AddAudio"})");
}

TEST_F(ImportOperations, CancellingBetweenTracksAndProgressTexts)
{
    startSim();
    const std::vector<TrackArguments> tracks = {{"A", "TT_Audio", "TF_Mono", {}, {}, -2, false},
                                                {"B", "TT_Audio", "TF_Mono", {}, {}, -2, true},
                                                {"C", "TT_Audio", "TF_Mono", {}, {}, -2, false}};
    std::vector<std::string> progress;
    ImportOutcome outcome = runTracksImport(tracks, {}, [&](const std::string &text) { progress.push_back(text); },
                                            nullptr);
    EXPECT_EQ(progress, (std::vector<std::string>{std::string("Importing A (1/3)") + kEllipsis,
                                                  std::string("Importing B (2/3)") + kEllipsis,
                                                  std::string("Importing C (3/3)") + kEllipsis}));
    EXPECT_EQ(outcome.errors, (std::vector<std::string>{"B: No resolvable clips"}));
    EXPECT_EQ(bodies(72).size(), 2u) << "B is not sent";
    EXPECT_EQ(outcomeTitle(outcome), "Import Completed with 1 Warning");

    // Cancelled while the first track runs: the others never start.
    startSim();
    std::atomic<bool> cancel = false;
    progress.clear();
    outcome = runTracksImport(tracks, {}, [&](const std::string &text) {
        progress.push_back(text);
        cancel = true;
    }, &cancel);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(progress.size(), 1u);
    EXPECT_EQ(bodies(72).size(), 1u);
}

TEST_F(ImportOperations, WavFramesOfRealFilesAndBrokenOnesRefused)
{
    for (const char *bits : {"8", "16", "24", "32"})
        EXPECT_EQ(readWavFrameCount(wav(std::string("b") + bits + ".wav", 1000, std::string("-c 2 -b ") + bits)).frames,
                  1000u)
            << bits << " bits";
    // A LIST chunk of odd size before the data must be skipped with its pad byte.
    const std::string odd = wav("odd.wav", 1000, "-c 2 -b 16 --comment 'abc'");
    EXPECT_TRUE(readWavFrameCount(odd).valid);
    EXPECT_EQ(readWavFrameCount(odd).frames, 1000u);

    std::ifstream in(odd, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const std::string cut = path("cut.wav");
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, 30);
    EXPECT_FALSE(readWavFrameCount(cut).valid) << "truncated header";
    std::string placeholder = bytes;
    const size_t data = placeholder.find("data");
    placeholder.replace(0, 4, "RF64");
    placeholder.replace(data + 4, 4, "\xFF\xFF\xFF\xFF");
    const std::string rf = path("rf.wav");
    std::ofstream(rf, std::ios::binary) << placeholder;
    EXPECT_FALSE(readWavFrameCount(rf).valid) << "RF64 size placeholder never clamps";
    placeholder.replace(data + 4, 4, std::string("\x10\x00\x00\x00", 4));
    std::ofstream(rf, std::ios::binary | std::ios::trunc) << placeholder;
    EXPECT_EQ(readWavFrameCount(rf).frames, 4u) << "RF64 with a real 32-bit size: 16 bytes / 4";
    EXPECT_FALSE(readWavFrameCount(path("missing.wav")).valid);
}

} // namespace
