#include "session_thumbnail.h"

#include "universe_layout.h"
#include "universe_mapping.h"
#include "universe_painter.h"
#include "universe_rows.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace kestrix {
namespace {

// A light card, so that clip colours read the same in light and dark file
// managers.
const QColor kCard(246, 246, 248);
const QColor kFrame(200, 200, 206);
const QColor kNameText(40, 40, 44);

// Below this the name would be an unreadable smear: the timeline fills the card.
constexpr int kSmallestNameHeight = 7;

void drawName(QPainter &painter, const QString &name, const QRect &band)
{
    QFont font = painter.font();
    font.setPixelSize(std::max(1, band.height() * 3 / 4));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kNameText);
    const QString elided = QFontMetrics(font).elidedText(name, Qt::ElideMiddle, band.width());
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, elided);
}

void drawTimeline(QPainter &painter, const PTXSessionInfo &session, const QRect &area)
{
    const UniverseRows rows(session.tracks);
    // Every row fits: the rows stretch or shrink to the area's height.
    const double intrinsic = universeHeight(rows.count(), 0).intrinsic;
    const double rowScale = intrinsic > 0 ? double(area.height()) / intrinsic : 1;
    const UniverseMapping mapping =
        universeMapping(UniverseViewport{}, sessionExtent(session.tracks), rows.count(), area.width(), rowScale);
    const UniverseSelectionState nothingSelected;
    const UniverseColors colors{kCard, QColor(), QColor(), QColor()};
    painter.save();
    painter.translate(area.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), area.size()));
    paintUniverse(painter, UniverseScene{rows, mapping, nothingSelected, std::nullopt, std::nullopt, std::nullopt, colors},
                  QRect(QPoint(0, 0), area.size()));
    painter.restore();
}

} // namespace

QImage drawSessionThumbnail(const PTXSessionInfo &session, int size)
{
    size = std::clamp(size, kMinThumbnailSize, kMaxThumbnailSize);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(kCard);
    QPainter painter(&image);

    const int margin = std::max(1, size / 24);
    QRect inner = image.rect().adjusted(margin, margin, -margin, -margin);
    const int nameHeight = size / 9;
    if (nameHeight >= kSmallestNameHeight) {
        drawName(painter, QString::fromStdString(session.sessionName), inner.adjusted(0, 0, 0, nameHeight - inner.height()));
        inner.setTop(inner.top() + nameHeight + margin / 2);
    }
    drawTimeline(painter, session, inner);

    painter.setPen(kFrame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

} // namespace kestrix
