// kestrix [FILE.ptx ...]: opens the session files, or hands them to the
// Kestrix that is already running for this user on this display.
#include "app_logging.h"
#include "command_line_files.h"
#include "quorvix_app.h"
#include "single_instance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>

namespace {

// Called once QApplication has taken its own options out of argv.
QStringList sessionFilesFromCommandLine(const QApplication &application, int argc, char *argv[])
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Browse Pro Tools sessions"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"), QObject::tr("Session files to open."),
                                 QStringLiteral("[FILE.ptx...]"));
    parser.process(application);
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    return kestrix::sessionFilesFromArguments(arguments, parser.positionalArguments(), kestrix::currentFolderBytes());
}

} // namespace

int main(int argc, char *argv[])
{
    kestrix::installApplicationLogging();
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarnwell Audio"));
    QApplication::setApplicationName(QStringLiteral("Kestrix"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRIX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kestrix"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kestrix/kestrix.png")));

    const QStringList files = sessionFilesFromCommandLine(application, argc, argv);
    kestrix::SingleInstance instance(kestrix::SingleInstance::defaultSocketPath());
    switch (instance.claim(files)) {
    case kestrix::SingleInstance::Claim::Instance:
        break;
    case kestrix::SingleInstance::Claim::HandedOver:
        return 0;
    case kestrix::SingleInstance::Claim::NoAnswer:
        QMessageBox::warning(nullptr, QObject::tr("Kestrix"),
                             QObject::tr("Kestrix is already running but does not answer. "
                                         "Try again in a moment."));
        return 1;
    }

    kestrix::QuorvixApp kestrixApp;
    kestrix::AppDelegate &delegate = kestrixApp.appDelegate();
    // A plain second launch brings the start window forward.
    QObject::connect(&instance, &kestrix::SingleInstance::filesReceived, &delegate,
                     [&delegate](const QStringList &paths) {
                         if (paths.isEmpty())
                             delegate.showStartWindow();
                         else
                             delegate.openFilesFromOutside(paths);
                     });
    kestrixApp.launch(files);
    return QApplication::exec();
}
