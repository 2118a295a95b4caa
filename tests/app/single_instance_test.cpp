#include "app_test_support.h"

#include "single_instance.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include <future>

using kestrix::SingleInstance;

namespace {

QString uniqueServerName()
{
    return QStringLiteral("kestrix-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

// The second launch runs on its own thread, as it would in its own process.
bool handOverFromAnotherLaunch(const QString &serverName, const QStringList &paths)
{
    std::future<bool> delivered =
        std::async(std::launch::async, [&] { return SingleInstance(serverName).handOver(paths); });
    while (delivered.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return delivered.get();
}

} // namespace

using SingleInstanceTest = AppTest;

TEST_F(SingleInstanceTest, ASecondLaunchHandsItsFilesToTheRunningOne)
{
    const QString name = uniqueServerName();
    EXPECT_FALSE(SingleInstance(name).handOver({"/a.ptx"})) << "nobody running: the launch goes ahead itself";

    SingleInstance running(name);
    ASSERT_TRUE(running.listen());
    QSignalSpy received(&running, &SingleInstance::filesReceived);

    const QStringList files{"/Sessions/Mix \"Final\".ptx", "/Sessions/Ünïcödé\nnewline.ptx"};
    ASSERT_TRUE(handOverFromAnotherLaunch(name, files));
    ASSERT_TRUE(received.count() > 0 || received.wait(3000));
    EXPECT_EQ(received.takeFirst().at(0).toStringList(), files);

    ASSERT_TRUE(handOverFromAnotherLaunch(name, {}));
    ASSERT_TRUE(received.count() > 0 || received.wait(3000));
    EXPECT_EQ(received.takeFirst().at(0).toStringList(), QStringList{}) << "a plain second launch";
}

TEST_F(SingleInstanceTest, GarbageOnTheSocketIsIgnored)
{
    const QString name = uniqueServerName();
    SingleInstance running(name);
    ASSERT_TRUE(running.listen());
    QSignalSpy received(&running, &SingleInstance::filesReceived);

    QLocalSocket socket;
    socket.connectToServer(name);
    ASSERT_TRUE(socket.waitForConnected(2000));
    socket.write(QByteArray("\xff\xff\xff\x7f garbage", 12));
    socket.flush();
    socket.disconnectFromServer();
    QTest::qWait(200);
    EXPECT_EQ(received.count(), 0);
}
