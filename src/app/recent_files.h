// The recently opened session files, most recent first, kept in the user's
// preferences as absolute paths.
#ifndef KESTRIX_APP_RECENT_FILES_H
#define KESTRIX_APP_RECENT_FILES_H

#include <QObject>
#include <QStringList>

namespace kestrix {

class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaximumCount = 15;

    // Loads the stored list; files that no longer exist are dropped.
    explicit RecentFiles(QObject *parent = nullptr);

    const QStringList &urls() const { return paths_; }

    // Moves the file to the front (adding it when new) and stores the list.
    void add(const QString &filePath);
    void clear();

signals:
    void urlsChanged();

private:
    void publish();

    QStringList paths_;
};

} // namespace kestrix

#endif
