#include "key_event_handler.h"

#include <QKeyEvent>

namespace kestrix {

KeyEventHandler::KeyEventHandler(QObject *target, KeyActions actions, QObject *parent)
    : QObject(parent)
    , actions_(std::move(actions))
{
    target->installEventFilter(this);
}

bool KeyEventHandler::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const bool extend = key->modifiers().testFlag(Qt::ShiftModifier);
    switch (key->key()) {
        case Qt::Key_Space: actions_.onSpace(); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: actions_.onReturn(); return true;
        case Qt::Key_Down: actions_.onDown(extend); return true;
        case Qt::Key_Up: actions_.onUp(extend); return true;
        case Qt::Key_Right: actions_.onRight(); return true;
        case Qt::Key_Left: actions_.onLeft(); return true;
        default: return false;
    }
}

} // namespace kestrix
