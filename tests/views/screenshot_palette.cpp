#include "screenshot_palette.h"

#include <QColor>

QPalette darkPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(37, 37, 40));
    palette.setColor(QPalette::WindowText, QColor(228, 228, 230));
    palette.setColor(QPalette::Base, QColor(30, 30, 32));
    palette.setColor(QPalette::AlternateBase, QColor(44, 44, 48));
    palette.setColor(QPalette::Text, QColor(228, 228, 230));
    palette.setColor(QPalette::Button, QColor(52, 52, 56));
    palette.setColor(QPalette::ButtonText, QColor(228, 228, 230));
    palette.setColor(QPalette::Highlight, QColor(10, 100, 220));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(52, 52, 56));
    palette.setColor(QPalette::ToolTipText, QColor(228, 228, 230));
    palette.setColor(QPalette::PlaceholderText, QColor(140, 140, 145));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, QColor(110, 110, 115));
    return palette;
}
