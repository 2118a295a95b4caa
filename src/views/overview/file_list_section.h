// The audio-file and clip sections: a list of file or clip groups, filtered
// by the search and the timeline selection, titled with its counts.
#ifndef KESTRIX_VIEWS_OVERVIEW_FILE_LIST_SECTION_H
#define KESTRIX_VIEWS_OVERVIEW_FILE_LIST_SECTION_H

#include "cached_result.h"
#include "inline_audio_player.h"
#include "list_section.h"

#include <vector>

namespace kestrix {

class FileRowListModel;

class FileListSection : public ListSection {
    Q_OBJECT
public:
    static FileListSection *audioFiles(QWidget *parent = nullptr);
    static FileListSection *clips(QWidget *parent = nullptr);
    ~FileListSection() override;

    void setData(const OverviewData &data);
    void setFilters(const SectionFilterToken &token);
    void setSelection(std::shared_ptr<const OverviewSelection> selection);

    FileRowListModel *model() const { return model_; }
    int rowOf(const SelectableItem &item) const override;
    // The groups shown, in order: indices into the data's group list.
    const std::vector<size_t> &shownRows() const;

    // Player ids of this list's rows start with `prefix`, so that a window
    // can stop what it plays.
    void setPlayerIdPrefix(const QString &prefix);
    // Plays or pauses the item's row in the shared inline player; false
    // when the list does not show it.
    bool togglePlayback(const SelectableItem &item);
    // What the item's row plays; none when the list does not show it.
    std::optional<PlayableItem> playableItemOf(const SelectableItem &item) const;

    // Asks for the mini waveforms of the rows in view and gives up those of
    // rows no longer in view; done whenever the list paints or hides.
    void requestVisibleWaveforms();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // How the section finds its groups and which of them it shows.
    struct Source {
        size_t (*total)(const OverviewData &);
        std::vector<size_t> (*filter)(const OverviewData &, const SectionFilterToken &);
    };

    FileListSection(const QString &name, FileRowListModel *model, std::function<ColumnLayout()> columns,
                    ResizableColumn nameColumn, int formatColumn, int pathColumn, Source source, QWidget *parent);
    void refresh();

    QString name_;
    FileRowListModel *model_;
    mutable int lastFoundRow_ = -1;
    Source source_;
    OverviewData data_;
    SectionFilterToken token_;
    CachedResult<SectionFilterToken, std::vector<size_t>> shown_;
    unsigned shownGeneration_ = 0;
};

} // namespace kestrix

#endif
