#include "feedback_test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QSettings>
#include <QTemporaryFile>
#include <QThread>

using namespace kestrix::feedback;

void FeedbackTest::SetUp()
{
    QSettings().clear();
    ASSERT_TRUE(folder_.isValid());
    ASSERT_TRUE(server_.start());
}

void FeedbackTest::TearDown()
{
    QSettings().clear();
}

FeedbackService FeedbackTest::service() const
{
    return FeedbackService::fromValues(server_.baseAddress(), kTestApiKey);
}

QString FeedbackTest::makeFile(const QString &name, qint64 size)
{
    const QString path = folder_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray bytes(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
    file.write(bytes);
    return path;
}

std::unique_ptr<FeedbackForm> FeedbackTest::filledForm(FeedbackKind kind)
{
    auto form = std::make_unique<FeedbackForm>(kind, service());
    form->setFirstName(QStringLiteral("  Ana "));
    form->setLastName(QStringLiteral("Lind"));
    form->setEmail(QStringLiteral("ana@studio.example"));
    form->setDescription(QStringLiteral("The clip list is empty.\n"));
    return form;
}

void FeedbackTest::submitAndWait(FeedbackForm &form, int timeoutMs)
{
    form.submit();
    EXPECT_TRUE(waitUntil([&form] { return !form.submitting(); }, timeoutMs));
}

QJsonObject parseMultipart(const QByteArray &contentType, const QByteArray &body)
{
    QTemporaryFile file;
    if (!file.open())
        return {};
    file.write(body);
    file.flush();
    QProcess python;
    python.start(QStringLiteral(KESTRIX_PYTHON),
                 {QStringLiteral(KESTRIX_MULTIPART_PARSER), QString::fromLatin1(contentType), file.fileName()});
    if (!python.waitForFinished(20000) || python.exitCode() != 0) {
        ADD_FAILURE() << "parser: " << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}
