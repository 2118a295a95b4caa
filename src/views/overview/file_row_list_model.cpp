#include "file_row_list_model.h"

#include "overview_roles.h"
#include "waveform_cell.h"
#include "waveform_loader.h"

namespace kestrix {

QVariant rowFactsData(const RowFacts &facts, int role)
{
    switch (role) {
        case Qt::DisplayRole: return facts.name;
        case Qt::ToolTipRole: return facts.channels.size() > 1 ? facts.channelSummary() : facts.file.pathText;
        case OverviewRole::formatText: return facts.file.formatText;
        case OverviewRole::typeLabel: return facts.file.typeLabel;
        case OverviewRole::typeUnavailable: return facts.file.typeUnavailable;
        case OverviewRole::pathText: return facts.pathText();
        case OverviewRole::resolvedPath: return facts.file.resolvedPath;
        case OverviewRole::isOffline: return facts.file.offline;
        case OverviewRole::channelSuffixes: return facts.channelSuffixes;
        default: return {};
    }
}

void FileRowListModel::setRows(OverviewData data, std::vector<size_t> rows)
{
    beginResetModel();
    data_ = std::move(data);
    rows_ = std::move(rows);
    lastFacts_.reset();
    endResetModel();
}

void FileRowListModel::setSelection(std::shared_ptr<const OverviewSelection> selection)
{
    selection_ = std::move(selection);
    if (!rows_.empty())
        emit dataChanged(index(0), index(int(rows_.size()) - 1), {OverviewRole::isSelected});
}

int FileRowListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

const RowFacts &FileRowListModel::factsAt(int row) const
{
    if (!lastFacts_ || lastFacts_->first != row)
        lastFacts_.emplace(row, computeFacts(rows_[size_t(row)]));
    return lastFacts_->second;
}

PlayableItem FileRowListModel::playableItemAt(int row) const
{
    return playableItem(factsAt(row), regionAt(row));
}

int FileRowListModel::rowOf(const SelectableItem &item) const
{
    if (item.kind != itemKind())
        return -1;
    for (int row = 0; row < rowCount(); ++row)
        if (groupIdAt(row) == item.id)
            return row;
    return -1;
}

QVariant FileRowListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
        case OverviewRole::isSelected:
            return selection_ && !selection_->items.empty() && selection_->items.contains(itemAt(index.row()));
        case OverviewRole::isSelectable: return true;
        case OverviewRole::itemId: return playerIdPrefix_ + QString::fromStdString(groupIdAt(index.row()));
        case OverviewRole::waveformRegion: return WaveformLoader::regionKey(playableItemAt(index.row()));
        default: break;
    }
    return rowFactsData(factsAt(index.row()), role);
}

} // namespace kestrix
