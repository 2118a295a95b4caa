// Playback on PulseAudio null sinks, each sink's monitor recorded: a clip
// row's play control puts exactly the clip's frames of every file on the
// sink's channel its label routes to, and a sink that comes and goes while
// playing is listed and then ends playback with a message.
#include "audio_device_manager.h"
#include "audio_output.h"
#include "audio_playback_log.h"
#include "inline_audio_player.h"
#include "pulse_test_support.h"
#include "test_audio_files.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

using namespace kestrix;
using namespace audiotest;

namespace {

constexpr int kRate = 48000;
constexpr int kFrames = 48000;
constexpr uint64_t kOffset = 20000;
constexpr uint64_t kLength = 24000;
// The server starts a new stream up to one buffer late on the monitor.
constexpr int64_t kOneBuffer = 6000;
constexpr int64_t kCodes = 10922;

// Channel c holds frame f as ±((f mod kCodes) + 1 + (c / 2) * kCodes) / 2^15,
// negative for odd c: exact in 16 bits, so a recorded sample tells which
// channel it came from and which frame of it, modulo kCodes.
float code(int channel, size_t frame)
{
    const float magnitude = float(int64_t(frame) % kCodes + 1 + channel / 2 * kCodes) / 32768.0f;
    return channel % 2 ? -magnitude : magnitude;
}

int64_t levelOf(float sample)
{
    return int64_t(std::lround(std::fabs(sample) * 32768.0f)) - 1;
}

int64_t frameOf(float sample)
{
    return levelOf(sample) % kCodes;
}

int channelOf(float sample)
{
    return int(levelOf(sample) / kCodes) * 2 + (sample < 0 ? 1 : 0);
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
        devices_ = std::make_unique<AudioDeviceManager>(createPlatformDeviceSource(), log_);
        player_ = std::make_unique<InlineAudioPlayer>(PlaybackBackend{devices_.get(), &log_, &createDeviceOutput});
    }

    std::optional<AudioOutputDevice> device(const QString &uid) const { return deviceWithUid(*devices_, uid); }

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

    // The recorded channel holds frames kOffset … kOffset + kLength - 1 of
    // file channel `source` in order, and silence around them.
    static void expectClip(const std::vector<float> &recorded, int channels, int channel, int source)
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
        EXPECT_EQ(channelOf(heard.front()), source) << "channel " << channel << " has another file";
        for (size_t i = 1; i < heard.size(); ++i) {
            if (framesBetween(frameOf(heard[i - 1]), frameOf(heard[i])) != 1 || channelOf(heard[i]) != source) {
                ADD_FAILURE() << "channel " << channel << " goes from frame " << frameOf(heard[i - 1])
                              << " of file channel " << channelOf(heard[i - 1]) << " to frame " << frameOf(heard[i])
                              << " of " << channelOf(heard[i]);
                return;
            }
        }
    }

    QTemporaryDir dir_;
    AudioPlaybackLog log_;
    std::unique_ptr<AudioDeviceManager> devices_;
    std::unique_ptr<InlineAudioPlayer> player_;
};

} // namespace

TEST_F(PulsePlayback, ClipOfASingleFilePlaysItsRegionOnTheDefaultSink)
{
    EXPECT_EQ(devices_->defaultDevice()->uid, kStereoSink.name);
    const QString path = dir_.filePath("Stereo.wav");
    writeAudioFile(path, {generate(kFrames, [](size_t f) { return code(0, f); }),
                          generate(kFrames, [](size_t f) { return code(1, f); })},
                   kRate);
    const std::vector<float> recorded = playAndRecord(PlayableItem{path, {}, kOffset, kLength}, kStereoSink);
    expectClip(recorded, 2, 0, 0);
    expectClip(recorded, 2, 1, 1);
}

TEST_F(PulsePlayback, ClipOfASixFileGroupPlaysEveryChannelStraightOntoTheSurroundSink)
{
    QList<PlayableItem::Channel> channels;
    const QStringList labels = {"L", "R", "C", "LFE", "Ls", "Rs"};
    for (int c = 0; c < 6; ++c) {
        channels.append({labels[c], dir_.filePath(QStringLiteral("Group.%1.wav").arg(labels[c]))});
        writeAudioFile(channels.last().path, {generate(kFrames, [c](size_t f) { return code(c, f); })}, kRate);
    }
    devices_->selectDevice(device(kSurroundSink.name));
    const std::vector<float> recorded = playAndRecord(PlayableItem{{}, channels, kOffset, kLength}, kSurroundSink);
    for (int c = 0; c < 6; ++c)
        expectClip(recorded, 6, c, c);
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
