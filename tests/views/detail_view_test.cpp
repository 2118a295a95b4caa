// The file window's content: loading, the error page, settings kept per
// file, refresh, the key window, the keyboard, the search field and import.
#include "views_test_support.h"

#include "active_import_context.h"
#include "detail_toolbar.h"
#include "file_list_section.h"
#include "get_info_section.h"
#include "per_file_settings_store.h"
#include "property_blocks.h"
#include "ptx_detail_view.h"
#include "ptx_preview_content.h"
#include "row_list_view.h"
#include "session_info_grid.h"
#include "session_load_task.h"
#include "session_writer.h"
#include "status_pages.h"
#include "track_list_model.h"
#include "tracks_section.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QToolButton>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>

#include <sys/stat.h>

using namespace kestrix;
using namespace viewstest;

namespace {

const QString kDemo = QStringLiteral(KESTRIX_DEMO_SESSION);

bool writeSession(const QString &path, uint32_t sampleRate)
{
    ptxw::SessionFile file;
    file.block(ptxw::sessionFormatBlock(sampleRate, 3));
    return file.write(path.toStdString());
}

} // namespace

TEST(DetailView, RefreshAndWhatIsKeptForTheFileAndCommandsOnlyForTheKeyWindow)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Mix.ptx");
    ASSERT_TRUE(writeSession(path, 48000));
    PerFileSettings stored;
    stored.windowFrame = PersistedFrame{10, 20, 900, 600};
    PerFileSettingsStore::shared().save(path, stored);
    UniverseViewport zoomed;
    zoomed.horizontalZoom = 2.25;
    zoomed.horizontalSampleOffset = 1000;
    {
        Window window(path, QRect(120, 80, 900, 700));
        window.activate();
        PTXPreviewContent &content = *window.view->content();
        EXPECT_FALSE(content.isSectionExpanded(OverviewSection::audioFiles)) << "closed by default";
        EXPECT_TRUE(content.isSectionExpanded(OverviewSection::sessionInfo)) << "open by default";
        const QRect frame = window.window.geometry();
        window.view->setUniverseViewport(zoomed);
        content.setSectionExpanded(OverviewSection::clips, true);

        ASSERT_TRUE(writeSession(path, 96000));
        window.view->refreshFile();
        EXPECT_TRUE(window.view->isLoading());
        ASSERT_TRUE(waitUntil([&] { return !window.view->isLoading(); }));
        EXPECT_EQ(content.sessionInfoGrid()->valueOf("Sample Rate:"), "96000");
        EXPECT_EQ(window.view->universeViewport(), zoomed);
        EXPECT_TRUE(content.isSectionExpanded(OverviewSection::clips));
        EXPECT_EQ(window.window.geometry(), frame);
        EXPECT_EQ(PerFileSettingsStore::shared().load(path).universeViewport, zoomed);

        sendMouse(*content.section(OverviewSection::audioFiles)->header(), QEvent::MouseButtonPress, {40, 10});
        sendMouse(*content.section(OverviewSection::sessionInfo)->header(), QEvent::MouseButtonPress, {40, 10});
    }
    const PerFileSettings saved = PerFileSettingsStore::shared().load(path);
    EXPECT_TRUE(saved.audioFilesExpanded);
    EXPECT_FALSE(saved.sessionInfoExpanded);
    EXPECT_EQ(saved.windowFrame, stored.windowFrame) << "the window's frame is kept";

    Window a(path, QRect(50, 50, 700, 500));
    EXPECT_TRUE(a.view->content()->isSectionExpanded(OverviewSection::audioFiles));
    EXPECT_FALSE(a.view->content()->isSectionExpanded(OverviewSection::sessionInfo));
    EXPECT_EQ(a.view->universeViewport(), zoomed);

    // With a second window open, Clear Zoom and the zoom commands act in the key window only.
    ASSERT_TRUE(writeSession(folder.filePath("B.ptx"), 48000));
    Window b(folder.filePath("B.ptx"), QRect(300, 300, 700, 500));
    // The View menu's "Clear Zoom" (Ctrl+0, ⌘0 on macOS) tells every window; each checks it is key.
    QObject menu;
    for (Window *window : {&a, &b}) {
        auto *clearZoom = new QAction(&window->window);
        clearZoom->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
        window->window.addAction(clearZoom);
        QObject::connect(clearZoom, &QAction::triggered, &menu, [&] {
            a.view->clearOverviewSelection();
            b.view->clearOverviewSelection();
        });
    }
    UniverseSelection selection;
    selection.trackNames = {"Kick"};
    selection.timeRange = SampleRange{0, 48000};
    a.view->setUniverseSelection(selection);
    b.view->setUniverseSelection(selection);

    b.activate();
    QTest::keyClick(&b.window, Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(b.view->universeSelection().empty());
    EXPECT_EQ(a.view->universeSelection(), selection);
    EXPECT_TRUE(PerFileSettingsStore::shared().load(folder.filePath("B.ptx")).universeSelection.empty());

    // The zoom commands likewise reach the key window's timeline only.
    QSignalSpy zoom(a.view, &PTXDetailView::universeZoomRequested);
    a.view->universeZoomInHorizontal();
    EXPECT_EQ(zoom.count(), 0) << "not the key window";

    a.activate();
    QTest::keyClick(&a.window, Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(a.view->universeSelection().empty());
    a.view->universeZoomOutVertical();
    ASSERT_EQ(zoom.count(), 1);
    EXPECT_EQ(zoom[0][0].value<Qt::Orientation>(), Qt::Vertical);
    EXPECT_DOUBLE_EQ(zoom[0][1].toDouble(), 2.0 / 3.0);
}

TEST(DetailView, AFileThatFailsToLoadShowsTheErrorAndALoadThatHangsHoldsUpNothing)
{
    QTemporaryDir folder;
    const QString broken = folder.filePath("Broken.ptx");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a session");
    file.close();

    for (const QString &path : {broken, folder.filePath("Missing.ptx")}) {
        Window window(path);
        EXPECT_EQ(window.view->sessionInfo(), nullptr);
        EXPECT_EQ(window.view->errorText(), "Failed to parse session blocks");
        auto *page = window.view->findChild<ErrorPage *>();
        ASSERT_TRUE(page && page->isVisible());
        EXPECT_TRUE(showsLabel(*window.view, "Error"));
        EXPECT_TRUE(showsLabel(*window.view, "Failed to parse session blocks"));
        EXPECT_TRUE(window.window.isVisible()) << "the window stays open";
        EXPECT_FALSE(window.view->toolbar()->searchField()->isEnabled());
    }

    // A pipe with no writer blocks whoever opens it to read, as a hung network share does.
    const QString pipe = folder.filePath("Stuck.ptx");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    Window window(pipe);
    auto *page = window.view->findChild<ErrorPage *>();
    ASSERT_TRUE(page && page->isVisible()) << "refused at once";
    EXPECT_FALSE(page->message().isEmpty());

    // A load that never returns runs on a thread that nobody waits for:
    // closing its window and quitting do not wait for it.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    auto finished = std::make_shared<std::atomic<bool>>(false);
    {
        SessionLoadTask task(nullptr, [released, finished](const QString &) {
            released.wait();
            finished->store(true);
            return LoadedSession{std::nullopt, QStringLiteral("late")};
        });
        task.start(pipe);
        EXPECT_TRUE(task.isRunning());
    }
    EXPECT_TRUE(QThreadPool::globalInstance()->waitForDone(0)) << "the shared pool is free for other work";
    release.set_value();
    EXPECT_TRUE(waitUntil([&] { return finished->load(); }));
}

// The demo session in one window: what it shows, the keyboard, import from
// a selection and from a row's menu, and the search field.
TEST(DetailView, DemoSessionWalkthrough)
{
    // Views closed while they load: each load still finishes on its thread
    // without a view to report to.
    for (int i = 0; i < 20; ++i) {
        PTXDetailView abandoned(kDemo);
        EXPECT_TRUE(abandoned.isLoading()) << "reading happens off the main thread";
        abandoned.reload();
    }
    Window window(kDemo);
    window.activate();
    PTXPreviewContent &content = *window.view->content();
    SelectionManager &selection = window.view->selectionManager();
    ActiveImportContext context;
    window.view->setImportContext(&context);
    EXPECT_FALSE(context.importEnabled()) << "nothing selected";
    // What the window shows.
    ASSERT_TRUE(window.view->sessionInfo());
    EXPECT_TRUE(content.isVisible());
    EXPECT_TRUE(window.view->errorText().isEmpty());
    EXPECT_EQ(window.view->sessionInfo()->sessionName, "Kestrix Demo");
    EXPECT_TRUE(showsLabel(*window.view, "48000")) << "the session's sample rate";
    EXPECT_TRUE(showsLabel(*window.view, "Tracks (24)"));
    // The session recorded the files on another machine; they sit in "Audio Files" beside it.
    const AudioFileStatus &found = *window.view->audioFiles();
    EXPECT_TRUE(found.offlineFiles.empty());
    EXPECT_EQ(found.resolvedPaths.size(), window.view->sessionInfo()->audioFiles.size());
    EXPECT_EQ(found.fileFormats.at("Kick.wav"), "WAV");
    EXPECT_EQ(content.audioFilesSection()->title(), "Audio Files (9)");

    // Arrow keys through the open tracks.
    content.setSectionExpanded(OverviewSection::tracks, true);
    const TrackListModel &model = *content.tracksSection()->model();
    const auto focused = [&] { return selection.focusedItem().value_or(SelectableItem{}); };
    const auto key
        = [&](Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(&content, k, modifiers); };

    // Perc Fill plays two clips, Kick and Snare; Bass follows it.
    clickRow(content.tracksSection()->list(), rowOfTrack(model, "Perc Fill"));
    EXPECT_EQ(focused(), (SelectableItem{"Perc Fill", SelectableItemKind::track()}));
    EXPECT_TRUE(content.hasFocus()) << "a click gives the content the keyboard";

    key(Qt::Key_Right);
    EXPECT_TRUE(window.view->expandedItems().contains("Perc Fill"));
    key(Qt::Key_Down);
    EXPECT_EQ(focused(), (SelectableItem{"Kick", SelectableItemKind::trackClip("Perc Fill")}))
        << "into the open track's clips";
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(focused(), (SelectableItem{"Snare", SelectableItemKind::trackClip("Perc Fill")}));
    EXPECT_EQ(selection.selectedItems().size(), 2u) << "Shift extends from the anchor";
    key(Qt::Key_Down);
    EXPECT_EQ(focused(), (SelectableItem{"Bass", SelectableItemKind::track()})) << "then on to the next track";
    EXPECT_EQ(selection.selectedItems().size(), 1u);
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    EXPECT_EQ(focused(), (SelectableItem{"Kick", SelectableItemKind::trackClip("Perc Fill")}));
    key(Qt::Key_Left);
    EXPECT_EQ(focused(), (SelectableItem{"Perc Fill", SelectableItemKind::track()})) << "Left goes back to the track";
    key(Qt::Key_Left);
    EXPECT_FALSE(window.view->expandedItems().contains("Perc Fill"));
    key(Qt::Key_Down);
    EXPECT_EQ(focused(), (SelectableItem{"Bass", SelectableItemKind::track()})) << "a closed track's clips are skipped";
    key(Qt::Key_Up);
    key(Qt::Key_Return);
    EXPECT_TRUE(window.view->expandedItems().contains("Perc Fill")) << "Return opens and closes";
    key(Qt::Key_Up);
    EXPECT_EQ(focused(), (SelectableItem{"Snare", SelectableItemKind::track()}));

    // Import takes what is selected.
    content.setSectionExpanded(OverviewSection::audioFiles, true);
    RowListView *files = content.audioFilesSection()->list();
    clickRow(files, 0);
    clickRow(files, 2, Qt::ControlModifier);
    clickRow(files, 8, Qt::ControlModifier);
    EXPECT_EQ(context.trackCount(), 3);
    EXPECT_TRUE(context.importEnabled());

    QSignalSpy pending(window.view, &PTXDetailView::pendingImportChanged);
    context.pulse();
    ASSERT_EQ(pending.count(), 1);
    ASSERT_TRUE(window.view->pendingAudioImport());
    std::vector<std::string> ids;
    for (const PTXAudioFileGroup &group : window.view->pendingAudioImport()->files)
        ids.push_back(group.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"Drum Loop.wav", "Snare.wav", "Ambience"}));
    EXPECT_EQ(window.view->pendingAudioImport()->files[2].channels.size(), 6u) << "a multi-mono set goes whole";
    // Another window being key, the pulse is not this window's.
    window.window.clearFocus();
    QMainWindow other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    context.pulse();
    EXPECT_EQ(pending.count(), 1);

    // Import from the menu of an unselected row takes that row.
    content.setSectionExpanded(OverviewSection::clips, true);
    RowListView *clips = content.clipsSection()->list();
    clickRow(clips, 0);
    clickRow(clips, 1, Qt::ControlModifier);
    contextMenu(clips, 3, -1);
    ASSERT_TRUE(window.view->pendingClipsImport());
    ASSERT_EQ(window.view->pendingClipsImport()->items.size(), 1u);
    EXPECT_EQ(window.view->pendingClipsImport()->items[0].id, "Bass");
    EXPECT_EQ(selection.selectedItems(), (std::unordered_set<SelectableItem>{{"Bass", SelectableItemKind::clip()}}));
    window.view->clearPendingImports();
    EXPECT_FALSE(window.view->pendingClipsImport());

    // The search field narrows the lists.
    QTest::keyClicks(window.view->toolbar()->searchField(), "kick");
    EXPECT_EQ(window.view->searchQuery().text, "kick");
    EXPECT_EQ(content.audioFilesSection()->title(), "Audio Files (1 of 9)");
    // Kick, the folders above it, and Perc Fill, which plays a clip named Kick.
    EXPECT_EQ(content.tracksSection()->title(), "Tracks (4 of 24)");

    // Limited to the audio files, the track list is whole again.
    for (QAction *action : window.view->toolbar()->scopeButton()->menu()->actions())
        if (action->text() == "Audio Files")
            action->trigger();
    EXPECT_EQ(window.view->toolbar()->scopeButton()->text(), "Audio Files");
    EXPECT_EQ(content.tracksSection()->title(), "Tracks (24)");
    EXPECT_EQ(content.audioFilesSection()->title(), "Audio Files (1 of 9)");
}
