#include "session_window.h"

#include <QApplication>

namespace bench {

kestrix::PTXDetailView *openSessionWindow(QMainWindow &window, const QString &path)
{
    auto *view = new kestrix::PTXDetailView(path);
    window.setCentralWidget(view);
    window.resize(1200, 900);
    window.show();
    bool loaded = false;
    QObject::connect(view, &kestrix::PTXDetailView::loadFinished, [&] { loaded = true; });
    while (!loaded)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return view;
}

} // namespace bench
