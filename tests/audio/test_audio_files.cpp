#include "test_audio_files.h"

#include <sndfile.h>

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace audiotest {

void writeAudioFile(const QString &path, const std::vector<std::vector<float>> &channels, int sampleRate,
                    SampleFormat format, const std::vector<int> &channelMap)
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = int(channels.size());
    const bool aiff = QFileInfo(path).suffix().startsWith(QLatin1String("aif"), Qt::CaseInsensitive);
    const int subtype = format == SampleFormat::Pcm16   ? SF_FORMAT_PCM_16
                        : format == SampleFormat::Pcm24 ? SF_FORMAT_PCM_24
                                                        : SF_FORMAT_FLOAT;
    info.format = (aiff ? SF_FORMAT_AIFF : channelMap.empty() ? SF_FORMAT_WAV : SF_FORMAT_WAVEX) | subtype;
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    if (!channelMap.empty()) {
        // libsndfile reports SF_FALSE here even when it keeps the map.
        std::vector<int> map = channelMap;
        sf_command(file, SFC_SET_CHANNEL_MAP_INFO, map.data(), int(map.size() * sizeof(int)));
    }
    const size_t frames = channels.empty() ? 0 : channels[0].size();
    std::vector<float> interleaved(frames * channels.size());
    for (size_t c = 0; c < channels.size(); ++c) {
        for (size_t f = 0; f < frames; ++f)
            interleaved[f * channels.size() + c] = channels[c][f];
    }
    EXPECT_EQ(sf_writef_float(file, interleaved.data(), sf_count_t(frames)), sf_count_t(frames));
    sf_close(file);
}

std::vector<float> generate(size_t frames, const std::function<float(size_t)> &sample)
{
    std::vector<float> samples(frames);
    for (size_t f = 0; f < frames; ++f)
        samples[f] = sample(f);
    return samples;
}

std::vector<float> sine(size_t frames, double frequency, int sampleRate, float amplitude)
{
    return generate(frames, [&](size_t f) {
        return amplitude * float(std::sin(2 * std::numbers::pi * frequency * double(f) / sampleRate));
    });
}

float codedSample(int channel, size_t frame)
{
    return float(channel + 1) / 8.0f - 0.5f + float(frame % 4096) / 32768.0f;
}

std::vector<std::vector<float>> codedChannels(int channels, size_t frames)
{
    std::vector<std::vector<float>> planes;
    for (int c = 0; c < channels; ++c)
        planes.push_back(generate(frames, [c](size_t f) { return codedSample(c, f); }));
    return planes;
}

} // namespace audiotest
