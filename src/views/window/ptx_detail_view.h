// The whole content of a file window. It reads the session on a background
// thread, finds its audio files on disk, and shows it through the overview;
// it owns what the window remembers: the selection, the search, the open
// tracks, the timeline state and the section disclosure states (saved per
// file), and the import requests. Menu notifications reach it through its
// slots, which act only while its window is the key window.
#ifndef KESTRIX_VIEWS_WINDOW_PTX_DETAIL_VIEW_H
#define KESTRIX_VIEWS_WINDOW_PTX_DETAIL_VIEW_H

#include "clip_key.h"
#include "overview_data.h"
#include "pending_imports.h"
#include "ptx_preview_content.h"
#include "search_query.h"
#include "selection_manager.h"
#include "universe_state.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>
#include <string>
#include <unordered_set>

class QStackedWidget;

namespace kestrix {

class ActiveImportContext;
class DetailToolbar;
class ErrorPage;
class SessionLoadTask;
class UniverseOverview;
struct LoadedSession;
class WindowKeyObserver;

class PTXDetailView : public QWidget {
    Q_OBJECT
public:
    // Starts loading the file right away.
    explicit PTXDetailView(const QString &filePath, QWidget *parent = nullptr);
    ~PTXDetailView() override;

    const QString &filePath() const { return filePath_; }
    bool isLoading() const { return isLoading_; }
    // Present once the session was read.
    const PTXSessionInfo *sessionInfo() const { return data_ ? data_->session.get() : nullptr; }
    std::shared_ptr<const PTXSessionInfo> sharedSession() const { return data_ ? data_->session : nullptr; }
    // What was found of the session's audio files on disk.
    const AudioFileStatus *audioFiles() const { return data_ ? data_->files.get() : nullptr; }
    // Why the last load failed; empty otherwise.
    const QString &errorText() const { return errorText_; }

    PTXPreviewContent *content() const { return content_; }
    DetailToolbar *toolbar() const { return toolbar_; }
    UniverseOverview *timeline() const { return universe_; }
    SelectionManager &selectionManager() { return selection_; }
    bool windowIsKey() const;

    const SearchQuery &searchQuery() const { return searchQuery_; }
    void setSearchQuery(const SearchQuery &query);
    const std::unordered_set<std::string> &expandedItems() const { return expandedItems_; }
    void setExpandedItems(std::unordered_set<std::string> names);

    const UniverseSelection &universeSelection() const { return universeSelection_; }
    void setUniverseSelection(const UniverseSelection &selection);
    const UniverseViewport &universeViewport() const { return universeViewport_; }
    void setUniverseViewport(const UniverseViewport &viewport);
    double overviewUniverseExtraHeight() const { return extraHeight_; }
    void setOverviewUniverseExtraHeight(double extra);

    // The shared import menu state; the view keeps it current while its window is key.
    void setImportContext(ActiveImportContext *context);
    // How many items an import would take now.
    int importItemCount() const;
    const std::optional<PendingTracksImport> &pendingTracksImport() const { return pendingTracks_; }
    const std::optional<PendingAudioImport> &pendingAudioImport() const { return pendingAudio_; }
    const std::optional<PendingClipsImport> &pendingClipsImport() const { return pendingClips_; }
    // Called when the import dialog closes.
    void clearPendingImports();

public slots:
    // Reads the file again, keeping what the window remembers.
    void reload();
    // The menu notifications: each does something only in the key window.
    void refreshFile();
    void clearOverviewSelection();
    void universeZoomInHorizontal();
    void universeZoomOutHorizontal();
    void universeZoomInVertical();
    void universeZoomOutVertical();
    // Imports what is selected (the import command).
    void startImport();

signals:
    void loadFinished();
    void universeSelectionChanged(const kestrix::UniverseSelection &selection);
    void universeViewportChanged(const kestrix::UniverseViewport &viewport);
    // A zoom command for the timeline overview: factor 1.5 in, 2/3 out.
    void universeZoomRequested(Qt::Orientation orientation, double factor);
    void pendingImportChanged();
    // Double-clicking a clip on the timeline asks for it to be played.
    void clipPlayRequested(const kestrix::ClipKey &key);
    // A click inside the playing clip asks playback to move there (seconds
    // from the clip's start).
    void seekRequested(double seconds);

private:
    void finishLoading(const LoadedSession &loaded);
    void connectUniverse();
    void updateTimelineRows();
    void updateUniverseHighlights();
    void timelineClipClicked(const ClipKey &key, Qt::KeyboardModifiers modifiers);
    void applyPerFileSettings();
    void savePerFileSettings();
    void itemClicked(const SelectableItem &item, SelectionManager::Modifiers modifiers);
    void importRow(const SelectableItem &item);
    void selectionChanged(unsigned changes);
    void prepareSelectionLists(const std::optional<ClickScope> &scope);
    void moveSelection(bool down, bool extend);
    void openFocusedTrack(std::optional<bool> open);
    void leaveFocusedItem();
    void updateImportContext();
    void openWithProTools();
    void installKeyHandling();
    void installShortcuts();

    QString filePath_;
    bool isLoading_ = false;
    std::optional<OverviewData> data_;
    QString errorText_;

    SelectionManager selection_;
    std::unordered_set<std::string> expandedItems_;
    SearchQuery searchQuery_;
    UniverseSelection universeSelection_;
    UniverseViewport universeViewport_;
    double extraHeight_ = 0;
    // The session tracks the timeline shows as rows.
    std::vector<size_t> timelineTracks_;
    bool perFileSettingsLoaded_ = false;
    // The selection's copies of the shown lists are refreshed only when needed.
    bool selectionListsStale_ = true;
    // Whether a newly focused item is scrolled into view.
    bool revealFocusedItem_ = true;

    QPointer<ActiveImportContext> importContext_;
    std::optional<PendingTracksImport> pendingTracks_;
    std::optional<PendingAudioImport> pendingAudio_;
    std::optional<PendingClipsImport> pendingClips_;
    int nextImportId_ = 1;

    SessionLoadTask *loadTask_;
    WindowKeyObserver *keyObserver_;
    DetailToolbar *toolbar_;
    QStackedWidget *pages_;
    QWidget *loadingPage_;
    ErrorPage *errorPage_;
    PTXPreviewContent *content_;
    UniverseOverview *universe_;
};

} // namespace kestrix

#endif
