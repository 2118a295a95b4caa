// The state of one feedback form, bug report or feature request, and what its
// buttons do: the fields, the attachment (bug reports only), validation, and
// sending with its result. The views draw it and write the user's edits into it.
#ifndef KESTRIX_FEEDBACK_FEEDBACK_FORM_H
#define KESTRIX_FEEDBACK_FEEDBACK_FORM_H

#include "feedback_request.h"
#include "feedback_sender.h"
#include "feedback_service.h"

#include <QObject>
#include <QString>

#include <optional>

namespace kestrix::feedback {

enum class FeedbackKind { bugReport, featureRequest };

class FeedbackForm : public QObject {
    Q_OBJECT
public:
    // Fills the name and email from the stored contact details.
    FeedbackForm(FeedbackKind kind, FeedbackService service, QObject *parent = nullptr);

    FeedbackKind kind() const { return kind_; }
    const ContactFields &fields() const { return fields_; }
    void setFirstName(const QString &text);
    void setLastName(const QString &text);
    void setEmail(const QString &text);
    void setDescription(const QString &text);

    // The prefilled description and attachment; empty ones leave the form as
    // it is. The first prefill takes both; a later one (the form was already
    // open) never replaces what is there, only fills what is empty.
    void applyPrefill(const QString &description, const QString &attachmentPath);

    // Bug reports: the chosen file, checked for its type and size; a refused
    // one leaves the attachment as it was and sets the error message.
    const QString &attachmentPath() const { return attachmentPath_; }
    void chooseAttachment(const QString &path);
    void removeAttachment();

    bool canSubmit() const;
    void submit();
    // Stops a send in flight (the window closes).
    void cancel();

    bool submitting() const { return submitting_; }
    bool submitted() const { return submitted_; }
    bool resultIsError() const { return resultIsError_; }
    const std::optional<QString> &resultMessage() const { return resultMessage_; }

    FeedbackSender &sender() { return sender_; }

signals:
    // Any field or state changed; the views redraw from the getters.
    void changed();

private:
    void setError(const QString &message);
    void sendSucceeded();

    const FeedbackKind kind_;
    const FeedbackService service_;
    ContactFields fields_;
    QString attachmentPath_;
    bool didApplyPrefill_ = false;
    bool submitting_ = false;
    bool submitted_ = false;
    bool resultIsError_ = false;
    std::optional<QString> resultMessage_;
    FeedbackSender sender_;
};

} // namespace kestrix::feedback

#endif
