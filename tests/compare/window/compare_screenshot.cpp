// Saves a picture of the compare window on two versions of the demo
// session: an older one, made by undoing a day's edits on the demo's model,
// against the demo file. compare-screenshot OUT.png [width] [height]. Run it
// under xvfb-run to look at the real window.
#include "compare_window.h"
#include "session_source.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace kestrix;

namespace {

PTXTrackInfo *trackNamed(PTXSessionInfo &session, const char *name)
{
    const auto found = std::find_if(session.tracks.begin(), session.tracks.end(),
                                    [&](const PTXTrackInfo &t) { return t.name == name; });
    return found == session.tracks.end() ? nullptr : &*found;
}

// The demo as it was before: one track not made yet, a scratch track since
// deleted, pads placed two seconds earlier, an impact not there yet, one more
// kick, another comment and the chorus marker a bar later.
PTXSessionInfo olderVersion(PTXSessionInfo session)
{
    std::erase_if(session.tracks, [](const PTXTrackInfo &t) { return t.name == "Riser"; });
    if (const PTXTrackInfo *bass = trackNamed(session, "Bass")) {
        PTXTrackInfo scratch = *bass;
        scratch.name = "Scratch Vox";
        scratch.parentName.reset();
        session.tracks.push_back(scratch);
    }
    if (PTXTrackInfo *pad = trackNamed(session, "Pad"))
        for (PTXClipInfo &clip : pad->clips)
            clip.timelinePosition = clip.timelinePosition > 96000 ? clip.timelinePosition - 96000 : 0;
    if (PTXTrackInfo *impacts = trackNamed(session, "Impacts"); impacts && !impacts->clips.empty())
        impacts->clips.pop_back();
    if (PTXTrackInfo *kick = trackNamed(session, "Kick"); kick && !kick->clips.empty()) {
        kick->comment = "Temp kick";
        kick->clips.push_back(kick->clips.back());
        kick->clips.back().timelinePosition += 48000;
    }
    if (!session.memoryLocations.empty())
        session.memoryLocations.back().startTime += 48000;
    return session;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: compare-screenshot OUT.png [width] [height]\n");
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const auto demo = openForComparison(KESTRIX_DEMO_SESSION);
    if (!demo) {
        std::fprintf(stderr, "%s\n", demo.error().c_str());
        return 1;
    }
    auto *window = new CompareWindow(olderVersion(demo.value()), QStringLiteral("Kestrix Demo v1.ptx"),
                                     QStringLiteral(KESTRIX_DEMO_SESSION));
    window->resize(arguments.value(2, QStringLiteral("1000")).toInt(), arguments.value(3, QStringLiteral("760")).toInt());
    window->show();
    int status = 1;
    QObject::connect(window, &CompareWindow::comparisonFinished, &application, [&] {
        // Let the layout settle before grabbing.
        QTimer::singleShot(300, &application, [&] {
            status = window->grab().save(arguments.at(1)) ? 0 : 1;
            application.quit();
        });
    });
    application.exec();
    return status;
}
