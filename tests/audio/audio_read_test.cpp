// Reading files: formats, regions, single channels, both decoders, failures.
#include "audio_file.h"
#include "audio_read.h"
#include "peaks.h"
#include "test_audio_files.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kestrix;
using namespace audiotest;

TEST(AudioRead, WholeFilesAndClampedRegions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Take.wav");
    writeAudioFile(path, codedChannels(2, 3000), 44100, SampleFormat::Pcm24);

    auto whole = readWholeFile(path);
    ASSERT_TRUE(whole.ok()) << whole.error().description.toStdString();
    const WAVInfo &info = whole.value().info;
    // The bit depth is the decoded format's, not the file's 24.
    EXPECT_EQ(std::tie(info.fileName, info.sampleRate, info.channelCount, info.bitDepth),
              std::make_tuple(QString("Take"), 44100.0, 2, 32));
    EXPECT_DOUBLE_EQ(info.duration, 3000.0 / 44100);
    EXPECT_FALSE(info.multiMono);
    const AudioBuffer &buffer = whole.value().buffer;
    ASSERT_EQ(buffer.frameLength(), 3000u);
    for (size_t f : {size_t(0), size_t(1234), size_t(2999)}) {
        EXPECT_NEAR(buffer.channel(0)[f], codedSample(0, f), 1e-6);
        EXPECT_NEAR(buffer.channel(1)[f], codedSample(1, f), 1e-6);
    }

    auto region = readRegion(path, 2500, 1000);
    ASSERT_TRUE(region.ok());
    EXPECT_EQ(region.value().buffer.frameLength(), 500u) << "cut at the end of the file";
    EXPECT_DOUBLE_EQ(region.value().info.duration, 500.0 / 44100);
    EXPECT_NEAR(region.value().buffer.channel(1)[0], codedSample(1, 2500), 1e-6);

    for (uint64_t offset : {uint64_t(3000), uint64_t(1) << 40}) {
        auto empty = readRegion(path, offset, 10);
        ASSERT_FALSE(empty.ok());
        EXPECT_EQ(empty.error().description, "Clip range is empty");
    }
    EXPECT_FALSE(readRegion(path, 10, 0).ok());

    // Offset + length past 2^64 still ends at the file's end.
    const ClampedRegion huge = clampRegion(100, UINT64_MAX, 3000);
    EXPECT_EQ(std::tie(huge.start, huge.frames), std::make_tuple(100u, 2900u));
}

TEST(AudioRead, MonoBufferTakesTheChannelOfItsLabel)
{
    QTemporaryDir dir;
    const QString stereo = dir.filePath("Stereo.wav");
    const QString mono = dir.filePath("Mono.wav");
    writeAudioFile(stereo, codedChannels(2, 100), 48000);
    writeAudioFile(mono, codedChannels(1, 100), 48000);

    const auto firstSample = [](const QString &path, const QString &label) {
        auto file = openAudioFile(path);
        EXPECT_TRUE(file.ok());
        EXPECT_TRUE(!file.value()->seek(10));
        auto buffer = readMonoBuffer(*file.value(), 50, label, 96000);
        EXPECT_TRUE(buffer.ok());
        // One channel at the engine's rate.
        EXPECT_EQ(std::make_tuple(buffer.value().channelCount(), buffer.value().frameLength(), buffer.value().sampleRate()),
                  std::make_tuple(1, 50u, 96000));
        return buffer.value().channel(0)[0];
    };
    // Which index a label has is checked below; here, that the file's channel count decides it.
    EXPECT_FLOAT_EQ(firstSample(stereo, "Rs"), codedSample(1, 10));
    EXPECT_FLOAT_EQ(firstSample(mono, "Rs"), codedSample(0, 10)) << "a mono file has only one channel to give";

    // Near the end only what is left is read.
    auto file = openAudioFile(stereo);
    ASSERT_TRUE(file.ok());
    ASSERT_FALSE(file.value()->seek(90));
    auto tail = readMonoBuffer(*file.value(), 50, "R", 48000);
    ASSERT_TRUE(tail.ok());
    EXPECT_EQ(tail.value().frameLength(), 10u);
}

