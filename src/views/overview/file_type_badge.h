// The small rounded badge naming a file's format, dimmed when Kestrix cannot
// play the file's media type.
#ifndef KESTRIX_VIEWS_OVERVIEW_FILE_TYPE_BADGE_H
#define KESTRIX_VIEWS_OVERVIEW_FILE_TYPE_BADGE_H

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace kestrix {

struct FileTypeBadge {
    QString label;
    bool unavailable = false;
    bool isSelected = false;

    // "WAV file", or for a type that cannot be played
    // "MXF: Kestrix lists this file but can't play its media type.".
    static QString helpText(const QString &typeLabel, bool unavailable);

    // Where the badge sits inside `cell` (left aligned, vertically centred).
    QRect rectIn(const QRect &cell, const QFont &font) const;
    void paint(QPainter &painter, const QRect &cell, const QColor &textColor) const;
};

} // namespace kestrix

#endif
