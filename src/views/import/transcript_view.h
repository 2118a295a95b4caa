// The PTSL transcript of an import, shown in the outcome of a dialog.
#ifndef KESTRIX_VIEWS_IMPORT_TRANSCRIPT_VIEW_H
#define KESTRIX_VIEWS_IMPORT_TRANSCRIPT_VIEW_H

#include <QWidget>

class QPlainTextEdit;

namespace kestrix {

class TranscriptView : public QWidget {
    Q_OBJECT
public:
    explicit TranscriptView(QWidget *parent = nullptr);

    void setTranscript(const QString &transcript);

private:
    QPlainTextEdit *text_;
};

} // namespace kestrix

#endif
