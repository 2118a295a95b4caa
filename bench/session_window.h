// The window the views benchmarks measure, and how they start: a session opened in a 1200 × 900
// main window, waited for until it has loaded.
#ifndef KESTRIX_BENCH_SESSION_WINDOW_H
#define KESTRIX_BENCH_SESSION_WINDOW_H

#include "ptx_detail_view.h"

#include <QMainWindow>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace bench {

// Before the QApplication: Qt's offscreen platform when there is no display,
// and preferences in a private folder that lives as long as the result.
std::unique_ptr<QTemporaryDir> prepareWindowBenchmark();

// Shows `window` with a view of the session at `path` and returns the view
// once its load has finished (successfully or not).
kestrix::PTXDetailView *openSessionWindow(QMainWindow &window, const QString &path);

} // namespace bench

#endif
