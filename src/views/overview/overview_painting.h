// Small drawings shared by the section headers and the rows: disclosure
// chevrons, folder icons, colour marks and elided text in a cell.
#ifndef KESTRIX_VIEWS_OVERVIEW_OVERVIEW_PAINTING_H
#define KESTRIX_VIEWS_OVERVIEW_OVERVIEW_PAINTING_H

#include <QColor>
#include <QRect>
#include <QString>

#include <optional>

class QPainter;

namespace kestrix {

enum class TriangleDirection { left, right, up, down };

// A chevron centred in `rect`: pointing down when open, right when closed.
void drawChevron(QPainter &painter, const QRectF &rect, bool expanded, const QColor &color);
// A filled triangle centred in `rect`.
void drawTriangle(QPainter &painter, const QRectF &rect, TriangleDirection direction, const QColor &color);
// A folder outline filled with `tint`.
void drawFolderIcon(QPainter &painter, const QRectF &rect, const QColor &tint, const QColor &outline);
// Text on one line, vertically centred, elided at the right when too long.
void drawCellText(QPainter &painter, const QRect &cell, const QString &text, const QColor &color,
                  Qt::Alignment alignment = Qt::AlignLeft);

} // namespace kestrix

#endif
