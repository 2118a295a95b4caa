#include "recent_files.h"

#include "file_location.h"
#include "preference_keys.h"

#include <QFileInfo>
#include <QSettings>

namespace kestrix {

RecentFiles::RecentFiles(QObject *parent)
    : QObject(parent)
{
    const QStringList stored = QSettings().value(prefs::kRecentFileURLs).toStringList();
    for (const QString &path : stored) {
        if (paths_.size() == kMaximumCount)
            break;
        if (QFileInfo(path).isFile() && !paths_.contains(path))
            paths_.append(path);
    }
}

void RecentFiles::add(const QString &filePath)
{
    const QString path = standardizedPath(filePath);
    paths_.removeAll(path);
    paths_.prepend(path);
    if (paths_.size() > kMaximumCount)
        paths_.resize(kMaximumCount);
    publish();
}

void RecentFiles::clear()
{
    paths_.clear();
    publish();
}

void RecentFiles::publish()
{
    QSettings().setValue(prefs::kRecentFileURLs, paths_);
    emit urlsChanged();
}

} // namespace kestrix
