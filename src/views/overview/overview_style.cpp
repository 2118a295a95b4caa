#include "overview_style.h"

namespace kestrix::overview {

namespace {

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(float(alpha));
    return color;
}

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

} // namespace

QColor secondaryTextColor(const QPalette &palette)
{
    return withAlpha(palette.color(QPalette::WindowText), 0.55);
}

QColor separatorColor(const QPalette &palette)
{
    return withAlpha(palette.color(QPalette::WindowText), isDark(palette) ? 0.16 : 0.12);
}

QColor alternateRowColor(const QPalette &palette)
{
    return withAlpha(palette.color(QPalette::WindowText), isDark(palette) ? 0.04 : 0.03);
}

QColor selectionColor(const QPalette &palette, bool focused)
{
    if (focused)
        return palette.color(QPalette::Active, QPalette::Highlight);
    return withAlpha(palette.color(QPalette::WindowText), isDark(palette) ? 0.22 : 0.14);
}

QColor hoverColor(const QPalette &palette)
{
    return withAlpha(palette.color(QPalette::WindowText), 0.06);
}

QFont columnHeaderFont(const QFont &base)
{
    QFont font = base;
    font.setPixelSize(11);
    font.setWeight(QFont::DemiBold);
    return font;
}

QFont badgeFont(const QFont &base)
{
    QFont font = base;
    font.setPixelSize(9);
    font.setWeight(QFont::Bold);
    return font;
}

QFont gridFont(const QFont &base)
{
    QFont font = base;
    font.setPixelSize(11);
    return font;
}

QFont sectionTitleFont(const QFont &base)
{
    QFont font = base;
    font.setWeight(QFont::Bold);
    return font;
}

} // namespace kestrix::overview
