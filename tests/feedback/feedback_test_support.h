// What the feedback tests share: a clean preferences store, a folder for
// attachments, a loopback server and a service pointed at it.
#ifndef KESTRIX_TESTS_FEEDBACK_FEEDBACK_TEST_SUPPORT_H
#define KESTRIX_TESTS_FEEDBACK_FEEDBACK_TEST_SUPPORT_H

#include "feedback_form.h"
#include "recording_http_server.h"

#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

inline const QString kTestApiKey = QStringLiteral("0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef");

class FeedbackTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    kestrix::feedback::FeedbackService service() const;
    // A file of `size` bytes (a repeating pattern) in this test's folder.
    QString makeFile(const QString &name, qint64 size);
    // A form of `kind` for the loopback server, filled so that it can be sent.
    std::unique_ptr<kestrix::feedback::FeedbackForm> filledForm(kestrix::feedback::FeedbackKind kind);
    // Submits and waits until the form is no longer sending.
    void submitAndWait(kestrix::feedback::FeedbackForm &form, int timeoutMs = 5000);

    QTemporaryDir folder_;
    RecordingHttpServer server_;
};

// The multipart body as Python's email package reads it: {"defects": [...],
// "parts": [{"name", "filename", "content_type", "explicit_type", "data" (base64)}]}.
QJsonObject parseMultipart(const QByteArray &contentType, const QByteArray &body);

bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 3000);

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out) { *out << text.toStdString(); }
inline void PrintTo(const QByteArray &text, std::ostream *out) { *out << text.left(300).toStdString(); }
QT_END_NAMESPACE

#endif
