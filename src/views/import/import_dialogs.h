// The three import dialogs: tracks with their clips, clip-list rows, and
// whole audio files. Each lists its items and says how they are imported;
// the rest is the shared ImportDialog.
#ifndef KESTRIX_VIEWS_IMPORT_IMPORT_DIALOGS_H
#define KESTRIX_VIEWS_IMPORT_IMPORT_DIALOGS_H

#include "import_dialog.h"
#include "import_items.h"

class QTreeWidget;

namespace kestrix {

class ImportTracksDialog : public ImportDialog {
    Q_OBJECT
public:
    // inputs.session is required here.
    ImportTracksDialog(const std::vector<PTXTrackInfo> &tracks, ImportDialogInputs inputs, QWidget *parent = nullptr);
    QString headerText() const override;
    const std::vector<ImportTrackItem> &tracks() const { return tracks_; }
    QTreeWidget *itemList() const { return list_; }

protected:
    ImportPlan makePlan(const import::SampleRateScale &scale, bool renameChannelViews) const override;

private:
    std::vector<ImportTrackItem> tracks_;
    QTreeWidget *list_;
};

class ImportClipsDialog : public ImportDialog {
    Q_OBJECT
public:
    ImportClipsDialog(const std::vector<PTXClipGroup> &clips, ImportDialogInputs inputs, QWidget *parent = nullptr);
    QString headerText() const override;
    const std::vector<ImportClipItem> &clips() const { return clips_; }
    QTreeWidget *itemList() const { return list_; }

protected:
    ImportPlan makePlan(const import::SampleRateScale &scale, bool renameChannelViews) const override;

private:
    std::vector<ImportClipItem> clips_;
    QTreeWidget *list_;
};

class ImportAudioDialog : public ImportDialog {
    Q_OBJECT
public:
    ImportAudioDialog(const std::vector<PTXAudioFileGroup> &files, ImportDialogInputs inputs,
                      QWidget *parent = nullptr);
    QString headerText() const override;
    const std::vector<ImportAudioFile> &audioFiles() const { return files_; }
    QTreeWidget *itemList() const { return list_; }

protected:
    ImportPlan makePlan(const import::SampleRateScale &scale, bool renameChannelViews) const override;

private:
    std::vector<PTXAudioFileGroup> groups_;
    std::vector<ImportAudioFile> files_;
    QTreeWidget *list_;
};

} // namespace kestrix

#endif
