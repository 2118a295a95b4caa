#include "app_test_support.h"

#include "native_path.h"
#include "single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <future>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using kestrix::SingleInstance;

namespace {

// The second launch runs on its own thread, as it would in its own process.
bool handOverFromAnotherLaunch(const QString &serverName, const QStringList &paths)
{
    std::future<bool> delivered =
        std::async(std::launch::async, [&] { return SingleInstance(serverName).handOver(paths); });
    while (delivered.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return delivered.get();
}

#ifdef Q_OS_UNIX

// Sets an environment variable (or removes it, for a null value) while it lives.
class ScopedVariable {
public:
    ScopedVariable(const char *name, const QByteArray &value)
        : name_(name)
        , old_(qgetenv(name))
        , wasSet_(qEnvironmentVariableIsSet(name))
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~ScopedVariable() { wasSet_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char *name_;
    QByteArray old_;
    bool wasSet_;
};

constexpr uid_t kNobody = 65534;

// A child process that runs `work` as another user; `work` is given a pipe
// to say it is ready and returns the exit code. Only system calls that are
// safe after fork() belong in it.
class OtherUser {
public:
    explicit OtherUser(const std::function<int(int ready)> &work)
    {
        int ends[2];
        EXPECT_EQ(::pipe(ends), 0);
        child_ = ::fork();
        if (child_ == 0) {
            ::close(ends[0]);
            if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                ::_exit(99);
            ::_exit(work(ends[1]));
        }
        ::close(ends[1]);
        ready_ = ends[0];
    }
    ~OtherUser() { ::close(ready_); }

    bool waitUntilReady()
    {
        char byte = 0;
        return ::read(ready_, &byte, 1) == 1;
    }
    int exitCode()
    {
        int status = 0;
        while (::waitpid(child_, &status, WNOHANG) == 0)
            QTest::qWait(5);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t child_ = -1;
    int ready_ = -1;
};

sockaddr_un addressOf(const QString &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = QFile::encodeName(path);
    std::copy_n(bytes.constData(), std::min<size_t>(bytes.size(), sizeof address.sun_path - 1), address.sun_path);
    return address;
}

bool waitReadable(int descriptor)
{
    pollfd watched{descriptor, POLLIN, 0};
    return ::poll(&watched, 1, 3000) == 1;
}

#endif

} // namespace

using SingleInstanceTest = AppTest;

TEST_F(SingleInstanceTest, ASecondLaunchHandsItsFilesToTheRunningOne)
{
    const QString name = path("kestrix");
    EXPECT_FALSE(SingleInstance(name).handOver({"/a.ptx"})) << "nobody running: the launch goes ahead itself";

    SingleInstance running(name);
    ASSERT_TRUE(running.listen());
    QSignalSpy received(&running, &SingleInstance::filesReceived);

    // Garbage on the socket opens nothing and leaves the instance listening.
    QLocalSocket garbage;
    garbage.connectToServer(name);
    ASSERT_TRUE(garbage.waitForConnected(2000));
    garbage.write(QByteArray("\xff\xff\xff\x7f garbage", 12));
    garbage.flush();
    garbage.disconnectFromServer();
    QTest::qWait(200);
    EXPECT_EQ(received.count(), 0);

    const QStringList files{"/Sessions/Mix \"Final\".ptx", "/Sessions/Ünïcödé\nnewline.ptx",
                            kestrix::pathFromNativeBytes("/Sessions/Latin-1 caf\xe9.ptx")};
    ASSERT_TRUE(handOverFromAnotherLaunch(name, files));
    ASSERT_TRUE(received.count() > 0 || received.wait(3000));
    EXPECT_EQ(received.takeFirst().at(0).toStringList(), files);

    ASSERT_TRUE(handOverFromAnotherLaunch(name, {}));
    ASSERT_TRUE(received.count() > 0 || received.wait(3000));
    EXPECT_EQ(received.takeFirst().at(0).toStringList(), QStringList{}) << "a plain second launch";
}

#ifdef Q_OS_UNIX

TEST_F(SingleInstanceTest, TheSocketLivesInAFolderOnlyThisUserCanOpen)
{
    const QString runtime = path("run");
    const QString temporary = path("tmp");
    ASSERT_TRUE(QDir().mkdir(runtime) && QDir().mkdir(temporary));
    ::chmod(QFile::encodeName(runtime).constData(), 0700);
    const ScopedVariable runtimeFolder("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    const ScopedVariable temporaryFolder("TMPDIR", QFile::encodeName(temporary));
    const ScopedVariable display("DISPLAY", ":3");
    {
        const ScopedVariable wayland("WAYLAND_DISPLAY", QByteArray());
        EXPECT_EQ(SingleInstance::defaultSocketPath(), runtime + "/kestrix-_3");
    }
    const ScopedVariable wayland("WAYLAND_DISPLAY", "../wayland 1");
    EXPECT_EQ(SingleInstance::defaultSocketPath(), runtime + "/kestrix-.._wayland_1") << "never outside the folder";

    ::chmod(QFile::encodeName(runtime).constData(), 0755);
    const QString own = temporary + "/kestrix-" + QString::number(::geteuid());
    EXPECT_EQ(SingleInstance::defaultSocketPath(), own + "/kestrix-.._wayland_1") << "others can open the runtime folder";
    EXPECT_EQ(QFileInfo(own).permissions().toInt() & 0x0077, 0) << "made for this user only";

    ::chmod(QFile::encodeName(own).constData(), 0777);
    EXPECT_EQ(SingleInstance::defaultSocketPath(), QString()) << "a folder others can write is refused";
    if (::geteuid() == 0) {
        ::chmod(QFile::encodeName(own).constData(), 0700);
        EXPECT_EQ(::chown(QFile::encodeName(own).constData(), kNobody, kNobody), 0);
        EXPECT_EQ(SingleInstance::defaultSocketPath(), QString()) << "a folder another user made first is refused";
    }
    EXPECT_EQ(SingleInstance(QString()).claim({}), SingleInstance::Claim::Instance) << "the files still open";
}

TEST_F(SingleInstanceTest, AnotherUserCanNeitherReceiveNorSendHandOvers)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "acting as another user needs root; the folder test covers where the socket lives";
    // A folder every user can write, as the shared temporary folder is.
    QTemporaryDir shared;
    ::chmod(QFile::encodeName(shared.path()).constData(), 0777);
    const QString socketPath = shared.filePath("kestrix");
    const sockaddr_un address = addressOf(socketPath);

    OtherUser listener([&](int ready) {
        const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::bind(server, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
            ::listen(server, 4) != 0 || ::write(ready, "r", 1) != 1)
            return 2;
        if (!waitReadable(server))
            return 0;
        const int peer = ::accept(server, nullptr, nullptr);
        char byte = 0;
        return waitReadable(peer) && ::read(peer, &byte, 1) == 1 ? 1 : 0;
    });
    ASSERT_TRUE(listener.waitUntilReady());
    EXPECT_FALSE(SingleInstance(socketPath).handOver({"/Sessions/Secret.ptx"}));
    EXPECT_EQ(listener.exitCode(), 0) << "the other user was handed the files";
    ::unlink(QFile::encodeName(socketPath).constData());

    SingleInstance running(socketPath);
    ASSERT_TRUE(running.listen());
    ::chmod(QFile::encodeName(socketPath).constData(), 0777);
    QSignalSpy received(&running, &SingleInstance::filesReceived);
    const QByteArray forged("kestrix-open 1\n/Sessions/Forged.ptx", 36);
    OtherUser sender([&](int) {
        const int client = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(client, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
            return 2;
        return ::write(client, forged.constData(), size_t(forged.size())) == forged.size() ? 0 : 3;
    });
    EXPECT_EQ(sender.exitCode(), 0) << "the other user reaches the socket";
    ASSERT_TRUE(handOverFromAnotherLaunch(socketPath, {"/Sessions/Mine.ptx"}));
    ASSERT_TRUE(waitUntil([&] { return received.count() > 0; }));
    QTest::qWait(100);
    ASSERT_EQ(received.count(), 1);
    EXPECT_EQ(received.takeFirst().at(0).toStringList(), QStringList{"/Sessions/Mine.ptx"});
}

#endif
