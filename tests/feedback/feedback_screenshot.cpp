// Saves a picture of a feedback window for looking at it:
// feedback-screenshot OUT.png [light|dark] [bug|feature] [empty|error|sending|sent]
// Sends go to a loopback server of its own. Run it under xvfb-run.
#include "bug_report_view.h"
#include "feature_request_view.h"
#include "recording_http_server.h"
#include "screenshot_palette.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace kestrix::feedback;

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: feedback-screenshot OUT.png [light|dark] [bug|feature] [empty|error|sending|sent]\n");
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (arguments.value(2) == QLatin1String("dark"))
        QApplication::setPalette(darkPalette());
    const bool bug = arguments.value(3, QStringLiteral("bug")) == QLatin1String("bug");
    const QString state = arguments.value(4, QStringLiteral("empty"));

    const QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    RecordingHttpServer server;
    server.start();
    if (state == QLatin1String("sending"))
        server.neverAnswer();
    const FeedbackService service = FeedbackService::fromValues(
        server.baseAddress(), QStringLiteral("0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef"));

    std::unique_ptr<FeedbackFormView> view;
    if (bug)
        view = std::make_unique<BugReportView>(service);
    else
        view = std::make_unique<FeatureRequestView>(service);
    FeedbackForm &form = view->form();
    if (state != QLatin1String("empty")) {
        form.setFirstName(QStringLiteral("Ana"));
        form.setLastName(QStringLiteral("Lind"));
        form.setEmail(QStringLiteral("ana@studio.example"));
        form.setDescription(bug ? QStringLiteral("Opening “Film Mix v3.ptx” shows no clips on the timeline, although "
                                                 "Pro Tools lists 214 of them.")
                                : QStringLiteral("Show clip fades on the timeline overview."));
        if (bug) {
            const QString attachment = QDir(folder.path()).filePath(QStringLiteral("Film Mix v3.ptx"));
            QFile file(attachment);
            file.open(QIODevice::WriteOnly);
            file.write(QByteArray(1000, 'x'));
            file.close();
            form.chooseAttachment(attachment);
        }
    }
    if (state == QLatin1String("error"))
        server.answerWith(422, R"({"details":[{"message":"Bad email"}]})");
    view->show();
    if (state != QLatin1String("empty"))
        form.submit();

    const QString out = arguments.at(1);
    QTimer::singleShot(1200, view.get(), [&view, out] {
        const bool saved = view->grab().save(out);
        QApplication::exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
