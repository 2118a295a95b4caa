// A minimal writer of PCM WAV files (RIFF/WAVE with a fmt and a data chunk).
#ifndef KESTRIX_DEMO_WAV_WRITER_H
#define KESTRIX_DEMO_WAV_WRITER_H

#include <cstdint>
#include <filesystem>
#include <vector>

namespace demo {

// Writes the channels (all of one length, samples in -1..1, clipped beyond)
// interleaved as 16- or 24-bit integer PCM. Returns false when the file
// cannot be written.
bool writeWav(const std::filesystem::path &path, const std::vector<std::vector<float>> &channels,
              uint32_t sampleRate, int bitDepth);

} // namespace demo

#endif
