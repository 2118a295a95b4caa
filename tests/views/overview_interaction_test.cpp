// Clicking, opening and resizing in the overview as a user does it.
#include "views_test_support.h"

#include "column_resize_handle.h"
#include "column_width_preferences.h"
#include "file_list_section.h"
#include "file_row_list_model.h"
#include "get_info_section.h"
#include "list_header.h"
#include "plugins_section.h"
#include "ptx_preview_content.h"
#include "row_list_view.h"
#include "track_list_model.h"
#include "track_tooltip.h"
#include "tracks_section.h"

#include <QApplication>
#include <QMenu>
#include <QToolButton>
#include <QSettings>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace kestrix;
using namespace viewstest;

namespace {

QPoint rowCentre(const RowListView *list, int row, int x = 60)
{
    return QPoint(x, list->rowRect(row).center().y());
}

PTXSessionInfo filesAndTracks()
{
    PTXSessionInfo session;
    session.audioFiles = {audioFile("Kick.wav"), audioFile("Snare.wav"), audioFile("Hat.wav")};
    session.clips = {clip("Kick_01", 0), clip("Snare_01", 1)};
    session.tracks = {track("Kick", {clip("Kick_01", 0)}), track("Snare", {clip("Snare_01", 1)}), track("Bass")};
    session.tracks[0].plugins = {{1, "EQ3", true}, {2, "Gate", false}};
    session.tracks[0].comment = "Main kick";
    return session;
}

struct ShownContent {
    PTXPreviewContent content;
    ShownContent(const OverviewData &data)
    {
        content.resize(900, 1400);
        content.setData(data);
        content.show();
    }
};

} // namespace

