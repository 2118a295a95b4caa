// The two marks the forms draw: a filled circle with a check (sent) and a
// filled circle with a cross (remove the attachment).
#ifndef KESTRIX_FEEDBACK_VIEWS_FEEDBACK_ICONS_H
#define KESTRIX_FEEDBACK_VIEWS_FEEDBACK_ICONS_H

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace kestrix::feedback {

QPixmap checkmarkCircle(int size, const QColor &fill, qreal devicePixelRatio);
QIcon xmarkCircleIcon(const QColor &fill);

} // namespace kestrix::feedback

#endif
