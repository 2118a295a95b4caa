// The main of the widget tests (application, views, audio): a QApplication
// on the offscreen platform, with the preferences in a folder of this run's
// own, never the user's.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform cannot raise windows and says so each time.
void quietOffscreenNotices(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (standardHandler && !message.startsWith(QLatin1StringView("This plugin does not support")))
        standardHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir preferences;
    if (!preferences.isValid())
        return 1;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, preferences.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, preferences.path());

    standardHandler = qInstallMessageHandler(quietOffscreenNotices);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarnwell Audio"));
    QApplication::setApplicationName(QStringLiteral("Kestrix"));
    QApplication::setApplicationVersion(QStringLiteral("9.8.7"));
    // Closing a test's last window must not start the application's quit.
    QApplication::setQuitOnLastWindowClosed(false);

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
