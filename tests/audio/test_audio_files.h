// Audio files written for tests.
#ifndef KESTRIX_TESTS_AUDIO_TEST_AUDIO_FILES_H
#define KESTRIX_TESTS_AUDIO_TEST_AUDIO_FILES_H

#include <QString>

#include <functional>
#include <vector>

namespace audiotest {

enum class SampleFormat { Pcm16, Pcm24, Float };

// Writes a WAV (or AIFF, by the extension) file of planar samples. With
// `channelMap` (libsndfile SF_CHANNEL_MAP_* values) the file carries it.
// Fails the current test when the file cannot be written.
void writeAudioFile(const QString &path, const std::vector<std::vector<float>> &channels, int sampleRate,
                    SampleFormat format = SampleFormat::Float, const std::vector<int> &channelMap = {});

// `frames` samples of `sample(frame)`.
std::vector<float> generate(size_t frames, const std::function<float(size_t)> &sample);
std::vector<float> sine(size_t frames, double frequency, int sampleRate, float amplitude);

// Channel c, frame f holds (c + 1) / 8 - 1/2 + (f mod 4096) / 2^15: exact in
// 16 bits and above, so a value read back tells its channel and its frame.
float codedSample(int channel, size_t frame);
std::vector<std::vector<float>> codedChannels(int channels, size_t frames);

} // namespace audiotest

#endif
