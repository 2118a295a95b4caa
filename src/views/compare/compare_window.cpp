#include "compare_window.h"

#include "compare_timeline.h"
#include "diff_text.h"
#include "ptx_detail_view.h"
#include "session_source.h"
#include "universe_overview.h"
#include "universe_view.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPromise>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>
#include <thread>

namespace kestrix {

// Everything the window shows, made on the comparing thread.
struct ComparisonResult {
    QString error;  // set when the new file could not be read
    bool identical = false;
    size_t differences = 0;
    std::vector<DiffSection> sections;
    CompareTimeline timeline;
};

namespace {

constexpr int kTargetTrackRole = Qt::UserRole;
constexpr int kTargetClipRole = Qt::UserRole + 1;
// Rows tall enough to tell the marks apart at first sight.
constexpr double kTimelineExtraHeight = 160;

ComparisonResult compareWithFile(const PTXSessionInfo &oldSession, const QString &newPath)
{
    ComparisonResult result;
    const auto loaded = openForComparison(newPath.toStdString());
    if (!loaded) {
        result.error = QObject::tr("Could not read the other session: %1").arg(QString::fromStdString(loaded.error()));
        return result;
    }
    const SessionDiff diff = compareSessions(oldSession, loaded.value());
    result.identical = diff.identical();
    result.sections = diffSections(diff, oldSession, loaded.value());
    for (const DiffSection &section : result.sections)
        result.differences += section.lines.size();
    result.timeline = compareTimeline(diff, oldSession, loaded.value());
    return result;
}

QColor signColor(char sign)
{
    switch (sign) {
    case '+': return compare_colors::added();
    case '-': return compare_colors::removed();
    default: return compare_colors::moved();
    }
}

QIcon swatch(const QColor &color, bool outline)
{
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 2));
    painter.setBrush(outline ? QBrush(Qt::NoBrush) : QBrush(color));
    painter.drawRoundedRect(QRectF(1, 2, 10, 8), 2, 2);
    return QIcon(pixmap);
}

QWidget *legendEntry(const QColor &color, bool outline, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    auto *icon = new QLabel(parent);
    icon->setPixmap(swatch(color, outline).pixmap(12, 12));
    auto *entry = new QWidget(parent);
    auto *row = new QHBoxLayout(entry);
    row->setContentsMargins(0, 0, 12, 0);
    row->setSpacing(4);
    row->addWidget(icon);
    row->addWidget(label);
    return entry;
}

QWidget *legend(QWidget *parent)
{
    auto *bar = new QWidget(parent);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 4, 8, 4);
    row->addWidget(legendEntry(compare_colors::added(), false, QObject::tr("Added"), bar));
    row->addWidget(legendEntry(compare_colors::removed(), true, QObject::tr("Removed"), bar));
    row->addWidget(legendEntry(compare_colors::moved(), false, QObject::tr("Moved or trimmed (old place outlined)"), bar));
    row->addStretch();
    return bar;
}

QString baseName(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

} // namespace

