// The inline player on PulseAudio null sinks: a clip row's play control
// puts exactly the clip's frames on the sink, and a sink that goes away
// while playing ends playback with a message.
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

class InlinePlayback : public testing::Test {
protected:
    void SetUp() override
    {
        if (const QString problem = pulseServerProblem(); !problem.isEmpty())
            GTEST_SKIP() << "No audio server could be started: " << problem.toStdString();
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
};

} // namespace

TEST_F(InlinePlayback, ClipOfASingleFilePlaysItsRegionOnTheDefaultSink)
{
    const QString path = dir_.filePath("Stereo.wav");
    writeAudioFile(path, {generate(kFrames, code), generate(kFrames, [](size_t f) { return -code(f); })}, kRate);
    const std::vector<float> recorded = playAndRecord(PlayableItem{path, {}, kOffset, kLength}, kStereoSink);
    expectClip(recorded, 2, 0, 1);
    expectClip(recorded, 2, 1, -1);
}

TEST_F(InlinePlayback, ClipOfAMultiMonoGroupPlaysRoutedByLabel)
{
    QList<PlayableItem::Channel> channels;
    for (const auto &[label, sign] : {std::pair{"L", 1.0f}, std::pair{"R", -1.0f}, std::pair{"C", 1.0f}}) {
        const QString path = dir_.filePath(QStringLiteral("Group.%1.wav").arg(label));
        writeAudioFile(path, {generate(kFrames, [sign](size_t f) { return sign * code(f); })}, kRate);
        channels.append({label, path});
    }
    devices_->selectDevice(device(kSurroundSink.name));
    const std::vector<float> recorded = playAndRecord(PlayableItem{{}, channels, kOffset, kLength}, kSurroundSink);
    expectClip(recorded, 6, 0, 1);
    expectClip(recorded, 6, 1, -1);
    expectClip(recorded, 6, 2, 1);
    const size_t frames = recorded.size() / 6;
    for (size_t f = 0; f < frames; ++f) {
        for (int c = 3; c < 6; ++c)
            ASSERT_EQ(recorded[f * 6 + size_t(c)], 0.0f) << "output " << c << " should be silent";
    }
}

TEST_F(InlinePlayback, SinkRemovedWhilePlayingEndsPlaybackWithTheMessage)
{
    const QString module = pactl({"load-module", "module-null-sink", "sink_name=kestrix_doomed", "channels=2",
                                  "rate=48000", "channel_map=front-left,front-right"});
    ASSERT_FALSE(module.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return device("kestrix_doomed").has_value(); }, 5000));
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
