// What the sections of the overview show for a session: titles with counts
// under search, the rows of each list and their texts.
#include "views_test_support.h"

#include "file_list_section.h"
#include "file_row_list_model.h"
#include "file_type_badge.h"
#include "memory_location_model.h"
#include "memory_locations_section.h"
#include "overview_roles.h"
#include "plugins_section.h"
#include "ptx_preview_content.h"
#include "row_list_view.h"
#include "session_info_grid.h"
#include "track_list_model.h"
#include "tracks_section.h"

#include <gtest/gtest.h>

using namespace kestrix;
using namespace viewstest;

namespace {

QStringList column(const QAbstractItemModel &model, int role = Qt::DisplayRole)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, 0).data(role).toString();
    return texts;
}

PTXSessionInfo twelveFileSession()
{
    PTXSessionInfo session;
    for (const char *name : {"Kick 1.wav", "Kick 2.wav", "Snare Top.wav", "Snare Bottom.wav", "Hat.wav", "Tom 1.wav",
                             "Tom 2.wav", "Overhead.wav", "Room.wav", "Bass DI.wav", "Piano.wav", "SNARE Room.wav"})
        session.audioFiles.push_back(audioFile(name));
    for (int i = 0; i < 5; ++i)
        session.clips.push_back(clip("Snare_0" + std::to_string(i), 2));
    session.clips.push_back(clip("Kick_01", 0));
    return session;
}

} // namespace

TEST(OverviewSections, FileAndClipListsUnderSearchAndTheTextsOfTheirRows)
{
    PTXPreviewContent content;
    content.setData(overviewData(twelveFileSession()));
    const FileRowListModel &model = *content.audioFilesSection()->model();
    EXPECT_EQ(content.audioFilesSection()->title(), "Audio Files (12)");
    EXPECT_EQ(content.clipsSection()->title(), "Clips (6)");

    content.setSearchQuery({"  snare ", SearchQuery::Scope::all});
    EXPECT_EQ(content.audioFilesSection()->title(), "Audio Files (3 of 12)");
    EXPECT_EQ(column(model), QStringList({"Snare Top.wav", "Snare Bottom.wav", "SNARE Room.wav"}));
    EXPECT_EQ(content.clipsSection()->title(), "Clips (5 of 6)");

    // Limited to the clips, the search leaves the audio files alone.
    content.setSearchQuery({"snare", SearchQuery::Scope::clips});
    EXPECT_EQ(content.audioFilesSection()->title(), "Audio Files (12)");
    EXPECT_EQ(content.clipsSection()->title(), "Clips (5 of 6)");

    content.setSearchQuery({"snare room", SearchQuery::Scope::files});
    EXPECT_EQ(content.audioFilesSection()->title(), "Audio Files (1 of 12)");

    content.setSearchQuery({"", SearchQuery::Scope::all});
    EXPECT_EQ(model.rowCount(), 12);

    // A multi-mono set is one row with its channels.
    PTXSessionInfo session;
    session.audioFiles
        = {audioFile("Gtr.L.wav"), audioFile("Vox.wav"), audioFile("Gtr.R.wav"), audioFile("Amb.Ls.wav")};
    AudioFileStatus files;
    files.resolvedPaths = {{"Gtr.L.wav", "/s/Audio Files/Gtr.L.wav"}, {"Gtr.R.wav", "/s/Audio Files/Gtr.R.wav"}};
    files.offlineFiles = {"Vox.wav", "Amb.Ls.wav"};
    content.setData(overviewData(session, files));

    EXPECT_EQ(content.audioFilesSection()->title(), "Audio Files (3)") << "a multi-mono set counts once";
    EXPECT_EQ(column(model), QStringList({"Gtr", "Vox.wav", "Amb.Ls.wav"}));
    EXPECT_EQ(model.index(0).data(OverviewRole::channelSuffixes).toStringList(), QStringList({"L", "R"}));
    EXPECT_EQ(model.index(0).data(Qt::ToolTipRole).toString(),
              "L  /s/Audio Files/Gtr.L.wav\nR  /s/Audio Files/Gtr.R.wav");
    EXPECT_TRUE(model.index(2).data(OverviewRole::channelSuffixes).toStringList().isEmpty())
        << "a lone channel file is a file of its own";

    // Paths, formats and badges.
    session = {};
    session.audioFiles = {audioFile("a.wav"), audioFile("b.wav"),
                          audioFile("c.wav"), audioFile("d.mxf", "", "fFXM"),
                          audioFile("e.wav"), audioFile("f.aif", "", "AIFF")};
    files = {};
    files.resolvedPaths = {{"a.wav", "/Volumes/Drive/Audio/a.wav"},
                           {"c.wav", "/Volumesque/c.wav"},
                           {"d.mxf", "/media/d.mxf"},
                           {"f.aif", "/media/f.aif"}};
    files.offlineFiles = {"b.wav"};
    files.unavailableFiles = {"d.mxf"};
    files.fileFormats = {{"a.wav", "RF64"}, {"f.aif", "AIFC"}};
    content.setData(overviewData(session, files));

    EXPECT_EQ(column(model, OverviewRole::pathText),
              QStringList({"/Drive/Audio/a.wav", "Offline", "/Volumesque/c.wav", "/media/d.mxf", "Not Available",
                           "/media/f.aif"}));
    // The format read from the file wins over the session's type.
    EXPECT_EQ(column(model, OverviewRole::formatText), QStringList({"RF64", "WAV", "WAV", "MXF", "WAV", "AIFC"}));
    EXPECT_EQ(model.index(5).data(OverviewRole::typeLabel).toString(), "AIFF");
    EXPECT_TRUE(model.index(3).data(OverviewRole::typeUnavailable).toBool());
    EXPECT_FALSE(model.index(0).data(OverviewRole::typeUnavailable).toBool());
    EXPECT_EQ(FileTypeBadge::helpText("MXF", true), "MXF: Kestrix lists this file but can't play its media type.");

    // Clip rows show their source file.
    session = {};
    session.audioFiles = {audioFile("Kick.wav"), audioFile("Pad.L.wav"), audioFile("Pad.R.wav")};
    session.clips = {clip("Kick_01", 0), clip("Pad.L", 1), clip("Pad.R", 2), clip("Orphan", 9)};
    files = {};
    files.resolvedPaths = {{"Kick.wav", "/Volumes/SSD/Kick.wav"}, {"Pad.L.wav", "/p/Pad.L.wav"}};
    files.offlineFiles = {"Pad.R.wav"};
    content.setData(overviewData(session, files));
    const FileRowListModel &clips = *content.clipsSection()->model();

    EXPECT_EQ(column(clips), QStringList({"Kick_01", "Pad", "Orphan"}));
    EXPECT_EQ(column(clips, OverviewRole::pathText),
              QStringList({"/SSD/Kick.wav", "/p/Pad.L.wav (1 of 2 channels offline)", "Not Available"}));
    EXPECT_EQ(clips.index(1).data(Qt::ToolTipRole).toString(), "L  /p/Pad.L.wav\nR  Offline");
}

