// The multi-mono engine, rendered offline: loading, routing, alignment
// across play, pause and seek, completion and failures.
#include "fake_device_source.h"
#include "multi_mono_engine.h"
#include "offline_audio_output.h"
#include "test_audio_files.h"

#include <sndfile.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kestrix;
using namespace audiotest;

namespace {

constexpr int kRate = 48000;

// Channel c holds c + frame / 2^15 at every frame: exact in float, so a
// rendered value tells which channel and which frame it came from.
float frameCode(int channel, size_t frame)
{
    return float(channel) + float(frame % 32768) / 32768.0f;
}

class EngineTest : public testing::Test {
protected:
    EngineTest()
    {
        auto output = std::make_unique<OfflineAudioOutput>();
        output_ = output.get();
        engine_ = std::make_unique<MultiMonoEngine>(*devices_.manager, devices_.log, std::move(output));
    }

    // Mono files of coded frames, one per length.
    QList<MultiMonoEngine::Channel> codedGroup(const QStringList &labels, const std::vector<size_t> &lengths)
    {
        QList<MultiMonoEngine::Channel> channels;
        for (int c = 0; c < int(labels.size()); ++c) {
            const QString path = dir_.filePath(QStringLiteral("Take.%1.wav").arg(labels[c]));
            writeAudioFile(path, {generate(lengths[size_t(c)], [c](size_t f) { return frameCode(c, f); })}, kRate);
            channels.append({labels[c], path});
        }
        return channels;
    }

    // Routes input i to output i alone.
    static GainMatrix identity(int channels)
    {
        GainMatrix matrix(channels, channels);
        for (int i = 0; i < channels; ++i)
            matrix.gain(i, i) = 1.0f;
        return matrix;
    }

    // Renders `frames` frames in uneven pieces, as a device pulls them.
    std::vector<float> render(uint32_t frames)
    {
        std::vector<float> all;
        for (uint32_t done = 0; done < frames;) {
            const uint32_t piece = std::min<uint32_t>(frames - done, 333);
            const std::vector<float> part = output_->render(piece);
            all.insert(all.end(), part.begin(), part.end());
            done += piece;
        }
        return all;
    }

    // Every frame of an identity-routed render must show the same source
    // frame on every playing channel, starting at `firstFrame`; channels in
    // `silent` must be 0.
    static void expectAligned(const std::vector<float> &out, int channels, size_t firstFrame,
                              const std::vector<int> &silent = {})
    {
        const size_t frames = out.size() / size_t(channels);
        for (size_t f = 0; f < frames; ++f) {
            for (int c = 0; c < channels; ++c) {
                const float value = out[f * size_t(channels) + size_t(c)];
                const bool isSilent = std::find(silent.begin(), silent.end(), c) != silent.end();
                const float expected = isSilent ? 0.0f : frameCode(c, firstFrame + f);
                if (value != expected) {
                    ADD_FAILURE() << "frame " << f << " channel " << c << ": " << value << " instead of " << expected;
                    return;
                }
            }
        }
    }

    QTemporaryDir dir_;
    FakeDevices devices_;
    OfflineAudioOutput *output_ = nullptr;
    std::unique_ptr<MultiMonoEngine> engine_;
};

} // namespace

TEST_F(EngineTest, ChannelsStayAlignedThroughPlayPauseSeekAndResume)
{
    const auto channels = codedGroup({"L", "R", "C", "LFE"}, {20000, 20000, 20000, 12000});
    ASSERT_FALSE(engine_->load(channels, identity(4)));
    // Loading starts the output, not playback.
    EXPECT_EQ(std::make_tuple(output_->isRunning(), engine_->isPlaying(), engine_->pendingChannelCompletions(),
                              output_->request().channels),
              std::make_tuple(true, false, 4, 4));
    EXPECT_DOUBLE_EQ(engine_->duration(), 20000.0 / kRate);

    expectAligned(render(400), 4, 0, {0, 1, 2, 3});  // loaded, not playing: silence
    engine_->togglePlayPause();
    EXPECT_TRUE(engine_->isPlaying());
    expectAligned(render(1000), 4, 0);
    EXPECT_DOUBLE_EQ(engine_->currentTime(), 1000.0 / kRate);

    engine_->togglePlayPause();
    expectAligned(render(500), 4, 0, {0, 1, 2, 3});
    engine_->togglePlayPause();
    expectAligned(render(250), 4, 1000);

    // A seek while paused stays paused and resumes from the target.
    engine_->togglePlayPause();
    const uint64_t generation = engine_->scheduleGeneration();
    engine_->seek(0.5);
    EXPECT_EQ(std::make_tuple(engine_->isPlaying(), engine_->playheadStartFrame(), engine_->scheduleGeneration()),
              std::make_tuple(false, 10000, generation + 1));
    EXPECT_DOUBLE_EQ(engine_->currentTime(), 0.5 * engine_->duration());
    expectAligned(render(100), 4, 0, {0, 1, 2, 3});
    engine_->togglePlayPause();
    expectAligned(render(700), 4, 10000);
    EXPECT_DOUBLE_EQ(engine_->currentTime(), 10700.0 / kRate);

    // Past the end of the short channel: nothing is scheduled for it and
    // the others go on.
    engine_->seek(0.75);
    EXPECT_TRUE(engine_->isPlaying());
    EXPECT_EQ(engine_->pendingChannelCompletions(), 3);
    expectAligned(render(1000), 4, 15000, {3});

    render(4000);  // to the end
    engine_->collectCompletions();
    EXPECT_TRUE(engine_->hasCompletedPlayback());
    EXPECT_TRUE(engine_->isPlaying()) << "the players still nominally play";
}

