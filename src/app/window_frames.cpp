#include "window_frames.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace kestrix {

namespace {

qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

QRect primaryArea()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    return primary ? primary->availableGeometry() : QRect();
}

} // namespace

QRect frameOnScreens(const QRect &frame, const QList<QRect> &availableAreas, const QRect &primaryArea,
                     QSize minimumSize)
{
    QRect area = primaryArea;
    qint64 largest = 0;
    for (const QRect &candidate : availableAreas) {
        if (const qint64 shared = overlap(frame, candidate); shared > largest) {
            largest = shared;
            area = candidate;
        }
    }
    if (area.isEmpty())
        return frame;
    const QSize size = frame.size().expandedTo(minimumSize).boundedTo(area.size());
    const int x = std::clamp(frame.x(), area.left(), area.left() + area.width() - size.width());
    const int y = std::clamp(frame.y(), area.top(), area.top() + area.height() - size.height());
    return QRect(QPoint(x, y), size);
}

QRect frameOnConnectedScreens(const QRect &frame, QSize minimumSize)
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return frameOnScreens(frame, areas, primaryArea(), minimumSize);
}

QRect centredOnPrimaryScreen(QSize size)
{
    QRect frame(QPoint(0, 0), size);
    frame.moveCenter(primaryArea().center());
    return frame;
}

} // namespace kestrix
