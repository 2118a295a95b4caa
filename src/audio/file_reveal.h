// Shows a file in the desktop's file manager.
#ifndef KESTRIX_AUDIO_FILE_REVEAL_H
#define KESTRIX_AUDIO_FILE_REVEAL_H

#include <QString>

#include <functional>

namespace kestrix {

// Asks the file manager over D-Bus (org.freedesktop.FileManager1) to select
// the file, without waiting for it: a slow or absent file manager never
// blocks the caller. When none answers, opens the file's folder instead;
// `failed` is called on the caller's thread when that fails too.
void revealInFileManager(const QString &path, std::function<void()> failed = {});

} // namespace kestrix

#endif
