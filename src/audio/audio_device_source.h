// Where the device manager gets the machine's output devices from. The
// application uses QMediaDevices; tests use a source of their own.
#ifndef KESTRIX_AUDIO_AUDIO_DEVICE_SOURCE_H
#define KESTRIX_AUDIO_AUDIO_DEVICE_SOURCE_H

#include "audio_output_device.h"

#include <QList>
#include <QObject>

#include <memory>
#include <optional>

namespace kestrix {

class AudioDeviceSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Every output device, described, in the platform's order.
    virtual QList<AudioOutputDevice> outputDevices() = 0;
    // None when the platform names no default.
    virtual std::optional<AudioOutputDevice> defaultOutputDevice() = 0;

signals:
    // Devices came or went, or the system default changed.
    void devicesChanged();
};

// The platform's devices through QMediaDevices.
std::unique_ptr<AudioDeviceSource> createPlatformDeviceSource();

} // namespace kestrix

#endif
