#include "file_type_badge.h"

#include "overview_style.h"

#include <QFontMetrics>
#include <QPainter>

namespace kestrix {

namespace {

constexpr int kHorizontalPadding = 5;
constexpr int kHeight = 15;
constexpr double kDimmedOpacity = 0.4;

} // namespace

QString FileTypeBadge::helpText(const QString &typeLabel, bool unavailable)
{
    if (unavailable)
        return typeLabel + QStringLiteral(": Kestrix lists this file but can't play its media type.");
    return typeLabel + QStringLiteral(" file");
}

QRect FileTypeBadge::rectIn(const QRect &cell, const QFont &font) const
{
    const QFontMetrics metrics(overview::badgeFont(font));
    const int maxWidth = std::max(0, cell.width() - 2 * overview::kCellPadding);
    const int width = std::min(maxWidth, metrics.horizontalAdvance(label) + 2 * kHorizontalPadding);
    return QRect(cell.left() + overview::kCellPadding, cell.center().y() - kHeight / 2, width, kHeight);
}

void FileTypeBadge::paint(QPainter &painter, const QRect &cell, const QColor &textColor) const
{
    if (label.isEmpty())
        return;
    const QRect badge = rectIn(cell, painter.font());
    if (badge.width() <= 2 * kHorizontalPadding)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (unavailable)
        painter.setOpacity(kDimmedOpacity);
    QColor outline = textColor;
    outline.setAlphaF(isSelected ? 0.8f : 0.45f);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(badge).adjusted(0.5, 0.5, -0.5, -0.5), 3.5, 3.5);
    painter.setFont(overview::badgeFont(painter.font()));
    painter.setPen(textColor);
    const QString shown
        = painter.fontMetrics().elidedText(label, Qt::ElideRight, badge.width() - 2 * kHorizontalPadding + 2);
    painter.drawText(badge, Qt::AlignCenter | Qt::TextSingleLine, shown);
    painter.restore();
}

} // namespace kestrix
