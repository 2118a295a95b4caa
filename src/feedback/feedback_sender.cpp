#include "feedback_sender.h"

#include "attachment.h"
#include "platform_info.h"

#include <QCoreApplication>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThreadPool>

namespace kestrix::feedback {

namespace {

const QString kBugReportDomain = QStringLiteral("BugReport");
const QString kFeatureRequestDomain = QStringLiteral("FeatureRequest");

// An error body is only read for its message; more than this is dropped.
constexpr qsizetype kMaxAnswerBytes = 64 * 1024;

} // namespace

FeedbackSender::FeedbackSender(QObject *parent)
    : QObject(parent)
{
}

FeedbackSender::~FeedbackSender()
{
    cancel();
}

void FeedbackSender::sendBugReport(const FeedbackService &service, const ContactFields &fields,
                                   const QString &attachmentPath)
{
    cancel();
    sending_ = true;
    const quint64 generation = ++generation_;
    const QUrl url = service.bugReportUrl();
    // The worker reports to the application object, which outlives this
    // sender; the pointer check there drops a result nobody waits for.
    QThreadPool::globalInstance()->start([self = QPointer<FeedbackSender>(this), generation, url, service, fields,
                                          attachmentPath] {
        std::optional<AttachmentContents> attachment;
        std::optional<QString> refusal;
        if (!attachmentPath.isEmpty()) {
            AttachmentRead read = readAttachment(attachmentPath);
            if (auto *contents = std::get_if<AttachmentContents>(&read))
                attachment = std::move(*contents);
            else if (auto *message = std::get_if<QString>(&read))
                refusal = *message;
        }
        HttpRequestParts parts;
        if (!refusal) {
            const BugReportPayload payload = makeBugReportPayload(fields, systemInfo(), std::move(attachment),
                                                                  osVersion(), userAgent(), service.apiKey);
            parts = multipartRequest(payload, newBoundary());
        }
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, generation, url, parts, refusal] {
            if (!self || self->generation_ != generation || !self->sending_)
                return;
            if (refusal)
                self->report(FeedbackError{kBugReportDomain, 0, *refusal});
            else
                self->post(url, parts, kBugReportDomain);
        });
    });
}

void FeedbackSender::sendFeatureRequest(const FeedbackService &service, const ContactFields &fields)
{
    cancel();
    sending_ = true;
    ++generation_;
    post(service.featureRequestUrl(), jsonRequest(makeFeatureRequestPayload(fields, userAgent(), service.apiKey)),
         kFeatureRequestDomain);
}

void FeedbackSender::cancel()
{
    ++generation_;
    sending_ = false;
    if (QNetworkReply *reply = reply_) {
        reply_.clear();
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void FeedbackSender::post(const QUrl &url, const HttpRequestParts &parts, const QString &domain)
{
    QNetworkRequest request(url);
    for (const auto &[name, value] : parts.headers)
        request.setRawHeader(name, value);
    request.setTransferTimeout(static_cast<int>(timeout_.count()));
    answerBody_.clear();
    QNetworkReply *reply = network_.post(request, parts.body);
    reply_ = reply;
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        const QByteArray chunk = reply->readAll();
        answerBody_ += chunk.left(std::max<qsizetype>(0, kMaxAnswerBytes - answerBody_.size()));
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, domain] { finishReply(reply, domain); });
}

void FeedbackSender::finishReply(QNetworkReply *reply, const QString &domain)
{
    reply->deleteLater();
    if (reply != reply_)
        return;
    reply_.clear();
    if (reply->isOpen())
        answerBody_ += reply->readAll().left(std::max<qsizetype>(0, kMaxAnswerBytes - answerBody_.size()));

    ServiceAnswer answer;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        answer.httpStatus = status.toInt();
        answer.body = answerBody_;
    } else if (reply->error() == QNetworkReply::OperationCanceledError) {
        // Only the transfer time-out cancels a reply that is still ours.
        answer.transportError = QStringLiteral("The request timed out.");
    } else if (reply->error() != QNetworkReply::NoError) {
        answer.transportError = reply->errorString();
    }
    report(classifyAnswer(answer, domain));
}

void FeedbackSender::report(const std::optional<FeedbackError> &error)
{
    sending_ = false;
    if (error)
        emit failed(error->description);
    else
        emit succeeded();
}

} // namespace kestrix::feedback
