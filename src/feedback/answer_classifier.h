// What the service's answer means for the form: success, or an error whose
// description the form shows after "Send failed: ".
#ifndef KESTRIX_FEEDBACK_ANSWER_CLASSIFIER_H
#define KESTRIX_FEEDBACK_ANSWER_CLASSIFIER_H

#include <QByteArray>
#include <QString>

#include <optional>

namespace kestrix::feedback {

struct FeedbackError {
    QString domain;      // "BugReport" or "FeatureRequest"
    int code = 0;        // the HTTP status, or 0 without one
    QString description;
};

// What came back: a transport error's text, or an HTTP status with its body.
struct ServiceAnswer {
    std::optional<QString> transportError;
    std::optional<int> httpStatus;
    QByteArray body;
};

// Nothing on success (2xx). Otherwise the transport error; "No response from
// server" without an HTTP status; or, for any other status, the `message` of
// the first element of the body's `details`, else its `error`, else
// "Server returned HTTP <status>".
std::optional<FeedbackError> classifyAnswer(const ServiceAnswer &answer, const QString &domain);

} // namespace kestrix::feedback

#endif