TEST_F(EngineTest, OnlyTheCurrentScheduleCompletesAndASeekToTheEndCompletesAtOnce)
{
    const auto channels = codedGroup({"L", "R"}, {1000, 1500});
    ASSERT_FALSE(engine_->load(channels));
    engine_->togglePlayPause();
    render(2000);  // both channels finish on the render side
    engine_->stop();
    engine_->collectCompletions();
    EXPECT_FALSE(engine_->hasCompletedPlayback()) << "completions of a stopped schedule";
    EXPECT_FALSE(output_->isRunning());
    EXPECT_EQ(engine_->currentTime(), 0.0) << "the player clock went with the stop";

    // Playing after a stop starts again from the beginning.
    engine_->togglePlayPause();
    EXPECT_TRUE(output_->isRunning());
    render(2000);
    engine_->seek(0.0);
    engine_->collectCompletions();
    EXPECT_FALSE(engine_->hasCompletedPlayback()) << "completions of a schedule a seek replaced";
    EXPECT_EQ(engine_->pendingChannelCompletions(), 2);

    render(1200);
    engine_->collectCompletions();
    EXPECT_FALSE(engine_->hasCompletedPlayback()) << "only the first channel has finished";
    EXPECT_EQ(engine_->pendingChannelCompletions(), 1);
    render(400);
    engine_->collectCompletions();
    EXPECT_TRUE(engine_->hasCompletedPlayback());

    // A seek to the end completes at once; one out of range goes to the start.
    engine_->seek(0.0);
    engine_->seek(1.0);
    EXPECT_EQ(engine_->pendingChannelCompletions(), 0);
    EXPECT_TRUE(engine_->hasCompletedPlayback()) << "nothing left to play";
    engine_->seek(-3.0);
    EXPECT_EQ(engine_->playheadStartFrame(), 0);
    EXPECT_FALSE(engine_->hasCompletedPlayback());
}

TEST_F(EngineTest, SegmentsAreClampedPerFile)
{
    const auto channels = codedGroup({"L", "R", "C"}, {1000, 5000, 4000});
    ASSERT_FALSE(engine_->loadSegment(channels, 9000, 100));
    // Beyond every file's end: nothing loaded.
    EXPECT_EQ(std::make_tuple(engine_->inputCount(), output_->isRunning(), engine_->duration()),
              std::make_tuple(0, false, 0.0));
    engine_->togglePlayPause();
    EXPECT_FALSE(engine_->isPlaying());

    // L ends before the segment: R and C remain, each with its own label.
    ASSERT_FALSE(engine_->loadSegment(channels, 3000, 1500));
    EXPECT_EQ(engine_->channelLabels(), (QStringList{"R", "C"}));
    EXPECT_DOUBLE_EQ(engine_->duration(), 1500.0 / kRate);
    ASSERT_TRUE(engine_->routing());
    EXPECT_EQ(engine_->routing()->matrix.gains, (std::vector<float>{0.0f, 1.0f, 0.707f, 0.707f}));
    engine_->togglePlayPause();
    const std::vector<float> out = render(1200);
    // Frame 0 is R's frame 3000 on the right, and C's frame 3000 on both.
    EXPECT_FLOAT_EQ(out[0], 0.707f * frameCode(2, 3000));
    EXPECT_FLOAT_EQ(out[1], frameCode(1, 3000) + 0.707f * frameCode(2, 3000));
    // C's segment ends at 4000: after 1000 frames only R is left.
    EXPECT_FLOAT_EQ(out[2 * 1100], 0.0f);
    EXPECT_FLOAT_EQ(out[2 * 1100 + 1], frameCode(1, 4100));
}

