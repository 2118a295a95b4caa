// The window the views benchmarks measure: a session opened in a 1200 × 900
// main window, waited for until it has loaded.
#ifndef KESTRIX_BENCH_SESSION_WINDOW_H
#define KESTRIX_BENCH_SESSION_WINDOW_H

#include "ptx_detail_view.h"

#include <QMainWindow>
#include <QString>

namespace bench {

// Shows `window` with a view of the session at `path` and returns the view
// once its load has finished (successfully or not).
kestrix::PTXDetailView *openSessionWindow(QMainWindow &window, const QString &path);

} // namespace bench

#endif
