// Opens the demo session the way a file window shows it, with every section
// open, and saves a picture of it: views-screenshot OUT.png [light|dark]
// [width] [height] [scroll] [timeline], where timeline is "zoomed" (zoomed
// in both ways, so the scroll bars show) or "selection" (a rectangle drawn
// on it), or "player" (rows of the audio-file and clip lists played once,
// one paused half-way, and the player window saved beside OUT.png as
// OUT-player.png). Run it under xvfb-run to look at the real window.
#include "audio_player_model.h"
#include "audio_player_view.h"
#include "file_list_section.h"
#include "file_row_list_model.h"
#include "inline_audio_player.h"
#include "per_file_settings_store.h"
#include "ptx_detail_view.h"
#include "ptx_preview_content.h"
#include "screenshot_palette.h"

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QScrollBar>
#include <QSettings>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace kestrix;

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: views-screenshot OUT.png [light|dark] [width] [height]\n");
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (arguments.value(2) == QLatin1String("dark"))
        QApplication::setPalette(darkPalette());
    const int width = arguments.value(3, QStringLiteral("1100")).toInt();
    const int height = arguments.value(4, QStringLiteral("1500")).toInt();
    const int scroll = arguments.value(5, QStringLiteral("0")).toInt();
    const QString timeline = arguments.value(6);

    // The window remembers its sections per file; keep that out of the user's preferences.
    const QTemporaryDir preferences;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, preferences.path());

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kestrix Demo"));
    auto *view = new PTXDetailView(QStringLiteral(KESTRIX_DEMO_SESSION));
    window.setCentralWidget(view);
    window.resize(width, height);
    window.show();
    QPointer<QWidget> playerWindow;  // the player window of the "player" picture
    QObject::connect(view, &PTXDetailView::loadFinished, &window, [&] {
        if (!view->errorText().isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(view->errorText()));
            QApplication::exit(1);
            return;
        }
        for (OverviewSection section : kAllOverviewSections)
            view->content()->setSectionExpanded(section, true);
        view->setExpandedItems({"Drum Loop", "Ambience"});
        // A selection, so the picture shows how selected rows look.
        view->selectionManager().setCachedTracks(view->content()->shownTracks());
        view->selectionManager().setCachedExpandedTracks(view->expandedItems());
        view->selectionManager().click("Kick", ClickScope::tracks(), {});
        view->selectionManager().click("Perc Fill", ClickScope::tracks(), {false, true});
        if (timeline == QLatin1String("zoomed")) {
            view->setOverviewUniverseExtraHeight(60);
            emit view->universeZoomRequested(Qt::Horizontal, 1.5 * 1.5 * 1.5);
            emit view->universeZoomRequested(Qt::Vertical, 1.5 * 1.5);
        } else if (timeline == QLatin1String("selection")) {
            const double rate = 48000;
            view->setUniverseSelection({{"Bass", "Piano", "Pad", "Drum Loop"}, SampleRange{9 * rate, 21 * rate}});
            // Clips selected in a lane are marked on the timeline.
            view->selectionManager().click("Snare", ClickScope::trackClips("Perc Fill"), {});
        }
        if (timeline == QLatin1String("player")) {
            // Every shown file and clip row played once keeps its waveform.
            for (FileListSection *section : {view->content()->audioFilesSection(), view->content()->clipsSection()})
                for (int row = 0; row < section->model()->rowCount(); ++row)
                    section->togglePlayback(section->model()->itemAt(row));
            FileListSection *files = view->content()->audioFilesSection();
            const SelectableItem second = files->model()->itemAt(1);
            view->selectionManager().click(files->model()->itemAt(0).id, ClickScope::audioFiles(), {});
            files->togglePlayback(second);
            InlineAudioPlayer::shared().seek(0.5);
            files->togglePlayback(second);  // paused with the playhead half-way
            view->content()->ensureItemVisible(second);
            if (const auto playable = files->playableItemOf(files->model()->itemAt(0))) {
                QStringList paths;
                for (const PlayableItem::Channel &channel : playable->multiMonoChannels)
                    paths << channel.path;
                playerWindow = openPlayerWindow(paths.isEmpty() ? QStringList{playable->path} : paths, std::nullopt,
                                                nullptr)
                                   ->window();
            }
        }
        window.activateWindow();
        view->content()->setFocus();
        QTimer::singleShot(300, &window, [&] {
            if (timeline != QLatin1String("player"))
                view->content()->verticalScrollBar()->setValue(scroll);
            window.grab().save(arguments[1]);
            if (playerWindow)
                playerWindow->grab().save(QString(arguments[1]).replace(QLatin1String(".png"), QLatin1String("-player.png")));
            InlineAudioPlayer::shared().stop();
            QApplication::quit();
        });
    });
    const int status = QApplication::exec();
    // Written while the preferences folder is still there.
    PerFileSettingsStore::shared().flush();
    return status;
}