TEST_F(EngineTest, DefaultRoutingFoldsAGroupOntoTheDevice)
{
    // Constant channels make the mix easy to predict.
    const QStringList labels = {"L", "R", "C", "LFE", "Ls", "Rs"};
    QList<MultiMonoEngine::Channel> channels;
    for (int c = 0; c < 6; ++c) {
        const QString path = dir_.filePath(QStringLiteral("Mix.%1.wav").arg(labels[c]));
        writeAudioFile(path, {std::vector<float>(600, 0.1f * float(c + 1))}, kRate);
        channels.append({labels[c], path});
    }
    ASSERT_FALSE(engine_->load(channels));
    EXPECT_EQ(engine_->outputChannelCount(), 2);
    engine_->togglePlayPause();
    const std::vector<float> out = render(10);
    EXPECT_NEAR(out[0], 0.1f + 0.707f * (0.3f + 0.4f + 0.5f), 1e-6);
    EXPECT_NEAR(out[1], 0.2f + 0.707f * (0.3f + 0.4f + 0.6f), 1e-6);

    EXPECT_FALSE(devices_.log.entries().filter("MultiMonoEngine routing decision").isEmpty());
    EXPECT_TRUE(devices_.log.entries().last().endsWith("  ✓ MultiMonoEngine started: 6 inputs → 2 outputs @ 48000 Hz"));

    // The same group on a 5.1 device goes straight through.
    devices_.source->change({makeDevice("51", labels)}, makeDevice("51", labels));
    ASSERT_FALSE(engine_->load(channels));
    EXPECT_EQ(output_->request().channels, 6);
    EXPECT_EQ(output_->request().device->uid, "51");
    engine_->togglePlayPause();
    const std::vector<float> surround = render(1);
    for (int c = 0; c < 6; ++c)
        EXPECT_FLOAT_EQ(surround[size_t(c)], 0.1f * float(c + 1));

    EXPECT_EQ(engine_->channelPeaks(800).size(), 6u);
    EXPECT_EQ(engine_->channelPeaks(800)[5].size(), 600u);
    EXPECT_FLOAT_EQ(engine_->mixedPeaks(120)[0], 0.6f);
}

TEST_F(EngineTest, MultichannelFilesPlayByTheirChannelMap)
{
    const QString path = dir_.filePath("Surround.wav");
    std::vector<std::vector<float>> planes;
    for (int c = 0; c < 4; ++c)
        planes.push_back(std::vector<float>(300, 0.1f * float(c + 1)));
    writeAudioFile(path, planes, kRate, SampleFormat::Float,
                   {SF_CHANNEL_MAP_FRONT_LEFT, SF_CHANNEL_MAP_FRONT_RIGHT, SF_CHANNEL_MAP_REAR_LEFT, SF_CHANNEL_MAP_REAR_RIGHT});
    ASSERT_FALSE(engine_->loadFile(path));
    EXPECT_EQ(engine_->channelLabels(), (QStringList{"L", "R", "Ls", "Rs"}));
    engine_->togglePlayPause();
    std::vector<float> out = render(1);
    EXPECT_NEAR(out[0], 0.1f + 0.707f * 0.3f, 1e-6);
    EXPECT_NEAR(out[1], 0.2f + 0.707f * 0.4f, 1e-6);

    // Without a map the channel count decides; a region reads a part.
    const QString stereo = dir_.filePath("Plain.wav");
    writeAudioFile(stereo, {std::vector<float>(300, 0.5f), std::vector<float>(300, -0.5f)}, kRate);
    ASSERT_FALSE(engine_->loadFileSegment(stereo, 100, 1000));
    EXPECT_EQ(engine_->channelLabels(), (QStringList{"L", "R"}));
    EXPECT_DOUBLE_EQ(engine_->duration(), 200.0 / kRate);
    ASSERT_FALSE(engine_->loadFileSegment(stereo, 300, 10));
    EXPECT_EQ(engine_->inputCount(), 0);
}

TEST_F(EngineTest, FailuresAreClearAndLeaveNothingBehind)
{
    const auto channels = codedGroup({"L", "R"}, {1000, 1000});

    auto missing = channels;
    missing[1].path = dir_.filePath("Gone.R.wav");
    AudioStatus error = engine_->load(missing);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->description.contains("Gone.R.wav"));
    EXPECT_EQ(std::make_pair(engine_->inputCount(), output_->isRunning()), std::make_pair(0, false));

    const QString otherRate = dir_.filePath("Take.C.wav");
    writeAudioFile(otherRate, {std::vector<float>(100, 0.0f)}, 44100);
    error = engine_->load({channels[0], {"C", otherRate}});
    ASSERT_TRUE(error);
    EXPECT_EQ(error->description, "The channel files have different sample rates (48000 Hz and 44100 Hz)");

    error = engine_->load(channels, GainMatrix(2, 0));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->description, "Invalid audio format (sr=48000, out=0)");
    EXPECT_EQ(error->domain, "MultiMonoEngine");

    output_->failNextStart("The device is busy");
    error = engine_->load(channels);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->description, "The device is busy");
    EXPECT_TRUE(devices_.log.entries().last().endsWith("  ✗ MultiMonoEngine.engine.start() FAILED: The device is busy"));
    EXPECT_EQ(engine_->inputCount(), 0);

    // The engine is usable again afterwards.
    ASSERT_FALSE(engine_->load(channels));
    engine_->togglePlayPause();
    EXPECT_TRUE(engine_->isPlaying());
}
