#include "secondary_text.h"

#include <QLabel>

namespace kestrix {

QColor secondaryTextColor(const QWidget *widget)
{
    return widget->palette().color(QPalette::PlaceholderText);
}

void useSecondaryTextColor(QLabel *label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, secondaryTextColor(label));
    label->setPalette(palette);
}

QFont scaledFont(const QFont &base, double factor, bool bold)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

} // namespace kestrix
