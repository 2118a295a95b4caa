#include "session_window.h"

#include <QApplication>
#include <QSettings>

namespace bench {

std::unique_ptr<QTemporaryDir> prepareWindowBenchmark()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto preferences = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, preferences->path());
    return preferences;
}

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
