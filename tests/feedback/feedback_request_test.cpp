// The two requests as a loopback server receives them, and what the form
// makes of each kind of answer.
#include "attachment.h"
#include "feedback_test_support.h"
#include "platform_info.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>

using namespace kestrix::feedback;

namespace {

// Each part's name and data, in order.
QList<std::pair<QString, QByteArray>> namesAndData(const QJsonObject &parsed)
{
    QList<std::pair<QString, QByteArray>> parts;
    for (const QJsonValue &part : parsed.value(QLatin1String("parts")).toArray())
        parts.append({part.toObject().value(QLatin1String("name")).toString(),
                      QByteArray::fromBase64(part.toObject().value(QLatin1String("data")).toString().toLatin1())});
    return parts;
}

QJsonObject part(const QJsonObject &parsed, int index)
{
    return parsed.value(QLatin1String("parts")).toArray().at(index).toObject();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kAuthorisation = "Bearer " + kTestApiKey.toLatin1();

// The method, path, authorisation and user agent of a request.
std::tuple<QByteArray, QByteArray, QByteArray, QByteArray> sentTo(const RecordedRequest &request)
{
    return {request.method, request.path, request.headers.value("authorization"), request.headers.value("user-agent")};
}

} // namespace

TEST_F(FeedbackTest, BugReportIsMultipartWithTheFieldsAndTheFile)
{
    const QString jpeg = makeFile(QStringLiteral("screen \"one\".JPEG"), 70000);
    auto form = filledForm(FeedbackKind::bugReport);
    form->chooseAttachment(jpeg);
    submitAndWait(*form);
    ASSERT_TRUE(form->submitted()) << form->resultMessage().value_or(QString()).toStdString();
    ASSERT_EQ(server_.requests().size(), 1);
    const RecordedRequest &request = server_.requests().front();
    EXPECT_EQ(sentTo(request), std::make_tuple(QByteArray("POST"), QByteArray("/api/kestrix/bug-report"),
                                               kAuthorisation, userAgent().toUtf8()));
    const QByteArray contentType = request.headers.value("content-type");
    ASSERT_TRUE(contentType.startsWith("multipart/form-data; boundary=Boundary-")) << contentType.toStdString();

    const QJsonObject parsed = parseMultipart(contentType, request.body);
    EXPECT_TRUE(parsed.value(QLatin1String("defects")).toArray().isEmpty());
    const QList<std::pair<QString, QByteArray>> expected = {
        {"first_name", "Ana"},
        {"last_name", "Lind"},
        {"email", "ana@studio.example"},
        {"description", ("The clip list is empty.\n\n--- System info ---\n" + systemInfo()).toUtf8()},
        {"os_version", osVersion().toUtf8()},
        {"ptx_file", fileBytes(jpeg)}};
    EXPECT_EQ(namesAndData(parsed), expected);
    EXPECT_FALSE(part(parsed, 4).value(QLatin1String("explicit_type")).toBool());
    EXPECT_EQ(part(parsed, 5).value(QLatin1String("content_type")).toString(), QStringLiteral("image/jpeg"));
    // A quotation mark in the name cannot end the parameter early.
    EXPECT_EQ(part(parsed, 5).value(QLatin1String("filename")).toString(), QStringLiteral("screen %22one%22.JPEG"));
    // The body ends with the closing delimiter line.
    EXPECT_TRUE(request.body.endsWith("--" + contentType.mid(contentType.indexOf('=') + 1) + "--\r\n"));
}

TEST_F(FeedbackTest, AttachmentLimitIsFourMegabytesAndALongDescriptionLosesTheSystemInformation)
{
    auto form = filledForm(FeedbackKind::bugReport);
    const QString exact = makeFile(QStringLiteral("exact.ptx"), kMaxAttachmentBytes);
    const QString over = makeFile(QStringLiteral("over.zip"), kMaxAttachmentBytes + 1);
    form->chooseAttachment(exact);
    EXPECT_EQ(form->attachmentPath(), exact);
    EXPECT_FALSE(form->resultMessage());
    form->chooseAttachment(over);
    EXPECT_EQ(form->attachmentPath(), exact);
    EXPECT_TRUE(form->resultIsError());
    EXPECT_EQ(form->resultMessage(), QStringLiteral("Attachment is too large. The server rejects files over 4 MB."));
    form->chooseAttachment(makeFile(QStringLiteral("notes.pdf"), 10));
    EXPECT_EQ(form->resultMessage(), QStringLiteral("Attachment must be .ptx, .zip, .png, or .jpg."));

    // Grown past the limit after it was chosen: refused at send time, not cut.
    QFile grow(exact);
    ASSERT_TRUE(grow.open(QIODevice::Append));
    grow.write("x");
    grow.close();
    submitAndWait(*form);
    EXPECT_TRUE(server_.requests().isEmpty());
    EXPECT_EQ(form->resultMessage(),
              QStringLiteral("Send failed: Attachment is too large. The server rejects files over 4 MB."));

    // Session files go as an octet stream, whole. A description of the
    // longest length leaves no room for the system information.
    ASSERT_TRUE(grow.resize(kMaxAttachmentBytes));
    const QString description = QString(9990, u'd') + QStringLiteral("\U0001F3B9") + QString(9, u'e');
    form->setDescription(description + u'f');
    EXPECT_FALSE(form->canSubmit());
    form->setDescription(description);
    EXPECT_TRUE(form->canSubmit());
    submitAndWait(*form);
    ASSERT_EQ(server_.requests().size(), 1);
    const QJsonObject parsed = parseMultipart(server_.requests().at(0).headers.value("content-type"),
                                              server_.requests().at(0).body);
    EXPECT_EQ(part(parsed, 5).value(QLatin1String("content_type")).toString(),
              QStringLiteral("application/octet-stream"));
    EXPECT_EQ(namesAndData(parsed).value(5).second, fileBytes(exact));
    EXPECT_EQ(namesAndData(parsed).value(3).second, description.toUtf8());
}

TEST_F(FeedbackTest, FeatureRequestIsJson)
{
    auto form = filledForm(FeedbackKind::featureRequest);
    form->setDescription(QStringLiteral("  Show \"fades\" on the timeline\n\n"));
    submitAndWait(*form);
    ASSERT_TRUE(form->submitted());
    ASSERT_EQ(server_.requests().size(), 1);
    const RecordedRequest &request = server_.requests().front();
    EXPECT_EQ(sentTo(request), std::make_tuple(QByteArray("POST"), QByteArray("/api/kestrix/feature-request"),
                                               kAuthorisation, userAgent().toUtf8()));
    EXPECT_EQ(request.headers.value("content-type"), "application/json");
    const QJsonObject body = QJsonDocument::fromJson(request.body).object();
    EXPECT_EQ(body, QJsonObject({{QStringLiteral("first_name"), QStringLiteral("Ana")},
                                 {QStringLiteral("last_name"), QStringLiteral("Lind")},
                                 {QStringLiteral("email"), QStringLiteral("ana@studio.example")},
                                 {QStringLiteral("description"), QStringLiteral("Show \"fades\" on the timeline")}}));
}

TEST_F(FeedbackTest, RefusalsAndSilenceAreSaidAndOnlyASuccessfulSendStoresTheContact)
{
    auto form = filledForm(FeedbackKind::bugReport);
    // A file gone between choosing and sending is left out.
    const QString session = makeFile(QStringLiteral("Mix.ptx"), 4096);
    form->chooseAttachment(session);
    QFile::remove(session);
    server_.answerWith(422, R"({"error":"Validation failed","details":[{"message":"Bad email"},{"message":"x"}]})");
    submitAndWait(*form);
    EXPECT_TRUE(form->resultIsError());
    EXPECT_EQ(form->resultMessage(), QStringLiteral("Send failed: Bad email"));
    ASSERT_EQ(server_.requests().size(), 1);
    EXPECT_TRUE(server_.requests().at(0).body.contains("name=\"os_version\""));
    EXPECT_FALSE(server_.requests().at(0).body.contains("name=\"ptx_file\""));

    server_.answerWith(400, R"({"error":"Missing field","details":[]})");
    submitAndWait(*form);
    EXPECT_EQ(form->resultMessage(), QStringLiteral("Send failed: Missing field"));

    server_.answerWith(500, "");
    submitAndWait(*form);
    EXPECT_EQ(form->resultMessage(), QStringLiteral("Send failed: Server returned HTTP 500"));
    EXPECT_FALSE(form->submitted());
    EXPECT_EQ(form->fields().description, QStringLiteral("The clip list is empty.\n"));

    form->sender().setTimeout(std::chrono::milliseconds(300));
    server_.neverAnswer();
    submitAndWait(*form);
    EXPECT_EQ(form->resultMessage(), QStringLiteral("Send failed: The request timed out."));
    EXPECT_TRUE(form->canSubmit());  // the form stays usable
    EXPECT_FALSE(QSettings().contains(QStringLiteral("ContactInfo.firstName")));

    server_.answerWith(201, "{}");
    submitAndWait(*form);
    ASSERT_TRUE(form->submitted());
    const QSettings settings;
    EXPECT_EQ(settings.value(QStringLiteral("ContactInfo.firstName")).toString(), QStringLiteral("Ana"));
    EXPECT_EQ(settings.value(QStringLiteral("ContactInfo.email")).toString(), QStringLiteral("ana@studio.example"));
    const FeedbackForm next(FeedbackKind::featureRequest, service());
    EXPECT_EQ(next.fields().firstName, QStringLiteral("Ana"));
    EXPECT_EQ(next.fields().lastName, QStringLiteral("Lind"));
    EXPECT_TRUE(next.fields().description.isEmpty());

    server_.close();
    auto dead = filledForm(FeedbackKind::featureRequest);  // the same address, nobody listening
    submitAndWait(*dead);
    EXPECT_EQ(dead->resultMessage(), QStringLiteral("Send failed: Connection refused"));
}

TEST_F(FeedbackTest, UnconfiguredBuildSaysSo)
{
    FeedbackForm bug(FeedbackKind::bugReport, FeedbackService::fromValues(server_.baseAddress(), QString()));
    bug.setFirstName(QStringLiteral("A"));
    bug.submit();
    EXPECT_EQ(bug.resultMessage(), QStringLiteral("Bug report is not configured in this build (missing API key)."));
    FeedbackForm feature(FeedbackKind::featureRequest, FeedbackService{});
    feature.submit();
    EXPECT_EQ(feature.resultMessage(),
              QStringLiteral("Feature request is not configured in this build (missing API key)."));
    EXPECT_FALSE(bug.submitting());
    EXPECT_TRUE(server_.requests().isEmpty());
}
