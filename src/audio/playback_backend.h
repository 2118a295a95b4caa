// What the players play through: the devices, the playback log and a fresh
// output for every file player and engine. The application uses the
// machine's; tests render offline.
#ifndef KESTRIX_AUDIO_PLAYBACK_BACKEND_H
#define KESTRIX_AUDIO_PLAYBACK_BACKEND_H

#include "audio_error.h"

#include <QString>

#include <functional>
#include <memory>

namespace kestrix {

class AudioBuffer;
class AudioDeviceManager;
class AudioOutput;
class AudioPlaybackLog;
class FilePlayer;
class MultiMonoEngine;
class TempClipFile;

struct PlaybackBackend {
    AudioDeviceManager *devices = nullptr;
    AudioPlaybackLog *log = nullptr;
    std::function<std::unique_ptr<AudioOutput>()> makeOutput;

    // The shared devices and log, playing through QAudioSink.
    static PlaybackBackend platform();

    std::unique_ptr<FilePlayer> filePlayer() const;
    // A clip region played as a file: writes `buffer` to a temporary file
    // (into `file`) and opens it with a new file player (into `player`).
    AudioStatus openClipFile(const AudioBuffer &buffer, std::unique_ptr<TempClipFile> &file,
                             std::unique_ptr<FilePlayer> &player) const;
    std::unique_ptr<MultiMonoEngine> engine() const;
    // "active device: <name>", or "active device: <none>".
    QString activeDeviceLine() const;
};

} // namespace kestrix

#endif
