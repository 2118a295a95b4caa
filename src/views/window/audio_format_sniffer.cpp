#include "audio_format_sniffer.h"

#include <QFile>

namespace kestrix {

namespace {

constexpr qint64 kHeaderLength = 12;

bool hasAt(const QByteArray &header, qsizetype offset, const char *tag)
{
    return header.mid(offset, qsizetype(qstrlen(tag))) == tag;
}

} // namespace

std::optional<std::string> audioFormatFromHeader(const QByteArray &header)
{
    if (header.size() >= 12 && hasAt(header, 8, "WAVE")) {
        if (hasAt(header, 0, "RIFF") || hasAt(header, 0, "RIFX"))
            return "WAV";
        if (hasAt(header, 0, "RF64"))
            return "RF64";
        if (hasAt(header, 0, "BW64"))
            return "BW64";
    }
    if (header.size() >= 12 && hasAt(header, 0, "FORM")) {
        if (hasAt(header, 8, "AIFF"))
            return "AIFF";
        if (hasAt(header, 8, "AIFC"))
            return "AIFC";
    }
    if (hasAt(header, 0, "fLaC"))
        return "FLAC";
    if (hasAt(header, 0, "OggS"))
        return "Ogg";
    if (hasAt(header, 0, "caff"))
        return "CAF";
    if (hasAt(header, 4, "ftyp"))
        return hasAt(header, 8, "qt  ") ? "MOV" : "MP4";
    if (hasAt(header, 4, "moov") || hasAt(header, 4, "mdat") || hasAt(header, 4, "wide"))
        return "MOV";
    if (hasAt(header, 0, "\x06\x0e\x2b\x34"))
        return "MXF";
    if (hasAt(header, 0, "ID3"))
        return "MP3";
    // An MPEG audio frame starts with eleven set bits.
    if (header.size() >= 2 && uchar(header[0]) == 0xff && (uchar(header[1]) & 0xe0) == 0xe0)
        return "MP3";
    return std::nullopt;
}

std::optional<std::string> audioFormatOfFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return audioFormatFromHeader(file.read(kHeaderLength));
}

} // namespace kestrix
