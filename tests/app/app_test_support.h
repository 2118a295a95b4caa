// A clean slate for each test: empty preferences, a folder for session files,
// and every window gone afterwards.
#ifndef KESTRIX_TESTS_APP_APP_TEST_SUPPORT_H
#define KESTRIX_TESTS_APP_APP_TEST_SUPPORT_H

#include <QRect>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A file named `name` in this test's folder; its bytes are not a session.
    QString makeFile(const QString &name);
    QString path(const QString &name) const;

    QTemporaryDir folder_;
};

// Processes events until the condition holds or the time is up.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 3000);
// Lets queued calls and deferred deletes run.
void settle();

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out) { *out << text.toStdString(); }
inline void PrintTo(const QRect &rect, std::ostream *out)
{
    *out << rect.x() << "," << rect.y() << " " << rect.width() << "x" << rect.height();
}
QT_END_NAMESPACE

#endif
