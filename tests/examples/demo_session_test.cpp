// The bundled demo session read back through the reader interface: its
// musical placements, clip groups and surround channels come back, and every
// audio file it lists is a real WAV file in the "Audio Files" folder beside
// it, long enough for the clips that point into it.
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kSessionPath = KESTRIX_DEMO_SESSION;
const fs::path kAudioDir = kSessionPath.parent_path() / "Audio Files";

using Names = std::vector<std::string>;

struct WavFile {
    std::string problem;  // empty for a valid file
    unsigned channels = 0;
    unsigned sampleRate = 0;
    unsigned bits = 0;
    uint64_t frames = 0;
    double peak = 0.0;  // of full scale
};

uint32_t littleEndian(const std::vector<uint8_t> &b, size_t at, int width)
{
    uint32_t v = 0;
    for (int k = 0; k < width; ++k)
        v |= uint32_t(b[at + k]) << (8 * k);
    return v;
}

double peakOf(const std::vector<uint8_t> &b, size_t data, uint32_t size, unsigned bits)
{
    const unsigned bytes = bits / 8;
    const int64_t fullScale = int64_t(1) << (bits - 1);
    int64_t peak = 0;
    for (size_t at = data; at + bytes <= data + size; at += bytes) {
        int64_t v = littleEndian(b, at, int(bytes));
        if (v >= fullScale)
            v -= 2 * fullScale;  // two's complement
        peak = std::max(peak, v < 0 ? -v : v);
    }
    return double(peak) / double(fullScale);
}

// Integer PCM in a RIFF/WAVE file with a fmt chunk before its data chunk.
WavFile readWav(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WavFile wav;
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
        return {"not a RIFF/WAVE file"};
    if (littleEndian(b, 4, 4) != b.size() - 8)
        return {"RIFF size does not match the file"};
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        const uint32_t size = littleEndian(b, at + 4, 4);
        const size_t body = at + 8;
        if (body + size > b.size())
            return {id + " chunk runs past the end"};
        if (id == "fmt ") {
            if (size < 16 || littleEndian(b, body, 2) != 1)
                return {"not integer PCM"};
            wav.channels = littleEndian(b, body + 2, 2);
            wav.sampleRate = littleEndian(b, body + 4, 4);
            wav.bits = littleEndian(b, body + 14, 2);
            const uint32_t blockAlign = wav.channels * wav.bits / 8;
            if ((wav.bits != 16 && wav.bits != 24) || littleEndian(b, body + 12, 2) != blockAlign ||
                littleEndian(b, body + 8, 4) != wav.sampleRate * blockAlign)
                return {"inconsistent fmt chunk"};
            haveFormat = true;
        } else if (id == "data") {
            const uint32_t blockAlign = wav.channels * wav.bits / 8;
            if (!haveFormat || blockAlign == 0 || size % blockAlign != 0)
                return {"data without a fitting fmt chunk"};
            wav.frames = size / blockAlign;
            wav.peak = peakOf(b, body, size, wav.bits);
            return wav;
        }
        at = body + size + size % 2;
    }
    return {"no data chunk"};
}

// Samples at 48 kHz and 112 BPM from the session start to a beat.
uint32_t samplesAtBeat(double beats)
{
    return uint32_t(beats * 60.0 / 112.0 * 48000.0);
}

class DemoSession : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session); }

    const ptxtest::SessionPtr session{ptx_session_open(kSessionPath.string().c_str(), nullptr)};
    const ptx_session *p = session.get();
};

} // namespace

TEST_F(DemoSession, PlacementsKeepMusicalTimeGroupsAndTheSurroundChannels)
{

    // Bars start every four beats; positions stored in ticks come back in samples.
    const int drums = ptxtest::trackIndex(p, "Drum Loop");
    ASSERT_GE(drums, 0);
    EXPECT_EQ(ptx_track_placement_position(p, drums, 0), samplesAtBeat(16));  // bar 5
    EXPECT_EQ(ptx_track_placement_position(p, drums, 7), samplesAtBeat(44));  // bar 12

    // The fills are clip groups of kick and snare hits.
    const int fills = ptxtest::trackIndex(p, "Perc Fill");
    ASSERT_GE(fills, 0);
    for (int k = 0; k < ptx_track_placement_count(p, fills); ++k) {
        SCOPED_TRACE(k);
        ASSERT_TRUE(ptx_track_placement_is_group(p, fills, k));
        const int group = ptx_track_placement_group(p, fills, k);
        ASSERT_GE(ptx_clip_group_member_count(p, group), 2);
        for (int m = 0; m < ptx_clip_group_member_count(p, group); ++m) {
            const std::string hit = ptx_clip_name(p, ptx_clip_group_member_clip(p, group, m));
            EXPECT_TRUE(hit == "Kick" || hit == "Snare") << hit;
        }
    }
    EXPECT_EQ(ptx_track_placement_position(p, fills, 1), samplesAtBeat(60));  // bar 16

    // The 5.1 track takes the unnamed playlists, one channel clip each, in order.
    const int ambience = ptxtest::trackIndex(p, "Ambience");
    ASSERT_GE(ambience, 0);
    Names channels;
    for (int k = 0; k < ptx_track_placement_count(p, ambience); k += 2)
        channels.emplace_back(ptx_clip_name(p, ptx_track_placement_clip(p, ambience, k)));
    EXPECT_EQ(channels, (Names{"Ambience.L", "Ambience.R", "Ambience.C", "Ambience.LFE", "Ambience.Ls", "Ambience.Rs"}));
}

TEST_F(DemoSession, EveryListedAudioFileIsAShortRealWavThatHoldsItsClips)
{
    ASSERT_EQ(ptx_audio_file_count(p), 14);
    std::vector<WavFile> files;
    uintmax_t totalBytes = 0;
    for (int f = 0; f < ptx_audio_file_count(p); ++f) {
        const std::string name = ptx_audio_file_name(p, f);
        SCOPED_TRACE(name);
        EXPECT_TRUE(std::string(ptx_audio_file_path(p, f)).ends_with("/Kestrix Demo/Audio Files/" + name));
        const fs::path file = kAudioDir / name;
        ASSERT_TRUE(fs::exists(file));
        totalBytes += fs::file_size(file);
        const WavFile &wav = files.emplace_back(readWav(file));
        ASSERT_EQ(wav.problem, "");
        EXPECT_EQ(wav.channels, name == "Drum Loop.wav" ? 2u : 1u);  // the one interleaved stereo file
        EXPECT_EQ(wav.sampleRate, 48000u);
        EXPECT_GE(wav.frames, 48000u);
        EXPECT_LE(wav.frames, 3u * 48000);
        EXPECT_GT(wav.peak, 0.1);  // audible
        EXPECT_LT(wav.peak, 0.99);  // not clipped
    }
    EXPECT_LT(totalBytes, 3u << 20);

    // Clips lie inside the files they point at; each surround channel has a file of its own.
    ASSERT_EQ(ptx_clip_count(p), 16);
    for (int c = 0; c < ptx_clip_count(p); ++c) {
        const std::string clip = ptx_clip_name(p, c);
        SCOPED_TRACE(clip);
        const int file = ptx_clip_file_index(p, c);
        ASSERT_TRUE(file >= 0 && file < ptx_audio_file_count(p));
        if (clip.starts_with("Ambience.")) {
            EXPECT_EQ(ptx_audio_file_name(p, file), clip + ".wav");
        }
        EXPECT_GT(ptx_clip_sample_length(p, c), 0u);
        EXPECT_LE(ptx_clip_sample_offset(p, c) + ptx_clip_sample_length(p, c), files[size_t(file)].frames);
    }
}