TEST(OverviewSections, TrackSearchKeepsTheFoldersOfWhatMatchesAndOpenTracksShowTheirInsertsAndClips)
{
    PTXSessionInfo session;
    session.tracks = {folder("Music"),
                      folder("Drums", "Music"),
                      track("Kick In", {}, "Drums"),
                      track("Overheads", {clip("Snare Top_03")}, "Drums"),
                      track("Bass"),
                      folder("FX")};
    session.tracks[2].depth = 2;
    session.tracks[3].depth = 2;
    PTXPreviewContent content;
    content.setData(overviewData(session));
    EXPECT_EQ(content.tracksSection()->title(), "Tracks (6)");

    content.setSearchQuery({"KICK", SearchQuery::Scope::all});
    EXPECT_EQ(column(*content.tracksSection()->model()), QStringList({"Music", "Drums", "Kick In"}));
    EXPECT_EQ(content.tracksSection()->title(), "Tracks (3 of 6)");

    // A track found through one of its clips, with its folders.
    content.setSearchQuery({"snare", SearchQuery::Scope::tracks});
    EXPECT_EQ(column(*content.tracksSection()->model()), QStringList({"Music", "Drums", "Overheads"}));

    // Opened, the track found through its clips shows the clip that matched.
    content.setExpandedTracks({"Overheads"});
    const TrackListModel &model = *content.tracksSection()->model();
    ASSERT_EQ(column(model), QStringList({"Music", "Drums", "Overheads", "No inserts", "", "Snare Top_03"}));
    EXPECT_EQ(model.rowAt(4).kind, TrackListRow::Kind::clipHeader);

    // An open track shows its inserts and its clip lane.
    session.audioFiles = {audioFile("Gtr.L.wav"), audioFile("Gtr.R.wav")};
    PTXTrackInfo guitar = track("Guitar", {clip("Gtr.L", 0), clip("Gtr.R", 1), clip("Gtr.L", 0, 96000)});
    guitar.plugins = {{1, "EQ3", true}, {2, "Chorus", false}};
    guitar.comment = "Take 4\nkeep";
    session.tracks = {guitar, track("Vox")};
    content.setData(overviewData(session));
    content.setSearchQuery({});
    content.setExpandedTracks({});
    EXPECT_EQ(model.index(0).data(OverviewRole::insertsText).toString(), "EQ3, Chorus");
    EXPECT_EQ(model.index(0).data(OverviewRole::commentText).toString(), "Take 4 keep");
    EXPECT_FALSE(model.index(0).data(OverviewRole::isExpanded).toBool());

    content.setExpandedTracks({"Guitar"});
    EXPECT_EQ(column(model), QStringList({"Guitar", "Inserts", "EQ3", "Chorus", "", "Gtr", "Vox"}));
    EXPECT_TRUE(model.index(0).data(OverviewRole::isExpanded).toBool());
    EXPECT_TRUE(model.index(3).data(OverviewRole::isInactive).toBool());
    // The stereo pair placed twice is one multi-mono clip row in the lane.
    EXPECT_EQ(model.index(5).data(OverviewRole::channelSuffixes).toStringList(), QStringList({"L", "R"}));
    EXPECT_EQ(model.itemAt(5), (SelectableItem{"Gtr", SelectableItemKind::trackClip("Guitar")}));

    content.setExpandedTracks({"Vox"});
    EXPECT_EQ(column(model), QStringList({"Guitar", "Vox", "No inserts"}));
}

