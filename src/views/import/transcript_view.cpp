#include "transcript_view.h"

#include "transcript_entries.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kestrix {

using namespace import;

namespace {

enum Column { kStep, kName, kTiming, kStatus };

const QColor kFailed(220, 50, 47);
const QColor kSucceeded(52, 168, 83);

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

// A disclosed detail: a heading row with the text below it in a fixed font.
void addDetail(QTreeWidgetItem *command, const QString &heading, const std::string &text)
{
    // A spanned row draws only its first column.
    auto *row = new QTreeWidgetItem(command);
    row->setText(kStep, heading + QLatin1Char('\n') + fromStd(text));
    row->setFont(kStep, QFontDatabase::systemFont(QFontDatabase::FixedFont));
    row->setFirstColumnSpanned(true);
}

} // namespace

TranscriptView::TranscriptView(QWidget *parent)
    : QWidget(parent)
    , list_(new QTreeWidget(this))
    , empty_(new QLabel(tr("(no transcript captured)"), this))
{
    list_->setHeaderLabels({tr("Step"), tr("Command"), tr("Time"), tr("Status")});
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setExpandsOnDoubleClick(true);
    list_->setWordWrap(false);
    QHeaderView *header = list_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(kName, QHeaderView::Stretch);
    for (Column column : {kStep, kTiming, kStatus})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    empty_->setAlignment(Qt::AlignCenter);
    empty_->setForegroundRole(QPalette::PlaceholderText);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    layout->addWidget(empty_);
    setTranscript(QString());
}

void TranscriptView::setTranscript(const QString &transcript)
{
    list_->clear();
    const std::vector<TranscriptEntry> entries = parseTranscript(transcript.toStdString());
    QFont bold = font();
    bold.setBold(true);
    QFont italic = font();
    italic.setItalic(true);
    for (const TranscriptEntry &entry : entries) {
        auto *row = new QTreeWidgetItem(list_);
        switch (entry.kind) {
        case TranscriptEntryKind::trackHeader:
            row->setText(kStep, tr("Track \"%1\"").arg(fromStd(entry.text)));
            row->setFont(kStep, bold);
            row->setFirstColumnSpanned(true);
            break;
        case TranscriptEntryKind::note:
            row->setText(kName, fromStd(entry.text));
            row->setFont(kName, italic);
            row->setForeground(kName, palette().color(QPalette::PlaceholderText));
            row->setToolTip(kName, fromStd(entry.text));
            break;
        case TranscriptEntryKind::command: {
            const CommandHeader header = commandHeader(entry);
            const bool failed = entry.command.status != "OK";
            row->setText(kStep, QString::number(header.step));
            row->setTextAlignment(kStep, Qt::AlignRight | Qt::AlignVCenter);
            row->setText(kName, fromStd(header.name));
            row->setToolTip(kName, fromStd(entry.command.name));
            row->setText(kTiming, fromStd(header.timing));
            row->setText(kStatus, fromStd(header.status));
            row->setForeground(kStatus, failed ? kFailed : kSucceeded);
            addDetail(row, tr("Request"), entry.command.request);
            addDetail(row, failed ? tr("Error") : tr("Response"), entry.command.response);
            const std::string message = proToolsMessage(entry.command);
            if (!message.empty()) {
                auto *line = new QTreeWidgetItem(list_);
                line->setText(kName, tr("Pro Tools: %1").arg(fromStd(message)));
                line->setForeground(kName, kFailed);
            }
            break;
        }
        }
    }
    empty_->setVisible(entries.empty());
    list_->setVisible(!entries.empty());
}

} // namespace kestrix
