#include "file_list_section.h"

#include "audio_file_list_model.h"
#include "clip_list_model.h"
#include "file_row_delegate.h"
#include "list_header.h"
#include "overview_roles.h"
#include "row_list_view.h"
#include "section_filters.h"
#include "section_titles.h"
#include "waveform_cell.h"
#include "waveform_loader.h"

#include <QEvent>
#include "selection_modifiers.h"

namespace kestrix {

FileListSection *FileListSection::audioFiles(QWidget *parent)
{
    const Source source{[](const OverviewData &data) { return data.audioFileGroups->size(); }, visibleAudioFileGroups};
    return new FileListSection(QStringLiteral("Audio Files"), new AudioFileListModel, audioFileColumns,
                               {NameColumn::audioFiles, AudioFileColumn::name}, AudioFileColumn::format,
                               AudioFileColumn::path, source, parent);
}

FileListSection *FileListSection::clips(QWidget *parent)
{
    const Source source{[](const OverviewData &data) { return data.clipGroups->size(); }, visibleClipGroups};
    return new FileListSection(QStringLiteral("Clips"), new ClipListModel, clipColumns,
                               {NameColumn::clips, ClipColumn::name}, ClipColumn::format, ClipColumn::path, source,
                               parent);
}

FileListSection::FileListSection(const QString &name, FileRowListModel *model, std::function<ColumnLayout()> columns,
                                 ResizableColumn nameColumn, int formatColumn, int pathColumn, Source source,
                                 QWidget *parent)
    : ListSection(name + countSuffix(0, 0), new ListHeader(columns, nameColumn),
                  new FileRowDelegate(columns, {nameColumn.index, formatColumn, pathColumn}), parent)
    , name_(name)
    , model_(model)
    , source_(source)
{
    model_->setParent(this);
    list()->setModel(model_);
    connect(list(), &RowListView::rowClicked, this, [this](int row, Qt::KeyboardModifiers modifiers, QPoint position) {
        // The play control and the waveform of the row's cell play; the
        // rest of the row selects.
        const QString id = model_->index(row).data(OverviewRole::itemId).toString();
        if (clickWaveformCell(waveformCellRect(list()->rowRect(row)), position, id,
                              model_->playableItemAt(row), InlineAudioPlayer::shared()))
            return;
        emit itemClicked(model_->itemAt(row), selectionModifiers(modifiers));
    });
    connect(&InlineAudioPlayer::shared(), &InlineAudioPlayer::changed, list(), [list = list()] { list->update(); });
    connect(&WaveformLoader::shared(), &WaveformLoader::waveformReady, list(), [list = list()] { list->update(); });
    list()->installEventFilter(this);
    connect(list(), &RowListView::rowDoubleClicked, this,
            [this](int row) { emit itemDoubleClicked(model_->itemAt(row)); });
    connect(list(), &RowListView::contextMenuRequested, this, [this](int row, QPoint globalPosition) {
        showFileRowMenu(model_->itemAt(row), model_->index(row).data(OverviewRole::resolvedPath).toString(),
                        globalPosition);
    });
}

FileListSection::~FileListSection()
{
    // What only this list waited for is not read.
    WaveformLoader::shared().request(this, {});
}

void FileListSection::setData(const OverviewData &data)
{
    data_ = data;
    shown_.clear();
    refresh();
}

void FileListSection::setFilters(const SectionFilterToken &token)
{
    token_ = token;
    refresh();
}

void FileListSection::setSelection(std::shared_ptr<const OverviewSelection> selection)
{
    selection_ = selection;
    model_->setSelection(std::move(selection));
}

void FileListSection::setPlayerIdPrefix(const QString &prefix)
{
    model_->setPlayerIdPrefix(prefix);
}

std::optional<PlayableItem> FileListSection::playableItemOf(const SelectableItem &item) const
{
    const int row = model_->rowOf(item);
    if (row < 0)
        return std::nullopt;
    return model_->playableItemAt(row);
}

bool FileListSection::togglePlayback(const SelectableItem &item)
{
    const std::optional<PlayableItem> playable = playableItemOf(item);
    if (!playable)
        return false;
    InlineAudioPlayer::shared().toggle(model_->index(model_->rowOf(item)).data(OverviewRole::itemId).toString(),
                                       *playable);
    return true;
}

void FileListSection::requestVisibleWaveforms()
{
    // A bound for a very tall window: more rows than any screen shows.
    constexpr int kMostRowsInView = 400;
    std::vector<PlayableItem> items;
    const QRect visible = list()->isVisible() ? list()->visibleRegion().boundingRect() : QRect();
    if (!visible.isEmpty() && model_->rowCount() > 0) {
        const int first = std::max(0, list()->rowAt(visible.top()));
        int last = list()->rowAt(visible.bottom());
        if (last < 0)
            last = model_->rowCount() - 1;
        last = std::min(last, first + kMostRowsInView - 1);
        for (int row = first; row <= last; ++row)
            items.push_back(model_->playableItemAt(row));
    }
    WaveformLoader::shared().request(this, items);
}

bool FileListSection::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list() && (event->type() == QEvent::Paint || event->type() == QEvent::Hide))
        requestVisibleWaveforms();
    return ListSection::eventFilter(watched, event);
}

const std::vector<size_t> &FileListSection::shownRows() const
{
    return model_->rows();
}

int FileListSection::rowOf(const SelectableItem &item) const
{
    return rowNearLastFound(
        lastFoundRow_, model_->rowCount(), [&](int row) { return model_->itemAt(row) == item; },
        [&] { return model_->rowOf(item); });
}

void FileListSection::refresh()
{
    if (!data_.session)
        return;
    const std::vector<size_t> &shown = shown_.get(token_, [this] { return source_.filter(data_, token_); });
    // The stored result: the list stays as it is, without a reset or a new layout.
    if (shown_.generation() == shownGeneration_)
        return;
    shownGeneration_ = shown_.generation();
    model_->setRows(data_, shown);
    model_->setSelection(selection_);
    setTitle(name_ + countSuffix(shown.size(), source_.total(data_)));
    emit rowsChanged();
}

} // namespace kestrix
