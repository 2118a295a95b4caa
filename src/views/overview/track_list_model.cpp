#include "track_list_model.h"

#include "file_row_list_model.h"
#include "overview_roles.h"
#include "track_color.h"

namespace kestrix {

namespace {

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

// What a collapsed track shows in its inserts column.
QString insertsSummary(const PTXTrackInfo &track)
{
    QStringList names;
    for (const PTXTrackPlugin &plugin : track.plugins)
        names << text(plugin.name);
    return names.join(QStringLiteral(", "));
}

} // namespace

void TrackListModel::setRows(OverviewData data, std::vector<TrackListRow> rows,
                             std::unordered_map<size_t, ClipLane> lanes)
{
    beginResetModel();
    data_ = std::move(data);
    rows_ = std::move(rows);
    lanes_ = std::move(lanes);
    lastClipFacts_.reset();
    endResetModel();
}

void TrackListModel::setSelection(std::shared_ptr<const OverviewSelection> selection)
{
    selection_ = std::move(selection);
    if (!rows_.empty())
        emit dataChanged(index(0), index(int(rows_.size()) - 1), {OverviewRole::isSelected});
}

int TrackListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

const PTXClipGroup &TrackListModel::laneClipAt(int row) const
{
    const TrackListRow &r = rowAt(row);
    return (*lanes_.at(r.track))[r.item];
}

std::optional<SelectableItem> TrackListModel::itemAt(int row) const
{
    const TrackListRow &r = rowAt(row);
    switch (r.kind) {
        case TrackListRow::Kind::track: return SelectableItem{trackAt(row).name, SelectableItemKind::track()};
        case TrackListRow::Kind::clip:
            return SelectableItem{laneClipAt(row).id, SelectableItemKind::trackClip(trackAt(row).name)};
        default: return std::nullopt;
    }
}

int TrackListModel::rowOf(const SelectableItem &item) const
{
    const bool isTrack = item.kind == SelectableItemKind::track();
    const bool isLaneClip = item.kind.kind == SelectableItemKind::Kind::trackClip;
    // Compared in place: a long list is searched without making an item per row.
    const std::string &trackName = isTrack ? item.id : item.kind.trackName;
    for (int row = 0; row < rowCount(); ++row) {
        const TrackListRow::Kind kind = rowAt(row).kind;
        if (isTrack && kind == TrackListRow::Kind::track && trackAt(row).name == trackName)
            return row;
        if (isLaneClip && kind == TrackListRow::Kind::clip && trackAt(row).name == trackName
            && laneClipAt(row).id == item.id)
            return row;
    }
    return -1;
}

QVariant TrackListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TrackListRow &row = rowAt(index.row());
    const PTXTrackInfo &track = trackAt(index.row());
    switch (role) {
        case OverviewRole::rowKind: return int(row.kind);
        case OverviewRole::depth: return qlonglong(track.depth);
        case OverviewRole::isSelectable:
            return row.kind == TrackListRow::Kind::track || row.kind == TrackListRow::Kind::clip;
        case OverviewRole::isSelected: {
            if (!selection_ || selection_->items.empty())
                return false;
            const std::optional<SelectableItem> item = itemAt(index.row());
            return item && selection_->items.contains(*item);
        }
        default: break;
    }
    switch (row.kind) {
        case TrackListRow::Kind::track: return trackData(track, row, role);
        case TrackListRow::Kind::insert: return insertData(track, row, role);
        case TrackListRow::Kind::insertsHeading:
            return role == Qt::DisplayRole ? QStringLiteral("Inserts") : QVariant();
        case TrackListRow::Kind::noInserts: return role == Qt::DisplayRole ? QStringLiteral("No inserts") : QVariant();
        case TrackListRow::Kind::clip: return clipData(index.row(), role);
        case TrackListRow::Kind::clipHeader: return {};
    }
    return {};
}

QVariant TrackListModel::trackData(const PTXTrackInfo &track, const TrackListRow &row, int role) const
{
    switch (role) {
        case Qt::DisplayRole: return text(track.name);
        case OverviewRole::isExpanded: return row.expanded;
        case OverviewRole::isFolder: return track.isFolder;
        case OverviewRole::color: return trackColor(track);
        case OverviewRole::typeText: return text(std::string(track.typeLabel()));
        case OverviewRole::formatText: return text(track.format.name);
        case OverviewRole::insertsText: return insertsSummary(track);
        case OverviewRole::commentText: return text(track.comment).simplified();
        case Qt::ToolTipRole: return text(track.comment);
        default: return {};
    }
}

QVariant TrackListModel::insertData(const PTXTrackInfo &track, const TrackListRow &row, int role) const
{
    const PTXTrackPlugin &plugin = track.plugins[row.item];
    switch (role) {
        case Qt::DisplayRole: return text(plugin.name);
        case OverviewRole::isInactive: return !plugin.active;
        default: return {};
    }
}

QVariant TrackListModel::clipData(int row, int role) const
{
    if (!lastClipFacts_ || lastClipFacts_->first != row)
        lastClipFacts_.emplace(row, clipRowFacts(laneClipAt(row), data_));
    return rowFactsData(lastClipFacts_->second, role);
}

} // namespace kestrix
