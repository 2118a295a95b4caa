// Playback on PulseAudio null sinks, each sink's monitor recorded: a six-file
// group through the engine, every tone measured on every output against the
// gains the routing chose; a clip row's play control putting exactly the
// clip's frames on the sink; and a sink that comes and goes while playing.
#include "audio_device_manager.h"
#include "audio_output.h"
#include "audio_playback_log.h"
#include "inline_audio_player.h"
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

constexpr int kFrames = 48000;
constexpr uint64_t kOffset = 20000;
constexpr uint64_t kLength = 24000;
// The server starts a new stream up to one buffer late on the monitor.
constexpr int64_t kOneBuffer = 6000;
constexpr int64_t kCodes = 32767;

// Frame f holds ((f mod 32767) + 1) / 2^15: exact in 16 bits, so a
// recorded sample tells which frame of the file it was, modulo 32767.
float code(size_t frame)
{
    return float(int64_t(frame) % kCodes + 1) / 32768.0f;
}

int64_t frameOf(float sample)
{
    return int64_t(std::lround(std::fabs(sample) * 32768.0f)) - 1;
}

// How many frames lie from code `from` to code `to`.
int64_t framesBetween(int64_t from, int64_t to)
{
    return ((to - from) % kCodes + kCodes) % kCodes;
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
        player_ = std::make_unique<InlineAudioPlayer>(PlaybackBackend{devices_.get(), &log_, &createDeviceOutput});
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

    // Plays the item to its end while recording the sink.
    std::vector<float> playAndRecord(const PlayableItem &item, const Sink &sink)
    {
        SinkRecording recording(sink, dir_.filePath(sink.name + ".rec.wav"));
        player_->toggle("clip:1", item);
        EXPECT_TRUE(player_->isPlaying()) << player_->lastError().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !player_->isPlaying(); }, 10000)) << "playback did not end";
        QTest::qWait(400);  // the server plays out its buffer
        player_->stop();
        return recording.stop();
    }

    // The recorded channel holds, sign aside, frames kOffset … kOffset +
    // kLength - 1 of the file in order, and silence around them.
    static void expectClip(const std::vector<float> &recorded, int channels, int channel, float sign)
    {
        const size_t frames = recorded.size() / size_t(channels);
        std::vector<float> heard;
        for (size_t f = 0; f < frames; ++f) {
            const float sample = recorded[f * size_t(channels) + size_t(channel)];
            if (sample != 0.0f)
                heard.push_back(sample);
        }
        ASSERT_FALSE(heard.empty()) << "channel " << channel << " is silent";
        const int64_t late = framesBetween(int64_t(kOffset) % kCodes, frameOf(heard.front()));
        EXPECT_LE(late, kOneBuffer) << "channel " << channel << " starts at the wrong frame";
        EXPECT_EQ(frameOf(heard.back()), int64_t(kOffset + kLength - 1) % kCodes) << "channel " << channel;
        EXPECT_EQ(int64_t(heard.size()), int64_t(kLength) - late) << "channel " << channel;
        EXPECT_GT(heard.front() * sign, 0.0f) << "channel " << channel << " has the other file";
        for (size_t i = 1; i < heard.size(); ++i) {
            if (framesBetween(frameOf(heard[i - 1]), frameOf(heard[i])) != 1) {
                ADD_FAILURE() << "channel " << channel << " skips from frame " << frameOf(heard[i - 1]) << " to "
                              << frameOf(heard[i]);
                return;
            }
        }
    }

    QTemporaryDir dir_;
    AudioPlaybackLog log_;
    std::unique_ptr<AudioDeviceManager> devices_;
    std::unique_ptr<InlineAudioPlayer> player_;
    QList<MultiMonoEngine::Channel> group_;
};

} // namespace

TEST_F(PulsePlayback, GroupReachesEverySinkChannelAtTheRoutedGain)
{
    EXPECT_EQ(devices_->defaultDevice()->uid, kStereoSink.name);
    for (const Sink &sink : {kSurroundSink, kStereoSink}) {
        SCOPED_TRACE(sink.name.toStdString());
        playAndMeasure(sink);
    }
}

TEST_F(PulsePlayback, ClipOfASingleFilePlaysItsRegionOnTheDefaultSink)
{
    const QString path = dir_.filePath("Stereo.wav");
    writeAudioFile(path, {generate(kFrames, code), generate(kFrames, [](size_t f) { return -code(f); })}, kRate);
    const std::vector<float> recorded = playAndRecord(PlayableItem{path, {}, kOffset, kLength}, kStereoSink);
    expectClip(recorded, 2, 0, 1);
    expectClip(recorded, 2, 1, -1);
}

TEST_F(PulsePlayback, SinkThatAppearsIsListedAndOneRemovedWhilePlayingEndsPlayback)
{
    const QString module =
        pactl({"load-module", "module-null-sink", "sink_name=kestrix_doomed", "channels=8", "rate=48000",
               "channel_map=front-left,front-right,front-center,lfe,rear-left,rear-right,side-left,side-right"});
    ASSERT_FALSE(module.isEmpty());
    // Listed without asking, with the labels of its channel map.
    ASSERT_TRUE(QTest::qWaitFor([&] { return device("kestrix_doomed").has_value(); }, 5000));
    EXPECT_EQ(device("kestrix_doomed")->channelLabels, (QStringList{"L", "R", "C", "LFE", "Ls", "Rs", "Lss", "Rss"}));
    const QString left = dir_.filePath("Long.L.wav");
    const QString right = dir_.filePath("Long.R.wav");
    for (const QString &path : {left, right})
        writeAudioFile(path, {sine(size_t(kRate) * 20, 440, kRate, 0.1f)}, kRate);
    devices_->selectDevice(device("kestrix_doomed"));

    QStringList messages;
    QObject::connect(player_.get(), &InlineAudioPlayer::failed, [&](const QString &m) { messages << m; });
    player_->toggle("group:Long", PlayableItem{{}, {{"L", left}, {"R", right}}, {}, {}});
    ASSERT_TRUE(player_->isPlaying()) << player_->lastError().toStdString();
    QTest::qWait(300);
    pactl({"unload-module", module});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !messages.isEmpty(); }, 5000)) << "playback did not notice";
    EXPECT_EQ(std::make_tuple(messages.value(0), player_->isPlaying(), player_->currentId()),
              std::make_tuple(QString(kDeviceLostMessage), false, QString()));
    EXPECT_FALSE(log_.entries().filter(kDeviceLostMessage).isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !devices_->selectedDevice(); }, 5000))
        << "the pick falls back to the system default";
}
