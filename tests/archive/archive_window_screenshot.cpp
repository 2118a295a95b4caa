// Indexes a few generated sessions into a temporary folder, searches them in
// the Find in Sessions window and saves a picture of it:
// archive-window-screenshot OUT.png [QUERY]. Run it under xvfb-run.
#include "archive_indexer.h"
#include "archive_sessions.h"
#include "find_sessions_window.h"
#include "sqlite_index_store.h"

#include <QApplication>
#include <QLineEdit>
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
        std::fprintf(stderr, "usage: archive-window-screenshot OUT.png [QUERY]\n");
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString() + "/Archive";
    const char *shows[] = {"Harbour Lights", "Night Shift", "Copper Coast"};
    for (int s = 0; s < 6; ++s) {
        archive_test::ArchiveSession session;
        session.tracks = {"Dialog " + std::to_string(s + 1), "Door FX", "Music Stem", "Reverb Return"};
        session.comments = {"", "Door slams from the library", ""};
        session.plugins = {s % 2 ? "EQ3 7-Band" : "D-Verb", "Dyn3 Compressor"};
        session.clips = {"Door Slam-0" + std::to_string(s), "Door Creak Long", "Wind Loop", "Room Tone"};
        session.files = {"Door Slam.wav", "Wind.wav", "Room Tone.wav"};
        if (s % 3 == 1)
            session.clips.resize(2);
        session.markers = {"Reel " + std::to_string(s % 4 + 1) + " LFOA", "Door knock cue"};
        archive_test::writeArchiveSession(root + "/" + shows[s % 3] + "/Episode " + std::to_string(s + 101) + ".ptx",
                                          session);
    }
    const std::string database = dir.path().toStdString() + "/index.sqlite";
    {
        archive::SqliteIndexStore store(database);
        archive::indexPaths(store, {root});
    }

    FindSessionsWindow window(QString::fromStdString(database));
    window.resize(900, 560);
    window.show();
    const QString out = arguments[1];
    QObject::connect(&window, &FindSessionsWindow::resultsShown, &window, [&] {
        QTimer::singleShot(200, &window, [&] {
            const bool saved = window.grab().save(out);
            QApplication::exit(saved ? 0 : 1);
        });
    });
    window.queryField()->setText(arguments.value(2, QStringLiteral("door")));
    return QApplication::exec();
}
