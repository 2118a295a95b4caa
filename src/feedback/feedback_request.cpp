#include "feedback_request.h"

#include "feedback_text.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

namespace kestrix::feedback {

namespace {

constexpr const char *kLineEnd = "\r\n";

QList<QPair<QByteArray, QByteArray>> commonHeaders(const QByteArray &contentType, const QString &apiKey,
                                                   const QString &userAgent)
{
    return {{"Content-Type", contentType},
            {"Authorization", "Bearer " + apiKey.toUtf8()},
            {"User-Agent", userAgent.toUtf8()}};
}

// A file name inside a quoted header parameter: quotation marks and line
// breaks are percent-encoded, as browsers send them, so a name can never end
// the parameter or the header early.
QByteArray quotedFileName(const QString &fileName)
{
    QByteArray name = fileName.toUtf8();
    name.replace('"', "%22").replace('\r', "%0D").replace('\n', "%0A");
    return '"' + name + '"';
}

void appendField(QByteArray &body, const QByteArray &delimiter, const char *name, const QString &value)
{
    body += delimiter + kLineEnd;
    body += QByteArray("Content-Disposition: form-data; name=\"") + name + '"' + kLineEnd;
    body += kLineEnd;
    body += value.toUtf8() + kLineEnd;
}

} // namespace

BugReportPayload makeBugReportPayload(const ContactFields &fields, const QString &systemInfo,
                                      std::optional<AttachmentContents> attachment, const QString &osVersion,
                                      const QString &userAgent, const QString &apiKey)
{
    const QString description = trimmedAndCut(fields.description, kMaxDescriptionCharacters)
                                + QStringLiteral("\n\n--- System info ---\n") + systemInfo;
    return {trimmedAndCut(fields.firstName, kMaxNameCharacters),
            trimmedAndCut(fields.lastName, kMaxNameCharacters),
            trimmedAndCut(fields.email, kMaxEmailCharacters),
            leftCharacters(description, kMaxDescriptionCharacters),
            std::move(attachment),
            osVersion,
            userAgent,
            apiKey};
}

FeatureRequestPayload makeFeatureRequestPayload(const ContactFields &fields, const QString &userAgent,
                                                const QString &apiKey)
{
    return {trimmedAndCut(fields.firstName, kMaxNameCharacters),
            trimmedAndCut(fields.lastName, kMaxNameCharacters),
            trimmedAndCut(fields.email, kMaxEmailCharacters),
            trimmedAndCut(fields.description, kMaxDescriptionCharacters),
            userAgent,
            apiKey};
}

QString newBoundary()
{
    return QStringLiteral("Boundary-") + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

HttpRequestParts multipartRequest(const BugReportPayload &payload, const QString &boundary)
{
    const QByteArray delimiter = "--" + boundary.toUtf8();
    QByteArray body;
    const qsizetype attachmentSize = payload.attachment ? payload.attachment->bytes.size() : 0;
    body.reserve(attachmentSize + payload.description.size() * 3 + 2048);
    appendField(body, delimiter, "first_name", payload.firstName);
    appendField(body, delimiter, "last_name", payload.lastName);
    appendField(body, delimiter, "email", payload.email);
    appendField(body, delimiter, "description", payload.description);
    appendField(body, delimiter, "os_version", payload.osVersion);
    if (payload.attachment) {
        const AttachmentContents &file = *payload.attachment;
        body += delimiter + kLineEnd;
        body += "Content-Disposition: form-data; name=\"ptx_file\"; filename=" + quotedFileName(file.fileName)
                + kLineEnd;
        body += "Content-Type: " + attachmentContentType(file.fileName) + kLineEnd;
        body += kLineEnd;
        body += file.bytes + kLineEnd;
    }
    body += delimiter + "--" + kLineEnd;
    return {commonHeaders("multipart/form-data; boundary=" + boundary.toUtf8(), payload.apiKey, payload.userAgent),
            body};
}

HttpRequestParts jsonRequest(const FeatureRequestPayload &payload)
{
    const QJsonObject object{{QStringLiteral("first_name"), payload.firstName},
                             {QStringLiteral("last_name"), payload.lastName},
                             {QStringLiteral("email"), payload.email},
                             {QStringLiteral("description"), payload.description}};
    return {commonHeaders("application/json", payload.apiKey, payload.userAgent),
            QJsonDocument(object).toJson(QJsonDocument::Compact)};
}

QByteArray attachmentContentType(const QString &fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == QLatin1String("png"))
        return "image/png";
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return "image/jpeg";
    if (extension == QLatin1String("zip"))
        return "application/zip";
    if (extension == QLatin1String("txt"))
        return "text/plain";
    return "application/octet-stream";
}

} // namespace kestrix::feedback
