#include "recent_files.h"

#include "file_location.h"
#include "native_path.h"
#include "preference_keys.h"

#include <QSettings>

namespace kestrix {

RecentFiles::RecentFiles(QObject *parent)
    : QObject(parent)
{
    const QVariant stored = QSettings().value(prefs::kRecentFileURLs);
    // A list of one may come back as its only item.
    const bool isList = stored.typeId() == QMetaType::QVariantList || stored.typeId() == QMetaType::QStringList;
    const QVariantList items = isList ? stored.toList() : QVariantList{stored};
    for (const QVariant &item : items) {
        if (paths_.size() == kMaximumCount)
            break;
        const std::optional<QString> path = pathFromPreference(item);
        if (path && isExistingFile(*path) && !paths_.contains(*path))
            paths_.append(*path);
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
    QVariantList stored;
    for (const QString &path : std::as_const(paths_))
        stored.append(pathToPreference(path));
    QSettings().setValue(prefs::kRecentFileURLs, stored);
    emit urlsChanged();
}

} // namespace kestrix
