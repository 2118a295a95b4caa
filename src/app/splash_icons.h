// The small line icons of the start window and the menus, drawn in one tint
// colour so they follow the palette and stay sharp at any scale.
#ifndef KESTRIX_APP_SPLASH_ICONS_H
#define KESTRIX_APP_SPLASH_ICONS_H

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace kestrix {

enum class SplashIcon { eye, waveform, downloadArrow, lightBulb, document, documentPlus, magnifyingGlass };

// A square pixmap of `size` logical pixels.
QPixmap splashPixmap(SplashIcon icon, const QColor &tint, int size, qreal devicePixelRatio);

// The icon at the sizes menus and buttons ask for.
QIcon splashIcon(SplashIcon icon, const QColor &tint);

} // namespace kestrix

#endif
