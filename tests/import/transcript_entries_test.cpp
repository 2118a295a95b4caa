// The transcript of a real tracks import against ptsl-sim, read back into
// entries with human-readable command names.
#include "common/ptsl_text.h"
#include "import_core.h"
#include "import_fixture.h"

#include <gtest/gtest.h>

namespace {

using namespace kestrix::import;

// One line per entry: "track One", "note …", "3 OK Create track …".
std::vector<std::string> summary(const std::vector<TranscriptEntry> &entries)
{
    std::vector<std::string> lines;
    for (const TranscriptEntry &entry : entries) {
        switch (entry.kind) {
        case TranscriptEntryKind::trackHeader: lines.push_back("track " + entry.text); break;
        case TranscriptEntryKind::note: lines.push_back("note " + entry.text.substr(0, 24)); break;
        case TranscriptEntryKind::command: {
            const CommandHeader header = commandHeader(entry);
            lines.push_back(std::to_string(header.step) + " " + header.status + " " + header.name);
            break;
        }
        }
    }
    return lines;
}

using TranscriptEntries = ImportTest;

TEST_F(TranscriptEntries, ReadsARealTracksImportBack)
{
    startSim();
    const std::string file = wav("Kick.wav", 100);
    const std::vector<ClipArgument> good = {{"Kick", file, 0, 50, 96000, 0}};
    const std::vector<ClipArgument> bad = {{"Bad", file, 10, 10, 0, 0}};  // an empty range is refused
    const ImportOutcome outcome = runTracksImport({TrackArguments{"One", "TT_Audio", "TF_Mono", {}, good, -2, false},
                                                   TrackArguments{"Two", "TT_Audio", "TF_Stereo", {}, bad, 3, false}},
                                                  {}, {}, nullptr);
    ASSERT_EQ(outcome.errors.size(), 1u);

    const std::vector<TranscriptEntry> entries = parseTranscript(outcome.transcript);
    EXPECT_EQ(summary(entries),
              (std::vector<std::string>{
                  "track One",
                  "1 OK Check Pro Tools version",
                  "2 OK Create track \"One\" (Mono Audio)",
                  "3 OK Import 1 audio file via CopyAudio",
                  "4 OK Create audio clip \"Kick\" from 1 source",
                  "5 OK Spot 1 clip on track t-1 at sample 96000",
                  "6 OK Select track \"One\"",
                  "track Two",
                  "1 OK Check Pro Tools version",
                  "2 OK Create track \"Two\" (Stereo Audio)",
                  "3 OK Check Pro Tools version",
                  "4 OK Set color of track(s): Two",
                  "note Reused 1 file_id(s) from",
                  "note Skipped CId_ImportAudioT",
                  "5 ERROR Create audio clip \"Bad\" (Stereo) from 1 source",
                  "note CreateAudioClips error f",
                  "note Import summary for track",
              }))
        << outcome.transcript;

    const TranscriptCommand &created = entries[2].command;
    EXPECT_EQ(created.id, 72);
    EXPECT_EQ(created.request, R"({"number_of_tracks": 1, "track_name": "One", "track_format": "TF_Mono", )"
                               R"("track_type": "TT_Audio", "track_timebase": "TTB_Samples"})");
    EXPECT_EQ(created.response, R"({"created_track_names":["One"],"created_track_ids":["t-1"]})");
    EXPECT_TRUE(created.timing.ends_with(" ms")) << created.timing;
    EXPECT_EQ(proToolsMessage(created), "");
    const TranscriptCommand &refused = entries[14].command;
    EXPECT_EQ(proToolsMessage(refused), "Invalid source range for clip 'Bad'") << refused.response;
    EXPECT_EQ(entries[16].text.substr(0, 35), "Import summary for track 'Two': 0 c");

    // Commands the transcript names by number only.
    ptsl_transcript_begin();
    EXPECT_EQ(takeText(ptsl_get_track_names()), "One\nTwo");
    const std::vector<TranscriptEntry> query = parseTranscript(takeText(ptsl_transcript_end()).value_or(""));
    ASSERT_EQ(query.size(), 1u);
    EXPECT_EQ(query[0].command.name, "CId_(see id)");
    EXPECT_EQ(commandHeader(query[0]).name, "Query track list");
}

TEST(TranscriptDescriptions, ComposedFromRequestsTheImportDoesNotSend)
{
    const auto describe = [](const char *name, const char *request) {
        return commandDescription(TranscriptCommand{name, 0, "", "OK", request, ""});
    };
    EXPECT_EQ(describe("CId_OpenSession", R"({"session_path":"/S/Mix.ptx"})"), "Open session /S/Mix.ptx");
    EXPECT_EQ(describe("CId_CreateSession", "{}"), "Create new session");
    EXPECT_EQ(describe("CId_SelectTracksByName", R"({"track_names": ["A","B"]})"), "Select 2 tracks");
    EXPECT_EQ(describe("CId_CreateNewTracks", R"({"number_of_tracks": 3, "track_name": "Fx", "track_type": "TT_Aux"})"),
              "Create 3 tracks \"Fx\" (Aux)");
    EXPECT_EQ(describe("CId_CreateAudioClips", R"({"clip_list": [{}, {}]})"), "Create 2 audio clip(s)");
    EXPECT_EQ(describe("CId_SetTrackColor", "(empty)"), "Set track color") << "not JSON: nothing to compose from";
    EXPECT_EQ(describe("CId_GetSessionName", "{}"), "Get session name");
    EXPECT_EQ(describe("CId_Future", "{}"), "Future");
}

} // namespace
