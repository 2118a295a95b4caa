#include "audio_file_resolver.h"

#include "audio_format_sniffer.h"
#include "file_type.h"
#include "import_arguments.h"

#include <QString>

#include <unordered_set>

namespace kestrix {

AudioFileStatus resolveAudioFiles(const std::vector<PTXAudioFile> &files, const QString &sessionPath)
{
    // Import looks for the files by the same rule; it lives in the Qt-free
    // import core so that both find the same files.
    import::AudioFileResolution found = import::resolveSessionAudioFiles(files, sessionPath.toStdString());
    AudioFileStatus status;
    status.resolvedPaths.insert(found.resolvedPaths.begin(), found.resolvedPaths.end());
    status.offlineFiles.insert(found.offlineFiles.begin(), found.offlineFiles.end());
    std::unordered_set<std::string> seen;
    for (const PTXAudioFile &file : files) {
        if (!seen.insert(file.name).second)
            continue; // a name is looked for once; the lists key files by name
        if (fileTypeInfo(file.typeTag).playbackUnavailable)
            status.unavailableFiles.insert(file.name);
        const auto resolved = status.resolvedPaths.find(file.name);
        if (resolved == status.resolvedPaths.end())
            continue;
        if (std::optional<std::string> format = audioFormatOfFile(QString::fromStdString(resolved->second)))
            status.fileFormats.emplace(file.name, std::move(*format));
    }
    return status;
}

} // namespace kestrix
