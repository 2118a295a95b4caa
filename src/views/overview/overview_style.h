// Sizes, fonts and colours shared by the overview's sections and lists.
#ifndef KESTRIX_VIEWS_OVERVIEW_OVERVIEW_STYLE_H
#define KESTRIX_VIEWS_OVERVIEW_OVERVIEW_STYLE_H

#include <QColor>
#include <QFont>
#include <QPalette>

namespace kestrix::overview {

inline constexpr int kRowHeight = 22;
inline constexpr int kListHeaderHeight = 22;
inline constexpr int kCellPadding = 6;
// Folder nesting: each level moves a track name this far right.
inline constexpr int kIndentPerDepth = 14;
// Space left of a section's content, lining it up with the section title.
inline constexpr int kSectionIndent = 22;

// Labels, numbers and notes drawn beside the main text.
QColor secondaryTextColor(const QPalette &palette);
// Hairlines between headers and rows.
QColor separatorColor(const QPalette &palette);
// Every other row, a shade off the background.
QColor alternateRowColor(const QPalette &palette);
// Selected rows; muted while the list does not have keyboard focus.
QColor selectionColor(const QPalette &palette, bool focused);
QColor hoverColor(const QPalette &palette);

// Column titles and small badges.
QFont columnHeaderFont(const QFont &base);
QFont badgeFont(const QFont &base);
// The session properties grid: the system font at 11 points.
QFont gridFont(const QFont &base);
QFont sectionTitleFont(const QFont &base);

} // namespace kestrix::overview

#endif