// One list after another, as a user goes through them: clicks, menus and
// reveal in the audio files and clips, hovering and opening tracks, and
// section headers.
TEST(OverviewInteraction, ClicksMenusChevronsAndHeaders)
{
    AudioFileStatus files;
    files.resolvedPaths = {{"Kick.wav", "/Volumes/Drive/Kick.wav"}};
    ShownContent shown(overviewData(filesAndTracks(), files));
    PTXPreviewContent &content = shown.content;
    RowListView *list = content.audioFilesSection()->list();
    QSignalSpy clicked(&content, &PTXPreviewContent::itemClicked);
    QSignalSpy doubleClicked(&content, &PTXPreviewContent::itemDoubleClicked);

    click(*list, rowCentre(list, 1));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].value<SelectableItem>(), (SelectableItem{"Snare.wav", SelectableItemKind::audioFile()}));
    auto modifiers = clicked[0][1].value<SelectionManager::Modifiers>();
    EXPECT_FALSE(modifiers.command || modifiers.shift);

    click(*list, rowCentre(list, 2), Qt::ControlModifier);
    EXPECT_TRUE(clicked[1][1].value<SelectionManager::Modifiers>().command);
    click(*list, rowCentre(list, 0), Qt::ShiftModifier);
    modifiers = clicked[2][1].value<SelectionManager::Modifiers>();
    EXPECT_TRUE(modifiers.shift && !modifiers.command);

    // A double click: the first press clicks, the second only double-clicks.
    doubleClick(*list, rowCentre(list, 0));
    EXPECT_EQ(clicked.count(), 4);
    ASSERT_EQ(doubleClicked.count(), 1);
    EXPECT_EQ(doubleClicked[0][0].value<SelectableItem>().id, "Kick.wav");

    // A context-menu click calls no click handler.
    sendMouse(*list, QEvent::MouseButtonPress, rowCentre(list, 1), {}, Qt::RightButton);
    sendMouse(*list, QEvent::MouseButtonRelease, rowCentre(list, 1), {}, Qt::RightButton);
    EXPECT_EQ(contextMenu(list, 0), QStringList({"Show in File Manager", "Import to Pro Tools…"}));
    EXPECT_EQ(contextMenu(list, 1), QStringList({"Import to Pro Tools…"})) << "no reveal without a file on disk";
    EXPECT_EQ(clicked.count(), 4);

    // The import item counts the selection its row belongs to.
    OverviewSelection selection;
    selection.activeScope = ClickScope::audioFiles();
    selection.items = {{"Kick.wav", SelectableItemKind::audioFile()},
                       {"Snare.wav", SelectableItemKind::audioFile()},
                       {"Hat.wav", SelectableItemKind::audioFile()}};
    content.setSelection(selection);
    EXPECT_EQ(contextMenu(list, 1), QStringList({"Import 3 Items to Pro Tools…"}));
    selection.items.erase({"Hat.wav", SelectableItemKind::audioFile()});
    content.setSelection(selection);
    EXPECT_EQ(contextMenu(list, 2), QStringList({"Import to Pro Tools…"})) << "the row is not selected";
    QSignalSpy import(&content, &PTXPreviewContent::importRequested);
    contextMenu(list, 2, -1);
    ASSERT_EQ(import.count(), 1);
    EXPECT_EQ(import[0][0].value<SelectableItem>().id, "Hat.wav");

    // Reveal from a clip takes the file on disk, not the path shown.
    QSignalSpy reveal(&content, &PTXPreviewContent::revealRequested);
    contextMenu(content.clipsSection()->list(), 0, 0);
    ASSERT_EQ(reveal.count(), 1);
    EXPECT_EQ(reveal[0][0].toString(), "/Volumes/Drive/Kick.wav");

    // Hovering a track shows its details.
    list = content.tracksSection()->list();
    TrackTooltip *tooltip = content.tracksSection()->tooltip();
    sendMouse(*list, QEvent::MouseMove, rowCentre(list, 0), {}, Qt::NoButton);
    ASSERT_TRUE(waitUntil([&] { return tooltip->isVisible(); }));
    const auto details = tooltip->details();
    EXPECT_TRUE(details.contains({"Type", "Audio"}));
    EXPECT_TRUE(details.contains({"Inserts", "EQ3\nGate (inactive)"}));
    EXPECT_TRUE(details.contains({"Comment", "Main kick"}));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(list, &leave);
    EXPECT_FALSE(tooltip->isVisible());

    // A track's chevron opens it without selecting it; with Alt it opens them all.
    const TrackListModel &model = *content.tracksSection()->model();
    clicked.clear();
    QSignalSpy expanded(&content, &PTXPreviewContent::expandedTracksChanged);
    click(*list, rowCentre(list, 1, 5));
    EXPECT_EQ(clicked.count(), 0) << "the chevron opens, it does not select";
    ASSERT_EQ(expanded.count(), 1);
    EXPECT_EQ(content.expandedTracks(), std::unordered_set<std::string>({"Snare"}));
    EXPECT_EQ(model.rowCount(), 3 + 3); // "No inserts", the clip header and the clip
    click(*list, rowCentre(list, 0, 5), Qt::AltModifier);
    EXPECT_EQ(content.expandedTracks(), std::unordered_set<std::string>({"Kick", "Snare", "Bass"}));
    click(*list, rowCentre(list, 0, 5), Qt::AltModifier);
    EXPECT_TRUE(content.expandedTracks().empty());
    EXPECT_EQ(model.rowCount(), 3);

    // Elsewhere on the row a click selects the track; a double click opens it.
    click(*list, rowCentre(list, 2));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].value<SelectableItem>(), (SelectableItem{"Bass", SelectableItemKind::track()}));
    sendMouse(*list, QEvent::MouseButtonDblClick, rowCentre(list, 2));
    EXPECT_EQ(content.expandedTracks(), std::unordered_set<std::string>({"Bass"}));

    // A plain click on a section header changes that section; with Alt, its siblings too.
    QSignalSpy changed(&content, &PTXPreviewContent::sectionExpandedChanged);
    click(*content.section(OverviewSection::clips)->header(), QPoint(40, 10));
    EXPECT_FALSE(content.isSectionExpanded(OverviewSection::clips));
    EXPECT_TRUE(content.isSectionExpanded(OverviewSection::tracks)) << "a plain click changes one section";
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<OverviewSection>(), OverviewSection::clips);

    click(*content.section(OverviewSection::tracks)->header(), QPoint(40, 10), Qt::AltModifier);
    for (OverviewSection section :
         {OverviewSection::sessionInfo, OverviewSection::overview, OverviewSection::tracks, OverviewSection::audioFiles,
          OverviewSection::clips, OverviewSection::plugins, OverviewSection::locations})
        EXPECT_FALSE(content.isSectionExpanded(section));
    EXPECT_TRUE(content.isSectionExpanded(OverviewSection::activePlugins)) << "nested lists are not siblings";

    click(*content.pluginsSection()->active()->header(), QPoint(40, 10), Qt::AltModifier);
    EXPECT_FALSE(content.isSectionExpanded(OverviewSection::activePlugins));
    EXPECT_FALSE(content.isSectionExpanded(OverviewSection::inactivePlugins));
}

