#include "app_test_support.h"

#include "session_report_export.h"

#include <QFile>
#include <QPointer>

using kestrix::SessionReportExport;

using SessionReportExportTest = AppTest;

namespace {

// Runs one export and returns what it reported: the written path, or the
// failure's description prefixed with "failed: ".
QString runExport(const QString &sessionFile, std::shared_ptr<const kestrix::PTXSessionInfo> session,
                  const QString &destination)
{
    QString outcome;
    auto *task = new SessionReportExport(sessionFile, std::move(session), destination);
    QObject::connect(task, &SessionReportExport::written, [&](const QString &path) { outcome = path; });
    QObject::connect(task, &SessionReportExport::failed,
                     [&](const QString &description) { outcome = "failed: " + description; });
    QPointer<SessionReportExport> alive(task);
    task->start();
    // The main thread keeps turning its event loop while the report is written.
    EXPECT_TRUE(waitUntil([&] { return !outcome.isEmpty(); }, 20000));
    EXPECT_TRUE(waitUntil([&] { return alive.isNull(); })) << "the task deletes itself after reporting";
    return outcome;
}

} // namespace

TEST_F(SessionReportExportTest, WritesFromTheWindowsSessionOrTheFileAndReportsFailures)
{
    auto info = std::make_shared<kestrix::PTXSessionInfo>();
    info->sessionName = "Mix";
    const QString fromWindow = kestrix::proposedReportPath(path("Mix.ptx"));
    EXPECT_EQ(fromWindow, path("Mix Report.pdf")) << "proposed beside the session";
    EXPECT_EQ(runExport(path("Mix.ptx"), info, fromWindow), fromWindow);
    EXPECT_TRUE(QFile(fromWindow).open(QIODevice::ReadOnly) && QFile(fromWindow).size() > 0);

    // A window that has not loaded its session: the file is read for the report.
    const QString fromFile = path("Demo Report.pdf");
    EXPECT_EQ(runExport(KESTRIX_DEMO_SESSION, nullptr, fromFile), fromFile);
    EXPECT_TRUE(QFile::exists(fromFile));

    const QString unreadable = makeFile("Broken.ptx");
    const QString never = path("Broken Report.pdf");
    EXPECT_TRUE(runExport(unreadable, nullptr, never).startsWith("failed: "));
    EXPECT_FALSE(QFile::exists(never));

    const QString nowhere = path("missing/Mix Report.pdf");
    EXPECT_EQ(runExport(path("Mix.ptx"), info, nowhere), "failed: Could not open PDF context at " + nowhere);
}
