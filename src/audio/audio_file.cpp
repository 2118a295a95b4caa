#include "audio_file.h"

#include <QFileInfo>

namespace kestrix {

AudioResult<std::unique_ptr<AudioFile>> openAudioFile(const QString &path)
{
    auto sndfile = openWithSndfile(path);
    if (sndfile.ok())
        return sndfile;
    auto ffmpeg = openWithFfmpeg(path);
    if (ffmpeg.ok())
        return ffmpeg;
    // Each library explains best the formats that are its own.
    static const QStringList ffmpegFormats = {QStringLiteral("aac"), QStringLiteral("m4a"), QStringLiteral("mp4")};
    if (ffmpegFormats.contains(QFileInfo(path).suffix().toLower()))
        return ffmpeg;
    return sndfile;
}

} // namespace kestrix
