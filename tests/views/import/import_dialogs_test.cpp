// The import dialogs against ptsl-sim on a free loopback port: the states a
// connection check ends in, the media choice with differing sample rates,
// both pre-flight alerts, closing during an import, a tracks import with a
// failing track, and the whole road from a session window to the tracks in
// Pro Tools.
#include "bug_report_opener.h"
#include "import_activity.h"
#include "import_dialogs.h"
#include "import_window_modifier.h"
#include "active_import_context.h"
#include "session_load_task.h"
#include "sim_fixture.h"
#include "track_list_model.h"
#include "transcript_view.h"
#include "tracks_section.h"
#include "views_test_support.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using namespace kestrix;
using viewstest::waitUntil;

const QString kDemo = QStringLiteral(KESTRIX_DEMO_SESSION);

class ImportDialogs : public PtslSimTest {
protected:
    void SetUp() override
    {
        PtslSimTest::SetUp();
        loaded_ = loadSessionForWindow(kDemo);
        ASSERT_TRUE(loaded_.data) << loaded_.error.toStdString();
    }
    void TearDown() override
    {
        // Background work of the dialogs ends before the sim goes.
        EXPECT_TRUE(waitUntil([] { return !ImportActivity::running(); }, 20000));
        PtslSimTest::TearDown();
    }

    ImportDialogInputs inputs(std::function<void()> onDismiss = {}) const
    {
        return {loaded_.data->session, kDemo, importResolution(*loaded_.data->files), loaded_.data->files->fileFormats, std::move(onDismiss)};
    }
    PTXTrackInfo demoTrack(const std::string &name) const
    {
        for (const PTXTrackInfo &track : loaded_.data->session->tracks)
            if (track.name == name)
                return track;
        ADD_FAILURE() << "no track " << name;
        return {};
    }
    // The import commands the sim received: create tracks, import audio,
    // create clips, spot.
    std::vector<std::string> importRequests() const
    {
        std::vector<std::string> found;
        for (const std::string &line : sim_->requests())
            for (const char *command : {"72 ", "123 ", "124 ", "127 "})
                if (line.rfind(command, 0) == 0)
                    found.push_back(line);
        return found;
    }

    LoadedSession loaded_;
};

bool reaches(const ImportDialog &dialog, ImportState state, int timeoutMs = 15000)
{
    return waitUntil([&] { return dialog.state() == state; }, timeoutMs);
}

bool showsAndReaches(ImportDialog &dialog, ImportState state)
{
    dialog.show();
    return reaches(dialog, state);
}

// Records the alerts a dialog opens.
struct Alerts {
    explicit Alerts(ImportDialog &dialog)
    {
        QObject::connect(&dialog, &ImportDialog::alertShown, &dialog, [this](QMessageBox *box) { shown.push_back(box); });
    }
    QMessageBox *waitForNext(size_t count)
    {
        return waitUntil([&] { return shown.size() >= count; }) ? shown[count - 1].data() : nullptr;
    }
    std::vector<QPointer<QMessageBox>> shown;
};

