// The first mini waveforms of the large session (100,000 clips): the window
// opens with its audio-file and clip lists shown, the files of the first
// rows on disk, and the time until the first row's waveform is drawn is
// measured, with the longest frame while the rows in view get theirs.
// Prints one line per measurement; offscreen without a display.
#include "bench_sessions.h"
#include "file_list_section.h"
#include "file_row_list_model.h"
#include "overview_roles.h"
#include "ptx_detail_view.h"
#include "ptx_preview_content.h"
#include "session_window.h"
#include "row_list_view.h"
#include "waveform_loader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <vector>

using namespace kestrix;

namespace {

constexpr int kFilesOnDisk = 200;
constexpr int kRate = 48000;
constexpr int kSeconds = 2;

// A mono 16-bit WAV of a tone, written by hand.
void writeTone(const QString &path, double frequency)
{
    const uint32_t frames = kRate * kSeconds;
    QByteArray data(44 + int(frames) * 2, '\0');
    char *p = data.data();
    auto put32 = [&](int at, uint32_t v) { qToLittleEndian(v, p + at); };
    auto put16 = [&](int at, uint16_t v) { qToLittleEndian(v, p + at); };
    memcpy(p, "RIFF", 4);
    put32(4, 36 + frames * 2);
    memcpy(p + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, kRate);
    put32(28, kRate * 2);
    put16(32, 2);
    put16(34, 16);
    memcpy(p + 36, "data", 4);
    put32(40, frames * 2);
    for (uint32_t f = 0; f < frames; ++f)
        put16(44 + int(f) * 2, uint16_t(int16_t(std::lround(20000 * std::sin(2 * std::numbers::pi * frequency * f / kRate)))));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
}

void report(const char *what, double milliseconds, double limit)
{
    std::printf("%-52s %9.1f ms   (limit %.0f ms)%s\n", what, milliseconds, limit,
                milliseconds <= limit ? "" : "   OVER");
}

bool hasWaveform(const FileListSection &section, int row)
{
    const QString region = section.model()->index(row).data(OverviewRole::waveformRegion).toString();
    const std::vector<float> *waveform = WaveformLoader::shared().waveform(region);
    return waveform && !waveform->empty();
}

// The rows of the list that are on screen.
std::pair<int, int> rowsInView(const FileListSection &section)
{
    const QRect visible = section.list()->visibleRegion().boundingRect();
    if (visible.isEmpty())
        return {0, -1};
    const int last = section.list()->rowAt(visible.bottom());
    return {std::max(0, section.list()->rowAt(visible.top())), last < 0 ? section.model()->rowCount() - 1 : last};
}

} // namespace

int main(int argc, char **argv)
{
    const auto preferences = bench::prepareWindowBenchmark();
    QApplication application(argc, argv);

    // The session beside its "Audio Files" folder, which holds the first files.
    const QTemporaryDir folder;
    const QString path = folder.filePath("Large.ptx");
    QFile::copy(QString::fromStdString(bench::largeSessionPath()), path);
    QDir(folder.path()).mkdir("Audio Files");
    for (int f = 0; f < kFilesOnDisk; ++f)
        writeTone(folder.filePath(QString::asprintf("Audio Files/Take %05d.wav", f)), 110.0 + f);

    QElapsedTimer timer;
    timer.start();
    QMainWindow window;
    PTXDetailView *view = bench::openSessionWindow(window, path);
    if (!view->sessionInfo()) {
        std::fprintf(stderr, "%s\n", qPrintable(view->errorText()));
        return 1;
    }
    PTXPreviewContent &content = *view->content();
    for (OverviewSection section : kAllOverviewSections)
        content.setSectionExpanded(section, section == OverviewSection::audioFiles);
    QApplication::processEvents();
    window.repaint();
    const double opened = double(timer.nsecsElapsed()) / 1e6;
    std::printf("  window open and drawn after %.1f ms\n", opened);

    // Frames as the event loop makes them, until every row in view is drawn with its waveform.
    FileListSection &files = *content.audioFilesSection();
    timer.restart();
    double firstDrawn = -1, slowestFrame = 0;
    QElapsedTimer frame;
    for (;;) {
        frame.restart();
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 2);
        QApplication::sendPostedEvents();
        window.repaint();
        slowestFrame = std::max(slowestFrame, double(frame.nsecsElapsed()) / 1e6);
        if (firstDrawn < 0 && hasWaveform(files, 0))
            firstDrawn = double(timer.nsecsElapsed()) / 1e6;
        const auto [first, last] = rowsInView(files);
        int drawn = 0;
        for (int row = first; row <= last; ++row)
            drawn += hasWaveform(files, row) ? 1 : 0;
        if ((drawn == last - first + 1 && last >= first) || timer.elapsed() > 10000) {
            std::printf("  %d of %d rows in view (\"%s\" …) with their waveform\n", drawn, last - first + 1,
                        qPrintable(files.model()->index(first).data().toString()));
            break;
        }
    }
    report("first waveform drawn after the window", firstDrawn, 100);
    std::printf("%-52s %9.1f ms\n", "every row in view with its waveform", double(timer.nsecsElapsed()) / 1e6);
    report("longest frame while the waveforms load", slowestFrame, 16);
    return 0;
}
