#include "transcript.h"

#include "heap_string.h"
#include "no_throw.h"
#include "ptsl.h"
#include "ptsl_command.h"

#include <cstdio>
#include <string>

namespace kestrix {

namespace {

struct TranscriptState {
    bool active = false;
    int32_t sequence = 0;
    std::string text;
};

// Each import runs on its own thread and so keeps its own transcript.
thread_local TranscriptState transcript;

void appendSection(std::string &text, std::string_view title, std::string_view content,
                   std::string_view whenEmpty)
{
    text.append("  ").append(title).append(":\n    ");
    text.append(content.empty() ? whenEmpty : content).append("\n");
}

} // namespace

const char *commandTranscriptName(int32_t command)
{
    switch (command) {
    case 35: return "CId_GetSessionSampleRate";
    case 42: return "CId_GetSessionName";
    case 55: return "CId_GetPTSLVersion";
    case 72: return "CId_CreateNewTracks";
    case 73: return "CId_SelectTracksByName";
    case 123: return "CId_ImportAudioToClipList";
    case 124: return "CId_SpotClipsByID";
    case 127: return "CId_CreateAudioClips";
    case 153: return "CId_SetTrackColor";
    default: return "CId_(see id)";
    }
}

void transcriptRecordCommand(int32_t command, std::string_view requestBody, const CommandResult &result,
                             long elapsedMs)
{
    if (!transcript.active)
        return;
    ++transcript.sequence;
    // The header is cut at 159 bytes, as a fixed buffer would.
    char header[160];
    std::snprintf(header, sizeof header, "\n[%d] %s (id=%d) \xE2\x80\x94 %ld ms \xE2\x80\x94 %s\n",
                  static_cast<int>(transcript.sequence), commandTranscriptName(command), static_cast<int>(command),
                  elapsedMs, result.ok ? "OK" : "ERROR");
    std::string &text = transcript.text;
    text.append(header);
    appendSection(text, "Request", requestBody, "(empty)");
    if (result.ok)
        appendSection(text, "Response", result.body, "(empty)");
    else
        appendSection(text, "Error", result.error, "(no detail)");
}

} // namespace kestrix

using namespace kestrix;

void ptsl_transcript_begin(void)
{
    transcript.active = true;
    transcript.sequence = 0;
    transcript.text.clear();
}

void ptsl_transcript_note(const char *text)
{
    noThrow([&] {
        if (!transcript.active)
            return;
        transcript.text.append("\n[note] ").append(text ? text : "").append("\n");
    });
}

char *ptsl_transcript_end(void)
{
    transcript.active = false;
    char *text = heapCopy(transcript.text);
    transcript.text.clear();
    return text;
}
