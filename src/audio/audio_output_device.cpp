#include "audio_output_device.h"

namespace kestrix {

QString AudioOutputDevice::description() const
{
    return QStringLiteral("%1 (id=%2, uid=%3, %4ch, %5 Hz, labels=[%6])")
        .arg(name)
        .arg(id)
        .arg(uid)
        .arg(outputChannelCount)
        .arg(sampleRate, 0, 'f', 0)
        .arg(channelLabels.join(QLatin1String(", ")));
}

uint32_t deviceIdForUid(const QString &uid)
{
    // FNV-1a: the same uid gives the same id in every run.
    uint32_t hash = 2166136261u;
    for (char byte : uid.toUtf8()) {
        hash ^= uint8_t(byte);
        hash *= 16777619u;
    }
    return hash;
}

} // namespace kestrix
