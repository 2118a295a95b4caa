#include "transcript_view.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace kestrix {

TranscriptView::TranscriptView(QWidget *parent)
    : QWidget(parent)
    , text_(new QPlainTextEdit(this))
{
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
}

void TranscriptView::setTranscript(const QString &transcript)
{
    text_->setPlainText(transcript.isEmpty() ? tr("(no transcript captured)") : transcript);
}

} // namespace kestrix
