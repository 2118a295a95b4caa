#include "ptx_preview_content.h"

#include "file_list_section.h"
#include "file_row_list_model.h"
#include "indices.h"
#include "memory_locations_section.h"
#include "overview_style.h"
#include "plugins_section.h"
#include "row_list_view.h"
#include "session_info_grid.h"
#include "timeline_overview_section.h"
#include "tracks_section.h"

#include <QFrame>
#include <QThreadPool>
#include <QVBoxLayout>

#include <exception>

namespace kestrix {

PTXPreviewContent::PTXPreviewContent(QWidget *parent)
    : QScrollArea(parent)
    , grid_(new SessionInfoGrid)
    , sessionInfo_(new GetInfoSection(QStringLiteral("Session Setup")))
    , timeline_(new TimelineOverviewSection)
    , tracks_(new TracksSection)
    , audioFiles_(FileListSection::audioFiles())
    , clips_(FileListSection::clips())
    , plugins_(new PluginsSection)
    , locations_(new MemoryLocationsSection)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Keys reach the window's key handling through the content.
    setFocusPolicy(Qt::StrongFocus);

    sessionInfo_->setContent(grid_);
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 6, 0, 12);
    layout->setSpacing(2);
    for (OverviewSection s : kAllOverviewSections) {
        GetInfoSection *sectionWidget = section(s);
        connect(sectionWidget, &GetInfoSection::expandedChanged, this,
                [this, s](bool expanded) { emit sectionExpandedChanged(s, expanded); });
        if (s == OverviewSection::activePlugins || s == OverviewSection::inactivePlugins)
            continue; // nested in the plug-ins section
        layout->addWidget(sectionWidget);
        // Alt-clicking a header opens or closes every top-level section.
        connect(sectionWidget, &GetInfoSection::optionToggled, this, [this](bool expanded) {
            for (OverviewSection other : kAllOverviewSections)
                if (other != OverviewSection::activePlugins && other != OverviewSection::inactivePlugins)
                    setSectionExpanded(other, expanded);
        });
    }
    layout->addStretch();
    setWidget(column);

    connectListSection(tracks_);
    connectListSection(audioFiles_);
    connectListSection(clips_);
    connect(tracks_, &TracksSection::importTrackRequested, this, &PTXPreviewContent::importRequested);
    connect(tracks_, &TracksSection::expandedTracksChanged, this, &PTXPreviewContent::expandedTracksChanged);
    connect(timeline_, &TimelineOverviewSection::zoomInHorizontal, this, &PTXPreviewContent::zoomInHorizontal);
    connect(timeline_, &TimelineOverviewSection::zoomOutHorizontal, this, &PTXPreviewContent::zoomOutHorizontal);
    connect(timeline_, &TimelineOverviewSection::zoomInVertical, this, &PTXPreviewContent::zoomInVertical);
    connect(timeline_, &TimelineOverviewSection::zoomOutVertical, this, &PTXPreviewContent::zoomOutVertical);
}

void PTXPreviewContent::connectListSection(ListSection *section)
{
    connect(section, &ListSection::itemClicked, this,
            [this](const SelectableItem &item, SelectionManager::Modifiers modifiers) {
                setFocus(Qt::MouseFocusReason);
                emit itemClicked(item, modifiers);
            });
    connect(section, &ListSection::itemDoubleClicked, this, &PTXPreviewContent::itemDoubleClicked);
    connect(section, &ListSection::revealRequested, this, &PTXPreviewContent::revealRequested);
    connect(section, &ListSection::importRequested, this, &PTXPreviewContent::importRequested);
    connect(section, &ListSection::rowsChanged, this, &PTXPreviewContent::shownListsChanged);
}

GetInfoSection *PTXPreviewContent::section(OverviewSection section) const
{
    switch (section) {
        case OverviewSection::sessionInfo: return sessionInfo_;
        case OverviewSection::overview: return timeline_;
        case OverviewSection::tracks: return tracks_;
        case OverviewSection::audioFiles: return audioFiles_;
        case OverviewSection::clips: return clips_;
        case OverviewSection::plugins: return plugins_;
        case OverviewSection::activePlugins: return plugins_->active();
        case OverviewSection::inactivePlugins: return plugins_->inactive();
        case OverviewSection::locations: return locations_;
    }
    return nullptr;
}

