// Where feedback goes: the maker's web service and its API key. Both belong to
// the deployment: built in from the build's configuration, overridden at run
// time by KESTRIX_FEEDBACK_HOST and KESTRIX_FEEDBACK_API_KEY.
#ifndef KESTRIX_FEEDBACK_FEEDBACK_SERVICE_H
#define KESTRIX_FEEDBACK_FEEDBACK_SERVICE_H

#include <QString>
#include <QUrl>

namespace kestrix::feedback {

struct FeedbackService {
    QUrl host;
    QString apiKey;

    // The built-in values, each replaced by its environment variable when set.
    static FeedbackService fromBuildAndEnvironment();
    // `host` and `apiKey` as given, or empty where they are unusable: a key
    // that is not 64 lower-case hex digits, a host that is not https (plain
    // http only for this machine, so the key never crosses a network in clear).
    static FeedbackService fromValues(const QString &host, const QString &apiKey);

    bool isConfigured() const { return host.isValid() && !apiKey.isEmpty(); }
    QUrl bugReportUrl() const;
    QUrl featureRequestUrl() const;
};

} // namespace kestrix::feedback

#endif
