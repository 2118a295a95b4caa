#include "ptx_detail_view.h"

#include "active_import_context.h"
#include "audio_device_manager.h"
#include "audio_device_picker.h"
#include "detail_toolbar.h"
#include "import_window_modifier.h"
#include "key_event_handler.h"
#include "multi_mono_grouping.h"
#include "overview_style.h"
#include "per_file_settings.h"
#include "per_file_settings_store.h"
#include "pro_tools_application.h"
#include "selection_modifiers.h"
#include "session_load_task.h"
#include "show_in_file_manager.h"
#include "status_pages.h"
#include "timeline_overview_section.h"
#include "toolbar_icons.h"
#include "universe_highlights.h"
#include "universe_overview.h"
#include "universe_view.h"
#include "window_key_observer.h"
#include "window_playback.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace kestrix {

namespace {

constexpr double kZoomInFactor = 1.5;
constexpr double kZoomOutFactor = 2.0 / 3.0;

// Where each section's disclosure state lives in the file's settings.
constexpr std::array<std::pair<OverviewSection, bool PerFileSettings::*>, 9> kDisclosureFlags{{
    {OverviewSection::sessionInfo, &PerFileSettings::sessionInfoExpanded},
    {OverviewSection::overview, &PerFileSettings::overviewExpanded},
    {OverviewSection::audioFiles, &PerFileSettings::audioFilesExpanded},
    {OverviewSection::plugins, &PerFileSettings::pluginsExpanded},
    {OverviewSection::activePlugins, &PerFileSettings::activePluginsExpanded},
    {OverviewSection::inactivePlugins, &PerFileSettings::inactivePluginsExpanded},
    {OverviewSection::tracks, &PerFileSettings::tracksExpanded},
    {OverviewSection::clips, &PerFileSettings::clipsExpanded},
    {OverviewSection::locations, &PerFileSettings::locationsExpanded},
}};

// Sandboxed platforms grant access to the folder beside the session here, so
// that its audio files can be read; this platform needs nothing.
void accessSessionFolder(const QString &) { }

OverviewSelection overviewSelection(const SelectionManager &selection)
{
    return {selection.selectedItems(), selection.activeScope()};
}

// The items of `groups` whose ids are selected as `kind`, in list order.
template <class Group>
std::vector<Group> selectedGroups(const std::vector<Group> &groups, const SelectionManager &selection,
                                  const SelectableItemKind &kind)
{
    std::vector<Group> chosen;
    for (const Group &group : groups)
        if (selection.selectedItems().contains({group.id, kind}))
            chosen.push_back(group);
    return chosen;
}

} // namespace