TEST(OverviewSections, PluginsMemoryLocationsAndSessionProperties)
{
    PTXPreviewContent content;
    content.setData(overviewData(PTXSessionInfo{}));
    PluginsSection &plugins = *content.pluginsSection();
    EXPECT_TRUE(plugins.active()->showsNone() && plugins.inactive()->showsNone());

    PTXSessionInfo session;
    session.activePlugins = {"EQ3", "Dyn3 Compressor"};
    session.deactivatedPlugins = {"Reverb"};
    content.setData(overviewData(session));
    EXPECT_EQ(plugins.title(), "Plugins (2 active, 1 inactive)");
    EXPECT_FALSE(plugins.active()->showsNone());
    EXPECT_EQ(column(*plugins.active()->list()->model()), QStringList({"EQ3", "Dyn3 Compressor"}));

    // Memory locations: number, name, time property, reference and the colour of the mark.
    PTXMemoryLocation marker{1, 1, "Verse", "marker", 1, 1, 0, 0, 216, 24, 24};
    PTXMemoryLocation selection{2, 12, "Chorus Loop", "selection", 2, 3, 10, 20, 0, 0, 0};
    PTXMemoryLocation view{3, 300, "View: Drums", "none", 8, 1, 0, 0, 0, 0, 0};
    session.memoryLocations = {marker, selection, view};
    content.setData(overviewData(session));
    const QAbstractItemModel &model = *content.locationsSection()->model();

    EXPECT_EQ(content.locationsSection()->title(), "Memory Locations (3)");
    EXPECT_EQ(column(model, OverviewRole::numberText), QStringList({"1", "12", "300"}));
    EXPECT_EQ(column(model), QStringList({"Verse", "Chorus Loop", "View: Drums"}));
    EXPECT_EQ(column(model, OverviewRole::timePropertyText), QStringList({"Marker", "Selection", "None"}));
    EXPECT_EQ(column(model, OverviewRole::referenceText), QStringList({"Bar | Beat", "Absolute", ""}));
    EXPECT_EQ(model.index(0, 0).data(OverviewRole::color).value<QColor>(), QColor(216, 24, 24));
    // Black means no colour of its own: the mark is grey and faint.
    const QColor black = model.index(1, 0).data(OverviewRole::color).value<QColor>();
    EXPECT_EQ(black.alphaF(), QColor(0, 0, 0, 77).alphaF());
    EXPECT_FALSE(model.index(2, 0).data(OverviewRole::color).value<QColor>().isValid()) << "no mark without times";

    // Session properties, in one or two columns.
    session.tempo = "97.5 BPM";
    session.tempoChanges = true;
    SessionInfoGrid grid;
    grid.setInfo(session);
    EXPECT_EQ(grid.valueOf("Tempo:"), "97.5 BPM (changes present)");

    grid.resize(SessionInfoGrid::kTwoColumnBreakpoint - 1, 300);
    grid.show();
    EXPECT_FALSE(grid.isTwoColumn());
    grid.resize(SessionInfoGrid::kTwoColumnBreakpoint, 300);
    EXPECT_TRUE(grid.isTwoColumn());
}

