// The "Send a Feature Request" window: name, email and the suggestion.
#ifndef KESTRIX_FEEDBACK_VIEWS_FEATURE_REQUEST_VIEW_H
#define KESTRIX_FEEDBACK_VIEWS_FEATURE_REQUEST_VIEW_H

#include "feedback_form_view.h"

namespace kestrix::feedback {

class FeatureRequestView : public FeedbackFormView {
    Q_OBJECT
public:
    explicit FeatureRequestView(const FeedbackService &service, QWidget *parent = nullptr);
};

} // namespace kestrix::feedback

#endif
