// Icons drawn for the file window's toolbar, so they look the same on every
// desktop whatever icon theme it has.
#ifndef KESTRIX_VIEWS_WINDOW_TOOLBAR_ICONS_H
#define KESTRIX_VIEWS_WINDOW_TOOLBAR_ICONS_H

#include <QColor>
#include <QIcon>

namespace kestrix {

QIcon magnifyingGlassIcon(const QColor &color);
// An arrow leaving a box: "open in another application".
QIcon openExternallyIcon(const QColor &color);
QIcon speakerIcon(const QColor &color);

} // namespace kestrix

#endif
