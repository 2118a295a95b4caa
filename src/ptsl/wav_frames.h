// How many frames a WAV file's data holds, read from its header alone, so
// that a clip reaching past the data can be shortened before Pro Tools
// refuses it.
#ifndef KESTRIX_PTSL_WAV_FRAMES_H
#define KESTRIX_PTSL_WAV_FRAMES_H

#include <cstdint>
#include <string>

namespace kestrix {

struct WavFrameCount {
    bool valid = false;   // a RIFF or RF64 WAVE header with format and data
    uint64_t frames = 0;  // data size / (bytes per sample x channels)
};

// Reads at most 64 chunks. RF64 files whose data size is the all-ones
// placeholder, files that are not WAVE and truncated headers are invalid;
// invalid counts never shorten a clip.
WavFrameCount readWavFrameCount(const std::string &path);

} // namespace kestrix

#endif
