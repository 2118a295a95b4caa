// The PTSL transcript of an import as a list: track headers, notes, and one
// row per command with its step, a readable name, its timing and status;
// a command's request and answer open under it on demand.
#ifndef KESTRIX_VIEWS_IMPORT_TRANSCRIPT_VIEW_H
#define KESTRIX_VIEWS_IMPORT_TRANSCRIPT_VIEW_H

#include <QWidget>

class QLabel;
class QTreeWidget;

namespace kestrix {

class TranscriptView : public QWidget {
    Q_OBJECT
public:
    explicit TranscriptView(QWidget *parent = nullptr);

    void setTranscript(const QString &transcript);
    QTreeWidget *list() const { return list_; }

private:
    QTreeWidget *list_;
    QLabel *empty_;
};

} // namespace kestrix

#endif
