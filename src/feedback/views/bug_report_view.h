// The "Send Bug Report" window: the shared form plus an optional attached
// file (a session, an archive, a screenshot or a diagnostic text).
#ifndef KESTRIX_FEEDBACK_VIEWS_BUG_REPORT_VIEW_H
#define KESTRIX_FEEDBACK_VIEWS_BUG_REPORT_VIEW_H

#include "feedback_form_view.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace kestrix::feedback {

class BugReportView : public FeedbackFormView {
    Q_OBJECT
public:
    explicit BugReportView(const FeedbackService &service, QWidget *parent = nullptr);

    // Prefills the form the first time; later calls only fill empty parts.
    void open(const QString &prefillDescription, const QString &prefillAttachment);

protected:
    void refreshExtraRows() override;

private:
    void chooseFile();

    QPushButton *attach_ = nullptr;
    QLabel *fileName_ = nullptr;
    QToolButton *remove_ = nullptr;
    QPushButton *reveal_ = nullptr;
};

} // namespace kestrix::feedback

#endif
