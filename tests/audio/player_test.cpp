// The players, rendered offline: loading, the cells' play, pause and
// switch rules, the cache, regions, temporary files and lost devices.
#include "audio_player_model.h"
#include "audio_read.h"
#include "fake_device_source.h"
#include "inline_audio_player.h"
#include "offline_audio_output.h"
#include "position_text.h"
#include "test_audio_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace kestrix;
using namespace audiotest;

namespace {

constexpr int kRate = 48000;

class PlayerTest : public testing::Test {
protected:
    PlayerTest()
    {
        backend_ = {devices_.manager.get(), &devices_.log, [this] {
                        auto output = std::make_unique<OfflineAudioOutput>();
                        outputs_.push_back(output.get());
                        return output;
                    }};
        tempFilesBefore_ = tempWavs();
    }

    QString codedFile(const QString &name, size_t frames, int channels = 1, int rate = kRate)
    {
        const QString path = dir_.filePath(name);
        writeAudioFile(path, codedChannels(channels, frames), rate);
        return path;
    }

    // A mono file holding the samples coded for `channel`, so that files told
    // apart by their labels are told apart by what they hold too.
    QString codedMonoFile(const QString &name, size_t frames, int channel)
    {
        const QString path = dir_.filePath(name);
        writeAudioFile(path, {codedChannels(channel + 1, frames).back()}, kRate);
        return path;
    }

    static QStringList tempWavs()
    {
        return QDir(QDir::tempPath()).entryList({QStringLiteral("*-*-*-*-*.wav")}, QDir::Files);
    }

    // The temporary clip files made since the test began.
    QStringList newTempWavs() const
    {
        QStringList now = tempWavs();
        now.removeIf([this](const QString &name) { return tempFilesBefore_.contains(name); });
        return now;
    }

    OfflineAudioOutput *lastOutput() const { return outputs_.empty() ? nullptr : outputs_.back(); }

    QTemporaryDir dir_;
    FakeDevices devices_;
    std::vector<OfflineAudioOutput *> outputs_;
    PlaybackBackend backend_;
    QStringList tempFilesBefore_;
};

} // namespace

TEST(PositionTextTest, ShowsMinutesSecondsAndTruncatedHundredths)
{
    const std::pair<double, QString> cases[] = {{0, "0:00.00"},     {59.999, "0:59.99"}, {83.456, "1:23.45"},
                                                {0.29, "0:00.29"},  {3600, "60:00.00"},  {-1, "0:00.00"},
                                                {std::numeric_limits<double>::quiet_NaN(), "0:00.00"}};
    for (const auto &[seconds, text] : cases)
        EXPECT_EQ(positionText(seconds), text) << seconds;
}

TEST_F(PlayerTest, WindowReportsNoAudioAndEmptyClipsAndLeavesNoTemporaryFile)
{
    AudioPlayerModel model(backend_);
    model.load({dir_.filePath("notes.txt"), dir_.filePath("readme.TXT")});
    EXPECT_EQ(model.error(), "No audio files provided");
    EXPECT_FALSE(model.fileInfo());

    const QString file = codedFile("Take.wav", 1000);
    model.loadClip({file}, 1000, 10);
    EXPECT_EQ(model.error(), "Clip range is empty");
    EXPECT_FALSE(model.fileInfo());

    model.loadClip({file}, 900, 500);  // cut at the end: 100 frames
    ASSERT_TRUE(model.error().isEmpty()) << model.error().toStdString();
    EXPECT_DOUBLE_EQ(model.duration(), 100.0 / kRate);
    ASSERT_EQ(model.channelSamples().size(), 1u);
    EXPECT_EQ(model.channelSamples()[0].size(), 100u);
    EXPECT_EQ(model.channelLabels(), QStringList{"Mono"});
    const QString temp = model.tempFilePath();
    ASSERT_TRUE(QFile::exists(temp));
    auto written = readWholeFile(temp);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.value().buffer.frameLength(), 100u);
    EXPECT_FLOAT_EQ(written.value().buffer.channel(0)[0], codedSample(0, 900)) << "16 bits hold the region's frames";

    model.load({file});  // replacing the clip deletes its file
    EXPECT_FALSE(QFile::exists(temp));
    model.loadClip({file}, 0, 10);
    const QString second = model.tempFilePath();
    ASSERT_TRUE(QFile::exists(second));
    model.loadClip({dir_.filePath("missing.wav")}, 0, 10);  // a failure deletes it too
    EXPECT_FALSE(model.error().isEmpty());
    EXPECT_FALSE(QFile::exists(second));
    model.loadClip({file}, 0, 10);
    model.stop();
    EXPECT_TRUE(newTempWavs().isEmpty()) << newTempWavs().join(", ").toStdString();

    EXPECT_EQ(devices_.log.entries().filter("✗ AudioPlayerModel.load — no audio files in selection").size(), 1);
}

