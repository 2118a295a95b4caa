// Shows a file selected in the desktop's file manager.
#ifndef KESTRIX_APP_FILE_REVEAL_H
#define KESTRIX_APP_FILE_REVEAL_H

#include <QString>

class QWidget;

namespace kestrix {

// Asks the file manager over D-Bus to select the file; when no file manager
// answers, opens the file's folder instead. If that fails too, a message box
// over `parent` says so.
void revealInFileManager(const QString &filePath, QWidget *parent);

} // namespace kestrix

#endif
