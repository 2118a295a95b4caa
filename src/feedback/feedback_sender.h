// Sends one bug report or feature request at a time without blocking the
// main thread: the attachment is read and the body built on a worker thread,
// the request goes through Qt Network, and the answer comes back as one
// signal on the main thread. A request gives up after a time without
// progress (60 s unless changed) and stops when cancelled or destroyed.
#ifndef KESTRIX_FEEDBACK_FEEDBACK_SENDER_H
#define KESTRIX_FEEDBACK_FEEDBACK_SENDER_H

#include "answer_classifier.h"
#include "feedback_request.h"
#include "feedback_service.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>

#include <chrono>

class QNetworkReply;

namespace kestrix::feedback {

class FeedbackSender : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{60000};

    explicit FeedbackSender(QObject *parent = nullptr);
    ~FeedbackSender() override;

    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

    // `attachmentPath` empty for none.
    void sendBugReport(const FeedbackService &service, const ContactFields &fields, const QString &attachmentPath);
    void sendFeatureRequest(const FeedbackService &service, const ContactFields &fields);
    // Drops the request in flight; neither signal follows.
    void cancel();
    bool isSending() const { return sending_; }

signals:
    void succeeded();
    void failed(const QString &description);

private:
    void post(const QUrl &url, const HttpRequestParts &parts, const QString &domain);
    void finishReply(QNetworkReply *reply, const QString &domain);
    void report(const std::optional<FeedbackError> &error);

    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    QByteArray answerBody_;
    std::chrono::milliseconds timeout_ = kDefaultTimeout;
    // Tells a late worker result or reply from the current request's.
    quint64 generation_ = 0;
    bool sending_ = false;
};

} // namespace kestrix::feedback

#endif
