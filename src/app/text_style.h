// Secondary text (captions, explanations) and scaled fonts for headings.
#ifndef KESTRIX_APP_TEXT_STYLE_H
#define KESTRIX_APP_TEXT_STYLE_H

#include <QColor>
#include <QFont>

class QWidget;

namespace kestrix {

QColor secondaryTextColor(const QWidget *widget);
// The widget's font scaled by `factor`, bold when asked.
QFont scaledFont(const QFont &base, double factor, bool bold = false);

} // namespace kestrix

#endif
