#include "answer_classifier.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kestrix::feedback {

namespace {

// The service's own words about a refused request, when its body has them.
std::optional<QString> serviceMessage(const QByteArray &body)
{
    const QJsonObject object = QJsonDocument::fromJson(body).object();
    const QJsonValue details = object.value(QLatin1String("details"));
    if (details.isArray() && !details.toArray().isEmpty()) {
        const QJsonValue message = details.toArray().at(0).toObject().value(QLatin1String("message"));
        if (message.isString() && !message.toString().isEmpty())
            return message.toString();
    }
    const QJsonValue error = object.value(QLatin1String("error"));
    if (error.isString() && !error.toString().isEmpty())
        return error.toString();
    return std::nullopt;
}

} // namespace

std::optional<FeedbackError> classifyAnswer(const ServiceAnswer &answer, const QString &domain)
{
    if (answer.transportError)
        return FeedbackError{domain, 0, *answer.transportError};
    if (!answer.httpStatus)
        return FeedbackError{domain, 0, QStringLiteral("No response from server")};
    const int status = *answer.httpStatus;
    if (status >= 200 && status <= 299)
        return std::nullopt;
    return FeedbackError{domain, status,
                         serviceMessage(answer.body).value_or(QStringLiteral("Server returned HTTP %1").arg(status))};
}

} // namespace kestrix::feedback
