#include "recent_session_row.h"

#include "file_location.h"
#include "native_path.h"
#include "plain_tool_tip.h"
#include "show_in_file_manager.h"
#include "splash_icons.h"
#include "text_style.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace kestrix {

namespace {

constexpr int kIconSize = 28;
constexpr int kPadding = 8;
constexpr int kSpacing = 10;

} // namespace

RecentSessionRow::RecentSessionRow(const QString &filePath, QWidget *parent)
    : QWidget(parent)
    , filePath_(filePath)
    , name_(fileNameWithoutExtension(displayablePath(filePath)))
    , folder_(folderPath(displayablePath(filePath)))
{
    setToolTip(plainToolTip(displayablePath(filePath)));
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

QSize RecentSessionRow::sizeHint() const
{
    const QFontMetrics metrics(font());
    const QFontMetrics small(scaledFont(font(), 0.85));
    return {200, std::max(kIconSize, metrics.height() + small.height() + 2) + 2 * kPadding};
}

void RecentSessionRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (hovered_) {
        QColor highlight = palette().color(QPalette::Highlight);
        highlight.setAlphaF(0.15);
        painter.setPen(Qt::NoPen);
        painter.setBrush(highlight);
        painter.drawRoundedRect(rect().adjusted(2, 1, -2, -1), 6, 6);
    }

    const QRect iconRect(kPadding, (height() - kIconSize) / 2, kIconSize, kIconSize);
    painter.drawPixmap(iconRect.topLeft(), splashPixmap(SplashIcon::document, palette().color(QPalette::Highlight),
                                                        kIconSize, devicePixelRatioF()));

    const int textLeft = iconRect.right() + kSpacing;
    const int textWidth = width() - textLeft - kPadding;
    const QFont smallFont = scaledFont(font(), 0.85);
    const QFontMetrics metrics(font());
    const QFontMetrics smallMetrics(smallFont);
    const int textTop = (height() - metrics.height() - smallMetrics.height() - 2) / 2;

    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(textLeft, textTop, textWidth, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(name_, Qt::ElideRight, textWidth));
    painter.setFont(smallFont);
    painter.setPen(secondaryTextColor(this));
    painter.drawText(QRect(textLeft, textTop + metrics.height() + 2, textWidth, smallMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, smallMetrics.elidedText(folder_, Qt::ElideMiddle, textWidth));
}

void RecentSessionRow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit chosen(filePath_);
}

void RecentSessionRow::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("Show in File Manager"), this, [this] { showInFileManager(filePath_, window()); });
    menu.exec(event->globalPos());
}

void RecentSessionRow::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    hovered_ = true;
    update();
}

void RecentSessionRow::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    hovered_ = false;
    update();
}

} // namespace kestrix
