#include "file_location.h"

#include <QDir>
#include <QFileInfo>

namespace kestrix {

QString standardizedPath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString fileNameWithoutExtension(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

QString fileNameWithExtension(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString folderPath(const QString &path)
{
    return QFileInfo(standardizedPath(path)).absolutePath();
}

} // namespace kestrix
