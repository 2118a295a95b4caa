#include "feature_request_view.h"

namespace kestrix::feedback {

namespace {

FeedbackFormTexts featureRequestTexts()
{
    return {QStringLiteral("Send a Feature Request"),
            QStringLiteral("Tell us what you'd like to see in Kestrix. We read every suggestion. Your email is "
                           "stored on our backend in plain text so we can follow up."),
            QStringLiteral("Suggestion"),
            QString(),
            QStringLiteral("Feature Request Sent"),
            QStringLiteral("Thanks! We read every suggestion.")};
}

} // namespace

FeatureRequestView::FeatureRequestView(const FeedbackService &service, QWidget *parent)
    : FeedbackFormView(FeedbackKind::featureRequest, service, featureRequestTexts(), parent)
{
    finishLayout();
}

} // namespace kestrix::feedback
