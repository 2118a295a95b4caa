#include "find_sessions_window.h"

#include "archive_indexer.h"
#include "archive_query.h"
#include "default_index_path.h"
#include "file_window.h"
#include "reveal_match.h"
#include "sqlite_index_store.h"
#include "window_registry.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <chrono>

namespace kestrix {

namespace {

// Enough for any screen; the status line says when there are more.
constexpr size_t kShownSessions = 200;
constexpr int kKindRole = Qt::UserRole + 1;
constexpr int kPathRole = Qt::UserRole + 2;
constexpr auto kProgressInterval = std::chrono::milliseconds(50);

QString kindLabel(archive::NameKind kind)
{
    switch (kind) {
    case archive::NameKind::track: return QObject::tr("Track");
    case archive::NameKind::clip: return QObject::tr("Clip");
    case archive::NameKind::file: return QObject::tr("Audio File");
    case archive::NameKind::plugin: return QObject::tr("Plug-in");
    case archive::NameKind::marker: return QObject::tr("Marker");
    case archive::NameKind::comment: return QObject::tr("Comment");
    }
    return {};
}

// Opens the index, creating its folder; throws ArchiveError.
std::unique_ptr<archive::SqliteIndexStore> openIndex(const QString &databasePath)
{
    std::string error;
    if (!archive::makeIndexFolder(databasePath.toStdString(), error))
        throw archive::ArchiveError(error);
    return std::make_unique<archive::SqliteIndexStore>(databasePath.toStdString());
}

// "1 session", "2 sessions": English plurals without a translation loaded.
QString counted(size_t n, const QString &one, const QString &many) { return (n == 1 ? one : many).arg(n); }

} // namespace

FindSessionsWindow::FindSessionsWindow(QString databasePath, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , databasePath_(std::move(databasePath))
    , latestSearch_(std::make_shared<std::atomic<uint64_t>>(0))
    , cancelIndexing_(std::make_shared<std::atomic<bool>>(false))
{
    setWindowTitle(tr("Find in Sessions"));
    resize(720, 480);
    searchPool_.setMaxThreadCount(1);

    query_ = new QLineEdit(this);
    query_->setPlaceholderText(tr("Names of tracks, clips, files, plug-ins, markers (track: clip: file: plugin: marker: comment:)"));
    query_->setClearButtonEnabled(true);

    results_ = new QTreeWidget(this);
    results_->setColumnCount(2);
    results_->setHeaderLabels({tr("Session / Match"), tr("Where")});
    results_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    results_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    results_->setUniformRowHeights(true);
    results_->setTextElideMode(Qt::ElideMiddle);  // a path's file name stays visible

    status_ = new QLabel(this);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setWordWrap(true);
    addFolder_ = new QPushButton(tr("Add Folder to Index…"), this);
    progress_ = new QProgressBar(this);
    progress_->setVisible(false);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setVisible(false);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(progress_);
    bottom->addWidget(cancel_);
    bottom->addWidget(addFolder_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(query_);
    layout->addWidget(results_, 1);
    layout->addLayout(bottom);

    connect(query_, &QLineEdit::textChanged, this, &FindSessionsWindow::startSearch);
    connect(results_, &QTreeWidget::itemActivated, this, &FindSessionsWindow::itemActivated);
    connect(addFolder_, &QPushButton::clicked, this, &FindSessionsWindow::chooseFolder);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelIndexing_->store(true); });
    status_->setText(tr("Type to search the sessions in the index."));
}

FindSessionsWindow::~FindSessionsWindow()
{
    latestSearch_->fetch_add(1);
    cancelIndexing_->store(true);
    if (indexThread_) {
        indexThread_->wait();
        delete indexThread_;
    }
    searchPool_.waitForDone();
}

void FindSessionsWindow::startSearch()
{
    const uint64_t generation = latestSearch_->fetch_add(1) + 1;
    const std::string text = query_->text().toStdString();
    searchPool_.start([this, generation, text, latest = latestSearch_, database = databasePath_] {
        if (latest->load() != generation)
            return;  // the user typed on
        std::vector<archive::SessionHit> hits;
        QString error;
        try {
            const auto terms = archive::parseQuery(text);
            if (!terms.empty()) {
                if (!searchStore_)
                    searchStore_ = openIndex(database);
                hits = searchStore_->search(terms, kShownSessions + 1);
            }
        } catch (const std::exception &e) {
            searchStore_.reset();  // the next search opens the index again
            error = QString::fromStdString(e.what());
        }
        QMetaObject::invokeMethod(
            this, [this, generation, hits = std::move(hits), error] { showResults(generation, hits, error); },
            Qt::QueuedConnection);
    });
}

void FindSessionsWindow::showResults(uint64_t generation, const std::vector<archive::SessionHit> &hits,
                                     const QString &error)
{
    if (generation != latestSearch_->load())
        return;
    results_->clear();
    if (!error.isEmpty()) {
        status_->setText(tr("The index cannot be searched: %1").arg(error));
        emit resultsShown();
        return;
    }
    const size_t shown = std::min(hits.size(), kShownSessions);
    QList<QTreeWidgetItem *> items;
    for (size_t i = 0; i < shown; ++i) {
        const archive::SessionHit &hit = hits[i];
        const QString path = QString::fromStdString(hit.path);
        auto *session = new QTreeWidgetItem(
            {QStringLiteral("%1 (%2)")
                 .arg(QString::fromStdString(hit.sessionName),
                      counted(hit.matches.size(), tr("%1 match"), tr("%1 matches"))),
             path});
        QFont bold = session->font(0);
        bold.setBold(true);
        session->setFont(0, bold);
        session->setData(0, kPathRole, path);
        session->setToolTip(1, path);
        for (const archive::SessionMatch &match : hit.matches) {
            auto *row = new QTreeWidgetItem(session, {QString::fromStdString(match.name), kindLabel(match.kind)});
            row->setData(0, kPathRole, path);
            row->setData(0, kKindRole, int(match.kind));
        }
        items.push_back(session);
    }
    results_->addTopLevelItems(items);
    results_->expandAll();
    if (query_->text().trimmed().isEmpty())
        status_->setText(tr("Type to search the sessions in the index."));
    else if (hits.empty())
        status_->setText(tr("No session holds these names."));
    else if (hits.size() > kShownSessions)
        status_->setText(tr("The first %1 sessions; add words to narrow the search.").arg(kShownSessions));
    else
        status_->setText(counted(hits.size(), tr("%1 session"), tr("%1 sessions")));
    emit resultsShown();
}

void FindSessionsWindow::itemActivated(QTreeWidgetItem *item)
{
    const QString path = item->data(0, kPathRole).toString();
    std::optional<archive::SessionMatch> match;
    if (const QVariant kind = item->data(0, kKindRole); kind.isValid())
        match = archive::SessionMatch{archive::NameKind(kind.toInt()), item->text(0).toStdString()};
    emit openRequested(path, match);
}

void FindSessionsWindow::chooseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Add Folder to Index"));
    if (!folder.isEmpty())
        indexFolder(folder);
}

