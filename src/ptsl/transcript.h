// The per-thread PTSL transcript that import dialogs show and attach to bug
// reports. The flat functions that switch it on and off are in ptsl.h.
#ifndef KESTRIX_PTSL_TRANSCRIPT_H
#define KESTRIX_PTSL_TRANSCRIPT_H

#include <cstdint>
#include <string_view>

namespace kestrix {

struct CommandResult;

// The name a command number has in the transcript.
const char *commandTranscriptName(int32_t command);

// Appends the record of one command when this thread's transcript is on.
void transcriptRecordCommand(int32_t command, std::string_view requestBody, const CommandResult &result,
                             long elapsedMs);

} // namespace kestrix

#endif
