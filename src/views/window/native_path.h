// Paths on this platform are bytes, and a file's name need not be valid
// UTF-8. Qt decodes paths as UTF-8 and turns every other byte into U+FFFD,
// after which the file cannot be found again. Paths that come from outside
// (the command line, another launch) are decoded here instead: each byte that
// is not part of valid UTF-8 becomes one of the code points U+DC80 to U+DCFF,
// which valid text never holds, and is turned back into that byte wherever
// the path goes to the file system or is stored.
#ifndef KESTRIX_VIEWS_WINDOW_NATIVE_PATH_H
#define KESTRIX_VIEWS_WINDOW_NATIVE_PATH_H

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVariant>

#include <optional>

namespace kestrix {

QString pathFromNativeBytes(QByteArrayView bytes);
QByteArray nativeBytesOfPath(const QString &path);
// Whether the path holds bytes that are not UTF-8.
bool holdsForeignBytes(const QString &path);
// For titles and labels: the kept bytes shown as U+FFFD.
QString displayablePath(const QString &path);

// The file system's view of the path, byte for byte.
bool isExistingFile(const QString &path);
bool isExistingFolder(const QString &path);

// A path as the preferences keep it: text when it is valid UTF-8 (as paths
// were always stored), its bytes otherwise, since the preferences file would
// turn the kept bytes into U+FFFD.
QVariant pathToPreference(const QString &path);
std::optional<QString> pathFromPreference(const QVariant &value);

} // namespace kestrix

#endif
