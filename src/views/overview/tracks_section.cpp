#include "tracks_section.h"

#include "list_header.h"
#include "overview_roles.h"
#include "row_context_menu.h"
#include "row_list_view.h"
#include "section_filters.h"
#include "section_titles.h"
#include "selection_modifiers.h"
#include "track_list_model.h"
#include "track_row_delegate.h"
#include "track_tooltip.h"
#include "track_type_visibility.h"

#include <QMenu>
#include <QToolButton>

namespace kestrix {

namespace {

constexpr int kTooltipDelayMs = 700;

QString typeSwitchText(PTXTrackType type)
{
    return QString::fromUtf8(trackTypeDescription(type));
}

} // namespace

TracksSection::TracksSection(QWidget *parent)
    : ListSection(QStringLiteral("Tracks") + countSuffix(0, 0),
                  new ListHeader(trackColumns, ResizableColumn{NameColumn::tracks, TrackColumn::name}),
                  new TrackRowDelegate, parent)
    , model_(new TrackListModel(this))
    , tooltip_(new TrackTooltip(this))
{
    list()->setModel(model_);
    setAccessory(makeTypeMenuButton());
    token_.types = TrackTypeVisibility::shared().filter();

    connect(list(), &RowListView::rowClicked, this, &TracksSection::rowClicked);
    connect(list(), &RowListView::rowDoubleClicked, this, [this](int row) {
        if (model_->rowAt(row).kind == TrackListRow::Kind::track)
            toggleExpanded(row, false);
        else if (const std::optional<SelectableItem> item = model_->itemAt(row))
            emit itemDoubleClicked(*item);
    });
    connect(list(), &RowListView::contextMenuRequested, this, &TracksSection::showMenu);
    connect(list(), &RowListView::hoveredRowChanged, this, &TracksSection::hoverChanged);
    tooltipTimer_.setSingleShot(true);
    tooltipTimer_.setInterval(kTooltipDelayMs);
    connect(&tooltipTimer_, &QTimer::timeout, this, &TracksSection::showTooltip);
}

void TracksSection::setData(const OverviewData &data)
{
    data_ = data;
    shown_.clear();
    lanes_.clear();
    tooltip_->hide();
    refresh();
}

void TracksSection::setFilters(const SectionFilterToken &filters)
{
    applyToken({filters.search, filters.universe, TrackTypeVisibility::shared().filter()});
}

void TracksSection::applyToken(const TracksFilterToken &token)
{
    if (token == token_)
        return;
    token_ = token;
    refresh();
}

void TracksSection::setSelection(std::shared_ptr<const OverviewSelection> selection)
{
    selection_ = selection;
    model_->setSelection(std::move(selection));
}

void TracksSection::setExpandedTracks(std::unordered_set<std::string> names)
{
    if (names == expanded_)
        return;
    expanded_ = std::move(names);
    refresh();
}

int TracksSection::rowOf(const SelectableItem &item) const
{
    return rowNearLastFound(
        lastFoundRow_, model_->rowCount(), [&](int row) { return model_->itemAt(row) == item; },
        [&] { return model_->rowOf(item); });
}

const ClipLane &TracksSection::laneOf(size_t track)
{
    const ClipFilterToken token{data_.session->tracks[track].name, token_.search, token_.universe};
    return lanes_[track].get(
        token, [&] { return std::make_shared<const std::vector<PTXClipGroup>>(laneClipGroups(data_, track, token)); });
}

void TracksSection::refresh()
{
    if (!data_.session)
        return;
    shownTracks_ = shown_.get(token_, [this] { return visibleTracks(data_, token_); });
    const std::vector<PTXTrackInfo> &tracks = data_.session->tracks;
    const auto isExpanded = [&](size_t t) { return expanded_.contains(tracks[t].name); };
    std::unordered_map<size_t, ClipLane> lanes;
    std::vector<TrackListRow> rows
        = buildTrackRows(tracks, shownTracks_, isExpanded,
                         [&](size_t t) -> const ClipLane & { return lanes.emplace(t, laneOf(t)).first->second; });
    model_->setRows(data_, std::move(rows), std::move(lanes));
    model_->setSelection(selection_);
    setTitle(QStringLiteral("Tracks") + countSuffix(shownTracks_.size(), tracks.size()));
    tooltip_->hide();
    emit rowsChanged();
}

std::vector<PTXTrackInfo> TracksSection::shownTracksWithLaneClips() const
{
    std::vector<PTXTrackInfo> shown;
    if (!data_.session)
        return shown;
    shown.reserve(shownTracks_.size());
    for (int row = 0; row < model_->rowCount(); ++row) {
        const TrackListRow &r = model_->rowAt(row);
        if (r.kind == TrackListRow::Kind::track) {
            // Everything but the clips, which only the lane's rows bring back.
            const PTXTrackInfo &track = data_.session->tracks[r.track];
            PTXTrackInfo copy;
            copy.name = track.name;
            copy.type = track.type;
            copy.depth = track.depth;
            copy.parentName = track.parentName;
            copy.isFolder = track.isFolder;
            shown.push_back(std::move(copy));
        } else if (r.kind == TrackListRow::Kind::clip) {
            for (const PTXClipGroup::Channel &channel : model_->laneClipAt(row).channels)
                shown.back().clips.push_back(channel.clip);
        }
    }
    return shown;
}

void TracksSection::toggleExpanded(int row, bool allTracks)
{
    const bool expand = !model_->rowAt(row).expanded;
    std::unordered_set<std::string> names = expanded_;
    if (allTracks) {
        for (size_t t : shownTracks_) {
            if (expand)
                names.insert(data_.session->tracks[t].name);
            else
                names.erase(data_.session->tracks[t].name);
        }
    } else if (expand) {
        names.insert(model_->trackAt(row).name);
    } else {
        names.erase(model_->trackAt(row).name);
    }
    setExpandedTracks(std::move(names));
    emit expandedTracksChanged(expanded_);
}

void TracksSection::rowClicked(int row, Qt::KeyboardModifiers modifiers, QPoint position)
{
    const TrackListRow &r = model_->rowAt(row);
    if (r.kind == TrackListRow::Kind::track && TrackRowDelegate::chevronContains(list()->rowRect(row), position)) {
        // Alt (Option) on a chevron opens or closes every track.
        toggleExpanded(row, modifiers.testFlag(Qt::AltModifier));
        return;
    }
    if (const std::optional<SelectableItem> item = model_->itemAt(row))
        emit itemClicked(*item, selectionModifiers(modifiers));
}

void TracksSection::showMenu(int row, QPoint globalPosition)
{
    const std::optional<SelectableItem> item = model_->itemAt(row);
    if (!item)
        return;
    if (model_->rowAt(row).kind == TrackListRow::Kind::clip) {
        showFileRowMenu(*item, model_->index(row).data(OverviewRole::resolvedPath).toString(), globalPosition);
        return;
    }
    const bool rowIsSelected = selection_ && selection_->items.contains(*item);
    execRowContextMenu(
        this, globalPosition,
        {QString(), importItemTitle(rowIsSelected, selection_ ? selection_->items.size() : 0), {}, [this, item] {
             emit importTrackRequested(*item);
         }});
}

void TracksSection::hoverChanged(int row)
{
    tooltip_->hide();
    tooltipRow_ = row;
    if (row >= 0 && model_->rowAt(row).kind == TrackListRow::Kind::track)
        tooltipTimer_.start();
    else
        tooltipTimer_.stop();
}

void TracksSection::showTooltip()
{
    if (tooltipRow_ < 0 || tooltipRow_ >= model_->rowCount() || !list()->isVisible())
        return;
    tooltip_->setTrack(model_->trackAt(tooltipRow_));
    // Beside the name, pointing at the row.
    const QRect row = list()->rowRect(tooltipRow_);
    const QRect name = trackColumns().cell(TrackColumn::name, row);
    tooltip_->showBeside(QRect(list()->mapToGlobal(QPoint(name.left(), row.top())), QSize(name.width(), row.height())));
}

QToolButton *TracksSection::makeTypeMenuButton()
{
    typeMenuButton_ = new QToolButton;
    typeMenuButton_->setAutoRaise(true);
    typeMenuButton_->setPopupMode(QToolButton::InstantPopup);
    typeMenuButton_->setToolTip(QStringLiteral("Choose which track types the list shows"));
    auto *menu = new QMenu(typeMenuButton_);
    for (PTXTrackType type : TrackTypeVisibility::kSwitchedTypes) {
        QAction *action = menu->addAction(typeSwitchText(type));
        action->setCheckable(true);
        action->setChecked(TrackTypeVisibility::shared().filter().shows(type));
        connect(action, &QAction::toggled, this,
                [type](bool shown) { TrackTypeVisibility::shared().setShown(type, shown); });
    }
    typeMenuButton_->setMenu(menu);
    connect(&TrackTypeVisibility::shared(), &TrackTypeVisibility::filterChanged, this,
            [this, menu](const TrackTypeFilter &filter) {
                const QList<QAction *> actions = menu->actions();
                for (size_t i = 0; i < TrackTypeVisibility::kSwitchedTypes.size(); ++i)
                    actions[qsizetype(i)]->setChecked(filter.shows(TrackTypeVisibility::kSwitchedTypes[i]));
                updateTypeMenuButton();
                applyToken({token_.search, token_.universe, filter});
            });
    updateTypeMenuButton();
    return typeMenuButton_;
}

void TracksSection::updateTypeMenuButton()
{
    const TrackTypeFilter &filter = TrackTypeVisibility::shared().filter();
    int shown = 0;
    for (PTXTrackType type : TrackTypeVisibility::kSwitchedTypes)
        shown += filter.shows(type) ? 1 : 0;
    const int total = int(TrackTypeVisibility::kSwitchedTypes.size());
    typeMenuButton_->setText(shown == total ? QStringLiteral("All Types")
                                            : QStringLiteral("%1 of %2 Types").arg(shown).arg(total));
}

} // namespace kestrix
