// The scrolling body of a file window: the session's sections, top to
// bottom: "Session Setup", "Overview", the tracks, audio files, clips,
// plug-ins and memory locations. It draws what the window gives it and
// reports what the user does; the window owns the state.
#ifndef KESTRIX_VIEWS_OVERVIEW_PTX_PREVIEW_CONTENT_H
#define KESTRIX_VIEWS_OVERVIEW_PTX_PREVIEW_CONTENT_H

#include "overview_data.h"
#include "search_query.h"
#include "selection_manager.h"
#include "universe_state.h"

#include <QScrollArea>

#include <array>
#include <string>
#include <unordered_set>
#include <vector>

namespace kestrix {

class FileListSection;
class GetInfoSection;
class ListSection;
class MemoryLocationsSection;
class PluginsSection;
class SessionInfoGrid;
class TimelineOverviewSection;
class TracksSection;

// The sections whose disclosure states the window keeps for each file.
enum class OverviewSection {
    sessionInfo,
    overview,
    tracks,
    audioFiles,
    clips,
    plugins,
    activePlugins,
    inactivePlugins,
    locations,
};
inline constexpr std::array kAllOverviewSections{
    OverviewSection::sessionInfo,   OverviewSection::overview,        OverviewSection::tracks,
    OverviewSection::audioFiles,    OverviewSection::clips,           OverviewSection::plugins,
    OverviewSection::activePlugins, OverviewSection::inactivePlugins, OverviewSection::locations,
};

class PTXPreviewContent : public QScrollArea {
    Q_OBJECT
public:
    explicit PTXPreviewContent(QWidget *parent = nullptr);

    void setData(const OverviewData &data);
    void setSelection(const OverviewSelection &selection);
    void setSearchQuery(const SearchQuery &query);
    void setUniverseSelection(const UniverseSelection &selection);
    void setExpandedTracks(std::unordered_set<std::string> names);
    const std::unordered_set<std::string> &expandedTracks() const;
    void setSectionExpanded(OverviewSection section, bool expanded);
    bool isSectionExpanded(OverviewSection section) const;

    GetInfoSection *section(OverviewSection section) const;
    SessionInfoGrid *sessionInfoGrid() const { return grid_; }
    TimelineOverviewSection *timelineSection() const { return timeline_; }
    TracksSection *tracksSection() const { return tracks_; }
    FileListSection *audioFilesSection() const { return audioFiles_; }
    FileListSection *clipsSection() const { return clips_; }
    PluginsSection *pluginsSection() const { return plugins_; }
    MemoryLocationsSection *locationsSection() const { return locations_; }

    // Scrolls the item's row into view, when its section is open.
    void ensureItemVisible(const SelectableItem &item);

    // The lists as they are shown, which keyboard movement and Shift ranges run through.
    std::vector<PTXTrackInfo> shownTracks() const;
    std::vector<PTXAudioFileGroup> shownAudioFileGroups() const;
    std::vector<PTXClipGroup> shownClipGroups() const;
    // The timeline's rows: the tracks the list shows, in its order, each with
    // every clip it holds. `shownTrackIndices` tells when they change.
    std::vector<PTXTrackInfo> timelineTracks() const;
    const std::vector<size_t> &shownTrackIndices() const;

signals:
    void itemClicked(const kestrix::SelectableItem &item, kestrix::SelectionManager::Modifiers modifiers);
    void itemDoubleClicked(const kestrix::SelectableItem &item);
    void revealRequested(const QString &path);
    // Import chosen in the context menu of the row of `item`.
    void importRequested(const kestrix::SelectableItem &item);
    void expandedTracksChanged(const std::unordered_set<std::string> &names);
    void sectionExpandedChanged(kestrix::OverviewSection section, bool expanded);
    // What one of the lists shows changed.
    void shownListsChanged();
    void zoomInHorizontal();
    void zoomOutHorizontal();
    void zoomInVertical();
    void zoomOutVertical();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void applyFilters();
    void showFocus(bool focused);
    void connectListSection(ListSection *section);
    void prepareSearchIndex();

    OverviewData data_;
    SearchQuery search_;
    UniverseSelection universe_;

    SessionInfoGrid *grid_;
    GetInfoSection *sessionInfo_;
    TimelineOverviewSection *timeline_;
    TracksSection *tracks_;
    FileListSection *audioFiles_;
    FileListSection *clips_;
    PluginsSection *plugins_;
    MemoryLocationsSection *locations_;
};

} // namespace kestrix

#endif
