// The session files named on the command line. Qt decodes arguments as
// UTF-8 and loses any byte that is not; the files are taken from the
// arguments' own bytes instead, so that every file that exists can be opened.
#ifndef KESTRIX_APP_COMMAND_LINE_FILES_H
#define KESTRIX_APP_COMMAND_LINE_FILES_H

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace kestrix {

// `arguments` are the program's arguments after its name, as bytes, once
// Qt has taken its own options out; `positional` are the ones Qt's parser
// found not to be options. Relative paths are made absolute against
// `currentFolder` (bytes too).
QStringList sessionFilesFromArguments(const QList<QByteArray> &arguments, const QStringList &positional,
                                      const QByteArray &currentFolder);

// The current folder's bytes.
QByteArray currentFolderBytes();

} // namespace kestrix

#endif
