#include "window_key_observer.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace kestrix {

WindowKeyObserver::WindowKeyObserver(QWidget *widget)
    : QObject(widget)
    , widget_(widget)
{
    // Activation follows the focus window; the widget itself may be deep inside its window.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &WindowKeyObserver::check);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &WindowKeyObserver::check);
    check();
}

void WindowKeyObserver::check()
{
    const bool isKey = widget_ && widget_->isActiveWindow();
    if (isKey == isKey_)
        return;
    isKey_ = isKey;
    emit keyChanged(isKey);
}

} // namespace kestrix
