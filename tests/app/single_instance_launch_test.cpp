// Real kestrix processes: of the launches of one user on one display exactly
// one becomes the instance, the others hand over and quit.
#include "app_test_support.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace {

// Longer than a launch keeps trying to reach the instance.
constexpr int kSettleTimeoutMs = 10000;

// A user of their own: home, preferences, runtime and temporary folders.
class User {
public:
    User()
    {
        for (const char *folder : {"home", "config", "run", "tmp"})
            QDir(root_.path()).mkdir(QString::fromLatin1(folder));
        QFile::setPermissions(root_.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QProcessEnvironment on(const QString &display) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("DISPLAY", display);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("HOME", root_.filePath("home"));
        environment.insert("XDG_CONFIG_HOME", root_.filePath("config"));
        environment.insert("XDG_RUNTIME_DIR", root_.filePath("run"));
        environment.insert("TMPDIR", root_.filePath("tmp"));
        return environment;
    }

private:
    QTemporaryDir root_;
};

class Launch {
public:
    explicit Launch(const QProcessEnvironment &environment)
    {
        process_.setProcessEnvironment(environment);
        process_.start(QStringLiteral(KESTRIX_EXECUTABLE), {});
    }
    ~Launch() { crash(); }

    bool isInstance()
    {
        log_ += process_.readAllStandardError();
        return log_.contains("[App] Taking open requests from later launches");
    }
    bool handedOver() const
    {
        return process_.state() == QProcess::NotRunning && process_.exitStatus() == QProcess::NormalExit &&
               process_.exitCode() == 0;
    }
    bool settled() { return isInstance() || process_.state() == QProcess::NotRunning; }
    void crash()
    {
        process_.kill();
        process_.waitForFinished();
    }

private:
    QProcess process_;
    QByteArray log_;
};

using Launches = std::vector<std::unique_ptr<Launch>>;

// How many launches became the instance, once every one has either said so
// or quit; -1 when one did neither in time or quit without handing over.
int instancesAfterSettling(Launches &launches)
{
    const auto allSettled = [&] {
        return std::all_of(launches.begin(), launches.end(), [](auto &launch) { return launch->settled(); });
    };
    if (!waitUntil(allSettled, kSettleTimeoutMs))
        return -1;
    int instances = 0;
    for (auto &launch : launches) {
        if (launch->isInstance())
            ++instances;
        else if (!launch->handedOver())
            return -1;
    }
    return instances;
}

int launchTogether(Launches &launches, int count, const QProcessEnvironment &environment)
{
    for (int index = 0; index < count; ++index)
        launches.push_back(std::make_unique<Launch>(environment));
    return instancesAfterSettling(launches);
}

} // namespace

TEST(SingleInstanceLaunchTest, LaunchesStartedTogetherMakeOneInstance)
{
    for (int round = 0; round < 12; ++round) {
        const User user;
        Launches launches;
        ASSERT_EQ(launchTogether(launches, 6, user.on(":5")), 1) << "round " << round;
    }
}

TEST(SingleInstanceLaunchTest, EachDisplayHasItsOwnInstanceAndACrashedOneIsReplaced)
{
    const User user;
    Launches first;
    Launches second;
    ASSERT_EQ(launchTogether(first, 1, user.on(":1")), 1);
    ASSERT_EQ(launchTogether(second, 1, user.on(":2")), 1) << "another display, another instance";
    ASSERT_EQ(launchTogether(second, 1, user.on(":2")), 1) << "the second launch there hands over";

    first.front()->crash();
    Launches replacement;
    EXPECT_EQ(launchTogether(replacement, 2, user.on(":1")), 1) << "the lock and socket left behind are taken over";
}
