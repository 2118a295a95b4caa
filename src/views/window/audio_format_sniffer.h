// A short name for an audio file's format, read from the first bytes of the
// file: "WAV", "RF64", "AIFF", "AIFC" (AIFF and AIFC told apart by the form
// type), "FLAC", "MP3", "MP4", "CAF", "MXF", "MOV", "Ogg".
#ifndef KESTRIX_VIEWS_WINDOW_AUDIO_FORMAT_SNIFFER_H
#define KESTRIX_VIEWS_WINDOW_AUDIO_FORMAT_SNIFFER_H

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

namespace kestrix {

// None for a header no format is recognised by.
std::optional<std::string> audioFormatFromHeader(const QByteArray &header);
// Reads the header of the file; none when it cannot be read.
std::optional<std::string> audioFormatOfFile(const QString &path);

} // namespace kestrix

#endif