void PTXPreviewContent::setData(const OverviewData &data)
{
    data_ = data;
    prepareSearchIndex();
    grid_->setInfo(*data_.session);
    tracks_->setData(data_);
    audioFiles_->setData(data_);
    clips_->setData(data_);
    plugins_->setData(data_);
    locations_->setData(data_);
    applyFilters();
}

// The search index is built beside the first frame, on a pool thread; a
// search typed before it is ready waits for it.
void PTXPreviewContent::prepareSearchIndex()
{
    QThreadPool::globalInstance()->start([index = data_.searchIndex] {
        try {
            index->get();
        } catch (const std::exception &) {
            // Nothing may escape a pool thread; the first search builds it again.
        }
    });
}

void PTXPreviewContent::setSelection(const OverviewSelection &selection)
{
    const auto shared = std::make_shared<const OverviewSelection>(selection);
    tracks_->setSelection(shared);
    audioFiles_->setSelection(shared);
    clips_->setSelection(shared);
}

void PTXPreviewContent::setSearchQuery(const SearchQuery &query)
{
    search_ = query;
    applyFilters();
}

void PTXPreviewContent::setUniverseSelection(const UniverseSelection &selection)
{
    universe_ = selection;
    applyFilters();
}

void PTXPreviewContent::applyFilters()
{
    if (!data_.session)
        return;
    tracks_->setFilters({search_, universe_});
    audioFiles_->setFilters({search_, universe_});
    clips_->setFilters({search_, universe_});
}

void PTXPreviewContent::setExpandedTracks(std::unordered_set<std::string> names)
{
    tracks_->setExpandedTracks(std::move(names));
}

const std::unordered_set<std::string> &PTXPreviewContent::expandedTracks() const
{
    return tracks_->expandedTracks();
}

void PTXPreviewContent::setSectionExpanded(OverviewSection s, bool expanded)
{
    section(s)->setExpanded(expanded);
}

bool PTXPreviewContent::isSectionExpanded(OverviewSection s) const
{
    return section(s)->isExpanded();
}

void PTXPreviewContent::ensureItemVisible(const SelectableItem &item)
{
    ListSection *list = tracks_;
    if (item.kind.kind == SelectableItemKind::Kind::audioFile)
        list = audioFiles_;
    else if (item.kind.kind == SelectableItemKind::Kind::clip)
        list = clips_;
    if (!list->isExpanded())
        return;
    const int row = list->rowOf(item);
    if (row < 0)
        return;
    const QRect rect = list->list()->rowRect(row);
    const QPoint centre = list->list()->mapTo(widget(), rect.center());
    ensureVisible(centre.x(), centre.y(), 0, rect.height() * 2);
}

std::vector<PTXTrackInfo> PTXPreviewContent::shownTracks() const
{
    return tracks_->shownTracksWithLaneClips();
}

std::vector<PTXAudioFileGroup> PTXPreviewContent::shownAudioFileGroups() const
{
    return data_.session ? itemsAt(*data_.audioFileGroups, audioFiles_->shownRows()) : std::vector<PTXAudioFileGroup>{};
}

std::vector<PTXClipGroup> PTXPreviewContent::shownClipGroups() const
{
    return data_.session ? itemsAt(*data_.clipGroups, clips_->shownRows()) : std::vector<PTXClipGroup>{};
}

std::vector<PTXTrackInfo> PTXPreviewContent::timelineTracks() const
{
    return data_.session ? itemsAt(data_.session->tracks, tracks_->shownTracks()) : std::vector<PTXTrackInfo>{};
}

const std::vector<size_t> &PTXPreviewContent::shownTrackIndices() const
{
    return tracks_->shownTracks();
}

void PTXPreviewContent::focusInEvent(QFocusEvent *event)
{
    QScrollArea::focusInEvent(event);
    showFocus(true);
}

void PTXPreviewContent::focusOutEvent(QFocusEvent *event)
{
    QScrollArea::focusOutEvent(event);
    showFocus(false);
}

void PTXPreviewContent::showFocus(bool focused)
{
    for (ListSection *section : {static_cast<ListSection *>(tracks_), static_cast<ListSection *>(audioFiles_),
                                 static_cast<ListSection *>(clips_)})
        section->list()->setFocusedLook(focused);
}

} // namespace kestrix
