// Pictures of the import dialogs in every state and of both pre-flight
// alerts, against ptsl-sim, for looking at them (not a test):
//   import-dialogs-screenshot OUT_FOLDER [light|dark]
// Each dialog is drawn at its minimum size; the ready dialog also at its
// initial size.
#include "import_dialogs.h"
#include "ptsl_test_hooks.h"
#include "connection.h"
#include "import_activity.h"
#include "screenshot_palette.h"
#include "session_load_task.h"
#include "sim_process.h"
#include "transcript_view.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTreeWidget>

#include <cstdio>
#include <functional>
#include <memory>

using namespace kestrix;

namespace {

QString outFolder;
LoadedSession loaded;

bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 20000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void save(QWidget *widget, const QString &name)
{
    QApplication::processEvents();
    const QString path = QDir(outFolder).filePath(name + ".png");
    if (!widget->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

std::unique_ptr<SimProcess> sim;

void startSim(const std::vector<std::string> &options)
{
    dropConnection();
    sim.reset();
    sim = std::make_unique<SimProcess>(options);
    ptsl::testing::overrideSettings({sim->address(), {}, {}});
}

ImportDialogInputs inputs()
{
    return {loaded.data->session, QString::fromUtf8(KESTRIX_DEMO_SESSION), importResolution(*loaded.data->files), loaded.data->files->fileFormats, {}};
}

PTXTrackInfo demoTrack(const std::string &name)
{
    for (const PTXTrackInfo &track : loaded.data->session->tracks)
        if (track.name == name)
            return track;
    return {};
}

template <typename Dialog>
void showAtMinimum(Dialog &dialog)
{
    dialog.resize(dialog.minimumSize());
    dialog.show();
}

void shoot(ImportDialog &dialog, ImportState state, const QString &name)
{
    if (!waitUntil([&] { return dialog.state() == state; }))
        std::fprintf(stderr, "%s: state not reached\n", qPrintable(name));
    save(&dialog, name);
}

// Clicks Import and pictures the alert that comes, then answers it.
void shootAlert(ImportDialog &dialog, const QString &name, const QString &answer)
{
    QMessageBox *alert = nullptr;
    QObject::connect(&dialog, &ImportDialog::alertShown, &dialog, [&](QMessageBox *box) { alert = box; });
    dialog.importButton()->click();
    if (!waitUntil([&] { return alert != nullptr; })) {
        std::fprintf(stderr, "%s: no alert\n", qPrintable(name));
        return;
    }
    save(alert, name);
    for (QAbstractButton *button : alert->buttons())
        if (button->text() == answer)
            button->click();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: import-dialogs-screenshot OUT_FOLDER [light|dark]\n");
        return 2;
    }
    outFolder = arguments[1];
    QDir().mkpath(outFolder);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QString look = arguments.value(2, QStringLiteral("light"));
    if (look == QLatin1String("dark"))
        QApplication::setPalette(darkPalette());
    loaded = loadSessionForWindow(QString::fromUtf8(KESTRIX_DEMO_SESSION));
    if (!loaded.data) {
        std::fprintf(stderr, "cannot load the demo session\n");
        return 1;
    }
    const QString suffix = QLatin1Char('-') + look;
    const std::vector<PTXTrackInfo> threeTracks{demoTrack("Kick"), demoTrack("Snare"), demoTrack("Bass")};
    // The three tracks at the dialog's minimum size, pictured once the check
    // ends in `state`.
    const auto tracksEndingIn = [&](ImportState state, const QString &name) {
        ImportTracksDialog dialog(threeTracks, inputs());
        showAtMinimum(dialog);
        shoot(dialog, state, name + suffix);
    };

    // Pro Tools answers its version late: checking.
    startSim({"--delay", "55=3000"});
    {
        ImportTracksDialog dialog(threeTracks, inputs());
        showAtMinimum(dialog);
        save(&dialog, "checking" + suffix);
        shoot(dialog, ImportState::ready, "ready-after-checking" + suffix);
    }
    // Nothing listens: no connection.
    dropConnection();
    sim.reset();
    ptsl::testing::overrideSettings({"127.0.0.1:1", std::chrono::milliseconds(1500), {}});
    tracksEndingIn(ImportState::noConnection, "no-connection");
    startSim({"--version", "2024.10"});
    tracksEndingIn(ImportState::versionTooOld, "version-too-old");
    startSim({"--no-session"});
    tracksEndingIn(ImportState::noSession, "no-session");
    startSim({"--delay", "72=1500"});
    {
        ImportTracksDialog dialog(threeTracks, inputs());
        dialog.show();
        shoot(dialog, ImportState::ready, "ready-tracks-initial" + suffix);
        dialog.resize(dialog.minimumSize());
        save(&dialog, "ready-tracks" + suffix);
        dialog.importButton()->click();
        waitUntil([&] { return !dialog.importProgress().isEmpty(); });
        save(&dialog, "importing" + suffix);
        shoot(dialog, ImportState::done, "done" + suffix);
        if (auto *tabs = dialog.findChild<QTabWidget *>()) {
            tabs->setCurrentIndex(1);
            QTreeWidget *list = dialog.transcriptView()->list();
            if (list->topLevelItemCount() > 2)
                list->topLevelItem(2)->setExpanded(true);
            save(&dialog, "done-transcript" + suffix);
        }
    }
    startSim({"--sample-rate", "44100", "--track", "Kick"});
    {
        PTXClipGroup refused = loaded.data->clipGroups->front();
        refused.channels.resize(1);
        refused.channels[0].clip.name = "Take.A1";
        ImportClipsDialog dialog({refused, loaded.data->clipGroups->at(1)}, inputs());
        showAtMinimum(dialog);
        shoot(dialog, ImportState::ready, "ready-clips-rate-mismatch" + suffix);
        shootAlert(dialog, "alert-channel-views" + suffix, "Cancel");
    }
    {
        ImportTracksDialog dialog(threeTracks, inputs());
        showAtMinimum(dialog);
        shoot(dialog, ImportState::ready, "ready-tracks-rate-mismatch" + suffix);
        shootAlert(dialog, "alert-names-exist" + suffix, "Cancel");
    }
    startSim({});
    {
        PTXTrackInfo snare = demoTrack("Snare");
        for (PTXClipInfo &clip : snare.clips)
            clip.name += ".A1";
        ImportTracksDialog dialog({demoTrack("Kick"), snare, demoTrack("Bass")}, inputs());
        showAtMinimum(dialog);
        shoot(dialog, ImportState::ready, "ready-tracks-offline" + suffix);
        shootAlert(dialog, "alert-channel-views-tracks" + suffix, "Import Without Renaming");
        shoot(dialog, ImportState::done, "done-warnings" + suffix);
    }
    startSim({"--fail", "123={\"command_error_type\":\"PT_UnknownError\",\"command_error_message\":\"The destination "
                        "volume is full.\"}"});
    {
        ImportAudioDialog dialog({loaded.data->audioFileGroups->front(), loaded.data->audioFileGroups->at(1)},
                                 inputs());
        showAtMinimum(dialog);
        shoot(dialog, ImportState::ready, "ready-audio" + suffix);
        dialog.importButton()->click();
        shoot(dialog, ImportState::error, "error" + suffix);
    }
    waitUntil([] { return !ImportActivity::running(); });
    dropConnection();
    sim.reset();
    return 0;
}
