#include "feedback_form.h"

#include "attachment.h"
#include "contact_info.h"
#include "feedback_text.h"

namespace kestrix::feedback {

FeedbackForm::FeedbackForm(FeedbackKind kind, FeedbackService service, QObject *parent)
    : QObject(parent)
    , kind_(kind)
    , service_(std::move(service))
{
    const ContactInfo contact = ContactInfo::load();
    fields_.firstName = contact.firstName;
    fields_.lastName = contact.lastName;
    fields_.email = contact.email;
    connect(&sender_, &FeedbackSender::succeeded, this, &FeedbackForm::sendSucceeded);
    connect(&sender_, &FeedbackSender::failed, this, [this](const QString &description) {
        submitting_ = false;
        setError(QStringLiteral("Send failed: ") + description);
    });
}

void FeedbackForm::setFirstName(const QString &text)
{
    fields_.firstName = text;
    emit changed();
}

void FeedbackForm::setLastName(const QString &text)
{
    fields_.lastName = text;
    emit changed();
}

void FeedbackForm::setEmail(const QString &text)
{
    fields_.email = text;
    emit changed();
}

void FeedbackForm::setDescription(const QString &text)
{
    fields_.description = text;
    emit changed();
}

void FeedbackForm::applyPrefill(const QString &description, const QString &attachmentPath)
{
    const bool first = !didApplyPrefill_;
    didApplyPrefill_ = true;
    if (!description.isEmpty() && (first || fields_.description.trimmed().isEmpty()))
        fields_.description = description;
    if (!attachmentPath.isEmpty() && kind_ == FeedbackKind::bugReport && (first || attachmentPath_.isEmpty()))
        chooseAttachment(attachmentPath);
    emit changed();
}

void FeedbackForm::chooseAttachment(const QString &path)
{
    if (const std::optional<QString> refusal = attachmentRefusal(path)) {
        setError(*refusal);
        return;
    }
    attachmentPath_ = path;
    resultIsError_ = false;
    resultMessage_.reset();
    emit changed();
}

void FeedbackForm::removeAttachment()
{
    attachmentPath_.clear();
    emit changed();
}

bool FeedbackForm::canSubmit() const
{
    const QString description = fields_.description;
    return !submitting_ && !fields_.firstName.trimmed().isEmpty() && !fields_.lastName.trimmed().isEmpty()
           && isValidEmail(fields_.email) && !description.trimmed().isEmpty()
           && !isOverDescriptionLimit(description);
}

void FeedbackForm::submit()
{
    if (!service_.isConfigured()) {
        setError(kind_ == FeedbackKind::bugReport
                     ? QStringLiteral("Bug report is not configured in this build (missing API key).")
                     : QStringLiteral("Feature request is not configured in this build (missing API key)."));
        return;
    }
    if (!canSubmit())
        return;
    submitting_ = true;
    emit changed();
    if (kind_ == FeedbackKind::bugReport)
        sender_.sendBugReport(service_, fields_, attachmentPath_);
    else
        sender_.sendFeatureRequest(service_, fields_);
}

void FeedbackForm::cancel()
{
    sender_.cancel();
    if (submitting_) {
        submitting_ = false;
        emit changed();
    }
}

void FeedbackForm::setError(const QString &message)
{
    resultIsError_ = true;
    resultMessage_ = message;
    emit changed();
}

void FeedbackForm::sendSucceeded()
{
    submitting_ = false;
    resultIsError_ = false;
    resultMessage_.reset();
    ContactInfo{trimmedAndCut(fields_.firstName, kMaxNameCharacters),
                trimmedAndCut(fields_.lastName, kMaxNameCharacters),
                trimmedAndCut(fields_.email, kMaxEmailCharacters)}
        .store();
    submitted_ = true;
    emit changed();
}

} // namespace kestrix::feedback
