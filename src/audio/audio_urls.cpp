#include "audio_urls.h"

#include <QFileInfo>

namespace kestrix {

QStringList resolveAudioURLs(const QStringList &paths)
{
    static const QStringList accepted = {QStringLiteral("wav"), QStringLiteral("mp3"), QStringLiteral("aac"),
                                         QStringLiteral("m4a"), QStringLiteral("aif"), QStringLiteral("aiff")};
    QStringList result;
    for (const QString &path : paths) {
        if (accepted.contains(QFileInfo(path).suffix().toLower()))
            result << resolveAlias(path);
    }
    return result;
}

QString resolveAlias(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? path : target;
}

} // namespace kestrix
