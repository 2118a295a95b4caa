// File > Find in Sessions…: searches the archive index as the user types,
// lists sessions with their matching names, opens a session on double-click,
// and indexes a folder in the background with progress and cancel.
#ifndef KESTRIX_APP_FIND_SESSIONS_WINDOW_H
#define KESTRIX_APP_FIND_SESSIONS_WINDOW_H

#include "archive_types.h"

#include <QString>
#include <QThreadPool>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kestrix::archive {
class SqliteIndexStore;
}

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThread;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrix {

class WindowRegistry;

class FindSessionsWindow : public QWidget {
    Q_OBJECT
public:
    // Shows sessions of the index at `databasePath`.
    explicit FindSessionsWindow(QString databasePath, QWidget *parent = nullptr);
    ~FindSessionsWindow() override;

    QLineEdit *queryField() const { return query_; }
    QTreeWidget *results() const { return results_; }
    QLabel *statusLine() const { return status_; }
    bool isIndexing() const { return indexThread_ != nullptr; }

    // Indexes the folder in the background; does nothing while a run is going.
    void indexFolder(const QString &folder);

signals:
    // A session was double-clicked; `match` is the name double-clicked, if any.
    void openRequested(const QString &path, const std::optional<kestrix::archive::SessionMatch> &match);
    // A search's results are on screen (also when there are none).
    void resultsShown();
    void indexingFinished();

private:
    void startSearch();
    void showResults(uint64_t generation, const std::vector<archive::SessionHit> &hits, const QString &error);
    void chooseFolder();
    void showProgress(size_t done, size_t total);
    void finishIndexing(const QString &message);
    void itemActivated(QTreeWidgetItem *item);

    QString databasePath_;
    QLineEdit *query_ = nullptr;
    QTreeWidget *results_ = nullptr;
    QLabel *status_ = nullptr;
    QPushButton *addFolder_ = nullptr;
    QProgressBar *progress_ = nullptr;
    QPushButton *cancel_ = nullptr;

    // Searches run one at a time off the main thread; one that is no longer
    // the latest when its turn comes is skipped.
    QThreadPool searchPool_;
    // Open from the first search on, so each keystroke finds the database
    // open and its pages cached; used only by the pool's one thread.
    std::unique_ptr<archive::SqliteIndexStore> searchStore_;
    std::shared_ptr<std::atomic<uint64_t>> latestSearch_;
    QThread *indexThread_ = nullptr;
    std::shared_ptr<std::atomic<bool>> cancelIndexing_;
};

// Raises the one Find in Sessions window over the default index, creating it
// first; double-clicked sessions open through the registry.
void showFindInSessions(WindowRegistry &windows);

} // namespace kestrix

#endif
