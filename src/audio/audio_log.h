// Console lines of the audio components, through the model's log.
#ifndef KESTRIX_AUDIO_AUDIO_LOG_H
#define KESTRIX_AUDIO_AUDIO_LOG_H

#include "log.h"

#include <QString>

namespace kestrix {

inline constexpr std::string_view kEngineComponent = "MultiMonoEngine";
inline constexpr std::string_view kDeviceComponent = "AudioDeviceManager";
inline constexpr std::string_view kPlaybackLogComponent = "AudioPlaybackLog";
inline constexpr std::string_view kInlinePlayerComponent = "InlineAudioPlayer";

inline void logAudio(std::string_view component, const QString &message)
{
    const QByteArray utf8 = message.toUtf8();
    logLine(component, std::string_view(utf8.constData(), size_t(utf8.size())));
}

} // namespace kestrix

#endif
