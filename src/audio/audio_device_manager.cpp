#include "audio_device_manager.h"

#include "audio_log.h"
#include "audio_playback_log.h"

#include <algorithm>

namespace kestrix {

namespace {

QString nameOr(const std::optional<AudioOutputDevice> &device, const QString &none)
{
    return device ? device->name : none;
}

// "id=<id>, <n> ch, <rate> Hz"
QString shortDescription(const AudioOutputDevice &device)
{
    return QStringLiteral("id=%1, %2 ch, %3 Hz").arg(device.id).arg(device.outputChannelCount).arg(device.sampleRate, 0, 'f', 0);
}

QString labelsOf(const AudioOutputDevice &device)
{
    return device.channelLabels.join(QLatin1String(", "));
}

} // namespace

AudioDeviceManager &AudioDeviceManager::shared()
{
    // Never destroyed: it lives as long as the process, and must not go
    // after the application object its QMediaDevices belongs to.
    static AudioDeviceManager *instance =
        new AudioDeviceManager(createPlatformDeviceSource(), AudioPlaybackLog::shared());
    return *instance;
}

AudioDeviceManager::AudioDeviceManager(std::unique_ptr<AudioDeviceSource> source, AudioPlaybackLog &log,
                                       QObject *parent)
    : QObject(parent), source_(std::move(source)), log_(log)
{
    connect(source_.get(), &AudioDeviceSource::devicesChanged, this, &AudioDeviceManager::refresh);
    refresh();
}

AudioDeviceManager::~AudioDeviceManager() = default;

void AudioDeviceManager::refresh()
{
    const std::optional<AudioOutputDevice> previous = activeDevice();

    QList<AudioOutputDevice> devices = source_->outputDevices();
    devices.removeIf([](const AudioOutputDevice &device) { return device.outputChannelCount <= 0; });
    std::optional<AudioOutputDevice> defaultDevice = source_->defaultOutputDevice();

    // A device's labels or rate may change under the same id, so whole
    // records are compared.
    const auto same = [](const std::optional<AudioOutputDevice> &a, const std::optional<AudioOutputDevice> &b) {
        return a.has_value() == b.has_value()
               && (!a || (a->id == b->id && a->name == b->name && a->channelLabels == b->channelLabels
                          && a->sampleRate == b->sampleRate));
    };
    const bool devicesChanged =
        devices.size() != outputDevices_.size()
        || !std::equal(devices.begin(), devices.end(), outputDevices_.begin(),
                       [&](const AudioOutputDevice &a, const AudioOutputDevice &b) { return same(a, b); });
    const bool defaultChanged = !same(defaultDevice, defaultDevice_);
    outputDevices_ = std::move(devices);
    defaultDevice_ = std::move(defaultDevice);
    const bool selectionChanged = refreshSelection();

    logAudio(kDeviceComponent, QStringLiteral("Refreshed — %1 output device(s); system default: %2")
                                   .arg(outputDevices_.size())
                                   .arg(nameOr(defaultDevice_, QStringLiteral("none"))));
    const std::optional<AudioOutputDevice> active = activeDevice();
    const bool activeChanged = (previous ? previous->id : 0) != (active ? active->id : 0)
                               || previous.has_value() != active.has_value();
    if (active) {
        logAudio(kDeviceComponent,
                 QStringLiteral("  active: '%1' (%2, labels=[%3])%4")
                     .arg(active->name, shortDescription(*active), labelsOf(*active),
                          activeChanged ? QStringLiteral("  ← CHANGED from ") + nameOr(previous, QStringLiteral("none"))
                                        : QString()));
    } else {
        logAudio(kDeviceComponent, QStringLiteral("  active: none"));
    }
    if (activeChanged && active) {
        log_.log(QStringLiteral("AudioDeviceManager: active device CHANGED from '%1' → '%2' (%3)")
                     .arg(nameOr(previous, QStringLiteral("none")), active->name, shortDescription(*active)));
    }

    if (devicesChanged)
        emit outputDevicesChanged();
    if (defaultChanged)
        emit defaultDeviceChanged();
    if (selectionChanged)
        emit selectedDeviceChanged();
}

bool AudioDeviceManager::refreshSelection()
{
    if (!selectedDevice_)
        return false;
    const auto current = std::find(outputDevices_.begin(), outputDevices_.end(), *selectedDevice_);
    if (current != outputDevices_.end()) {
        // The fresh record: labels and rate may have changed under the id.
        const bool changed = current->name != selectedDevice_->name || current->channelLabels != selectedDevice_->channelLabels
                             || current->sampleRate != selectedDevice_->sampleRate;
        selectedDevice_ = *current;
        return changed;
    }
    const QString note = QStringLiteral("the chosen device '%1' is no longer available — using the system default '%2'")
                             .arg(selectedDevice_->name, nameOr(defaultDevice_, QStringLiteral("none")));
    logAudio(kDeviceComponent, note);
    log_.log(QStringLiteral("AudioDeviceManager: ") + note);
    selectedDevice_.reset();
    return true;
}

void AudioDeviceManager::selectDevice(const std::optional<AudioOutputDevice> &device)
{
    const std::optional<AudioOutputDevice> was = selectedDevice_;
    selectedDevice_ = device;
    const QString override = device ? QStringLiteral("yes") : QStringLiteral("no — using system default");
    logAudio(kDeviceComponent, QStringLiteral("selectDevice: was '%1' → now '%2' (override=%3)")
                                   .arg(nameOr(was, QStringLiteral("none")), nameOr(device, QStringLiteral("none")),
                                        override));
    QStringList section = {QStringLiteral("was: ") + nameOr(was, QStringLiteral("none")),
                           QStringLiteral("now: ") + nameOr(device, QStringLiteral("none")),
                           QStringLiteral("  (override=%1)").arg(override)};
    if (const std::optional<AudioOutputDevice> active = activeDevice()) {
        logAudio(kDeviceComponent, QStringLiteral("  %1, labels=[%2]").arg(shortDescription(*active), labelsOf(*active)));
        section << QStringLiteral("%1, labels=[%2]").arg(shortDescription(*active), labelsOf(*active));
    }
    log_.logSection(QStringLiteral("AudioDeviceManager.selectDevice"), section);
    if (was.has_value() != device.has_value() || (was && was->id != device->id))
        emit selectedDeviceChanged();
}

} // namespace kestrix