TEST(OverviewInteraction, NameColumnsAndTrackTypesFollowInEveryWindow)
{
    PTXSessionInfo session = filesAndTracks();
    session.tracks.push_back(track("Verb", {}, std::nullopt, PTXTrackType::aux));
    session.tracks.push_back(track("Keys", {}, std::nullopt, PTXTrackType::instrument));
    const OverviewData data = overviewData(session);
    ShownContent first(data);
    ShownContent second(data);
    ColumnWidthPreferences &widths = ColumnWidthPreferences::shared();
    widths.setWidth(NameColumn::audioFiles, 200);
    auto *handle = first.content.audioFilesSection()->findChild<ColumnResizeHandle *>();
    auto *otherHandle = second.content.audioFilesSection()->findChild<ColumnResizeHandle *>();
    ASSERT_TRUE(handle && otherHandle);
    const int before = otherHandle->x();

    drag(*handle, QPoint(3, 5), QPoint(53, 5));
    EXPECT_EQ(widths.width(NameColumn::audioFiles), 250);
    EXPECT_EQ(otherHandle->x(), before + 50) << "the other window's header follows";

    drag(*handle, QPoint(3, 5), QPoint(-500, 5));
    EXPECT_EQ(widths.width(NameColumn::audioFiles), 80);
    drag(*handle, QPoint(3, 5), QPoint(2000, 5));
    EXPECT_EQ(widths.width(NameColumn::audioFiles), 800);
    EXPECT_EQ(QSettings().value("ptx.column.audioFiles.nameWidth").toDouble(), 800);

    // The track name column has its own range.
    widths.setWidth(NameColumn::tracks, 10);
    EXPECT_EQ(widths.width(NameColumn::tracks), 60);

    // The clip lane of an open track carries the clip name handle in its header row.
    widths.setWidth(NameColumn::clips, 250);
    first.content.setExpandedTracks({"Kick"});
    RowListView *tracks = first.content.tracksSection()->list();
    const TrackListModel &model = *first.content.tracksSection()->model();
    int header = 0;
    while (model.rowAt(header).kind != TrackListRow::Kind::clipHeader)
        ++header;
    const QRect headerRow = tracks->rowRect(header);
    bool dragged = false;
    for (int x = 0; x < tracks->width() && !dragged; ++x) {
        sendMouse(*tracks, QEvent::MouseMove, QPoint(x, headerRow.center().y()), {}, Qt::NoButton);
        if (tracks->cursor().shape() == Qt::SizeHorCursor) {
            drag(*tracks, QPoint(x, headerRow.center().y()), QPoint(x - 1000, headerRow.center().y()));
            dragged = true;
        }
    }
    EXPECT_TRUE(dragged);
    EXPECT_EQ(widths.width(NameColumn::clips), 80);
    EXPECT_EQ(widths.width(NameColumn::audioFiles), 800) << "each list has its own width";

    // The track type switches hide a type in every window.
    auto *button = first.content.tracksSection()->findChild<QToolButton *>();
    ASSERT_TRUE(button);
    EXPECT_EQ(button->text(), "All Types");
    QAction *audio = button->menu()->actions().value(0);
    ASSERT_TRUE(audio && audio->text() == "Audio" && audio->isChecked());
    audio->trigger();
    EXPECT_EQ(QSettings().value("trackTypeVisibility.audio").toBool(), false);
    EXPECT_EQ(button->text(), "3 of 4 Types");
    for (ShownContent *shown : {&first, &second}) {
        EXPECT_EQ(shown->content.tracksSection()->title(), "Tracks (2 of 5)");
        EXPECT_EQ(shown->content.tracksSection()->model()->trackAt(0).name, "Verb");
    }
    audio->trigger();
    EXPECT_EQ(second.content.tracksSection()->title(), "Tracks (5)");
    EXPECT_EQ(QSettings().value("trackTypeVisibility.audio").toBool(), true);
}
