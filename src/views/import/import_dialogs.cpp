#include "import_dialogs.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace kestrix {

namespace {

const PTXSessionInfo &emptySession()
{
    static const PTXSessionInfo session;
    return session;
}

QTreeWidget *itemTree(const QStringList &columns)
{
    auto *tree = new QTreeWidget;
    tree->setHeaderLabels(columns);
    tree->setRootIsDecorated(false);
    tree->setUniformRowHeights(true);
    tree->setSelectionMode(QAbstractItemView::NoSelection);
    tree->setFocusPolicy(Qt::NoFocus);
    tree->header()->setStretchLastSection(true);
    tree->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    tree->setColumnWidth(0, 220);
    return tree;
}

void markOffline(QTreeWidgetItem *row, int column)
{
    row->setText(column, QObject::tr("Offline"));
    row->setForeground(column, QColor(220, 50, 47));
}

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace

// Tracks ---------------------------------------------------------------------

ImportTracksDialog::ImportTracksDialog(const std::vector<PTXTrackInfo> &tracks, ImportDialogInputs inputs,
                                       QWidget *parent)
    : ImportDialog(tr("Import Tracks to Pro Tools"), std::move(inputs), parent)
    , tracks_(importTrackItems(tracks, this->inputs().session ? *this->inputs().session : emptySession(),
                               this->inputs().files))
    , list_(itemTree({tr("Track / Clip"), tr("File")}))
{
    list_->setRootIsDecorated(true);
    QFont bold = font();
    bold.setBold(true);
    for (const ImportTrackItem &track : tracks_) {
        auto *row = new QTreeWidgetItem(list_);
        row->setText(0, fromStd(track.name));
        row->setFont(0, bold);
        row->setText(1, tr("%1 \xC2\xB7 %2 \xC2\xB7 %3 clip(s)")
                            .arg(fromStd(track.type), fromStd(track.format))
                            .arg(track.clipCount));
        for (const ImportTrackClipEntry &clip : track.clips) {
            auto *child = new QTreeWidgetItem(row);
            child->setText(0, fromStd(clip.clipName));
            if (clip.isOffline)
                child->setText(1, tr("%1 \xE2\x80\x94 Offline").arg(fromStd(clip.fileName)));
            else
                child->setText(1, fromStd(clip.fileName));
            if (clip.isOffline)
                child->setForeground(1, QColor(220, 50, 47));
            child->setToolTip(1, fromStd(clip.isOffline ? clip.fileName : clip.resolvedPath));
        }
    }
    list_->expandAll();
    finishSetup(list_);
}

QString ImportTracksDialog::headerText() const
{
    return tr("Import to Pro Tools \xE2\x80\x94 %1 track(s)").arg(tracks_.size());
}

ImportPlan ImportTracksDialog::makePlan(const import::SampleRateScale &scale, bool renameChannelViews) const
{
    return tracksPlan(tracks_, inputs().session ? *inputs().session : emptySession(), inputs().files, scale,
                      renameChannelViews);
}

// Clips ----------------------------------------------------------------------

ImportClipsDialog::ImportClipsDialog(const std::vector<PTXClipGroup> &clips, ImportDialogInputs inputs,
                                     QWidget *parent)
    : ImportDialog(tr("Import Clips to Pro Tools"), std::move(inputs), parent)
    , clips_(importClipItems(clips, this->inputs().session ? *this->inputs().session : emptySession(),
                             this->inputs().files, this->inputs().fileFormats))
    , list_(itemTree({tr("Clip"), tr("Format"), tr("Source")}))
{
    list_->setColumnWidth(1, 90);
    for (const ImportClipItem &clip : clips_) {
        auto *row = new QTreeWidgetItem(list_);
        row->setText(0, fromStd(clip.name));
        row->setText(1, fromStd(clip.format));
        QStringList sources;
        bool offline = false;
        for (const ImportClipItem::Channel &channel : clip.channels) {
            sources.append(fromStd(channel.sourceFileName));
            offline = offline || channel.sourceFilePath.empty();
        }
        if (offline)
            markOffline(row, 2);
        else
            row->setText(2, sources.join(QStringLiteral(", ")));
        row->setToolTip(2, sources.join(QLatin1Char('\n')));
    }
    finishSetup(list_);
}

QString ImportClipsDialog::headerText() const
{
    return tr("Import %1 clip(s) to Pro Tools").arg(clips_.size());
}

ImportPlan ImportClipsDialog::makePlan(const import::SampleRateScale &scale, bool renameChannelViews) const
{
    return clipsPlan(clips_, inputs().session ? *inputs().session : emptySession(), inputs().files, scale,
                     renameChannelViews);
}

// Audio files ----------------------------------------------------------------

ImportAudioDialog::ImportAudioDialog(const std::vector<PTXAudioFileGroup> &files, ImportDialogInputs inputs,
                                     QWidget *parent)
    : ImportDialog(tr("Import Audio Files to Pro Tools"), std::move(inputs), parent)
    , groups_(files)
    , files_(importAudioFiles(files, this->inputs().files, this->inputs().fileFormats))
    , list_(itemTree({tr("Audio File"), tr("Format"), tr("Location")}))
{
    list_->setColumnWidth(1, 90);
    list_->setTextElideMode(Qt::ElideMiddle);
    for (const ImportAudioFile &file : files_) {
        auto *row = new QTreeWidgetItem(list_);
        row->setText(0, fromStd(file.name));
        row->setText(1, fromStd(file.format));
        if (file.path.empty())
            markOffline(row, 2);
        else
            row->setText(2, fromStd(file.path));
        row->setToolTip(2, fromStd(file.path));
    }
    finishSetup(list_);
}

QString ImportAudioDialog::headerText() const
{
    return tr("Import %1 audio file(s) to Pro Tools").arg(files_.size());
}

ImportPlan ImportAudioDialog::makePlan(const import::SampleRateScale &, bool) const
{
    return audioPlan(groups_, inputs().files);
}

} // namespace kestrix
