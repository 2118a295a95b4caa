// The last 1000 diagnostic lines of playback (loads, routing decisions,
// device changes, engine starts and failures), which a user who hears
// nothing or the wrong channels can send with a bug report.
#ifndef KESTRIX_AUDIO_AUDIO_PLAYBACK_LOG_H
#define KESTRIX_AUDIO_AUDIO_PLAYBACK_LOG_H

#include "audio_error.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <mutex>

namespace kestrix {

class AudioDeviceManager;

class AudioPlaybackLog {
public:
    static constexpr size_t kMaxEntries = 1000;

    static AudioPlaybackLog &shared();

    // Safe to call from any thread but the audio render thread.
    void log(const QString &text);
    void logSection(const QString &title, const QStringList &lines);
    QStringList entries() const;

    // Header, events and the devices as `devices` sees them now.
    QString reportText(const AudioDeviceManager &devices) const;
    // Writes the report into the temporary folder and returns its path.
    AudioResult<QString> writeReport(const AudioDeviceManager &devices) const;
    // Writes the report of the shared devices and opens the bug report form
    // with it attached. False when the report cannot be written or no form
    // can be opened.
    bool sendReport() const;

private:
    void append(const QString &entry, const QStringList &indentedLines);

    mutable std::mutex mutex_;
    std::deque<QString> entries_;
};

} // namespace kestrix

#endif