PTXDetailView::PTXDetailView(const QString &filePath, QWidget *parent)
    : QWidget(parent)
    , filePath_(filePath)
    , loadTask_(new SessionLoadTask(this))
    , keyObserver_(new WindowKeyObserver(this))
    , toolbar_(new DetailToolbar)
    , pages_(new QStackedWidget)
    , loadingPage_(new LoadingPage)
    , errorPage_(new ErrorPage)
    , content_(new PTXPreviewContent)
    , universe_(new UniverseOverview)
{
    content_->timelineSection()->setTimeline(universe_);
    connectUniverse();
    pages_->addWidget(loadingPage_);
    pages_->addWidget(content_);
    pages_->addWidget(errorPage_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    auto *divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    QPalette dividerPalette = divider->palette();
    dividerPalette.setColor(QPalette::WindowText, overview::separatorColor(dividerPalette));
    divider->setPalette(dividerPalette);
    layout->addWidget(divider);
    layout->addWidget(pages_, 1);

    auto *devices = new AudioDevicePicker(AudioDeviceManager::shared());
    devices->setIcon(speakerIcon(palette().color(QPalette::ButtonText)));
    devices->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    devices->setAutoRaise(true);
    toolbar_->insertWidget(toolbar_->openWithProToolsAction(), devices);
    toolbar_->setProToolsAvailable(proToolsApplicationPath().has_value());
    toolbar_->searchField()->setEnabled(false);

    connect(toolbar_, &DetailToolbar::searchTextChanged, this, [this](const QString &text) {
        setSearchQuery({text.toStdString(), searchQuery_.scope});
    });
    connect(toolbar_, &DetailToolbar::scopeChanged, this, [this](SearchQuery::Scope scope) {
        setSearchQuery({searchQuery_.text, scope});
    });
    connect(toolbar_, &DetailToolbar::openWithProToolsTriggered, this, &PTXDetailView::openWithProTools);

    connect(content_, &PTXPreviewContent::itemClicked, this, &PTXDetailView::itemClicked);
    connect(content_, &PTXPreviewContent::revealRequested, this,
            [this](const QString &path) { showInFileManager(path, this); });
    connect(content_, &PTXPreviewContent::importRequested, this, &PTXDetailView::importRow);
    // The pending import opens its dialog.
    new ImportWindowModifier(this);
    connect(content_, &PTXPreviewContent::expandedTracksChanged, this,
            [this](const std::unordered_set<std::string> &names) { setExpandedItems(names); });
    connect(content_, &PTXPreviewContent::shownListsChanged, this, [this] { selectionListsStale_ = true; });
    connect(content_, &PTXPreviewContent::sectionExpandedChanged, this, &PTXDetailView::savePerFileSettings);
    connect(content_, &PTXPreviewContent::zoomInHorizontal, this,
            [this] { emit universeZoomRequested(Qt::Horizontal, kZoomInFactor); });
    connect(content_, &PTXPreviewContent::zoomOutHorizontal, this,
            [this] { emit universeZoomRequested(Qt::Horizontal, kZoomOutFactor); });
    connect(content_, &PTXPreviewContent::zoomInVertical, this,
            [this] { emit universeZoomRequested(Qt::Vertical, kZoomInFactor); });
    connect(content_, &PTXPreviewContent::zoomOutVertical, this,
            [this] { emit universeZoomRequested(Qt::Vertical, kZoomOutFactor); });

    selection_.addObserver([this](unsigned changes) { selectionChanged(changes); });
    connect(loadTask_, &SessionLoadTask::finished, this, &PTXDetailView::finishLoading);
    connect(keyObserver_, &WindowKeyObserver::keyChanged, this, &PTXDetailView::updateImportContext);
    installKeyHandling();
    installShortcuts();
    // Stops what the window plays when the window goes.
    playback_ = new WindowPlayback(filePath_ + QLatin1Char('#'), content_, universe_, this);
    connect(this, &PTXDetailView::clipPlayRequested, playback_, &WindowPlayback::playTimelineClip);
    reload();
}

PTXDetailView::~PTXDetailView() = default;

bool PTXDetailView::windowIsKey() const
{
    return isActiveWindow();
}

// Loading ------------------------------------------------------------------

void PTXDetailView::reload()
{
    isLoading_ = true;
    accessSessionFolder(filePath_);
    // A refresh keeps the session in view until the new one is read.
    if (!data_)
        pages_->setCurrentWidget(loadingPage_);
    loadTask_->start(filePath_);
}

void PTXDetailView::finishLoading(const LoadedSession &loaded)
{
    isLoading_ = false;
    if (!loaded.data) {
        data_.reset();
        errorText_ = loaded.error;
        errorPage_->setMessage(errorText_);
        pages_->setCurrentWidget(errorPage_);
        toolbar_->searchField()->setEnabled(false);
        updateImportContext();
        emit loadFinished();
        return;
    }
    errorText_.clear();
    data_ = loaded.data;
    applyPerFileSettings();
    content_->setData(*data_);
    playback_->setData(*data_);
    timelineTracks_ = content_->shownTrackIndices();
    universe_->setSession(*data_->session, content_->timelineTracks());
    updateUniverseHighlights();
    selectionListsStale_ = true;
    // The selection gets its copies of the lists when it first needs them:
    // now only for a selection brought back from the last visit.
    if (const auto scope = selection_.activeScope())
        prepareSelectionLists(scope);
    content_->setSelection(overviewSelection(selection_));
    pages_->setCurrentWidget(content_);
    toolbar_->searchField()->setEnabled(true);
    updateImportContext();
    emit loadFinished();
}

// The timeline overview shows what the window holds and reports the user's
// zooms, scrolls, selections and height changes back to be kept and saved.
void PTXDetailView::connectUniverse()
{
    connect(this, &PTXDetailView::universeZoomRequested, universe_, &UniverseOverview::zoom);
    connect(this, &PTXDetailView::universeSelectionChanged, universe_, &UniverseOverview::setSelection);
    connect(this, &PTXDetailView::universeViewportChanged, universe_, &UniverseOverview::setViewport);
    connect(universe_, &UniverseOverview::selectionChanged, this, &PTXDetailView::setUniverseSelection);
    connect(universe_, &UniverseOverview::viewportChanged, this, &PTXDetailView::setUniverseViewport);
    connect(universe_, &UniverseOverview::extraHeightChanged, this, &PTXDetailView::setOverviewUniverseExtraHeight);
    connect(content_, &PTXPreviewContent::shownListsChanged, this, &PTXDetailView::updateTimelineRows);
    connect(universe_, &UniverseOverview::clipClicked, this, &PTXDetailView::timelineClipClicked);
    connect(universe_, &UniverseOverview::clipDoubleClicked, this, &PTXDetailView::clipPlayRequested);
    connect(universe_, &UniverseOverview::clipSeek, this, &PTXDetailView::seekRequested);
}

// The rows follow the track list; rebuilt only when its tracks change, not
// on every list change a search brings.
void PTXDetailView::updateTimelineRows()
{
    if (!data_ || content_->shownTrackIndices() == timelineTracks_)
        return;
    timelineTracks_ = content_->shownTrackIndices();
    universe_->setRows(content_->timelineTracks());
    updateUniverseHighlights();
}

void PTXDetailView::updateUniverseHighlights()
{
    if (!data_)
        return;
    const UniverseHighlights highlights
        = universeHighlights(universe_->universe()->rows().tracks(), *data_, selection_.selectedItems());
    universe_->setSelectedClipKeys(highlights.clips);
    universe_->setSelectedTrackNames(highlights.trackNames);
    universe_->setListSelectionSpan(highlights.listSpan);
}

// A clip clicked on the timeline selects its clip group in the track's lane,
// which opens so the selection shows in the list too.
void PTXDetailView::timelineClipClicked(const ClipKey &key, Qt::KeyboardModifiers modifiers)
{
    const std::optional<size_t> row = universe_->universe()->rows().rowNamed(key.trackName.toStdString());
    if (!row || key.placement < 0)
        return;
    const std::optional<SelectableItem> item
        = laneItemOf(universe_->universe()->rows().tracks()[*row], size_t(key.placement));
    if (!item)
        return;
    if (!expandedItems_.contains(item->kind.trackName)) {
        std::unordered_set<std::string> names = expandedItems_;
        names.insert(item->kind.trackName);
        setExpandedItems(std::move(names));
    }
    // The page stays where it is: the user is looking at the timeline.
    const QScopedValueRollback keepPage(revealFocusedItem_, false);
    itemClicked(*item, selectionModifiers(modifiers));
}

void PTXDetailView::selectTrackOrClip(const ClipKey &key)
{
    const PTXSessionInfo *session = sessionInfo();
    const std::string name = key.trackName.toStdString();
    if (!session || std::none_of(session->tracks.begin(), session->tracks.end(),
                                 [&](const PTXTrackInfo &track) { return track.name == name; }))
        return;
    if (key.placement < 0)
        itemClicked({name, SelectableItemKind::track()}, {});
    else
        timelineClipClicked(key, Qt::NoModifier);
}

// Persisted state -----------------------------------------------------------

void PTXDetailView::applyPerFileSettings()
{
    if (perFileSettingsLoaded_)
        return;
    const PerFileSettings settings = PerFileSettingsStore::shared().load(filePath_);
    universeSelection_ = settings.universeSelection;
    universeViewport_ = settings.universeViewport;
    extraHeight_ = settings.overviewUniverseExtraHeight;
    for (const auto &[section, flag] : kDisclosureFlags)
        content_->setSectionExpanded(section, settings.*flag);
    content_->setUniverseSelection(universeSelection_);
    universe_->setExtraHeight(extraHeight_);
    // Only from here on do changes count as the user's, to be saved.
    perFileSettingsLoaded_ = true;
    emit universeSelectionChanged(universeSelection_);
    emit universeViewportChanged(universeViewport_);
}

void PTXDetailView::savePerFileSettings()
{
    if (!perFileSettingsLoaded_)
        return;
    // The frame is the window's to save; keep whatever it stored last.
    PerFileSettings settings;
    settings.windowFrame = PerFileSettingsStore::shared().load(filePath_).windowFrame;
    settings.universeSelection = universeSelection_;
    settings.universeViewport = universeViewport_;
    settings.overviewUniverseExtraHeight = extraHeight_;
    for (const auto &[section, flag] : kDisclosureFlags)
        settings.*flag = content_->isSectionExpanded(section);
    PerFileSettingsStore::shared().save(filePath_, settings);
}

void PTXDetailView::setUniverseSelection(const UniverseSelection &selection)
{
    if (selection == universeSelection_)
        return;
    universeSelection_ = selection;
    content_->setUniverseSelection(selection);
    savePerFileSettings();
    emit universeSelectionChanged(selection);
}

void PTXDetailView::setUniverseViewport(const UniverseViewport &viewport)
{
    if (viewport == universeViewport_)
        return;
    universeViewport_ = viewport;
    savePerFileSettings();
    emit universeViewportChanged(viewport);
}

void PTXDetailView::setOverviewUniverseExtraHeight(double extra)
{
    if (extra == extraHeight_)
        return;
    extraHeight_ = extra;
    universe_->setExtraHeight(extra);
    savePerFileSettings();
}

// Search and selection -------------------------------------------------------

void PTXDetailView::setSearchQuery(const SearchQuery &query)
{
    if (query == searchQuery_)
        return;
    searchQuery_ = query;
    if (toolbar_->searchField()->text().toStdString() != query.text)
        toolbar_->searchField()->setText(QString::fromStdString(query.text));
    toolbar_->setScope(query.scope);
    content_->setSearchQuery(query);
}

void PTXDetailView::setExpandedItems(std::unordered_set<std::string> names)
{
    if (names == expandedItems_)
        return;
    expandedItems_ = std::move(names);
    content_->setExpandedTracks(expandedItems_);
    selectionListsStale_ = true;
}

void PTXDetailView::prepareSelectionLists(const std::optional<ClickScope> &scope)
{
    if (!selectionListsStale_ || !data_)
        return;
    selectionListsStale_ = false;
    // Copies of the lists as shown; made only when a selection needs them.
    selection_.setCachedTracks(content_->shownTracks());
    selection_.setCachedAudioFileGroups(content_->shownAudioFileGroups());
    selection_.setCachedClipGroups(content_->shownClipGroups());
    selection_.setCachedExpandedTracks(expandedItems_);
    if (scope)
        selection_.rebuildFlatList();
}

void PTXDetailView::itemClicked(const SelectableItem &item, SelectionManager::Modifiers modifiers)
{
    prepareSelectionLists(selection_.activeScope());
    selection_.click(item.id, scopeOf(item.kind), modifiers);
}

void PTXDetailView::selectionChanged(unsigned changes)
{
    content_->setSelection(overviewSelection(selection_));
    if (changes & SelectionManager::selectedItemsChanged)
        updateUniverseHighlights();
    if ((changes & SelectionManager::focusedItemChanged) && selection_.focusedItem() && revealFocusedItem_)
        content_->ensureItemVisible(*selection_.focusedItem());
    updateImportContext();
}

void PTXDetailView::moveSelection(bool down, bool extend)
{
    prepareSelectionLists(selection_.activeScope());
    if (down)
        selection_.moveDown(extend);
    else
        selection_.moveUp(extend);
    // Moving onto the item that was already focused changes nothing, but it should be in view.
    if (selection_.focusedItem())
        content_->ensureItemVisible(*selection_.focusedItem());
}

// Opens (true), closes (false) or toggles (none) the focused track.
void PTXDetailView::openFocusedTrack(std::optional<bool> open)
{
    const std::optional<SelectableItem> &focused = selection_.focusedItem();
    if (!focused || focused->kind != SelectableItemKind::track())
        return;
    std::unordered_set<std::string> names = expandedItems_;
    const bool isOpen = names.contains(focused->id);
    if (open.value_or(!isOpen))
        names.insert(focused->id);
    else
        names.erase(focused->id);
    setExpandedItems(std::move(names));
    prepareSelectionLists(selection_.activeScope());
}

// Left arrow: a clip of an open track goes back to its track; a track closes.
void PTXDetailView::leaveFocusedItem()
{
    const std::optional<SelectableItem> focused = selection_.focusedItem();
    if (focused && focused->kind.kind == SelectableItemKind::Kind::trackClip) {
        prepareSelectionLists(selection_.activeScope());
        selection_.selectOnly(focused->kind.trackName, ClickScope::tracks());
        return;
    }
    openFocusedTrack(false);
}

void PTXDetailView::installKeyHandling()
{
    KeyActions actions;
    // Space plays or pauses a focused file or clip, and opens or closes a focused track.
    actions.onSpace = [this] {
        const std::optional<SelectableItem> focused = selection_.focusedItem();
        if (!focused || !playback_->toggleItem(*focused))
            openFocusedTrack(std::nullopt);
    };
    // Return opens the player window on a focused file or clip.
    actions.onReturn = [this] {
        const std::optional<SelectableItem> focused = selection_.focusedItem();
        if (!focused || !playback_->openPlayer(*focused))
            openFocusedTrack(std::nullopt);
    };
    actions.onDown = [this](bool extend) { moveSelection(true, extend); };
    actions.onUp = [this](bool extend) { moveSelection(false, extend); };
    actions.onRight = [this] { openFocusedTrack(true); };
    actions.onLeft = [this] { leaveFocusedItem(); };
    new KeyEventHandler(content_, std::move(actions), this);
}

void PTXDetailView::installShortcuts()
{
    // Window-local zoom keys, besides the View menu's.
    const std::array<std::tuple<QKeySequence, Qt::Orientation, double>, 4> zooms{{
        {QKeySequence(Qt::CTRL | Qt::Key_BracketRight), Qt::Horizontal, kZoomInFactor},
        {QKeySequence(Qt::CTRL | Qt::Key_BracketLeft), Qt::Horizontal, kZoomOutFactor},
        {QKeySequence(Qt::META | Qt::ALT | Qt::Key_Up), Qt::Vertical, kZoomInFactor},
        {QKeySequence(Qt::META | Qt::ALT | Qt::Key_Down), Qt::Vertical, kZoomOutFactor},
    }};
    for (const auto &[keys, orientation, factor] : zooms) {
        auto *action = new QAction(this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this,
                [this, orientation, factor] { emit universeZoomRequested(orientation, factor); });
        addAction(action);
    }
}

// Menu notifications ---------------------------------------------------------

void PTXDetailView::refreshFile()
{
    if (windowIsKey())
        reload();
}

void PTXDetailView::clearOverviewSelection()
{
    if (windowIsKey())
        setUniverseSelection({});
}

void PTXDetailView::universeZoomInHorizontal()
{
    if (windowIsKey())
        emit universeZoomRequested(Qt::Horizontal, kZoomInFactor);
}

void PTXDetailView::universeZoomOutHorizontal()
{
    if (windowIsKey())
        emit universeZoomRequested(Qt::Horizontal, kZoomOutFactor);
}

void PTXDetailView::universeZoomInVertical()
{
    if (windowIsKey())
        emit universeZoomRequested(Qt::Vertical, kZoomInFactor);
}

void PTXDetailView::universeZoomOutVertical()
{
    if (windowIsKey())
        emit universeZoomRequested(Qt::Vertical, kZoomOutFactor);
}

// Import ---------------------------------------------------------------------

void PTXDetailView::setImportContext(ActiveImportContext *context)
{
    if (importContext_)
        importContext_->disconnect(this);
    importContext_ = context;
    if (importContext_)
        connect(importContext_, &ActiveImportContext::importPulseChanged, this, [this] {
            if (windowIsKey())
                startImport();
        });
    updateImportContext();
}

int PTXDetailView::importItemCount() const
{
    return data_ ? int(selection_.selectedItems().size()) : 0;
}

void PTXDetailView::updateImportContext()
{
    if (!importContext_ || !windowIsKey())
        return;
    importContext_->setTrackCount(importItemCount());
    importContext_->setImportEnabled(importItemCount() > 0);
}

void PTXDetailView::importRow(const SelectableItem &item)
{
    // The menu of a row outside the selection imports that row.
    if (!selection_.selectedItems().contains(item)) {
        prepareSelectionLists(selection_.activeScope());
        selection_.selectOnly(item.id, scopeOf(item.kind));
    }
    startImport();
}

void PTXDetailView::startImport()
{
    const std::optional<ClickScope> &scope = selection_.activeScope();
    if (!data_ || !scope || selection_.selectedItems().empty())
        return;
    const PTXSessionInfo &session = *data_->session;
    switch (scope->kind) {
        case ClickScope::Kind::tracks: {
            PendingTracksImport request{nextImportId_++, {}};
            for (const PTXTrackInfo &track : session.tracks)
                if (selection_.selectedItems().contains({track.name, SelectableItemKind::track()}))
                    request.items.push_back(track);
            pendingTracks_ = std::move(request);
            break;
        }
        case ClickScope::Kind::audioFiles:
            pendingAudio_ = PendingAudioImport{
                nextImportId_++, selectedGroups(*data_->audioFileGroups, selection_, SelectableItemKind::audioFile())};
            break;
        case ClickScope::Kind::clips:
            pendingClips_ = PendingClipsImport{
                nextImportId_++, selectedGroups(*data_->clipGroups, selection_, SelectableItemKind::clip())};
            break;
        case ClickScope::Kind::trackClips: {
            std::vector<PTXClipGroup> lane;
            for (const PTXTrackInfo &track : session.tracks)
                if (track.name == scope->trackName) {
                    lane = groupClips(track.clips);
                    break;
                }
            pendingClips_ = PendingClipsImport{
                nextImportId_++, selectedGroups(lane, selection_, SelectableItemKind::trackClip(scope->trackName))};
            break;
        }
    }
    emit pendingImportChanged();
}

void PTXDetailView::clearPendingImports()
{
    pendingTracks_.reset();
    pendingAudio_.reset();
    pendingClips_.reset();
    emit pendingImportChanged();
}

// Toolbar --------------------------------------------------------------------

void PTXDetailView::openWithProTools()
{
    const std::optional<QString> application = proToolsApplicationPath();
    if (application && kestrix::openWithProTools(*application, filePath_))
        return;
    QMessageBox::warning(this, QStringLiteral("Open with Pro Tools"),
                         application ? tr("Pro Tools at \"%1\" could not be started.").arg(*application)
                                     : tr("Pro Tools was not found on this computer."));
}

} // namespace kestrix
