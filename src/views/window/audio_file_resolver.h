// Looks for a session's audio files on disk: first where the session
// recorded them, then under the name in the "Audio Files" folder beside the
// session. Symbolic links count as their targets. Reads files, so it runs
// off the main thread.
#ifndef KESTRIX_VIEWS_WINDOW_AUDIO_FILE_RESOLVER_H
#define KESTRIX_VIEWS_WINDOW_AUDIO_FILE_RESOLVER_H

#include "overview_data.h"

#include <QString>

#include <vector>

namespace kestrix {

AudioFileStatus resolveAudioFiles(const std::vector<PTXAudioFile> &files, const QString &sessionPath);

} // namespace kestrix

#endif
