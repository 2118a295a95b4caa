#include "universe_view.h"

#include "plain_tool_tip.h"
#include "universe_painter.h"
#include "universe_zoom.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

namespace kestrix {
namespace {

// A mouse wheel notch (15 degrees) scrolls this many points, like a
// trackpad's pixel deltas.
constexpr double kPointsPerWheelDegree = 20.0 / 15.0;
// Clips narrower than this on screen can still be hit.
constexpr double kHitTolerancePoints = 2;

QPointF wheelPoints(const QWheelEvent &event)
{
    QPointF delta = !event.pixelDelta().isNull() ? QPointF(event.pixelDelta())
                                                 : QPointF(event.angleDelta()) / 8.0 * kPointsPerWheelDegree;
    // A plain mouse wheel scrolls sideways with Shift held.
    if (event.modifiers() & Qt::ShiftModifier && delta.x() == 0)
        delta = QPointF(delta.y(), 0);
    return delta;
}

} // namespace

UniverseView::UniverseView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void UniverseView::setTracks(std::vector<PTXTrackInfo> rows, const std::optional<SessionExtent> &extent)
{
    rows_ = UniverseRows(std::move(rows));
    extent_ = extent;
    update();
}

void UniverseView::setViewport(const UniverseViewport &stored)
{
    const UniverseViewport viewport = validViewport(stored);
    if (viewport_ == viewport)
        return;
    viewport_ = viewport;
    update();
}

void UniverseView::setSelection(const UniverseSelection &selection)
{
    if (state_.selection == selection)
        return;
    state_.selection = selection;
    update();
}

void UniverseView::setSelectedClipKeys(const QSet<ClipKey> &keys)
{
    state_.selectedClips = keys;
    update();
}

void UniverseView::setSelectedTrackNames(const NameSet &names)
{
    state_.selectedTrackNames = names;
    update();
}

void UniverseView::setListSelectionSpan(const std::optional<SampleRange> &span)
{
    state_.listSelectionSpan = span;
}

void UniverseView::setSelectionDisabled(bool disabled)
{
    selectionDisabled_ = disabled;
    if (disabled && drag_) {
        drag_.reset();
        update();
    }
}

void UniverseView::setPlayheadSample(const std::optional<double> &sample)
{
    if (playheadSample_ == sample)
        return;
    playheadSample_ = sample;
    update();
}

void UniverseView::setActiveClipKey(const std::optional<ClipKey> &key)
{
    activeClip_ = key;
    update();
}

void UniverseView::setRowScale(double scale)
{
    if (rowScale_ == scale)
        return;
    rowScale_ = scale;
    update();
}

void UniverseView::setSampleRate(const std::optional<double> &sampleRate)
{
    sampleRate_ = sampleRate;
}

UniverseMapping UniverseView::mapping() const
{
    return universeMapping(viewport_, extent_, rows_.count(), width(), rowScale_);
}

std::optional<ClipKey> UniverseView::clipAt(QPointF point) const
{
    const UniverseMapping m = mapping();
    const std::optional<size_t> row = m.rowAt(point.y());
    if (!row || m.width <= 0 || m.visibleLength <= 0)
        return std::nullopt;
    const double tolerance = kHitTolerancePoints * m.visibleLength / m.width;
    const std::optional<uint32_t> placement = rows_.index().clipNear(*row, m.sampleAtX(point.x()), tolerance);
    if (!placement)
        return std::nullopt;
    return ClipKey{QString::fromStdString(rows_.tracks()[*row].name), int(*placement)};
}

QString UniverseView::toolTipAt(QPointF point) const
{
    const std::optional<ClipKey> key = clipAt(point);
    if (!key)
        return {};
    const PTXClipInfo &clip = *rows_.find(*key)->second;
    return QString::fromStdString(clip.name) + QStringLiteral(" — ") + key->trackName;
}

bool UniverseView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString text = toolTipAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), plainToolTip(text), this);
    return true;
}

void UniverseView::changeViewport(const UniverseViewport &viewport)
{
    if (viewport_ == viewport)
        return;
    viewport_ = viewport;
    update();
    emit viewportChanged(viewport_);
}

void UniverseView::zoomHorizontally(double factor)
{
    changeViewport(kestrix::zoomHorizontally(viewport_, extent_, factor, horizontalAnchors(rows_, state_)));
}

void UniverseView::zoomVertically(double factor)
{
    changeViewport(kestrix::zoomVertically(viewport_, rows_.count(), factor, verticalAnchors(rows_, state_)));
}

void UniverseView::clearSelection()
{
    if (state_.selection.empty())
        return;
    state_.selection = {};
    update();
    emit selectionChanged(state_.selection);
}

std::optional<QRectF> UniverseView::rubberBand() const
{
    if (!drag_ || selectionDisabled_ || drag_->fromDoubleClick || !isSelectionDrag(drag_->start, drag_->current))
        return std::nullopt;
    return QRectF(drag_->start, drag_->current).normalized();
}

void UniverseView::setMarks(std::vector<UniverseMark> marks)
{
    if (marks == marks_)
        return;
    marks_ = std::move(marks);
    update();
}

void UniverseView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const UniverseMapping m = mapping();
    paintUniverse(painter,
                  UniverseScene{rows_, m, state_, activeClip_, rubberBand(), playheadSample_,
                                UniverseColors::fromPalette(palette()), &marks_},
                  event->rect());
}

void UniverseView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    drag_ = Drag{event->position(), event->position()};
}

void UniverseView::mouseMoveEvent(QMouseEvent *event)
{
    if (!drag_)
        return;
    drag_->current = event->position();
    if (rubberBand())
        update();
}

void UniverseView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!drag_ || event->button() != Qt::LeftButton)
        return;
    const Drag drag = *drag_;
    drag_.reset();
    if (drag.fromDoubleClick) {
        update();
        return;
    }
    if (!isSelectionDrag(drag.start, event->position())) {
        handleClick(drag.start, event->modifiers());
        return;
    }
    update();
    if (selectionDisabled_)
        return;
    state_.selection = selectionFromBand(QRectF(drag.start, event->position()), mapping(), rows_.tracks());
    emit selectionChanged(state_.selection);
}

void UniverseView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The press of a double click; its release is not another click.
    drag_ = Drag{event->position(), event->position(), true};
    if (const std::optional<ClipKey> key = clipAt(event->position()))
        emit clipDoubleClicked(*key);
}

void UniverseView::handleClick(QPointF point, Qt::KeyboardModifiers modifiers)
{
    const std::optional<ClipKey> key = clipAt(point);
    if (!key)
        return;
    emit clipClicked(*key, modifiers);
    // A click on the playing clip moves playback to the point clicked.
    if (key != activeClip_ || !sampleRate_)
        return;
    const PTXClipInfo &clip = *rows_.find(*key)->second;
    const double sample = mapping().sampleAtX(point.x());
    const double offset = std::clamp(sample - double(clip.timelinePosition), 0.0, double(clip.sampleLength));
    emit clipSeek(offset / *sampleRate_);
}

void UniverseView::wheelEvent(QWheelEvent *event)
{
    const QPointF delta = wheelPoints(*event);
    const UniverseMapping m = mapping();
    UniverseViewport next = scrollHorizontally(viewport_, extent_, m.width, delta.x());
    next = scrollVertically(next, rows_.count(), m.rowPitch, delta.y());
    if (next == viewport_) {
        // Nothing to scroll here: let the page around scroll instead.
        event->ignore();
        return;
    }
    event->accept();
    changeViewport(next);
}

} // namespace kestrix
