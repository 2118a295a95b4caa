// Mini waveforms of the file rows in view, read before anything plays.
#include "file_list_section.h"
#include "file_row_list_model.h"
#include "inline_audio_player.h"
#include "overview_roles.h"
#include "peaks.h"
#include "row_list_view.h"
#include "test_audio_files.h"
#include "views_test_support.h"
#include "waveform_cell.h"
#include "waveform_loader.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace kestrix;
using namespace viewstest;

TEST(RowWaveforms, RowsInViewGetTheirWaveformWithoutPlayingAndRowsBelowTheFoldWait)
{
    constexpr int kFiles = 60;
    const auto samples = audiotest::generate(480, [](size_t i) { return i < 240 ? 1.0f : 0.25f; });
    QTemporaryDir dir;
    PTXSessionInfo session;
    AudioFileStatus files;
    for (int f = 0; f < kFiles; ++f) {
        const std::string name = "Take " + std::to_string(100 + f) + ".wav";
        const QString path = dir.filePath(QString::fromStdString(name));
        audiotest::writeAudioFile(path, {samples}, 48000);
        session.audioFiles.push_back(audioFile(name, path.toStdString()));
        files.resolvedPaths[name] = path.toStdString();
    }

    QScrollArea page;
    page.resize(900, 240);
    page.setWidgetResizable(true);
    FileListSection *section = FileListSection::audioFiles();
    page.setWidget(section);
    section->setExpanded(true);
    section->setData(overviewData(session, files));
    page.show();
    FileRowListModel &model = *section->model();
    ASSERT_EQ(model.rowCount(), kFiles);
    const auto computed = [&](int row) {
        return WaveformLoader::shared().waveform(model.index(row).data(OverviewRole::waveformRegion).toString());
    };

    ASSERT_TRUE(waitUntil([&] { return computed(0) != nullptr; }));
    EXPECT_EQ(*computed(0), peaks(samples.data(), 480, InlineAudioPlayer::kWaveformBuckets));
    EXPECT_TRUE(InlineAudioPlayer::shared().currentId().isEmpty()) << "nothing played";

    // The row is repainted with its bars (blue on an unselected row).
    ASSERT_TRUE(waitUntil([&] {
        const QRect row = section->list()->rowRect(0);
        const QImage image = section->list()->grab(row).toImage();
        const QRect bars = miniWaveformRect(waveformCellRect(QRect(QPoint(0, 0), row.size())));
        const QColor bar = image.pixelColor(bars.left() + 10, bars.center().y());
        return bar.blue() > bar.red() + 40;
    }));

    // Rows far below the fold are not read while they stay there...
    QTest::qWait(100);
    EXPECT_EQ(computed(kFiles - 1), nullptr);
    // ...and are once scrolled into view.
    page.verticalScrollBar()->setValue(page.verticalScrollBar()->maximum());
    EXPECT_TRUE(waitUntil([&] { return computed(kFiles - 1) != nullptr; }));
}
