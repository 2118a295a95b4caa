// Text styles of the feedback forms: the title, secondary explanations, and
// the colours of errors and success.
#ifndef KESTRIX_FEEDBACK_VIEWS_FEEDBACK_STYLE_H
#define KESTRIX_FEEDBACK_VIEWS_FEEDBACK_STYLE_H

#include <QColor>
#include <QString>

class QLabel;
class QWidget;

namespace kestrix::feedback {

QLabel *titleLabel(const QString &text);
// Wrapped plain text in the secondary colour.
QLabel *secondaryLabel(const QString &text);

QColor secondaryColor(const QWidget *widget);
QColor errorColor();
QColor successColor();
void setTextColor(QLabel *label, const QColor &color);

} // namespace kestrix::feedback

#endif
