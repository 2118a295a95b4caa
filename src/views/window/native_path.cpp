#include "native_path.h"

#ifdef Q_OS_WIN
#include <QFile>
#include <QFileInfo>
#else
#include <sys/stat.h>
#endif

namespace kestrix {

namespace {

constexpr char16_t kFirstKeptByte = 0xDC80;
constexpr char16_t kLastKeptByte = 0xDCFF;

// A low surrogate after a high one is half of a character, not a kept byte.
bool isKeptByteAt(const QString &path, qsizetype i)
{
    const char16_t unit = path[i].unicode();
    return unit >= kFirstKeptByte && unit <= kLastKeptByte && !(i > 0 && path[i - 1].isHighSurrogate());
}

// The length of the valid UTF-8 sequence at the start of `bytes`, or 0.
qsizetype validSequenceLength(QByteArrayView bytes)
{
    const auto byte = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

#ifndef Q_OS_WIN
std::optional<mode_t> fileType(const QString &path)
{
    struct stat status {};
    if (::stat(nativeBytesOfPath(path).constData(), &status) != 0)
        return std::nullopt;
    return status.st_mode & S_IFMT;
}
#endif

} // namespace

#ifdef Q_OS_WIN
// Paths are UTF-16 there and Qt keeps them as they are.
QString pathFromNativeBytes(QByteArrayView bytes) { return QFile::decodeName(bytes.toByteArray()); }
QByteArray nativeBytesOfPath(const QString &path) { return QFile::encodeName(path); }
bool holdsForeignBytes(const QString &) { return false; }
QString displayablePath(const QString &path) { return path; }
bool isExistingFile(const QString &path) { return QFileInfo(path).isFile(); }
bool isExistingFolder(const QString &path) { return QFileInfo(path).isDir(); }
#else
QString pathFromNativeBytes(QByteArrayView bytes)
{
    QString path;
    path.reserve(bytes.size());
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        qsizetype length = 0;
        while (end < bytes.size() && (length = validSequenceLength(bytes.sliced(end))) > 0)
            end += length;
        path += QString::fromUtf8(bytes.sliced(start, end - start));
        if (end < bytes.size()) {
            path += QChar(char16_t(0xDC00 + static_cast<unsigned char>(bytes[end])));
            ++end;
        }
        start = end;
    }
    return path;
}

QByteArray nativeBytesOfPath(const QString &path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        const bool kept = i < path.size() && isKeptByteAt(path, i);
        if (i < path.size() && !kept)
            continue;
        bytes += QStringView(path).sliced(start, i - start).toUtf8();
        if (kept)
            bytes += char(path[i].unicode() - 0xDC00);
        start = i + 1;
    }
    return bytes;
}

bool holdsForeignBytes(const QString &path)
{
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (isKeptByteAt(path, i))
            return true;
    }
    return false;
}

QString displayablePath(const QString &path)
{
    return holdsForeignBytes(path) ? QString::fromUtf8(nativeBytesOfPath(path)) : path;
}

bool isExistingFile(const QString &path)
{
    return fileType(path) == S_IFREG;
}

bool isExistingFolder(const QString &path)
{
    return fileType(path) == S_IFDIR;
}
#endif

QVariant pathToPreference(const QString &path)
{
    return holdsForeignBytes(path) ? QVariant(nativeBytesOfPath(path)) : QVariant(path);
}

std::optional<QString> pathFromPreference(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString: return value.toString();
    case QMetaType::QByteArray: return pathFromNativeBytes(value.toByteArray());
    default: return std::nullopt;
    }
}

} // namespace kestrix
