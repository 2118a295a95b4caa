// A device source whose devices a test sets.
#ifndef KESTRIX_TESTS_AUDIO_FAKE_DEVICE_SOURCE_H
#define KESTRIX_TESTS_AUDIO_FAKE_DEVICE_SOURCE_H

#include "audio_device_source.h"

namespace audiotest {

class FakeDeviceSource final : public kestrix::AudioDeviceSource {
public:
    QList<kestrix::AudioOutputDevice> devices;
    std::optional<kestrix::AudioOutputDevice> defaultDevice;

    QList<kestrix::AudioOutputDevice> outputDevices() override { return devices; }
    std::optional<kestrix::AudioOutputDevice> defaultOutputDevice() override { return defaultDevice; }

    // Changes the devices as the platform would, and says so.
    void change(QList<kestrix::AudioOutputDevice> newDevices, std::optional<kestrix::AudioOutputDevice> newDefault)
    {
        devices = std::move(newDevices);
        defaultDevice = std::move(newDefault);
        emit devicesChanged();
    }
};

inline kestrix::AudioOutputDevice makeDevice(const QString &uid, const QStringList &labels, double sampleRate = 48000)
{
    kestrix::AudioOutputDevice device;
    device.uid = uid;
    device.id = kestrix::deviceIdForUid(uid);
    device.name = uid + QStringLiteral(" Out");
    device.outputChannelCount = int(labels.size());
    device.sampleRate = sampleRate;
    device.channelLabels = labels;
    return device;
}

} // namespace audiotest

#endif
