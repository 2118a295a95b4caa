#include "feedback_style.h"

#include <QLabel>

namespace kestrix::feedback {

QLabel *titleLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel *secondaryLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QColor secondaryColor(const QWidget *widget)
{
    return widget->palette().color(QPalette::PlaceholderText);
}

QColor errorColor()
{
    return QColor(220, 50, 47);
}

QColor successColor()
{
    return QColor(52, 168, 83);
}

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

} // namespace kestrix::feedback
