// The two windows as a user meets them: opened from the Help menu and by the
// playback log and import dialogs, one of each, and the form's controls.
#include "app_commands.h"
#include "bug_report_opener.h"
#include "bug_report_view.h"
#include "feature_request_view.h"
#include "feedback_test_support.h"
#include "quorvix_app.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace kestrix;
using namespace kestrix::feedback;

namespace {

QAction *menuAction(QMainWindow &window, const QString &text)
{
    for (QAction *menu : window.menuBar()->actions()) {
        if (!menu->menu())
            continue;
        for (QAction *action : menu->menu()->actions()) {
            if (action->text() == text)
                return action;
        }
    }
    return nullptr;
}

// The first child of the kind whose text starts with `start`.
template <class Widget>
Widget *childStartingWith(QWidget &window, const QString &start)
{
    for (Widget *candidate : window.findChildren<Widget *>()) {
        if (candidate->text().startsWith(start))
            return candidate;
    }
    return nullptr;
}

} // namespace

TEST_F(FeedbackTest, HelpMenuAndReportersShareOneWindowOfEachKind)
{
    EXPECT_FALSE(openBugReportForPlaybackLog(QStringLiteral("/tmp/log.txt")));  // no delegate yet
    const QString log = makeFile(QStringLiteral("Kestrix_Audio_Log_1.txt"), 300);
    const QString report = makeFile(QStringLiteral("Kestrix_Import_Mix_1.txt"), 300);
    {
        QuorvixApp app;
        QMainWindow menuWindow;
        app.commands().installMenuBar(&menuWindow);
        QAction *bugItem = menuAction(menuWindow, QStringLiteral("Send Bug Report…"));
        QAction *featureItem = menuAction(menuWindow, QStringLiteral("Send Feature Request…"));
        ASSERT_TRUE(bugItem && featureItem);

        featureItem->trigger();
        QPointer<FeatureRequestView> feature = app.appDelegate().featureRequestWindow();
        ASSERT_TRUE(feature);
        EXPECT_TRUE(feature->isVisible());
        featureItem->trigger();
        EXPECT_EQ(app.appDelegate().featureRequestWindow(), feature.data());

        // The playback log, written and attached from the Help menu.
        QAction *logItem = menuAction(menuWindow, QStringLiteral("Send Audio Playback Log…"));
        ASSERT_TRUE(logItem);
        logItem->trigger();
        QPointer<BugReportView> bug = app.appDelegate().bugReportWindow();
        ASSERT_TRUE(bug);
        EXPECT_EQ(bug->form().fields().description, playbackLogDescription());
        const QString sentLog = bug->form().attachmentPath();
        EXPECT_TRUE(QFileInfo(sentLog).fileName().startsWith(QStringLiteral("Kestrix_Audio_Log_")));
        QFile written(sentLog);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll().startsWith("=== Kestrix Audio Playback Log ==="));
        written.close();
        QFile::remove(sentLog);
        bug->form().removeAttachment();
        ASSERT_TRUE(openBugReportForPlaybackLog(log));
        EXPECT_EQ(bug->form().attachmentPath(), log);

        // Already open with the user's text: a second reporter fills nothing over it.
        bug->form().setDescription(QStringLiteral("No sound on the 5.1 group"));
        ASSERT_TRUE(openBugReportForImport(QStringLiteral("Track 3 failed"), report));
        EXPECT_EQ(app.appDelegate().bugReportWindow(), bug.data());
        EXPECT_EQ(bug->form().fields().description, QStringLiteral("No sound on the 5.1 group"));
        EXPECT_EQ(bug->form().attachmentPath(), log);

        bugItem->trigger();
        EXPECT_EQ(app.appDelegate().bugReportWindow(), bug.data());
        bug->close();
        waitUntil([&bug] { return bug.isNull(); });
        EXPECT_TRUE(bug.isNull());

        ASSERT_TRUE(openBugReportForImport(QString(), report));
        EXPECT_EQ(app.appDelegate().bugReportWindow()->form().fields().description,
                  QStringLiteral("\n\nPlease describe what you expected vs. what happened.\nA diagnostic transcript "
                                 "is attached as a text file."));
        EXPECT_EQ(app.appDelegate().bugReportWindow()->form().attachmentPath(), report);
    }
    EXPECT_FALSE(openBugReport(QString(), QString()));  // the delegate is gone
}

TEST_F(FeedbackTest, SendFollowsValidationClosingStopsTheRequestAndTheSentScreenReplacesTheForm)
{
    FeatureRequestView view(service());
    view.show();
    QPushButton *send = childStartingWith<QPushButton>(view, QStringLiteral("Send"));
    ASSERT_TRUE(send);
    EXPECT_FALSE(send->isEnabled());
    view.form().setFirstName(QStringLiteral("Ana"));
    view.form().setLastName(QStringLiteral("Lind"));
    view.form().setEmail(QStringLiteral("ana@studio.example"));
    EXPECT_FALSE(send->isEnabled());
    auto *description = view.findChild<QPlainTextEdit *>();
    description->setPlainText(QString(10001, u'x'));
    QLabel *counter = childStartingWith<QLabel>(view, QStringLiteral("10001 / 10000"));
    ASSERT_TRUE(counter);
    EXPECT_EQ(counter->palette().color(QPalette::WindowText), QColor(220, 50, 47));
    EXPECT_FALSE(send->isEnabled());
    description->setPlainText(QStringLiteral("Markers in the ruler"));
    EXPECT_TRUE(send->isEnabled());

    server_.neverAnswer();
    send->click();
    EXPECT_TRUE(view.form().submitting());
    EXPECT_FALSE(send->isEnabled());
    ASSERT_TRUE(waitUntil([this] { return server_.requests().size() == 1; }));
    view.close();
    EXPECT_FALSE(view.form().submitting());
    EXPECT_TRUE(waitUntil([this] { return server_.closedWithoutAnswer() == 1; }));
    EXPECT_FALSE(view.form().resultMessage());

    server_.answerWith(200, "{}");
    view.show();
    send->click();
    ASSERT_TRUE(waitUntil([&view] { return view.form().submitted(); }));
    QLabel *title = childStartingWith<QLabel>(view, QStringLiteral("Feature Request Sent"));
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->isVisible());
    EXPECT_FALSE(send->isVisible());
}
