// Runs the view tests inside a QApplication on the offscreen platform, with
// the preferences in a folder of this run's own, never the user's.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarnwell Audio"));
    QApplication::setApplicationName(QStringLiteral("Kestrix"));
    QApplication::setQuitOnLastWindowClosed(false);

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
