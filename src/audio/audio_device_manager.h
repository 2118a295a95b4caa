// The machine's audio output devices, the system default, and the device
// the user picked for this run. Playback uses the active device: the pick,
// else the system default. Main thread only.
#ifndef KESTRIX_AUDIO_AUDIO_DEVICE_MANAGER_H
#define KESTRIX_AUDIO_AUDIO_DEVICE_MANAGER_H

#include "audio_device_source.h"
#include "audio_output_device.h"

#include <QList>
#include <QObject>

#include <memory>
#include <optional>

namespace kestrix {

class AudioPlaybackLog;

class AudioDeviceManager : public QObject {
    Q_OBJECT
public:
    // The platform's devices; created on first use.
    static AudioDeviceManager &shared();

    // Reads the devices at once and again whenever the source reports a change.
    AudioDeviceManager(std::unique_ptr<AudioDeviceSource> source, AudioPlaybackLog &log, QObject *parent = nullptr);
    ~AudioDeviceManager() override;

    const QList<AudioOutputDevice> &outputDevices() const { return outputDevices_; }
    const std::optional<AudioOutputDevice> &defaultDevice() const { return defaultDevice_; }
    const std::optional<AudioOutputDevice> &selectedDevice() const { return selectedDevice_; }
    std::optional<AudioOutputDevice> activeDevice() const { return selectedDevice_ ? selectedDevice_ : defaultDevice_; }

    // Re-reads the devices and the default; the pick stays.
    void refresh();
    // Picks a device; none goes back to the system default.
    void selectDevice(const std::optional<AudioOutputDevice> &device);

signals:
    void outputDevicesChanged();
    void defaultDeviceChanged();
    void selectedDeviceChanged();

private:
    // Keeps the pick in step with the fresh list: an unplugged pick falls
    // back to the system default. True when the pick changed.
    bool refreshSelection();

    std::unique_ptr<AudioDeviceSource> source_;
    AudioPlaybackLog &log_;
    QList<AudioOutputDevice> outputDevices_;
    std::optional<AudioOutputDevice> defaultDevice_;
    std::optional<AudioOutputDevice> selectedDevice_;
};

} // namespace kestrix

#endif
