// A device source whose devices a test sets.
#ifndef KESTRIX_TESTS_AUDIO_FAKE_DEVICE_SOURCE_H
#define KESTRIX_TESTS_AUDIO_FAKE_DEVICE_SOURCE_H

#include "audio_device_manager.h"
#include "audio_device_source.h"
#include "audio_playback_log.h"

#include <memory>

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
    return {.id = kestrix::deviceIdForUid(uid),
            .uid = uid,
            .name = uid + QStringLiteral(" Out"),
            .outputChannelCount = int(labels.size()),
            .channelLayout = std::nullopt,
            .sampleRate = sampleRate,
            .channelLabels = labels};
}

// A device manager over a fake source whose first device is the default.
struct FakeDevices {
    explicit FakeDevices(QList<kestrix::AudioOutputDevice> initial = {makeDevice(QStringLiteral("stereo"), {"L", "R"})})
    {
        auto owned = std::make_unique<FakeDeviceSource>();
        source = owned.get();
        source->devices = initial;
        if (!initial.isEmpty())
            source->defaultDevice = initial.first();
        manager = std::make_unique<kestrix::AudioDeviceManager>(std::move(owned), log);
    }

    kestrix::AudioPlaybackLog log;
    FakeDeviceSource *source = nullptr;
    std::unique_ptr<kestrix::AudioDeviceManager> manager;
};

} // namespace audiotest

#endif
