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
    labelsChanged();
}

void OverviewRuler::setViewport(const UniverseViewport &viewport)
{
    if (viewport_ == viewport)
        return;
    viewport_ = viewport;
    labelsChanged();
}

void OverviewRuler::setFormat(RulerFormat format)
{
    if (format_ == format)
        return;
    format_ = format;
    labelsChanged();
    emit formatChanged(format);
}

RulerFormat OverviewRuler::shownFormat() const
{
    return isAvailable(format_, numbers_) ? format_ : RulerFormat::minutesSeconds;
}

void OverviewRuler::labelsChanged()
{
    labels_.reset();
    update();
}

const OverviewRuler::Labels &OverviewRuler::currentLabels() const
{
    // The width is compared here: a hidden ruler is resized without an event.
    if (!labels_ || labels_->width != width()) {
        labels_ = Labels{width(), rulerSpan(numbers_, extent_, viewport_, width()), {}};
        if (labels_->span)
            labels_->entries = rulerLabels(shownFormat(), numbers_, *labels_->span);
    }
    return *labels_;
}

const std::vector<LabelEntry> &OverviewRuler::labels() const
{
    return currentLabels().entries;
}

void OverviewRuler::paintEvent(QPaintEvent *event)
{
    const Labels &labels = currentLabels();
    if (!labels.span)
        return;
    QPainter painter(this);
    painter.setPen(overview::secondaryTextColor(palette()));
    const QColor tick = overview::separatorColor(palette());
    const QRect dirty = event->rect();
    const int textWidthLimit = 200;
    const double pointsPerSecond = labels.span->pointsPerSecond();
    for (const LabelEntry &label : labels.entries) {
        const double at = label.secondsFromLeft * pointsPerSecond;
        if (!(at >= 0 && at <= width()))
            continue;
        const int x = int(std::lround(at));
        if (x > dirty.right() || x + textWidthLimit < dirty.left())
            continue;
        painter.fillRect(QRect(x, height() / 2, 1, height() - height() / 2), tick);
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
