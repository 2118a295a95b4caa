// The demo session's audio file list, clip list and clip groups.
#ifndef KESTRIX_DEMO_MEDIA_H
#define KESTRIX_DEMO_MEDIA_H

#include "demo_audio.h"
#include "session_writer.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace demo {

// 0x103a: an "Audio Files" folder holding every file, followed by where the
// session folder `sessionName` was stored when the session was saved.
ptxw::Block audioFileList(const std::vector<AudioFile> &files, std::string_view sessionName);

// 0x262a: a clip for every file and a few edited parts of them. Throws
// std::invalid_argument when a clip does not lie inside its file.
ptxw::Block clipList(const std::vector<AudioFile> &files);

// The clip groups: each one's name block (0x262b) followed by its members.
std::vector<ptxw::Block> clipGroups();

uint32_t clipIndex(std::string_view name);
uint32_t clipGroupIndex(std::string_view name);

} // namespace demo

#endif
