// Shows the import dialog a session window asks for: when the window sets a
// pending import, the matching dialog opens in a window of its own; closing
// it clears the pending import. A request while an import runs is refused
// with a message instead of starting a second one.
#ifndef KESTRIX_VIEWS_IMPORT_IMPORT_WINDOW_MODIFIER_H
#define KESTRIX_VIEWS_IMPORT_IMPORT_WINDOW_MODIFIER_H

#include "import_dialog.h"

#include <QObject>
#include <QPointer>

namespace kestrix {

class PTXDetailView;

class ImportWindowModifier : public QObject {
    Q_OBJECT
public:
    explicit ImportWindowModifier(PTXDetailView *view);

    ImportDialog *dialog() const { return dialog_; }

signals:
    void dialogOpened(kestrix::ImportDialog *dialog);
    // A request came while an import ran; the message is shown.
    void requestRefused();

private:
    void pendingImportChanged();
    ImportDialog *createDialog(int id);
    void closeShownDialog();

    PTXDetailView *view_;
    QPointer<ImportDialog> dialog_;
    int shownId_ = 0;
};

} // namespace kestrix

#endif
