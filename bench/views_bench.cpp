// The file window on the large session (1,000 tracks, 100,000 clips), timed
// as a user meets it: opening until the window is drawn, a keystroke in the
// search field until the lists are drawn again, opening every track, and
// scrolling. Prints one line per measurement. Without a display it draws
// on Qt's offscreen platform.
#include "bench_sessions.h"
#include "detail_toolbar.h"
#include "file_list_section.h"
#include "ptx_detail_view.h"
#include "ptx_preview_content.h"
#include "session_window.h"
#include "row_list_view.h"
#include "tracks_section.h"
#include "track_list_model.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kestrix;

namespace {

// Handles what is queued and paints the whole window.
void drawAll(QMainWindow &window)
{
    QApplication::processEvents();
    window.repaint();
}

// Handles what is queued and paints what changed, as the next frame would.
void drawNow(QMainWindow &)
{
    QApplication::processEvents();
    QApplication::sendPostedEvents();
}

void report(const char *what, double milliseconds, double limit)
{
    std::printf("%-52s %9.1f ms   (limit %.0f ms)%s\n", what, milliseconds, limit,
                milliseconds <= limit ? "" : "   OVER");
}

// The process's resident memory now, in MB, from /proc (0 where there is none).
double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024;
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const auto preferences = bench::prepareWindowBenchmark();
    QApplication application(argc, argv);
    const QString path = QString::fromStdString(bench::largeSessionPath());

    QElapsedTimer timer;
    timer.start();
    QMainWindow window;
    PTXDetailView *view = bench::openSessionWindow(window, path);
    drawAll(window);
    if (!view->sessionInfo()) {
        std::fprintf(stderr, "%s\n", qPrintable(view->errorText()));
        return 1;
    }
    report("open until the window is drawn", double(timer.nsecsElapsed()) / 1e6, 1500);
    std::printf("  resident memory with the window open: %.0f MB (file %.1f MB)\n", residentMegabytes(),
                double(QFileInfo(path).size()) / 1e6);

    PTXPreviewContent &content = *view->content();
    timer.restart();
    for (OverviewSection section : kAllOverviewSections)
        content.setSectionExpanded(section, true);
    drawNow(window);
    report("open every section", double(timer.nsecsElapsed()) / 1e6, 200);

    // Typing: each keystroke filters the lists and draws them again.
    QLineEdit &search = *view->toolbar()->searchField();
    std::vector<double> keystrokes;
    for (QChar c : QStringLiteral("take 12")) {
        timer.restart();
        QTest::keyClick(&search, c.toLatin1());
        drawNow(window);
        keystrokes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("  lists for \"%s\": %s / %s / %s\n", qPrintable(search.text()),
                qPrintable(content.tracksSection()->title()), qPrintable(content.audioFilesSection()->title()),
                qPrintable(content.clipsSection()->title()));
    for (int i = 0; i < 7; ++i) {
        timer.restart();
        QTest::keyClick(&search, Qt::Key_Backspace);
        drawNow(window);
        keystrokes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    report("keystroke in the search field (median)", median(keystrokes), 50);
    report("keystroke in the search field (slowest)", *std::max_element(keystrokes.begin(), keystrokes.end()), 50);
    std::printf("  lists after typing and clearing: %s / %s\n", qPrintable(content.tracksSection()->title()),
                qPrintable(content.clipsSection()->title()));

    // Alt-click on a chevron opens every track.
    RowListView &tracks = *content.tracksSection()->list();
    const QPoint chevron(5, tracks.rowRect(0).center().y());
    QMouseEvent altClick(QEvent::MouseButtonPress, QPointF(chevron), QPointF(tracks.mapToGlobal(chevron)),
                         Qt::LeftButton, Qt::LeftButton, Qt::AltModifier);
    timer.restart();
    QApplication::sendEvent(&tracks, &altClick);
    drawNow(window);
    report("expand every track", double(timer.nsecsElapsed()) / 1e6, 200);
    std::printf("  track list rows: %d\n", content.tracksSection()->model()->rowCount());

    // The first click after the lists changed hands the selection its copy of them.
    const QPoint trackRow(120, tracks.rowRect(0).center().y());
    QMouseEvent select(QEvent::MouseButtonPress, QPointF(trackRow), QPointF(tracks.mapToGlobal(trackRow)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    timer.restart();
    QApplication::sendEvent(&tracks, &select);
    drawNow(window);
    report("select a track in the expanded list", double(timer.nsecsElapsed()) / 1e6, 100);
    std::vector<double> moves;
    for (int i = 0; i < 20; ++i) {
        timer.restart();
        QTest::keyClick(&content, Qt::Key_Down);
        drawNow(window);
        moves.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    report("down arrow through the expanded list (slowest)", *std::max_element(moves.begin(), moves.end()), 50);

    // Scrolling a page at a time through the whole column.
    QScrollBar &bar = *content.verticalScrollBar();
    std::vector<double> frames;
    for (int value = 0; value < bar.maximum() && frames.size() < 400; value += bar.maximum() / 400 + 1) {
        timer.restart();
        bar.setValue(value);
        drawNow(window);
        frames.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    report("scroll step (median)", median(frames), 16);
    report("scroll step (slowest)", *std::max_element(frames.begin(), frames.end()), 50);

    timer.restart();
    QMouseEvent altClickAgain(QEvent::MouseButtonPress, QPointF(chevron), QPointF(tracks.mapToGlobal(chevron)),
                              Qt::LeftButton, Qt::LeftButton, Qt::AltModifier);
    bar.setValue(0);
    QApplication::sendEvent(&tracks, &altClickAgain);
    drawNow(window);
    report("collapse every track", double(timer.nsecsElapsed()) / 1e6, 200);
    std::printf("  resident memory after searching and scrolling: %.0f MB\n", residentMegabytes());
    return 0;
}
