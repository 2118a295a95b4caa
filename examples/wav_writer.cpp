#include "wav_writer.h"

#include "session_writer.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace demo {

namespace {

using ptxw::Bytes;

// RIFF fields are little-endian whatever the machine.
void putLittleEndian(Bytes &out, uint64_t value, int width)
{
    for (int k = 0; k < width; ++k)
        out.push_back(uint8_t(value >> (8 * k)));
}

void putTag(Bytes &out, std::string_view tag)
{
    for (const char c : tag)
        out.push_back(uint8_t(c));
}

int32_t quantize(float sample, int bitDepth)
{
    const double fullScale = double((1u << (bitDepth - 1)) - 1);
    return int32_t(std::lround(std::clamp(double(sample), -1.0, 1.0) * fullScale));
}

} // namespace

bool writeWav(const std::filesystem::path &path, const std::vector<std::vector<float>> &channels,
              uint32_t sampleRate, int bitDepth)
{
    const uint16_t channelCount = uint16_t(channels.size());
    const size_t frames = channels.empty() ? 0 : channels.front().size();
    const int bytesPerSample = bitDepth / 8;
    const uint32_t blockAlign = channelCount * uint32_t(bytesPerSample);
    const uint32_t dataSize = uint32_t(frames) * blockAlign;
    const uint32_t pad = dataSize % 2;  // chunks start on even offsets

    Bytes out;
    out.reserve(44 + dataSize + pad);
    putTag(out, "RIFF");
    putLittleEndian(out, 4 + (8 + 16) + (8 + dataSize + pad), 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2);  // integer PCM
    putLittleEndian(out, channelCount, 2);
    putLittleEndian(out, sampleRate, 4);
    putLittleEndian(out, uint64_t(sampleRate) * blockAlign, 4);
    putLittleEndian(out, blockAlign, 2);
    putLittleEndian(out, uint64_t(bitDepth), 2);
    putTag(out, "data");
    putLittleEndian(out, dataSize, 4);
    for (size_t frame = 0; frame < frames; ++frame)
        for (const std::vector<float> &channel : channels)
            putLittleEndian(out, uint32_t(quantize(channel[frame], bitDepth)), bytesPerSample);
    out.resize(out.size() + pad, 0);

    return ptxw::writeBytes(path.string(), out);
}

} // namespace demo
