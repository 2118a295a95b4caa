// The mini waveform's bars and the row cell's clicks and pictures.
#include "audio_device_manager.h"
#include "audio_playback_log.h"
#include "fake_device_source.h"
#include "mini_waveform.h"
#include "offline_audio_output.h"
#include "test_audio_files.h"
#include "waveform_cell.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kestrix;

TEST(MiniWaveform, BarsAndTheirColoursWithThePlayhead)
{
    EXPECT_TRUE(miniWaveformBars({}, QRectF(10, 10, 120, 14)).empty());
    const std::vector<QRectF> bars = miniWaveformBars({1.0f, 0.5f, 0.0f, 3.0f}, QRectF(40, 0, 2, 14));
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_EQ(bars[0], QRectF(0, 0, 0.3, 14)) << "from x 0, full height, at least 0.3 wide";
    EXPECT_EQ(bars[1], QRectF(0.5, 3.5, 0.3, 7));
    EXPECT_EQ(bars[2].height(), 0) << "silence draws bars of no height";
    EXPECT_EQ(bars[3], QRectF(1.5, 0, 0.3, 14)) << "a peak past full scale stays inside";
    const std::vector<QRectF> wide = miniWaveformBars(std::vector<float>(120, 0.25f), QRectF(0, 0, 120, 14));
    EXPECT_DOUBLE_EQ(wide[119].x(), 119);
    EXPECT_DOUBLE_EQ(wide[119].width(), 0.7);

    QImage image(120, 14, QImage::Format_ARGB32);
    const auto draw = [&](bool selected) {
        image.fill(Qt::black);
        QPainter painter(&image);
        paintMiniWaveform(painter, QRectF(0, 0, 120, 14), std::vector<float>(120, 1.0f), 0.5, {selected, false});
    };
    draw(false);
    const QColor playhead = image.pixelColor(60, 7);
    EXPECT_GT(playhead.red(), 200);
    EXPECT_LT(playhead.green(), 100) << "red playhead on an unselected row";
    EXPECT_GT(image.pixelColor(20, 7).blue(), image.pixelColor(20, 7).red()) << "blue bars";
    draw(true);
    EXPECT_GT(image.pixelColor(60, 7).green(), 200) << "white playhead on a selected row";
    EXPECT_GT(image.pixelColor(20, 7).red(), 120) << "white bars";
}

TEST(WaveformCell, ButtonTogglesWaveformSeeksAndOtherRowsShowTheirCache)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Row.wav");
    audiotest::writeAudioFile(path, {audiotest::generate(48000, [](size_t f) { return f < 24000 ? 0.5f : 1.0f; })},
                              48000);
    AudioPlaybackLog log;
    auto source = std::make_unique<audiotest::FakeDeviceSource>();
    source->devices = {audiotest::makeDevice("stereo", {"L", "R"})};
    source->defaultDevice = source->devices.first();
    AudioDeviceManager devices(std::move(source), log);
    InlineAudioPlayer player({&devices, &log, [] { return std::make_unique<OfflineAudioOutput>(); }});

    const QRect cell = waveformCellRect(QRect(0, 0, 600, 24));
    const QRect waveform = miniWaveformRect(cell);
    EXPECT_GE(waveform.width(), 120) << "room for 120 bars";

    RowFacts facts;
    facts.file.resolvedPath = path;
    const PlayableItem item = playableItem(facts, std::pair<uint64_t, uint64_t>{0, 0});
    // A click on the waveform of a row that does not play is the row's.
    EXPECT_FALSE(clickWaveformCell(cell, waveform.center(), "file:a", item, player));
    EXPECT_TRUE(clickWaveformCell(cell, playButtonRect(cell).center(), "file:a", item, player));
    EXPECT_TRUE(player.isPlaying());
    EXPECT_DOUBLE_EQ(player.duration(), 1.0) << "a length of 0 plays the whole file";
    EXPECT_TRUE(clickWaveformCell(cell, QPoint(waveform.left() + waveform.width() * 3 / 4, waveform.center().y()),
                                  "file:a", item, player));
    EXPECT_NEAR(player.progress(), 0.75, 0.02);

    // Another row takes over; the first keeps its picture from the cache.
    EXPECT_TRUE(clickWaveformCell(cell, playButtonRect(cell).center(), "file:b", item, player));
    ASSERT_TRUE(player.cachedWaveform("file:a"));
    QImage image(600, 24, QImage::Format_ARGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        paintWaveformCell(painter, cell, "file:a", false, false, player);
    }
    // The second half of the file is twice as loud: taller bars there.
    const auto barHeight = [&](int x) {
        int lit = 0;
        for (int y = 0; y < 24; ++y)
            lit += image.pixelColor(x, y).blue() > 60 ? 1 : 0;
        return lit;
    };
    EXPECT_GT(barHeight(waveform.left() + waveform.width() * 3 / 4), barHeight(waveform.left() + waveform.width() / 4));

    // A multi-mono row plays its channels by label.
    RowFacts mix;
    mix.channelSuffixes = {"L", "R"};
    mix.channels.resize(2);
    mix.channels[0].resolvedPath = "/a/Mix.L.wav";
    mix.channels[1].resolvedPath = "/a/Mix.R.wav";
    mix.file = mix.channels[0];
    const PlayableItem channels = playableItem(mix, std::pair<uint64_t, uint64_t>{100, 200});
    ASSERT_EQ(channels.multiMonoChannels.size(), 2);
    EXPECT_EQ(channels.multiMonoChannels[1].label + " " + channels.multiMonoChannels[1].path, "R /a/Mix.R.wav");
    EXPECT_EQ(channels.sampleOffset, 100u);
    EXPECT_FALSE(playableItem(mix, std::nullopt).sampleLength);
}

