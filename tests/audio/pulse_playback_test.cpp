// A six-file group played through the engine on PulseAudio null sinks; each
// sink's monitor is recorded and every channel's tone is measured on every
// output against the gains the routing chose.
#include "audio_device_manager.h"
#include "audio_output.h"
#include "audio_playback_log.h"
#include "multi_mono_engine.h"
#include "pulse_test_support.h"
#include "test_audio_files.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace kestrix;
using namespace audiotest;

namespace {

constexpr int kRate = 48000;
constexpr float kAmplitude = 0.25f;
// Whole cycles in a 4800-frame window, so that each tone falls on one bin.
constexpr int kWindow = 4800;
const QStringList kLabels = {"L", "R", "C", "LFE", "Ls", "Rs"};
const double kFrequencies[] = {300, 500, 700, 900, 1100, 1300};

// The amplitude of a whole-cycle tone in a window of one channel.
double toneAmplitude(const std::vector<float> &frames, int channels, int channel, size_t start, double frequency)
{
    double re = 0, im = 0;
    for (int n = 0; n < kWindow; ++n) {
        const double phase = 2 * std::numbers::pi * frequency * n / kRate;
        const double sample = frames[(start + size_t(n)) * size_t(channels) + size_t(channel)];
        re += sample * std::cos(phase);
        im += sample * std::sin(phase);
    }
    return 2 * std::hypot(re, im) / kWindow;
}

class PulsePlayback : public testing::Test {
protected:
    void SetUp() override
    {
        if (const QString problem = pulseServerProblem(); !problem.isEmpty())
            GTEST_SKIP() << "No audio server could be started: " << problem.toStdString();
        ASSERT_TRUE(dir_.isValid());
        const size_t frames = size_t(kRate);
        for (int c = 0; c < 6; ++c) {
            const QString path = dir_.filePath(QStringLiteral("Tones.%1.wav").arg(kLabels[c]));
            writeAudioFile(path, {sine(frames, kFrequencies[c], kRate, kAmplitude)}, kRate, SampleFormat::Pcm24);
            group_.append({kLabels[c], path});
        }
        devices_ = std::make_unique<AudioDeviceManager>(createPlatformDeviceSource(), log_);
    }

    std::optional<AudioOutputDevice> device(const QString &uid) const { return deviceWithUid(*devices_, uid); }

    // Plays the group on the sink, records it, and checks every tone on
    // every output against the routing's gain.
    void playAndMeasure(const Sink &sink)
    {
        const auto target = device(sink.name);
        ASSERT_TRUE(target) << sink.name.toStdString();
        devices_->selectDevice(target);

        SinkRecording recording(sink, dir_.filePath(sink.name + ".rec.wav"));
        MultiMonoEngine engine(*devices_, log_, createDeviceOutput());
        const AudioStatus error = engine.load(group_);
        ASSERT_FALSE(error) << error->description.toStdString();
        ASSERT_EQ(engine.outputChannelCount(), sink.channels);
        engine.togglePlayPause();
        EXPECT_TRUE(QTest::qWaitFor([&] { return engine.hasCompletedPlayback(); }, 15000))
            << "playback did not complete";
        QTest::qWait(400);  // let the server play out its buffer
        engine.stop();
        const std::vector<float> recorded = recording.stop();
        ASSERT_FALSE(recorded.empty()) << "nothing was recorded from " << sink.name.toStdString();

        // The steady middle of the tones: where the recording is loud.
        const size_t frames = recorded.size() / size_t(sink.channels);
        size_t first = frames, last = 0;
        for (size_t f = 0; f < frames; ++f) {
            for (int c = 0; c < sink.channels; ++c) {
                if (std::fabs(recorded[f * size_t(sink.channels) + size_t(c)]) > 0.05f) {
                    first = std::min(first, f);
                    last = std::max(last, f);
                }
            }
        }
        ASSERT_LT(first, last) << "the recording of " << sink.name.toStdString() << " is silent";
        ASSERT_GT(last - first, size_t(kRate) / 2) << "less than half a second of sound reached " << sink.name.toStdString();
        const size_t start = first + kWindow;
        const int windows = int((last - first - 3 * kWindow) / kWindow);

        const GainMatrix &matrix = engine.routing()->matrix;
        for (int input = 0; input < 6; ++input) {
            for (int output = 0; output < sink.channels; ++output) {
                double amplitude = 0;
                for (int w = 0; w < windows; ++w)
                    amplitude += toneAmplitude(recorded, sink.channels, output, start + size_t(w) * kWindow,
                                               kFrequencies[input]);
                amplitude /= windows;
                const double expected = double(matrix.gain(input, output)) * kAmplitude;
                if (expected > 0) {
                    EXPECT_NEAR(20 * std::log10(amplitude / expected), 0.0, 0.5)
                        << kLabels[input].toStdString() << " on output " << output << " of " << sink.name.toStdString()
                        << ": amplitude " << amplitude << ", expected " << expected;
                } else {
                    EXPECT_LT(amplitude, kAmplitude * 0.01)
                        << kLabels[input].toStdString() << " leaks onto output " << output << " of " << sink.name.toStdString();
                }
            }
        }
    }

    QTemporaryDir dir_;
    AudioPlaybackLog log_;
    std::unique_ptr<AudioDeviceManager> devices_;
    QList<MultiMonoEngine::Channel> group_;
};

} // namespace

TEST_F(PulsePlayback, DevicesCarryTheirChannelLabels)
{
    const auto surround = device(kSurroundSink.name);
    const auto stereo = device(kStereoSink.name);
    ASSERT_TRUE(surround && stereo);
    EXPECT_EQ(std::tie(surround->channelLabels, surround->outputChannelCount, surround->sampleRate),
              std::make_tuple(QStringList{"L", "R", "C", "LFE", "Ls", "Rs"}, 6, 48000));
    EXPECT_EQ(stereo->channelLabels, (QStringList{"L", "R"}));
    EXPECT_EQ(devices_->defaultDevice()->uid, kStereoSink.name);

    // A sink that appears is listed without asking.
    const QString module = pactl({"load-module", "module-null-sink", "sink_name=kestrix_extra", "channels=8",
                                  "channel_map=front-left,front-right,front-center,lfe,rear-left,rear-right,side-left,side-right"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return device("kestrix_extra").has_value(); }, 5000));
    if (const auto extra = device("kestrix_extra")) {
        EXPECT_EQ(extra->channelLabels, (QStringList{"L", "R", "C", "LFE", "Ls", "Rs", "Lss", "Rss"}));
    }
    pactl({"unload-module", module});
}

TEST_F(PulsePlayback, SurroundSinkGetsEveryChannelDirect)
{
    playAndMeasure(kSurroundSink);
}

TEST_F(PulsePlayback, StereoSinkGetsTheFoldDown)
{
    playAndMeasure(kStereoSink);
}
