#include "feedback_service.h"

#include <QDebug>
#include <QHostAddress>
#include <QRegularExpression>

namespace kestrix::feedback {

namespace {

bool isWellFormedKey(const QString &key)
{
    static const QRegularExpression hex64(QStringLiteral("^[0-9a-f]{64}$"));
    return hex64.match(key).hasMatch();
}

bool isLoopbackHost(const QString &host)
{
    if (host == QLatin1String("localhost"))
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

bool isUsableHost(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty())
        return false;
    if (url.scheme() == QLatin1String("https"))
        return true;
    return url.scheme() == QLatin1String("http") && isLoopbackHost(url.host());
}

QUrl withPath(QUrl host, const QString &path)
{
    if (!host.isValid())
        return {};
    QString base = host.path();
    while (base.endsWith(u'/'))
        base.chop(1);
    host.setPath(base + path);
    host.setQuery(QString());
    host.setFragment(QString());
    return host;
}

} // namespace

FeedbackService FeedbackService::fromBuildAndEnvironment()
{
    const QString host = qEnvironmentVariableIsSet("KESTRIX_FEEDBACK_HOST")
                             ? qEnvironmentVariable("KESTRIX_FEEDBACK_HOST")
                             : QStringLiteral(KESTRIX_FEEDBACK_HOST);
    const QString key = qEnvironmentVariableIsSet("KESTRIX_FEEDBACK_API_KEY")
                            ? qEnvironmentVariable("KESTRIX_FEEDBACK_API_KEY")
                            : QStringLiteral(KESTRIX_FEEDBACK_API_KEY);
    return fromValues(host, key);
}

FeedbackService FeedbackService::fromValues(const QString &host, const QString &apiKey)
{
    FeedbackService service;
    const QString trimmedHost = host.trimmed();
    const QUrl url(trimmedHost, QUrl::StrictMode);
    if (isUsableHost(url))
        service.host = url;
    else if (!trimmedHost.isEmpty())
        qWarning().noquote() << "[Feedback] Ignoring the service host: it must be an https address";
    const QString key = apiKey.trimmed();
    if (isWellFormedKey(key))
        service.apiKey = key;
    else if (!key.isEmpty())
        qWarning().noquote() << "[Feedback] Ignoring the API key: it must be 64 lower-case hex digits";
    return service;
}

QUrl FeedbackService::bugReportUrl() const
{
    return withPath(host, QStringLiteral("/api/kestrix/bug-report"));
}

QUrl FeedbackService::featureRequestUrl() const
{
    return withPath(host, QStringLiteral("/api/kestrix/feature-request"));
}

} // namespace kestrix::feedback
