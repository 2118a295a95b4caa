// Menus read "&" as the mark of the next letter's shortcut, so a name shown
// in a menu ("R&D mix.ptx", a device called "M&M") doubles it.
#ifndef KESTRIX_VIEWS_WINDOW_MENU_TEXT_H
#define KESTRIX_VIEWS_WINDOW_MENU_TEXT_H

#include <QString>

namespace kestrix {

inline QString menuText(QString name)
{
    return name.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace kestrix

#endif
