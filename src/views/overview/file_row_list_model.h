// The rows of a list of files or clips: which groups are shown, in order,
// and the texts of each row. Subclasses say which group a row stands for.
#ifndef KESTRIX_VIEWS_OVERVIEW_FILE_ROW_LIST_MODEL_H
#define KESTRIX_VIEWS_OVERVIEW_FILE_ROW_LIST_MODEL_H

#include "inline_audio_player.h"
#include "overview_data.h"
#include "row_texts.h"

#include <QAbstractListModel>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kestrix {

// The data of a file or clip row under `role`: name, format, type, path and
// channel suffixes.
QVariant rowFactsData(const RowFacts &facts, int role);

class FileRowListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // Shows the groups at `rows` (indices into the data's group list).
    void setRows(OverviewData data, std::vector<size_t> rows);
    void setSelection(std::shared_ptr<const OverviewSelection> selection);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // The id of the group a row shows, and the kind of item the list holds.
    virtual const std::string &groupIdAt(int row) const = 0;
    virtual SelectableItemKind itemKind() const = 0;
    SelectableItem itemAt(int row) const { return {groupIdAt(row), itemKind()}; }
    // The row of the item, or -1 when it is not shown.
    int rowOf(const SelectableItem &item) const;
    const std::vector<size_t> &rows() const { return rows_; }
    const RowFacts &factsAt(int row) const;
    // Put before the group ids to make the rows' player ids.
    void setPlayerIdPrefix(const QString &prefix) { playerIdPrefix_ = prefix; }
    // The region a row plays (sample offset and length), none for whole files.
    virtual std::optional<std::pair<uint64_t, uint64_t>> regionAt(int) const { return std::nullopt; }
    // What the row's play control plays.
    PlayableItem playableItemAt(int row) const;

protected:
    virtual RowFacts computeFacts(size_t group) const = 0;

    OverviewData data_;
    std::vector<size_t> rows_;
    std::shared_ptr<const OverviewSelection> selection_;
    QString playerIdPrefix_;

private:
    // Painting a row asks for several roles in a row; the facts are made once.
    mutable std::optional<std::pair<int, RowFacts>> lastFacts_;
};

} // namespace kestrix

#endif
