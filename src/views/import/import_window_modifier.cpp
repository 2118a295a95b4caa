#include "import_window_modifier.h"

#include "import_activity.h"
#include "import_dialogs.h"
#include "preflight_alert.h"
#include "ptx_detail_view.h"

namespace kestrix {

ImportWindowModifier::ImportWindowModifier(PTXDetailView *view)
    : QObject(view)
    , view_(view)
{
    connect(view, &PTXDetailView::pendingImportChanged, this, &ImportWindowModifier::pendingImportChanged);
}

void ImportWindowModifier::pendingImportChanged()
{
    const int id = view_->pendingTracksImport() ? view_->pendingTracksImport()->id
                   : view_->pendingAudioImport() ? view_->pendingAudioImport()->id
                   : view_->pendingClipsImport() ? view_->pendingClipsImport()->id
                                                 : 0;
    if (id == shownId_)
        return;
    if (id == 0) {
        closeShownDialog();
        return;
    }
    const bool dialogImporting = dialog_ && dialog_->state() == ImportState::importing;
    if (dialogImporting || ImportActivity::running()) {
        showImportMessage(dialog_ ? static_cast<QWidget *>(dialog_) : view_->window(),
                          tr("Import Already Running"), importAlreadyRunningText());
        if (dialog_)
            dialog_->raise();
        else
            view_->clearPendingImports();
        emit requestRefused();
        return;
    }
    closeShownDialog();
    shownId_ = id;
    dialog_ = createDialog(id);
    if (!dialog_)
        return;
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    emit dialogOpened(dialog_);
}

void ImportWindowModifier::closeShownDialog()
{
    // The old dialog's onDismiss sees another id and leaves the pending
    // import alone.
    shownId_ = 0;
    if (ImportDialog *old = dialog_) {
        dialog_ = nullptr;
        old->close();
    }
}

ImportDialog *ImportWindowModifier::createDialog(int id)
{
    ImportDialogInputs inputs;
    inputs.session = view_->sharedSessionInfo();
    inputs.sessionPath = view_->filePath();
    if (const AudioFileStatus *files = view_->audioFiles()) {
        inputs.files = importResolution(*files);
        inputs.fileFormats = files->fileFormats;
    }
    inputs.onDismiss = [this, id] {
        if (shownId_ == id) {
            shownId_ = 0;
            dialog_ = nullptr;
            view_->clearPendingImports();
        }
    };
    QWidget *window = view_->window();
    if (view_->pendingTracksImport() && inputs.session)
        return new ImportTracksDialog(view_->pendingTracksImport()->items, std::move(inputs), window);
    if (view_->pendingAudioImport())
        return new ImportAudioDialog(view_->pendingAudioImport()->files, std::move(inputs), window);
    if (view_->pendingClipsImport())
        return new ImportClipsDialog(view_->pendingClipsImport()->items, std::move(inputs), window);
    return nullptr;
}

} // namespace kestrix
