#include "text_style.h"

#include <QWidget>

namespace kestrix {

QColor secondaryTextColor(const QWidget *widget)
{
    return widget->palette().color(QPalette::PlaceholderText);
}

QFont scaledFont(const QFont &base, double factor, bool bold)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

} // namespace kestrix