TEST_F(PlayerTest, WindowShowsEveryFileOfAMultiFileClipPlaysTheFirstAndRestartsAGroupAfterItsEnd)
{
    const QString left = codedFile("Mix.L.wav", 1500);
    const QString right = codedFile("Mix.R.wav", 3000);  // never more frames than the first file
    const QString centre = codedFile("Mix.C.wav", 1200);   // cut at its own end
    const QString surround = codedFile("Mix.Ls.wav", 500);  // nothing at offset 1000: skipped
    AudioPlayerModel model(backend_);
    model.loadClip({left, right, centre, surround}, 1000, 800);
    ASSERT_TRUE(model.error().isEmpty()) << model.error().toStdString();
    EXPECT_EQ(model.channelLabels(), (QStringList{"L", "R", "C"}));
    ASSERT_EQ(model.channelSamples().size(), 3u);
    EXPECT_EQ(std::make_tuple(model.channelSamples()[0].size(), model.channelSamples()[1].size(),
                              model.channelSamples()[2].size()),
              std::make_tuple(500u, 500u, 200u));

    model.togglePlayPause();
    EXPECT_TRUE(model.isPlaying());
    ASSERT_TRUE(lastOutput());
    EXPECT_EQ(lastOutput()->request().channels, 1);
    EXPECT_FALSE(lastOutput()->request().device) << "single files play on the system default";
    lastOutput()->render(250);
    model.tick();
    EXPECT_NEAR(model.progress(), 0.5, 0.01);
    model.togglePlayPause();
    EXPECT_FALSE(model.isPlaying());

    // One file of a group: the folder holds the rest.
    const QString songLeft = codedFile("Song.L.wav", 480);
    codedFile("Song.R.wav", 480);
    model.load({songLeft});
    ASSERT_TRUE(model.fileInfo() && model.fileInfo()->multiMono);
    EXPECT_EQ(model.channelLabels(), (QStringList{"L", "R"}));
    model.togglePlayPause();
    lastOutput()->render(600);
    QTest::qWait(30);
    model.tick();
    EXPECT_FALSE(model.isPlaying());
    model.togglePlayPause();
    EXPECT_TRUE(model.isPlaying()) << "a group played to its end starts again";
    const std::vector<float> out = lastOutput()->render(10);
    EXPECT_FLOAT_EQ(out.at(0), codedSample(0, 0)) << "from the first frame again";
}

TEST_F(PlayerTest, CellsSwitchPauseKeepTheirWaveformsAndStayIdleOnAClipThatCannotPlay)
{
    const QString first = codedFile("One.wav", 9600);
    const QString second = codedFile("Two.wav", 4800, 2);
    InlineAudioPlayer player(backend_);

    // A length of 0 plays the whole file.
    player.toggle("clip:1", PlayableItem{first, {}, 100, 0});
    EXPECT_EQ(std::make_tuple(player.currentId(), player.isPlaying(), player.waveform().size()),
              std::make_tuple(QString("clip:1"), true, size_t(120)));
    EXPECT_DOUBLE_EQ(player.duration(), 9600.0 / kRate);
    lastOutput()->render(4800);
    player.tick();
    EXPECT_NEAR(player.progress(), 0.5, 0.01);

    // The playing cell pauses with its progress kept, and resumes.
    player.toggle("clip:1", PlayableItem{first, {}, 100, 0});
    EXPECT_FALSE(player.isPlaying());
    EXPECT_NEAR(player.progress(), 0.5, 0.01);
    player.toggle("clip:1", PlayableItem{first, {}, 100, 0});
    EXPECT_TRUE(player.isPlaying());

    // A second cell stops the first and clears its progress.
    player.toggle("file:2", PlayableItem{second, {}, {}, {}});
    EXPECT_EQ(std::make_tuple(player.currentId(), player.isPlaying(), player.progress(), lastOutput()->request().channels),
              std::make_tuple(QString("file:2"), true, 0.0, 2));
    ASSERT_TRUE(player.cachedWaveform("clip:1"));
    EXPECT_EQ(player.cachedWaveform("clip:1")->size(), 120u);
    EXPECT_FALSE(player.cachedWaveform("clip:3"));

    // A clip plays its region from a temporary file.
    player.toggle("clip:3", PlayableItem{first, {}, 4800, 2400});
    EXPECT_DOUBLE_EQ(player.duration(), 2400.0 / kRate);
    const QString temp = player.tempFilePath();
    EXPECT_TRUE(QFile::exists(temp));
    const std::vector<float> out = lastOutput()->render(1);
    EXPECT_FLOAT_EQ(out.at(0), codedSample(0, 4800));
    player.stopIfCurrent({"file:"});
    EXPECT_EQ(player.currentId(), "clip:3");
    player.stopIfCurrent({"clip:"});
    EXPECT_TRUE(player.currentId().isEmpty());
    EXPECT_FALSE(QFile::exists(temp));

    // A clip beyond the file, or of a file that is gone, leaves the cell idle.
    player.toggle("clip:9", PlayableItem{first, {}, 50000, 100});
    EXPECT_EQ(std::make_tuple(player.currentId(), player.isPlaying(), player.lastError()),
              std::make_tuple(QString(), false, QString("Clip range is empty")));
    EXPECT_EQ(devices_.log.entries().filter("✗ InlineAudioPlayer.loadClip — empty range (sampleOffset≥fileLength?)").size(), 1);
    EXPECT_TRUE(newTempWavs().isEmpty());
    player.toggle("clip:8", PlayableItem{dir_.filePath("gone.wav"), {}, 0, 100});
    EXPECT_TRUE(player.currentId().isEmpty());
    EXPECT_EQ(devices_.log.entries().filter("✗ InlineAudioPlayer.loadClip ERROR: ").size(), 1);
}

