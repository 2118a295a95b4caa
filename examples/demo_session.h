// Assembles the demo session file from its parts.
#ifndef KESTRIX_DEMO_SESSION_H
#define KESTRIX_DEMO_SESSION_H

#include "demo_audio.h"
#include "session_writer.h"

#include <string_view>
#include <vector>

namespace demo {

// The session named `sessionName` whose audio files are `files`, stored in
// its "Audio Files" folder. Throws std::invalid_argument when the demo's
// tables do not fit together.
ptxw::SessionFile demoSession(const std::vector<AudioFile> &files, std::string_view sessionName);

} // namespace demo

#endif
