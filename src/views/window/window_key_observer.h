// Reports whether the window hosting a widget is the key (active) window,
// whenever that changes.
#ifndef KESTRIX_VIEWS_WINDOW_WINDOW_KEY_OBSERVER_H
#define KESTRIX_VIEWS_WINDOW_WINDOW_KEY_OBSERVER_H

#include <QObject>
#include <QPointer>

class QWidget;

namespace kestrix {

class WindowKeyObserver : public QObject {
    Q_OBJECT
public:
    explicit WindowKeyObserver(QWidget *widget);

signals:
    void keyChanged(bool isKey);

private:
    void check();

    QPointer<QWidget> widget_;
    bool isKey_ = false;
};

} // namespace kestrix

#endif
