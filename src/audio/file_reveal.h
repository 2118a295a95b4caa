// Shows a file in the desktop's file manager.
#ifndef KESTRIX_AUDIO_FILE_REVEAL_H
#define KESTRIX_AUDIO_FILE_REVEAL_H

#include <QString>

namespace kestrix {

// Asks the file manager to select the file (org.freedesktop.FileManager1);
// when none answers, opens the file's folder instead.
void revealInFileManager(const QString &path);

} // namespace kestrix

#endif
