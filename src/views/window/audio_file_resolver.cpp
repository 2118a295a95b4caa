#include "audio_file_resolver.h"

#include "audio_format_sniffer.h"
#include "file_type.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace kestrix {

namespace {

// The file a candidate path stands for, following symbolic links; none when
// nothing readable is there.
std::optional<QString> existingFile(const QString &candidate)
{
    if (candidate.isEmpty())
        return std::nullopt;
    const QFileInfo info(candidate);
    const QString target = info.isSymLink() ? info.canonicalFilePath() : info.absoluteFilePath();
    if (target.isEmpty() || !QFileInfo(target).isFile())
        return std::nullopt;
    return target;
}

} // namespace

AudioFileStatus resolveAudioFiles(const std::vector<PTXAudioFile> &files, const QString &sessionPath)
{
    AudioFileStatus status;
    const QDir audioFolder(QFileInfo(sessionPath).absoluteDir().filePath(QStringLiteral("Audio Files")));
    for (const PTXAudioFile &file : files) {
        if (status.resolvedPaths.contains(file.name) || status.offlineFiles.contains(file.name))
            continue; // a name is looked for once; the lists key files by name
        if (fileTypeInfo(file.typeTag).playbackUnavailable)
            status.unavailableFiles.insert(file.name);

        std::optional<QString> found = existingFile(QString::fromStdString(file.path));
        if (!found)
            found = existingFile(audioFolder.filePath(QString::fromStdString(file.name)));
        if (!found) {
            status.offlineFiles.insert(file.name);
            continue;
        }
        status.resolvedPaths.emplace(file.name, found->toStdString());
        if (std::optional<std::string> format = audioFormatOfFile(*found))
            status.fileFormats.emplace(file.name, std::move(*format));
    }
    return status;
}

} // namespace kestrix
