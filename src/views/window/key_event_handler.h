// Turns key presses on the window content into the six navigation actions:
// Space, Return and the four arrows. Keys held with Ctrl, Alt or Meta are
// left to the shortcuts; every other key goes on to normal handling.
#ifndef KESTRIX_VIEWS_WINDOW_KEY_EVENT_HANDLER_H
#define KESTRIX_VIEWS_WINDOW_KEY_EVENT_HANDLER_H

#include <QObject>

#include <functional>

namespace kestrix {

struct KeyActions {
    std::function<void()> onSpace;
    std::function<void()> onReturn;
    // `extend` is true while Shift is held.
    std::function<void(bool extend)> onDown;
    std::function<void(bool extend)> onUp;
    std::function<void()> onRight;
    std::function<void()> onLeft;
};

class KeyEventHandler : public QObject {
    Q_OBJECT
public:
    // Watches `target` until either is destroyed.
    KeyEventHandler(QObject *target, KeyActions actions, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyActions actions_;
};

} // namespace kestrix

#endif
