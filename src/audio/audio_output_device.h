// An audio output device as playback sees it: its channels and what each
// channel is (L, R, C, LFE, Ls, ...).
#ifndef KESTRIX_AUDIO_AUDIO_OUTPUT_DEVICE_H
#define KESTRIX_AUDIO_AUDIO_OUTPUT_DEVICE_H

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace kestrix {

struct AudioOutputDevice {
    uint32_t id = 0;      // stable for the device's uid within and across runs
    QString uid;          // the platform's persistent device id
    QString name = QStringLiteral("Unknown");
    int outputChannelCount = 0;
    std::optional<uint32_t> channelLayout;  // layout tag, when the device reports a layout
    double sampleRate = 44100.0;
    QStringList channelLabels;  // one per output channel

    // Identity is the id.
    bool operator==(const AudioOutputDevice &other) const { return id == other.id; }

    // "<name> (id=<id>, uid=<uid>, <n>ch, <rate> Hz, labels=[L, R])"
    QString description() const;
};

// The id of a device with this uid.
uint32_t deviceIdForUid(const QString &uid);

} // namespace kestrix

#endif