void clickButton(QMessageBox *box, const QString &text)
{
    for (QAbstractButton *button : box->buttons())
        if (button->text() == text) {
            button->click();
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

TEST_F(ImportDialogs, ConnectionCheckStopStatesTheMediaChoiceAndAFailedImport)
{
    // Nothing listens: no connection within the client's construction wait.
    kestrix::ptsl::testing::overrideSettings({"127.0.0.1:1", std::chrono::milliseconds(1500), {}});
    {
        ImportAudioDialog dialog(*loaded_.data->audioFileGroups, inputs());
        QElapsedTimer clock;
        clock.start();
        dialog.show();
        EXPECT_EQ(dialog.state(), ImportState::checking);
        ASSERT_TRUE(reaches(dialog, ImportState::noConnection, 10000));
        EXPECT_LT(clock.elapsed(), 1500 + 3000);
    }
    startSim({"--version", "2024.10"});
    {
        ImportTracksDialog dialog({demoTrack("Kick")}, inputs());
        ASSERT_TRUE(showsAndReaches(dialog, ImportState::versionTooOld));
        EXPECT_TRUE(dialog.stateText().startsWith("Import requires Pro Tools 2025.6 or later.\nDetected version: 2024.10"))
            << dialog.stateText().toStdString();
    }
    startSim({"--no-session"});
    {
        ImportTracksDialog dialog({demoTrack("Kick")}, inputs());
        ASSERT_TRUE(showsAndReaches(dialog, ImportState::noSession));
    }
    EXPECT_TRUE(importRequests().empty());

    // Differing sample rates force a copy with conversion; a failed import ends in its error.
    startSim({"--sample-rate", "44100", "--fail",
              R"(123={"command_error_type":"PT_UnknownError","command_error_message":"The disk is full."})"});
    ImportAudioDialog dialog({loaded_.data->audioFileGroups->front()}, inputs());
    ASSERT_TRUE(showsAndReaches(dialog, ImportState::ready));
    EXPECT_EQ(dialog.sessionName(), "Mix");
    EXPECT_TRUE(dialog.convertSampleRate());
    EXPECT_FALSE(dialog.linkAvailable());
    dialog.setMediaOption(MediaImportOption::link);
    EXPECT_EQ(dialog.mediaOption(), MediaImportOption::copy) << "link cannot be chosen";
    QString texts;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        texts += label->text() + "\n";
    EXPECT_TRUE(texts.contains("Sample rate mismatch — source is 48000 Hz, Pro Tools is 44100 Hz")) << texts.toStdString();
    EXPECT_TRUE(texts.contains("Linking is unavailable because the source and destination sample rates differ"));

    dialog.importButton()->click();
    ASSERT_TRUE(reaches(dialog, ImportState::error));
    const std::vector<std::string> requests = importRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find("AOperations_ConvertAudio"), std::string::npos) << requests[0];
    ASSERT_EQ(dialog.importErrors().size(), 1);
    EXPECT_TRUE(dialog.importErrors()[0].startsWith("Import failed at step: ")) << dialog.importErrors()[0].toStdString();
    // The failed run has its report too, for Report A Problem.
    EXPECT_TRUE(dialog.importReport().contains("Outcome: FAILED\nError: Import failed at step: "));
    EXPECT_TRUE(dialog.importReport().contains("=== Audio Files (1) ==="));
    const QTreeWidget *transcript = dialog.transcriptView()->list();
    EXPECT_FALSE(transcript->findItems("Pro Tools: The disk is full.", Qt::MatchExactly, 1).isEmpty())
        << "the failed command's message has a line of its own";

    // Equal rates offer both.
    startSim();
    ImportAudioDialog equal({loaded_.data->audioFileGroups->front()}, inputs());
    ASSERT_TRUE(showsAndReaches(equal, ImportState::ready));
    EXPECT_FALSE(equal.convertSampleRate());
    EXPECT_TRUE(equal.linkAvailable());
    equal.setMediaOption(MediaImportOption::link);
    EXPECT_EQ(equal.mediaOption(), MediaImportOption::link);
}

TEST_F(ImportDialogs, CancelInEitherAlertOrClosingStopsTheImport)
{
    startSim({"--track", "Kick", "--delay", "72=400"});
    // A clip Pro Tools would refuse: the channel-view alert.
    PTXClipGroup refused = loaded_.data->clipGroups->front();
    refused.channels.resize(1);
    refused.channels[0].clip.name = "Take.A1";
    ImportClipsDialog clips({refused}, inputs());
    Alerts clipAlerts(clips);
    ASSERT_TRUE(showsAndReaches(clips, ImportState::ready));
    clips.importButton()->click();
    QMessageBox *channelViews = clipAlerts.waitForNext(1);
    ASSERT_TRUE(channelViews);
    EXPECT_EQ(channelViews->text(), "Pro Tools will refuse 1 clip name");
    EXPECT_EQ(channelViews->buttons().size(), 3);
    clickButton(channelViews, "Cancel");
    QTest::qWait(150);
    EXPECT_EQ(clips.state(), ImportState::ready);
    EXPECT_EQ(clipAlerts.shown.size(), 1u) << "no names check after Cancel";

    // Kick exists in Pro Tools: the names alert, left with Escape.
    ImportTracksDialog tracks({demoTrack("Kick")}, inputs());
    Alerts trackAlerts(tracks);
    ASSERT_TRUE(showsAndReaches(tracks, ImportState::ready));
    tracks.importButton()->click();
    QMessageBox *names = trackAlerts.waitForNext(1);
    ASSERT_TRUE(names);
    EXPECT_TRUE(names->informativeText().contains("  • Kick"));
    QTest::keyClick(names, Qt::Key_Escape);
    QTest::qWait(150);
    EXPECT_EQ(tracks.state(), ImportState::ready);
    EXPECT_TRUE(importRequests().empty());

    // Closed while its first track is created, a tracks import stops before the next.
    auto *closed = new ImportTracksDialog({demoTrack("Snare"), demoTrack("Bass"), demoTrack("Piano")}, inputs());
    ASSERT_TRUE(showsAndReaches(*closed, ImportState::ready));
    closed->importButton()->click();
    ASSERT_TRUE(waitUntil([&] { return !importRequests().empty(); }));
    closed->close();
    EXPECT_TRUE(waitUntil([] { return !ImportActivity::running(); }, 20000));
    size_t created = 0;
    for (const std::string &line : importRequests())
        created += line.rfind("72 ", 0) == 0;
    EXPECT_EQ(created, 1u) << "the tracks after the first are not imported";
}

TEST_F(ImportDialogs, AFailingTrackLeavesTheOthersImported)
{
    startSim();
    // The sim refuses clips named like channel views, as Pro Tools does.
    PTXTrackInfo snare = demoTrack("Snare");
    for (PTXClipInfo &clip : snare.clips)
        clip.name += ".A1";
    int dismissals = 0;
    ImportTracksDialog dialog({demoTrack("Kick"), snare, demoTrack("Bass")}, inputs([&] { ++dismissals; }));
    Alerts alerts(dialog);
    ASSERT_TRUE(showsAndReaches(dialog, ImportState::ready));
    EXPECT_EQ(dialog.headerText(), "Import to Pro Tools — 3 track(s)");
    dialog.importButton()->click();
    QMessageBox *channelViews = alerts.waitForNext(1);
    ASSERT_TRUE(channelViews);
    clickButton(channelViews, "Import Without Renaming");
    ASSERT_TRUE(reaches(dialog, ImportState::done, 30000));

    ASSERT_EQ(dialog.importErrors().size(), 1);
    EXPECT_TRUE(dialog.importErrors()[0].startsWith("Snare: Import failed at step: ")) << dialog.importErrors()[0].toStdString();
    EXPECT_EQ(dialog.stateTitle(), "Import Completed with 1 Warning");
    const std::string state = sim_->stateJson();
    EXPECT_NE(state.find(R"("name":"Kick")"), std::string::npos) << state;
    EXPECT_NE(state.find(R"("name":"Bass")"), std::string::npos) << state;
    EXPECT_TRUE(dialog.importReport().contains("Outcome: completed with 1 warning(s)"));

    // The transcript view reads the run back: track headers, then numbered
    // commands with readable names, their request and answer below them.
    const QTreeWidget *transcript = dialog.transcriptView()->list();
    ASSERT_GT(transcript->topLevelItemCount(), 3);
    const QTreeWidgetItem *first = transcript->topLevelItem(1);
    EXPECT_EQ(QStringList({first->text(0), first->text(1), first->text(3)}),
              QStringList({"1", "Check Pro Tools version", "OK"}));
    ASSERT_EQ(first->childCount(), 2);
    EXPECT_TRUE(first->child(0)->text(0).startsWith("Request\n"));
    QStringList headers, notes;
    for (int i = 0; i < transcript->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = transcript->topLevelItem(i);
        if (row->text(0).startsWith("Track "))
            headers.append(row->text(0));
        if (row->text(0).isEmpty() && row->childCount() == 0)
            notes.append(row->text(1));
    }
    EXPECT_EQ(headers, QStringList({"Track \"Kick\"", "Track \"Snare\"", "Track \"Bass\""}));
    ASSERT_FALSE(notes.isEmpty());
    EXPECT_TRUE(notes.front().startsWith("Pro Tools refused to create clip 'Snare.A1'")) << notes.front().toStdString();

    dialog.close();
    EXPECT_EQ(dismissals, 1);
}

TEST_F(ImportDialogs, ThreeTracksFromTheDemoWindowReachProTools)
{
    startSim({"--delay", "72=300"});
    viewstest::Window window(kDemo);
    window.activate();
    ActiveImportContext context;
    window.view->setImportContext(&context);
    PTXPreviewContent &content = *window.view->content();
    const TrackListModel &model = *content.tracksSection()->model();
    viewstest::clickRow(content.tracksSection()->list(), viewstest::rowOfTrack(model, "Kick"));
    viewstest::clickRow(content.tracksSection()->list(), viewstest::rowOfTrack(model, "Snare"), Qt::ControlModifier);
    viewstest::clickRow(content.tracksSection()->list(), viewstest::rowOfTrack(model, "Bass"), Qt::ControlModifier);
    ASSERT_EQ(context.trackCount(), 3);
    context.pulse();

    auto *modifier = window.view->findChild<ImportWindowModifier *>();
    ASSERT_TRUE(modifier);
    auto *dialog = qobject_cast<ImportTracksDialog *>(modifier->dialog());
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(reaches(*dialog, ImportState::ready));
    QSignalSpy refused(modifier, &ImportWindowModifier::requestRefused);
    dialog->importButton()->click();
    ASSERT_TRUE(reaches(*dialog, ImportState::importing));

    // A second request from the session window while the import runs opens nothing.
    window.view->startImport();
    EXPECT_EQ(refused.count(), 1);
    EXPECT_EQ(modifier->dialog(), dialog);
    EXPECT_TRUE(waitUntil([&] { return dialog->importProgress().startsWith("Importing "); }));

    ASSERT_TRUE(reaches(*dialog, ImportState::done, 30000));
    const std::string state = sim_->stateJson();
    for (const char *name : {"Kick", "Snare", "Bass"}) {
        EXPECT_NE(state.find(std::string(R"("name":")") + name + "\""), std::string::npos) << name;
        for (const PTXClipInfo &clip : demoTrack(name).clips)
            EXPECT_NE(state.find("\"position\":" + std::to_string(clip.timelinePosition) + "}"), std::string::npos)
                << name << " clip at " << clip.timelinePosition << ": " << state;
    }

    // The report: saved, refused where it cannot go, and attached to a bug report.
    const QTemporaryDir folder;
    const QString saved = folder.filePath("report.txt");
    EXPECT_TRUE(dialog->saveReport(saved));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), dialog->importReport());
    Alerts alerts(*dialog);
    EXPECT_FALSE(dialog->saveReport(folder.filePath("missing/report.txt")));
    ASSERT_TRUE(alerts.waitForNext(1));
    alerts.shown[0]->close();

    QString description, attachment;
    feedback::setBugReportOpener([&](const QString &text, const QString &path) {
        description = text;
        attachment = path;
    });
    dialog->reportProblem();
    feedback::setBugReportOpener({});
    EXPECT_FALSE(description.isEmpty());
    EXPECT_TRUE(attachment.contains("Kestrix_Import_Kestrix_Demo_")) << attachment.toStdString();
    QFile attached(attachment);
    ASSERT_TRUE(attached.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(attached.readAll()), dialog->importReport());
    attached.remove();

    // Closing clears the window's pending import.
    ASSERT_TRUE(window.view->pendingTracksImport());
    dialog->close();
    EXPECT_FALSE(window.view->pendingTracksImport());
    EXPECT_FALSE(modifier->dialog());
}

} // namespace
