// The track list: tracks with, under each expanded one, its inserts and its
// clip lane.
#ifndef KESTRIX_VIEWS_OVERVIEW_TRACK_LIST_MODEL_H
#define KESTRIX_VIEWS_OVERVIEW_TRACK_LIST_MODEL_H

#include "overview_data.h"
#include "row_texts.h"
#include "track_rows.h"

#include <QAbstractListModel>

#include <optional>
#include <unordered_map>
#include <utility>

namespace kestrix {

class TrackListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // `lanes` holds the clip groups of every expanded track, by track index.
    void setRows(OverviewData data, std::vector<TrackListRow> rows, std::unordered_map<size_t, ClipLane> lanes);
    void setSelection(std::shared_ptr<const OverviewSelection> selection);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    const TrackListRow &rowAt(int row) const { return rows_[size_t(row)]; }
    const PTXTrackInfo &trackAt(int row) const { return data_.session->tracks[rowAt(row).track]; }
    // Only for clip rows.
    const PTXClipGroup &laneClipAt(int row) const;
    // The track or lane clip a row stands for; none for the other rows.
    std::optional<SelectableItem> itemAt(int row) const;
    int rowOf(const SelectableItem &item) const;

private:
    QVariant trackData(const PTXTrackInfo &track, const TrackListRow &row, int role) const;
    QVariant insertData(const PTXTrackInfo &track, const TrackListRow &row, int role) const;
    QVariant clipData(int row, int role) const;

    OverviewData data_;
    std::vector<TrackListRow> rows_;
    std::unordered_map<size_t, ClipLane> lanes_;
    std::shared_ptr<const OverviewSelection> selection_;
    mutable std::optional<std::pair<int, RowFacts>> lastClipFacts_;
};

} // namespace kestrix

#endif
