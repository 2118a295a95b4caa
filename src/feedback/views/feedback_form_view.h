// The window both feedback forms share: title and subtitle, name and email,
// the text with its character counter, room for extra rows, the result
// message, Cancel and Send, and the screen shown once the form is sent.
// Closing the window stops a send in flight and discards the form.
#ifndef KESTRIX_FEEDBACK_VIEWS_FEEDBACK_FORM_VIEW_H
#define KESTRIX_FEEDBACK_VIEWS_FEEDBACK_FORM_VIEW_H

#include "feedback_form.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace kestrix::feedback {

struct FeedbackFormTexts {
    QString windowTitle;
    QString subtitle;
    QString textLabel;
    QString hint;  // empty for none
    QString sentTitle;
    QString sentMessage;
};

class FeedbackFormView : public QWidget {
    Q_OBJECT
public:
    FeedbackForm &form() { return form_; }

protected:
    FeedbackFormView(FeedbackKind kind, const FeedbackService &service, const FeedbackFormTexts &texts,
                     QWidget *parent);
    // Rows a form adds under the text and its counter.
    QVBoxLayout *extraRows() const { return extraRows_; }
    // Sizes the window to its content; call once the extra rows are in.
    void finishLayout();
    // Called after the shared parts are brought up to date with the form.
    virtual void refreshExtraRows() {}

    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QWidget *buildEditingPage(const FeedbackFormTexts &texts);
    QWidget *buildSentPage(const FeedbackFormTexts &texts);
    void refresh();

    FeedbackForm form_;
    QStackedWidget *pages_ = nullptr;
    QLineEdit *firstName_ = nullptr;
    QLineEdit *lastName_ = nullptr;
    QLineEdit *email_ = nullptr;
    QPlainTextEdit *description_ = nullptr;
    QLabel *counter_ = nullptr;
    QVBoxLayout *extraRows_ = nullptr;
    QLabel *message_ = nullptr;
    QLabel *sending_ = nullptr;
    QPushButton *send_ = nullptr;
    QLabel *sentIcon_ = nullptr;
};

} // namespace kestrix::feedback

#endif