TEST(AudioRead, ChannelIndexOfALabelDependsOnTheChannelCount)
{
    // Label, channel count, index; labels compare in upper case.
    const std::tuple<const char *, int, int> cases[] = {
        {"Rs", 1, 0}, {"Rs", 2, 1}, {"rtm", 6, 1}, {"Lts", 6, 0}, {"Lss", 2, 0}, {"C", 2, 1},
        {"C", 6, 2},  {"LFE", 3, 2}, {"LFE", 6, 3}, {"Cs", 5, 4}, {"Ch7", 8, 0},
    };
    for (const auto &[label, count, index] : cases)
        EXPECT_EQ(channelIndex(label, count), index) << label << " of " << count;
}

TEST(AudioRead, FfmpegDecodesLikeSndfile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Both.wav");
    writeAudioFile(path, codedChannels(3, 5000), 32000, SampleFormat::Pcm16);

    auto sndfile = openWithSndfile(path);
    auto ffmpeg = openWithFfmpeg(path);
    ASSERT_TRUE(sndfile.ok());
    ASSERT_TRUE(ffmpeg.ok()) << ffmpeg.error().description.toStdString();
    EXPECT_EQ(std::make_tuple(ffmpeg.value()->sampleRate(), ffmpeg.value()->channelCount(), ffmpeg.value()->frameLength()),
              std::make_tuple(32000, 3, 5000u));

    auto a = readRegion(*sndfile.value(), path, 4000, 2000);
    auto b = readRegion(*ffmpeg.value(), path, 4000, 2000);
    ASSERT_TRUE(a.ok() && b.ok());
    ASSERT_EQ(b.value().buffer.frameLength(), 1000u);
    for (int c = 0; c < 3; ++c) {
        for (uint32_t f = 0; f < 1000; f += 37)
            EXPECT_FLOAT_EQ(a.value().buffer.channel(c)[f], b.value().buffer.channel(c)[f]) << c << " " << f;
    }
}

TEST(AudioRead, UnreadableFilesAreClearErrors)
{
    QTemporaryDir dir;
    const QString garbage = dir.filePath("Broken.wav");
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24);
    file.close();

    for (const QString &path : {garbage, dir.filePath("Missing.wav"), dir.filePath("Missing.m4a")}) {
        auto read = readWholeFile(path);
        ASSERT_FALSE(read.ok());
        EXPECT_TRUE(read.error().description.contains(QFileInfo(path).fileName())) << read.error().description.toStdString();
    }
}

TEST(Peaks, BucketsAndMixing)
{
    std::vector<float> samples(1000, 0.1f);
    samples[5] = -0.9f;
    samples[900] = 1.0f;  // past the last whole bucket
    const std::vector<float> windowPeaks = peaks(samples.data(), 1000, 800);
    ASSERT_EQ(windowPeaks.size(), 800u);
    EXPECT_FLOAT_EQ(windowPeaks[5], 0.9f);
    EXPECT_FLOAT_EQ(*std::max_element(windowPeaks.begin(), windowPeaks.end()), 0.9f);

    const std::vector<float> perFrame = peaks(samples.data(), 100, 120);
    EXPECT_EQ(perFrame.size(), 100u) << "one peak per frame for a short buffer";
    const std::vector<float> wide = peaks(samples.data(), 1000, 120);
    ASSERT_EQ(wide.size(), 120u);
    EXPECT_FLOAT_EQ(wide[0], 0.9f) << "8 frames per bucket";
    EXPECT_TRUE(peaks(samples.data(), 1000, 0).empty());
    EXPECT_TRUE(peaks(samples.data(), 0, 10).empty());

    EXPECT_EQ(mixPeaks({{0.1f, 0.5f, 0.2f}, {0.3f, 0.1f}, {0.0f, 0.0f, 0.9f, 1.0f}}),
              (std::vector<float>{0.3f, 0.5f, 0.9f}));
    EXPECT_TRUE(mixPeaks({}).empty());
}
