// "Show in File Manager" for windows: the file shown in the file manager, or a
// message when it cannot be.
#ifndef KESTRIX_VIEWS_WINDOW_SHOW_IN_FILE_MANAGER_H
#define KESTRIX_VIEWS_WINDOW_SHOW_IN_FILE_MANAGER_H

#include <QString>

class QWidget;

namespace kestrix {

// When neither the file manager nor the folder can be opened, a message box
// over `parent` (if it still exists) says so.
void showInFileManager(const QString &filePath, QWidget *parent);

} // namespace kestrix

#endif