CompareWindow::CompareWindow(PTXSessionInfo oldSession, const QString &oldPath, const QString &newPath, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , watcher_(new QFutureWatcher<ComparisonResult>(this))
    , summary_(new QLabel(this))
    , pages_(new QStackedWidget(this))
    , message_(new QLabel(this))
    , list_(new QTreeWidget(this))
    , timeline_(new UniverseOverview(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Compare %1 with %2").arg(baseName(oldPath), baseName(newPath)));
    resize(960, 680);

    auto *title = new QLabel(this);
    title->setTextFormat(Qt::PlainText);
    title->setText(QStringLiteral("%1  \u2192  %2").arg(QFileInfo(oldPath).fileName(), QFileInfo(newPath).fileName()));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title->setFont(bold);
    summary_->setText(tr("Comparing…"));

    message_->setTextFormat(Qt::PlainText);
    message_->setAlignment(Qt::AlignCenter);
    message_->setWordWrap(true);
    message_->setText(tr("Comparing…"));

    list_->setHeaderHidden(true);
    list_->setUniformRowHeights(true);
    list_->setTextElideMode(Qt::ElideMiddle);
    connect(list_, &QTreeWidget::currentItemChanged, this, &CompareWindow::rowChosen);

    auto *timelineBox = new QWidget(this);
    auto *timelineLayout = new QVBoxLayout(timelineBox);
    timelineLayout->setContentsMargins(0, 0, 0, 0);
    timelineLayout->setSpacing(0);
    timelineLayout->addWidget(legend(timelineBox));
    timelineLayout->addWidget(timeline_, 1);
    timeline_->universe()->setSelectionDisabled(true);

    // The timeline keeps the height it asks for (its handle changes it); the list takes the rest.
    auto *content = new QWidget(this);
    auto *contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(list_, 1);
    contentLayout->addWidget(timelineBox);
    pages_->addWidget(message_);
    pages_->addWidget(content);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->addWidget(title);
    layout->addWidget(summary_);
    layout->addWidget(pages_, 1);

    connect(watcher_, &QFutureWatcher<ComparisonResult>::finished, this, [this] {
        if (watcher_->future().resultCount() > 0)
            showResult(watcher_->result());
    });
    // The promise outlives the window when it closes mid-comparison; the
    // thread then finishes into nothing.
    auto promise = std::make_shared<QPromise<ComparisonResult>>();
    watcher_->setFuture(promise->future());
    promise->start();
    try {
        std::thread([promise, old = std::move(oldSession), newPath] {
            promise->addResult(compareWithFile(old, newPath));
            promise->finish();
        }).detach();
    } catch (const std::system_error &error) {
        ComparisonResult failed;
        failed.error = tr("The system could not start the comparison (%1).").arg(QString::fromLocal8Bit(error.what()));
        promise->addResult(failed);
        promise->finish();
    }
}

CompareWindow::~CompareWindow() = default;

CompareWindow *CompareWindow::openFor(PTXDetailView *view, const QString &newPath)
{
    if (!view || !view->sessionInfo())
        return nullptr;
    auto *window = new CompareWindow(*view->sessionInfo(), view->filePath(), newPath);
    // The context object cuts the link when the file window goes first.
    connect(window, &CompareWindow::targetChosen, view, &PTXDetailView::selectTrackOrClip);
    window->show();
    return window;
}

void CompareWindow::showResult(const ComparisonResult &result)
{
    comparing_ = false;
    if (!result.error.isEmpty()) {
        errorText_ = result.error;
        summary_->setText(tr("The sessions could not be compared."));
        message_->setText(result.error);
        pages_->setCurrentWidget(message_);
        emit comparisonFinished();
        return;
    }
    summary_->setText(result.identical ? tr("The sessions are the same.")
                       : result.differences == 1 ? tr("1 difference")
                                                 : tr("%1 differences").arg(result.differences));
    list_->clear();
    for (const DiffSection &section : result.sections) {
        auto *group = new QTreeWidgetItem(list_, {QStringLiteral("%1 (%2)").arg(QString::fromStdString(section.title))
                                                      .arg(section.lines.size())});
        QFont font = group->font(0);
        font.setBold(true);
        group->setFont(0, font);
        group->setFlags(Qt::ItemIsEnabled);
        for (const DiffLine &line : section.lines) {
            // The sign as well as the colour, for any colour vision.
            auto *item = new QTreeWidgetItem(group, {QString::fromStdString(line.sign + (' ' + line.text))});
            item->setIcon(0, swatch(signColor(line.sign), line.sign == '-'));
            item->setToolTip(0, QString::fromStdString(line.text));
            item->setData(0, kTargetTrackRole, QString::fromStdString(line.target.track));
            item->setData(0, kTargetClipRole, qlonglong(line.target.clip));
        }
        group->setExpanded(true);
    }
    timeline_->setSession(result.timeline.session, result.timeline.rows);
    timeline_->universe()->setMarks(result.timeline.marks);
    timeline_->setExtraHeight(kTimelineExtraHeight);
    pages_->setCurrentIndex(1);
    emit comparisonFinished();
}

void CompareWindow::rowChosen()
{
    const QTreeWidgetItem *item = list_->currentItem();
    if (!item)
        return;
    const QString track = item->data(0, kTargetTrackRole).toString();
    if (!track.isEmpty())
        emit targetChosen(ClipKey{track, int(item->data(0, kTargetClipRole).toLongLong())});
}

} // namespace kestrix
