// Session files are identified by their standardised absolute path, so that
// "/a/./b.ptx", "/a/c/../b.ptx" and a relative spelling all name one file.
#ifndef KESTRIX_VIEWS_WINDOW_FILE_LOCATION_H
#define KESTRIX_VIEWS_WINDOW_FILE_LOCATION_H

#include <QString>

namespace kestrix {

// Absolute, with "." and ".." removed; symbolic links are kept as they are.
QString standardizedPath(const QString &path);

// "Mix" for "/a/b/Mix.ptx", "Mix.v2" for "/a/b/Mix.v2.ptx".
QString fileNameWithoutExtension(const QString &path);

// "Mix.ptx" for "/a/b/Mix.ptx".
QString fileNameWithExtension(const QString &path);

// "/a/b" for "/a/b/Mix.ptx".
QString folderPath(const QString &path);

} // namespace kestrix

#endif
