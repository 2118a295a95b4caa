#include "feedback_form_view.h"

#include "feedback_icons.h"
#include "feedback_style.h"
#include "feedback_text.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace kestrix::feedback {

namespace {

constexpr int kFormWidth = 520;
constexpr int kSentIconSize = 48;

QLineEdit *lineEdit(const QString &placeholder, qsizetype maxCharacters)
{
    auto *edit = new QLineEdit;
    edit->setPlaceholderText(placeholder);
    // Room for characters of two UTF-16 units; the payload cuts exactly.
    edit->setMaxLength(static_cast<int>(maxCharacters * 2));
    return edit;
}

// Writes `text` into an edit only when it differs, so typing keeps its cursor.
void showText(QLineEdit *edit, const QString &text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

FeedbackFormView::FeedbackFormView(FeedbackKind kind, const FeedbackService &service, const FeedbackFormTexts &texts,
                                   QWidget *parent)
    : QWidget(parent, Qt::Window)
    , form_(kind, service)
{
    setWindowTitle(texts.windowTitle);
    pages_ = new QStackedWidget;
    pages_->addWidget(buildEditingPage(texts));
    pages_->addWidget(buildSentPage(texts));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->addWidget(pages_);
    connect(&form_, &FeedbackForm::changed, this, &FeedbackFormView::refresh);
}

QWidget *FeedbackFormView::buildEditingPage(const FeedbackFormTexts &texts)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);

    layout->addWidget(titleLabel(texts.windowTitle));
    layout->addWidget(secondaryLabel(texts.subtitle));
    layout->addSpacing(6);

    auto *contact = new QGridLayout;
    contact->setHorizontalSpacing(12);
    firstName_ = lineEdit(QStringLiteral("First"), kMaxNameCharacters);
    lastName_ = lineEdit(QStringLiteral("Last"), kMaxNameCharacters);
    email_ = lineEdit(QStringLiteral("name@example.com"), kMaxEmailCharacters);
    contact->addWidget(new QLabel(QStringLiteral("First Name")), 0, 0);
    contact->addWidget(new QLabel(QStringLiteral("Last Name")), 0, 1);
    contact->addWidget(firstName_, 1, 0);
    contact->addWidget(lastName_, 1, 1);
    contact->addWidget(new QLabel(QStringLiteral("Email")), 2, 0, 1, 2);
    contact->addWidget(email_, 3, 0, 1, 2);
    layout->addLayout(contact);
    layout->addSpacing(4);

    layout->addWidget(new QLabel(texts.textLabel));
    if (!texts.hint.isEmpty())
        layout->addWidget(secondaryLabel(texts.hint));
    description_ = new QPlainTextEdit;
    description_->setMinimumHeight(170);
    description_->setTabChangesFocus(true);
    layout->addWidget(description_, 1);
    counter_ = new QLabel;
    counter_->setAlignment(Qt::AlignRight);
    layout->addWidget(counter_);

    extraRows_ = new QVBoxLayout;
    extraRows_->setSpacing(4);
    layout->addLayout(extraRows_);

    message_ = new QLabel;
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(message_);

    auto *buttons = new QHBoxLayout;
    sending_ = secondaryLabel(QStringLiteral("Sending…"));
    buttons->addWidget(sending_);
    buttons->addStretch(1);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"));
    send_ = new QPushButton(QStringLiteral("Send"));
    send_->setDefault(true);
    buttons->addWidget(cancel);
    buttons->addWidget(send_);
    layout->addLayout(buttons);

    connect(firstName_, &QLineEdit::textEdited, &form_, &FeedbackForm::setFirstName);
    connect(lastName_, &QLineEdit::textEdited, &form_, &FeedbackForm::setLastName);
    connect(email_, &QLineEdit::textEdited, &form_, &FeedbackForm::setEmail);
    connect(description_, &QPlainTextEdit::textChanged, this, [this] {
        if (description_->toPlainText() != form_.fields().description)
            form_.setDescription(description_->toPlainText());
    });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(send_, &QPushButton::clicked, &form_, &FeedbackForm::submit);
    return page;
}

QWidget *FeedbackFormView::buildSentPage(const FeedbackFormTexts &texts)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addStretch(1);
    sentIcon_ = new QLabel;
    sentIcon_->setAlignment(Qt::AlignCenter);
    layout->addWidget(sentIcon_);
    QLabel *title = titleLabel(texts.sentTitle);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    QLabel *message = secondaryLabel(texts.sentMessage);
    message->setAlignment(Qt::AlignCenter);
    layout->addWidget(message);
    layout->addSpacing(12);
    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    layout->addStretch(1);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    return page;
}

void FeedbackFormView::finishLayout()
{
    refresh();
    const QSize size(kFormWidth, std::max(sizeHint().height(), 520));
    setFixedSize(size);
}

void FeedbackFormView::refresh()
{
    const ContactFields &fields = form_.fields();
    showText(firstName_, fields.firstName);
    showText(lastName_, fields.lastName);
    showText(email_, fields.email);
    if (description_->toPlainText() != fields.description)
        description_->setPlainText(fields.description);

    counter_->setText(characterCounterText(fields.description));
    setTextColor(counter_, isOverDescriptionLimit(fields.description) ? errorColor() : secondaryColor(this));

    const bool editable = !form_.submitting();
    for (QWidget *field : {static_cast<QWidget *>(firstName_), static_cast<QWidget *>(lastName_),
                           static_cast<QWidget *>(email_), static_cast<QWidget *>(description_)})
        field->setEnabled(editable);
    send_->setEnabled(form_.canSubmit());
    sending_->setVisible(form_.submitting());

    message_->setVisible(form_.resultMessage().has_value());
    message_->setText(form_.resultMessage().value_or(QString()));
    setTextColor(message_, form_.resultIsError() ? errorColor() : secondaryColor(this));

    sentIcon_->setPixmap(checkmarkCircle(kSentIconSize, successColor(), devicePixelRatioF()));
    pages_->setCurrentIndex(form_.submitted() ? 1 : 0);
    refreshExtraRows();
}

void FeedbackFormView::closeEvent(QCloseEvent *event)
{
    form_.cancel();
    QWidget::closeEvent(event);
}

void FeedbackFormView::changeEvent(QEvent *event)
{
    // Colours come from the palette: follow a switch between light and dark.
    if (event->type() == QEvent::PaletteChange && counter_)
        refresh();
    QWidget::changeEvent(event);
}

} // namespace kestrix::feedback
