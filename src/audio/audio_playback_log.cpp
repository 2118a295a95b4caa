#include "audio_playback_log.h"

#include "audio_device_manager.h"
#include "audio_log.h"
#include "bug_report_opener.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSysInfo>

namespace kestrix {

namespace {

QString timestamp()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString deviceLine(const QString &title, const std::optional<AudioOutputDevice> &device, const QString &none)
{
    return title + (device ? device->description() : none);
}

} // namespace

AudioPlaybackLog &AudioPlaybackLog::shared()
{
    static AudioPlaybackLog instance;
    return instance;
}

void AudioPlaybackLog::log(const QString &text)
{
    append(timestamp() + QLatin1String("  ") + text, {});
}

void AudioPlaybackLog::logSection(const QString &title, const QStringList &lines)
{
    append(timestamp() + QLatin1String("  ") + title, lines);
}

void AudioPlaybackLog::append(const QString &entry, const QStringList &indentedLines)
{
    // Under one lock, so that no other line lands inside a section.
    const QString indent(18, u' ');
    const std::lock_guard lock(mutex_);
    entries_.push_back(entry);
    for (const QString &line : indentedLines)
        entries_.push_back(indent + line);
    while (entries_.size() > kMaxEntries)
        entries_.pop_front();
}

QStringList AudioPlaybackLog::entries() const
{
    const std::lock_guard lock(mutex_);
    return QStringList(entries_.begin(), entries_.end());
}

QString AudioPlaybackLog::reportText(const AudioDeviceManager &devices) const
{
    const QStringList events = entries();
    QString text = QStringLiteral("=== Kestrix Audio Playback Log ===\nCaptured: ")
                   + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                   + QStringLiteral("\nKestrix: " KESTRIX_VERSION " (build " KESTRIX_BUILD_NUMBER ")\nOS: ")
                   + QSysInfo::prettyProductName();
    text += QStringLiteral("\n\n=== Playback events (most recent last, up to 1000 lines) ===\n");
    text += events.isEmpty() ? QStringLiteral("(no playback events recorded yet)") : events.join(u'\n');

    QStringList snapshot;
    snapshot << deviceLine(QStringLiteral("System default: "), devices.defaultDevice(), QStringLiteral("<unknown>"));
    snapshot << deviceLine(QStringLiteral("Selection override: "), devices.selectedDevice(),
                           QStringLiteral("<none — using system default>"));
    snapshot << deviceLine(QStringLiteral("Active for playback: "), devices.activeDevice(), QStringLiteral("<none>"));
    snapshot << QStringLiteral("All output devices visible to Kestrix (%1):").arg(devices.outputDevices().size());
    for (const AudioOutputDevice &device : devices.outputDevices())
        snapshot << QLatin1String("  - ") + device.description();
    if (devices.outputDevices().isEmpty())
        snapshot << QStringLiteral("  (no output devices found)");
    text += QStringLiteral("\n\n=== Current audio device snapshot ===\n") + snapshot.join(u'\n');
    return text;
}

AudioResult<QString> AudioPlaybackLog::writeReport(const AudioDeviceManager &devices) const
{
    const QString path = QDir(QDir::tempPath())
                             .filePath(QStringLiteral("Kestrix_Audio_Log_%1.txt")
                                           .arg(QDateTime::currentSecsSinceEpoch()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(reportText(devices).toUtf8()) < 0
        || !file.flush()) {
        const QString reason = file.errorString();
        logAudio(kPlaybackLogComponent, QStringLiteral("Could not write log file: %1").arg(reason));
        return AudioError{QStringLiteral("AudioPlaybackLog"), -1,
                          QStringLiteral("Could not write the audio log to “%1”: %2").arg(path, reason)};
    }
    return path;
}

bool AudioPlaybackLog::sendReport() const
{
    auto written = writeReport(AudioDeviceManager::shared());
    return written.ok() && feedback::openBugReportForPlaybackLog(written.value());
}

} // namespace kestrix
