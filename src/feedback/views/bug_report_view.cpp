#include "bug_report_view.h"

#include "feedback_icons.h"
#include "feedback_style.h"
#include "show_in_file_manager.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kestrix::feedback {

namespace {

FeedbackFormTexts bugReportTexts()
{
    return {QStringLiteral("Send Bug Report"),
            QStringLiteral("Report a bug in Kestrix. Your email is stored on our backend in plain text so we can "
                           "follow up."),
            QStringLiteral("Description"),
            QStringLiteral("Please describe the issue with as much detail as possible. Attach a .ptx file or image "
                           "if it can help us see the problem."),
            QStringLiteral("Bug Report Sent"),
            QStringLiteral("Thanks! We'll take a look.")};
}

} // namespace

BugReportView::BugReportView(const FeedbackService &service, QWidget *parent)
    : FeedbackFormView(FeedbackKind::bugReport, service, bugReportTexts(), parent)
{
    auto *row = new QHBoxLayout;
    attach_ = new QPushButton;
    attach_->setToolTip(QStringLiteral("Attach a Pro Tools session (.ptx), archive (.zip), or screenshot "
                                       "(.png/.jpg). Optional, up to 4 MB."));
    fileName_ = new QLabel;
    fileName_->setTextFormat(Qt::PlainText);
    fileName_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    remove_ = new QToolButton;
    remove_->setAutoRaise(true);
    remove_->setToolTip(QStringLiteral("Remove attachment"));
    remove_->setAccessibleName(QStringLiteral("Remove attachment"));
    reveal_ = new QPushButton(QStringLiteral("Reveal in Finder"));
    row->addWidget(attach_);
    row->addWidget(fileName_, 1);
    row->addWidget(remove_);
    row->addWidget(reveal_);
    extraRows()->addLayout(row);
    extraRows()->addWidget(secondaryLabel(QStringLiteral(".ptx, .zip, .png, .jpg — optional, max 4 MB")));

    connect(attach_, &QPushButton::clicked, this, &BugReportView::chooseFile);
    connect(remove_, &QToolButton::clicked, &form(), &FeedbackForm::removeAttachment);
    connect(reveal_, &QPushButton::clicked, this,
            [this] { showInFileManager(form().attachmentPath(), this); });
    finishLayout();
}

void BugReportView::open(const QString &prefillDescription, const QString &prefillAttachment)
{
    form().applyPrefill(prefillDescription, prefillAttachment);
}

void BugReportView::chooseFile()
{
    const QString start = form().attachmentPath().isEmpty() ? QString() : QFileInfo(form().attachmentPath()).path();
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Attach file"), start,
        QStringLiteral("Attachments (*.ptx *.zip *.png *.jpg *.jpeg *.txt);;All files (*)"));
    if (!path.isEmpty())
        form().chooseAttachment(path);
}

void BugReportView::refreshExtraRows()
{
    const QString &path = form().attachmentPath();
    const bool attached = !path.isEmpty();
    attach_->setText(attached ? QStringLiteral("Change file…") : QStringLiteral("Attach file…"));
    fileName_->setText(attached ? QFileInfo(path).fileName() : QString());
    fileName_->setToolTip(path);
    remove_->setIcon(xmarkCircleIcon(secondaryColor(this)));
    remove_->setVisible(attached);
    reveal_->setVisible(attached);
    const bool editable = !form().submitting();
    attach_->setEnabled(editable);
    remove_->setEnabled(editable);
}

} // namespace kestrix::feedback
