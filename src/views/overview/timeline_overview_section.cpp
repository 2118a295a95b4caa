#include "timeline_overview_section.h"

#include "overview_painting.h"
#include "overview_style.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace kestrix {

namespace {

QIcon triangleIcon(TriangleDirection direction, const QColor &color)
{
    QPixmap pixmap(QSize(16, 16) * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawTriangle(painter, QRectF(0, 0, 16, 16), direction, color);
    return QIcon(pixmap);
}

} // namespace

TimelineOverviewSection::TimelineOverviewSection(QWidget *parent)
    : GetInfoSection(QStringLiteral("Overview"), parent)
{
    // The zoom buttons sit in the header, at its trailing end, while the section is open.
    auto *buttons = new QWidget;
    auto *row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    QToolButton *outH = makeZoomButton(TriangleDirection::left, QStringLiteral("Zoom out horizontally"));
    QToolButton *inH = makeZoomButton(TriangleDirection::right, QStringLiteral("Zoom in horizontally"));
    QToolButton *outV = makeZoomButton(TriangleDirection::down, QStringLiteral("Zoom out vertically"));
    QToolButton *inV = makeZoomButton(TriangleDirection::up, QStringLiteral("Zoom in vertically"));
    connect(outH, &QToolButton::clicked, this, &TimelineOverviewSection::zoomOutHorizontal);
    connect(inH, &QToolButton::clicked, this, &TimelineOverviewSection::zoomInHorizontal);
    connect(outV, &QToolButton::clicked, this, &TimelineOverviewSection::zoomOutVertical);
    connect(inV, &QToolButton::clicked, this, &TimelineOverviewSection::zoomInVertical);
    for (QToolButton *button : {outH, inH, outV, inV})
        row->addWidget(button);
    setAccessory(buttons);
    connect(this, &GetInfoSection::expandedChanged, buttons, &QWidget::setVisible);

    auto *content = new QWidget;
    slot_ = new QVBoxLayout(content);
    slot_->setContentsMargins(overview::kSectionIndent, 0, 8, 8);
    setContent(content);
}

QToolButton *TimelineOverviewSection::makeZoomButton(TriangleDirection direction, const QString &help)
{
    auto *button = new QToolButton;
    button->setAutoRaise(true);
    button->setIcon(triangleIcon(direction, palette().color(QPalette::WindowText)));
    button->setIconSize(QSize(12, 12));
    button->setToolTip(help);
    button->setAccessibleName(help);
    return button;
}

void TimelineOverviewSection::setTimeline(QWidget *timeline)
{
    delete timeline_;
    timeline_ = timeline;
    slot_->addWidget(timeline_);
}

} // namespace kestrix
