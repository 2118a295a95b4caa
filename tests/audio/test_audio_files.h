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

} // namespace audiotest

#endif
