#include "universe_overview.h"

#include "overview_ruler.h"
#include "ruler_numbers.h"
#include "universe_height_handle.h"
#include "universe_scroll_bar.h"
#include "universe_view.h"
#include "universe_zoom.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kestrix {
namespace {

void keepSpaceWhenHidden(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

UniverseOverview::UniverseOverview(QWidget *parent)
    : QWidget(parent)
    , ruler_(new OverviewRuler(this))
    , universe_(new UniverseView(this))
    , horizontalBar_(new UniverseScrollBar(Qt::Horizontal, this))
    , verticalBar_(new UniverseScrollBar(Qt::Vertical, this))
    , heightHandle_(new UniverseHeightHandle(this))
{
    keepSpaceWhenHidden(horizontalBar_);
    keepSpaceWhenHidden(verticalBar_);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    grid->addWidget(ruler_, 0, 0);
    grid->addWidget(universe_, 1, 0);
    grid->addWidget(verticalBar_, 1, 1);
    grid->addWidget(horizontalBar_, 2, 0);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addLayout(grid);
    column->addWidget(heightHandle_);

    connect(universe_, &UniverseView::viewportChanged, this, &UniverseOverview::userMovedViewport);
    connect(horizontalBar_, &UniverseScrollBar::viewportDragged, this, &UniverseOverview::userMovedViewport);
    connect(verticalBar_, &UniverseScrollBar::viewportDragged, this, &UniverseOverview::userMovedViewport);
    connect(heightHandle_, &UniverseHeightHandle::extraDragged, this, [this](double extra) {
        setExtraHeight(extra);
        emit extraHeightChanged(extra_);
    });
    connect(universe_, &UniverseView::selectionChanged, this, &UniverseOverview::selectionChanged);
    connect(universe_, &UniverseView::clipClicked, this, &UniverseOverview::clipClicked);
    connect(universe_, &UniverseView::clipDoubleClicked, this, &UniverseOverview::clipDoubleClicked);
    connect(universe_, &UniverseView::clipSeek, this, &UniverseOverview::clipSeek);

    showViewport({});
    applyHeight();
}

void UniverseOverview::setSession(const PTXSessionInfo &session, std::vector<PTXTrackInfo> rows)
{
    const std::optional<SessionExtent> extent = sessionExtent(session.tracks);
    ruler_->setSession(session, extent);
    universe_->setSampleRate(parseSampleRate(session.sampleRate));
    universe_->setTracks(std::move(rows), extent);
    horizontalBar_->setTotal(extent ? extent->total() : 0);
    showViewport(universe_->viewport());
    applyHeight();
}

void UniverseOverview::setRows(std::vector<PTXTrackInfo> rows)
{
    universe_->setTracks(std::move(rows), universe_->extent());
    showViewport(universe_->viewport());
    applyHeight();
}

void UniverseOverview::setViewport(const UniverseViewport &viewport)
{
    showViewport(viewport);
}

void UniverseOverview::userMovedViewport(const UniverseViewport &viewport)
{
    showViewport(viewport);
    emit viewportChanged(viewport);
}

void UniverseOverview::showViewport(const UniverseViewport &stored)
{
    const UniverseViewport viewport = validViewport(stored);
    universe_->setViewport(viewport);
    ruler_->setViewport(viewport);
    horizontalBar_->setViewport(viewport);
    verticalBar_->setTotal(double(universe_->rowCount()));
    verticalBar_->setViewport(viewport);
    horizontalBar_->setVisible(horizontalBar_->isNeeded());
    verticalBar_->setVisible(verticalBar_->isNeeded());
}

void UniverseOverview::setSelection(const UniverseSelection &selection) { universe_->setSelection(selection); }

void UniverseOverview::setExtraHeight(double extra)
{
    // A stored height may hold anything: the handle never sets more than
    // 600, and the height itself never goes below the minimum.
    extra_ = std::isfinite(extra) ? std::min(extra, universe::kMaxExtraHeight) : 0;
    applyHeight();
}

void UniverseOverview::applyHeight()
{
    const size_t rows = universe_->rowCount();
    const UniverseHeight height = universeHeight(rows, extra_);
    universe_->setFixedHeight(int(std::lround(height.height)));
    universe_->setRowScale(height.rowScale);
    // A drag starts from the height shown, not from a stored extra beyond it.
    heightHandle_->setExtra(clampExtraHeight(extra_, rows), rows);
}

void UniverseOverview::setSelectedClipKeys(const QSet<ClipKey> &keys) { universe_->setSelectedClipKeys(keys); }
void UniverseOverview::setSelectedTrackNames(const NameSet &names) { universe_->setSelectedTrackNames(names); }
void UniverseOverview::setListSelectionSpan(const std::optional<SampleRange> &span)
{
    universe_->setListSelectionSpan(span);
}
void UniverseOverview::setSelectionDisabled(bool disabled) { universe_->setSelectionDisabled(disabled); }
void UniverseOverview::setPlayheadSample(const std::optional<double> &sample) { universe_->setPlayheadSample(sample); }
void UniverseOverview::setActiveClipKey(const std::optional<ClipKey> &key) { universe_->setActiveClipKey(key); }

void UniverseOverview::zoom(Qt::Orientation orientation, double factor)
{
    if (orientation == Qt::Horizontal)
        universe_->zoomHorizontally(factor);
    else
        universe_->zoomVertically(factor);
}
void UniverseOverview::clearSelection() { universe_->clearSelection(); }

} // namespace kestrix
