// The audio-file list: one row per audio-file group, a multi-mono set as one row.
#ifndef KESTRIX_VIEWS_OVERVIEW_AUDIO_FILE_LIST_MODEL_H
#define KESTRIX_VIEWS_OVERVIEW_AUDIO_FILE_LIST_MODEL_H

#include "file_row_list_model.h"

namespace kestrix {

class AudioFileListModel : public FileRowListModel {
public:
    using FileRowListModel::FileRowListModel;

    const PTXAudioFileGroup &groupAt(int row) const { return (*data_.audioFileGroups)[rows_[size_t(row)]]; }
    const std::string &groupIdAt(int row) const override { return groupAt(row).id; }
    SelectableItemKind itemKind() const override { return SelectableItemKind::audioFile(); }

protected:
    RowFacts computeFacts(size_t group) const override
    {
        return audioFileRowFacts((*data_.audioFileGroups)[group], data_);
    }
};

} // namespace kestrix

#endif
