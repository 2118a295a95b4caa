// The two requests: a bug report as multipart form data with an optional file,
// a feature request as a JSON object. Building them does no input or output;
// the attachment's bytes are read beforehand (see attachment.h).
#ifndef KESTRIX_FEEDBACK_FEEDBACK_REQUEST_H
#define KESTRIX_FEEDBACK_FEEDBACK_REQUEST_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace kestrix::feedback {

// What the form holds when Send is pressed.
struct ContactFields {
    QString firstName;
    QString lastName;
    QString email;
    QString description;
};

// An attached file as it goes out: its name and the bytes read from it.
struct AttachmentContents {
    QString fileName;
    QByteArray bytes;
};

struct BugReportPayload {
    QString firstName;
    QString lastName;
    QString email;
    QString description;
    std::optional<AttachmentContents> attachment;
    QString osVersion;
    QString userAgent;
    QString apiKey;
};

struct FeatureRequestPayload {
    QString firstName;
    QString lastName;
    QString email;
    QString description;
    QString userAgent;
    QString apiKey;
};

// Names cut to 100 characters, the email to 320, the description to 10,000;
// then, for a bug report, the system information appended and the whole
// description cut to 10,000 again.
BugReportPayload makeBugReportPayload(const ContactFields &fields, const QString &systemInfo,
                                      std::optional<AttachmentContents> attachment, const QString &osVersion,
                                      const QString &userAgent, const QString &apiKey);
FeatureRequestPayload makeFeatureRequestPayload(const ContactFields &fields, const QString &userAgent,
                                                const QString &apiKey);

// A request's headers and body, ready to send.
struct HttpRequestParts {
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
};

// "Boundary-" and a fresh UUID.
QString newBoundary();
HttpRequestParts multipartRequest(const BugReportPayload &payload, const QString &boundary);
HttpRequestParts jsonRequest(const FeatureRequestPayload &payload);

// The attachment's type by its lower-cased extension.
QByteArray attachmentContentType(const QString &fileName);

} // namespace kestrix::feedback

#endif
