// Text in the palette's secondary colour, for captions and explanations.
#ifndef KESTRIX_APP_SECONDARY_TEXT_H
#define KESTRIX_APP_SECONDARY_TEXT_H

#include <QColor>
#include <QFont>

class QLabel;
class QWidget;

namespace kestrix {

QColor secondaryTextColor(const QWidget *widget);
void useSecondaryTextColor(QLabel *label);
// The widget's font scaled by `factor`, bold when asked.
QFont scaledFont(const QFont &base, double factor, bool bold = false);

} // namespace kestrix

#endif
