#include "app_test_support.h"

#include "per_file_settings_store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <QWidget>

void AppTest::SetUp()
{
    QSettings().clear();
    ASSERT_TRUE(folder_.isValid());
}

void AppTest::TearDown()
{
    settle();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().cbegin(), QApplication::topLevelWidgets().cend(),
                             [](const QWidget *widget) { return widget->isWindow() && widget->isVisible(); }))
        << "a test left a window open";
    kestrix::PerFileSettingsStore::shared().flush();
    QSettings().clear();
}

QString AppTest::makeFile(const QString &name)
{
    QFile file(path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a session");
    return path(name);
}

QString AppTest::path(const QString &name) const
{
    return folder_.filePath(name);
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}

void settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