void FindSessionsWindow::indexFolder(const QString &folder)
{
    if (indexThread_)
        return;
    cancelIndexing_->store(false);
    addFolder_->setEnabled(false);
    progress_->setRange(0, 0);
    progress_->setVisible(true);
    cancel_->setVisible(true);
    status_->setText(tr("Looking for sessions in %1…").arg(folder));

    indexThread_ = QThread::create([this, folder, database = databasePath_, cancel = cancelIndexing_] {
        QString message;
        auto last = std::chrono::steady_clock::now() - kProgressInterval;
        archive::IndexOptions options;
        options.cancel = cancel.get();
        options.progress = [&](const archive::IndexProgress &p) {
            const auto now = std::chrono::steady_clock::now();
            if (now - last < kProgressInterval && p.done != p.total)
                return;
            last = now;
            QMetaObject::invokeMethod(this, [this, done = p.done, total = p.total] { showProgress(done, total); },
                                      Qt::QueuedConnection);
        };
        try {
            const archive::IndexSummary s = archive::indexPaths(*openIndex(database), {folder.toStdString()}, options);
            message = (s.cancelled ? tr("Cancelled: indexed %1, unchanged %2, failed %3.")
                                   : tr("Indexed %1, unchanged %2, failed %3, removed %4."))
                          .arg(s.indexed)
                          .arg(s.unchanged)
                          .arg(s.failed)
                          .arg(s.removed);
        } catch (const std::exception &e) {
            message = tr("Indexing stopped: %1").arg(QString::fromStdString(e.what()));
        }
        QMetaObject::invokeMethod(this, [this, message] { finishIndexing(message); }, Qt::QueuedConnection);
    });
    indexThread_->start();
}

void FindSessionsWindow::showProgress(size_t done, size_t total)
{
    progress_->setRange(0, int(std::min<size_t>(total, INT32_MAX)));
    progress_->setValue(int(std::min(done, total)));
    status_->setText(tr("Indexing: %1 of %2 sessions read").arg(done).arg(total));
}

void FindSessionsWindow::finishIndexing(const QString &message)
{
    indexThread_->wait();
    delete indexThread_;
    indexThread_ = nullptr;
    progress_->setVisible(false);
    cancel_->setVisible(false);
    addFolder_->setEnabled(true);
    status_->setText(message);
    if (!query_->text().trimmed().isEmpty())
        startSearch();
    emit indexingFinished();
}

void showFindInSessions(WindowRegistry &windows)
{
    static QPointer<FindSessionsWindow> window;
    if (!window) {
        window = new FindSessionsWindow(QString::fromStdString(archive::defaultIndexPath()));
        window->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(window, &FindSessionsWindow::openRequested, &windows,
                         [&windows](const QString &path, const std::optional<archive::SessionMatch> &match) {
                             FileWindow *file = windows.openWindow(path);
                             if (file && match)
                                 revealMatch(file->detailView(), *match);
                         });
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace kestrix
