// The session's clip list: one row per clip group.
#ifndef KESTRIX_VIEWS_OVERVIEW_CLIP_LIST_MODEL_H
#define KESTRIX_VIEWS_OVERVIEW_CLIP_LIST_MODEL_H

#include "file_row_list_model.h"

namespace kestrix {

class ClipListModel : public FileRowListModel {
public:
    using FileRowListModel::FileRowListModel;

    const PTXClipGroup &groupAt(int row) const { return (*data_.clipGroups)[rows_[size_t(row)]]; }
    const std::string &groupIdAt(int row) const override { return groupAt(row).id; }
    SelectableItemKind itemKind() const override { return SelectableItemKind::clip(); }
    std::optional<std::pair<uint64_t, uint64_t>> regionAt(int row) const override
    {
        const PTXClipGroup &group = groupAt(row);
        if (group.channels.empty())
            return std::nullopt;
        return std::pair{group.channels.front().clip.sampleOffset, group.channels.front().clip.sampleLength};
    }

protected:
    RowFacts computeFacts(size_t group) const override { return clipRowFacts((*data_.clipGroups)[group], data_); }
};

} // namespace kestrix

#endif