TEST_F(PlayerTest, MultiMonoRowThatPlayedToItsEndKeepsItsWaveformAndNoProgress)
{
    // C, at another rate, holds nothing in the region: it does not block it.
    const QList<PlayableItem::Channel> channels = {
        {"L", codedFile("G.L.wav", 960)}, {"R", codedMonoFile("G.R.wav", 960, 1)}, {"C", codedFile("G.C.wav", 100, 1, 44100)}};
    InlineAudioPlayer player(backend_);
    player.toggle("group:G", PlayableItem{{}, channels, 480, 240});
    ASSERT_TRUE(player.isPlaying());
    EXPECT_DOUBLE_EQ(player.duration(), 240.0 / kRate);
    ASSERT_EQ(lastOutput()->request().channels, 2);
    const std::vector<float> out = lastOutput()->render(300);
    // Routed by label: L on the left, R on the right, from frame 480.
    EXPECT_FLOAT_EQ(out[0], codedSample(0, 480));
    EXPECT_FLOAT_EQ(out[1], codedSample(1, 480));
    QTest::qWait(30);
    player.tick();
    EXPECT_EQ(std::make_pair(player.currentId(), player.progress()), std::make_pair(QString(), 0.0));
    ASSERT_TRUE(player.cachedWaveform("group:G"));
    EXPECT_EQ(player.cachedWaveform("group:G")->size(), 120u);

    player.toggle("group:G0", PlayableItem{{}, channels, 0, 240});
    EXPECT_FALSE(player.isPlaying());
    EXPECT_TRUE(player.lastError().contains("different sample rates"));
}

TEST_F(PlayerTest, LostDeviceOrFailedRestartEndsPlaybackWithAMessage)
{
    const QString file = codedFile("Lost.wav", 48000);
    InlineAudioPlayer player(backend_);
    QStringList messages;
    QObject::connect(&player, &InlineAudioPlayer::failed, [&](const QString &m) { messages << m; });
    player.toggle("file:1", PlayableItem{file, {}, {}, {}});
    ASSERT_TRUE(player.isPlaying());
    lastOutput()->loseDevice("the device was removed");
    EXPECT_EQ(std::make_pair(player.isPlaying(), player.currentId()), std::make_pair(false, QString()));
    EXPECT_EQ(messages, QStringList{kDeviceLostMessage});
    EXPECT_EQ(devices_.log.entries().filter(kDeviceLostMessage).size(), 1);

    // Play, pause, then the device refuses to start again: said, not silent.
    const QList<PlayableItem::Channel> channels = {{"L", codedFile("H.L.wav", 4800)}, {"R", codedFile("H.R.wav", 4800)}};
    player.toggle("group:H", PlayableItem{{}, channels, {}, {}});
    ASSERT_TRUE(player.isPlaying());
    lastOutput()->loseDevice("gone");
    EXPECT_TRUE(player.currentId().isEmpty());
    AudioPlayerModel model(backend_);
    model.load({channels[0].path, channels[1].path});
    model.togglePlayPause();
    lastOutput()->loseDevice("gone");
    EXPECT_FALSE(model.isPlaying());
    EXPECT_EQ(model.error(), kDeviceLostMessage);
    lastOutput()->failNextStart("the device is busy");
    model.togglePlayPause();
    EXPECT_FALSE(model.isPlaying());
    EXPECT_EQ(model.error(), "Playback could not start: the device is busy");
}
