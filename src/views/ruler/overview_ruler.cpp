#include "overview_ruler.h"

#include "overview_style.h"
#include "ruler_format_picker.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace kestrix {

OverviewRuler::OverviewRuler(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    QFont labelFont = font();
    labelFont.setPixelSize(kLabelPixelSize);
    setFont(labelFont);
}

void OverviewRuler::setSession(const PTXSessionInfo &session, const std::optional<SessionExtent> &extent)
{
    numbers_ = RulerNumbers::fromSession(session);
    extent_ = extent;
    const RulerFormat counter = formatForCounterCode(session.mainCounterFormat);
    format_ = isAvailable(counter, numbers_) ? counter : RulerFormat::minutesSeconds;
    update();
}

void OverviewRuler::setViewport(const UniverseViewport &viewport)
{
    if (viewport_ == viewport)
        return;
    viewport_ = viewport;
    update();
}

void OverviewRuler::setFormat(RulerFormat format)
{
    if (format_ == format)
        return;
    format_ = format;
    update();
    emit formatChanged(format);
}

RulerFormat OverviewRuler::shownFormat() const
{
    return isAvailable(format_, numbers_) ? format_ : RulerFormat::minutesSeconds;
}

std::vector<LabelEntry> OverviewRuler::labels() const
{
    const std::optional<RulerSpan> span = rulerSpan(numbers_, extent_, viewport_, width());
    return span ? rulerLabels(shownFormat(), numbers_, *span) : std::vector<LabelEntry>{};
}

void OverviewRuler::paintEvent(QPaintEvent *event)
{
    const std::optional<RulerSpan> span = rulerSpan(numbers_, extent_, viewport_, width());
    if (!span)
        return;
    QPainter painter(this);
    const QColor secondary = overview::secondaryTextColor(palette());
    painter.setPen(secondary);
    const QRect dirty = event->rect();
    const int textWidthLimit = 200;
    for (const LabelEntry &label : rulerLabels(shownFormat(), numbers_, *span)) {
        const int x = int(std::lround(label.secondsFromLeft * span->pointsPerSecond()));
        if (x > dirty.right() || x + textWidthLimit < dirty.left())
            continue;
        painter.fillRect(QRect(x, height() / 2, 1, height() - height() / 2), overview::separatorColor(palette()));
        painter.drawText(QRect(x + 3, 0, textWidthLimit, height()), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString(label.text));
    }
}

void OverviewRuler::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        showPicker();
}

void OverviewRuler::showPicker()
{
    if (picker_)
        return;
    picker_ = new RulerFormatPicker(format_, numbers_, this);
    connect(picker_, &RulerFormatPicker::formatChosen, this, &OverviewRuler::setFormat);
    picker_->move(mapToGlobal(QPoint(0, height() + 2)));
    picker_->show();
}

} // namespace kestrix
