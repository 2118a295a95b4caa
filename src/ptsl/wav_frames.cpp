#include "wav_frames.h"

#include <array>
#include <fstream>

namespace kestrix {

namespace {

constexpr int kMaxChunks = 64;
constexpr uint32_t kRf64SizePlaceholder = 0xFFFFFFFFu;

uint32_t littleEndian(const unsigned char *bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

bool readBytes(std::ifstream &in, unsigned char *into, std::streamsize count)
{
    return static_cast<bool>(in.read(reinterpret_cast<char *>(into), count));
}

} // namespace

WavFrameCount readWavFrameCount(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 12> riff{};
    if (!in || !readBytes(in, riff.data(), 12))
        return {};
    const std::string_view magic(reinterpret_cast<const char *>(riff.data()), 4);
    const std::string_view wave(reinterpret_cast<const char *>(riff.data() + 8), 4);
    if ((magic != "RIFF" && magic != "RF64") || wave != "WAVE")
        return {};

    bool haveFormat = false;
    uint32_t channels = 0, bits = 0;
    for (int chunk = 0; chunk < kMaxChunks; ++chunk) {
        std::array<unsigned char, 8> header{};
        if (!readBytes(in, header.data(), 8))
            return {};
        const std::string_view id(reinterpret_cast<const char *>(header.data()), 4);
        const uint32_t size = littleEndian(header.data() + 4, 4);
        if (id == "fmt ") {
            if (size < 16)
                return {};
            std::array<unsigned char, 16> format{};
            if (!readBytes(in, format.data(), 16))
                return {};
            channels = littleEndian(format.data() + 2, 2);
            bits = littleEndian(format.data() + 14, 2);
            haveFormat = true;
            in.seekg(std::streamoff(size - 16) + (size & 1), std::ios::cur);
        } else if (id == "data") {
            if (!haveFormat || channels == 0 || bits < 8 || size == kRf64SizePlaceholder)
                return {};
            return WavFrameCount{true, size / (uint64_t(bits / 8) * channels)};
        } else {
            in.seekg(std::streamoff(size) + (size & 1), std::ios::cur);
        }
        if (!in)
            return {};
    }
    return {};
}

} // namespace kestrix
