#include "status_pages.h"

#include "overview_style.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kestrix {

namespace {

constexpr int kTriangleSize = 48;

QFont scaledFont(const QFont &base, double factor, bool bold)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

QPixmap warningTriangle(int size, double devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    triangle.moveTo(size / 2.0, size * 0.08);
    triangle.lineTo(size * 0.96, size * 0.9);
    triangle.lineTo(size * 0.04, size * 0.9);
    triangle.closeSubpath();
    painter.fillPath(triangle, QColor(220, 50, 47));
    painter.setPen(QPen(Qt::white, size * 0.09, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(size / 2.0, size * 0.36), QPointF(size / 2.0, size * 0.62));
    painter.drawPoint(QPointF(size / 2.0, size * 0.76));
    return pixmap;
}

void useSecondaryColor(QLabel *label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, overview::secondaryTextColor(palette));
    label->setPalette(palette);
}

} // namespace

LoadingPage::LoadingPage(QWidget *parent)
    : QWidget(parent)
{
    auto *text = new QLabel(QStringLiteral("Loading…"));
    text->setAlignment(Qt::AlignCenter);
    useSecondaryColor(text);
    auto *busy = new QProgressBar;
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    busy->setFixedWidth(160);
    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(text);
    layout->addWidget(busy, 0, Qt::AlignHCenter);
    layout->addStretch();
}

ErrorPage::ErrorPage(QWidget *parent)
    : QWidget(parent)
    , message_(new QLabel)
{
    auto *icon = new QLabel;
    icon->setPixmap(warningTriangle(kTriangleSize, devicePixelRatioF()));
    icon->setAlignment(Qt::AlignCenter);
    auto *title = new QLabel(QStringLiteral("Error"));
    title->setFont(scaledFont(font(), 1.4, true));
    title->setAlignment(Qt::AlignCenter);
    // The message names the file, whose name may look like HTML.
    message_->setTextFormat(Qt::PlainText);
    message_->setAlignment(Qt::AlignCenter);
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    useSecondaryColor(message_);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addStretch();
    layout->addWidget(icon);
    layout->addWidget(title);
    layout->addWidget(message_);
    layout->addStretch();
}

void ErrorPage::setMessage(const QString &message)
{
    message_->setText(message);
}

QString ErrorPage::message() const
{
    return message_->text();
}

} // namespace kestrix
