// Remembered window frames meet the screens of today: a monitor unplugged
// since, or a smaller one, must not leave a window where nobody can see it.
#ifndef KESTRIX_APP_WINDOW_FRAMES_H
#define KESTRIX_APP_WINDOW_FRAMES_H

#include <QList>
#include <QRect>
#include <QSize>

namespace kestrix {

// `frame` moved and shrunk into the available area it overlaps most, or into
// `primaryArea` when it overlaps none; never smaller than `minimumSize`
// unless the area itself is.
QRect frameOnScreens(const QRect &frame, const QList<QRect> &availableAreas, const QRect &primaryArea,
                     QSize minimumSize);

// The same on the screens connected now.
QRect frameOnConnectedScreens(const QRect &frame, QSize minimumSize);

// `size` centred on the primary screen.
QRect centredOnPrimaryScreen(QSize size);

} // namespace kestrix

#endif
