// Output devices from QMediaDevices. A device's channel configuration is
// its per-channel description: it names each channel's position, listed in
// the order the device's channels are interleaved.
#include "audio_device_source.h"

#include "audio_log.h"
#include "channel_labels.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QMediaDevices>
#include <QTimer>

#include <array>
#include <bit>

namespace kestrix {

namespace {

using Position = QAudioFormat::AudioChannelPosition;

struct PositionLabel {
    Position position;
    const char *name;
    const char *label;  // null: the position names no label of ours
};

// Positions by their value, which is also their order within a frame. The
// values are those of the channel labels of Core Audio, and so is the label
// each stands for.
constexpr std::array<PositionLabel, 24> kPositions = {{
    {QAudioFormat::FrontLeft, "FrontLeft", "L"},
    {QAudioFormat::FrontRight, "FrontRight", "R"},
    {QAudioFormat::FrontCenter, "FrontCenter", "C"},
    {QAudioFormat::LFE, "LFE", "LFE"},
    {QAudioFormat::BackLeft, "BackLeft", "Ls"},
    {QAudioFormat::BackRight, "BackRight", "Rs"},
    {QAudioFormat::FrontLeftOfCenter, "FrontLeftOfCenter", "Lc"},
    {QAudioFormat::FrontRightOfCenter, "FrontRightOfCenter", "Rc"},
    {QAudioFormat::BackCenter, "BackCenter", "Cs"},
    {QAudioFormat::SideLeft, "SideLeft", "Lss"},
    {QAudioFormat::SideRight, "SideRight", "Rss"},
    {QAudioFormat::TopCenter, "TopCenter", nullptr},
    {QAudioFormat::TopFrontLeft, "TopFrontLeft", "Ltf"},
    {QAudioFormat::TopFrontCenter, "TopFrontCenter", "C"},
    {QAudioFormat::TopFrontRight, "TopFrontRight", "Rtf"},
    {QAudioFormat::TopBackLeft, "TopBackLeft", "Ltr"},
    {QAudioFormat::TopBackCenter, "TopBackCenter", "Cs"},
    {QAudioFormat::TopBackRight, "TopBackRight", "Rtr"},
    {QAudioFormat::LFE2, "LFE2", nullptr},
    {QAudioFormat::TopSideLeft, "TopSideLeft", nullptr},
    {QAudioFormat::TopSideRight, "TopSideRight", nullptr},
    {QAudioFormat::BottomFrontCenter, "BottomFrontCenter", nullptr},
    {QAudioFormat::BottomFrontLeft, "BottomFrontLeft", nullptr},
    {QAudioFormat::BottomFrontRight, "BottomFrontRight", nullptr},
}};

// The named layout a standard configuration is; a configuration of its own
// counts as discrete, and an unknown one reports no layout.
std::optional<uint32_t> layoutTagOf(QAudioFormat::ChannelConfig config, int channelCount)
{
    switch (config) {
    case QAudioFormat::ChannelConfigUnknown: return std::nullopt;
    case QAudioFormat::ChannelConfigMono: return 0x640001u;
    case QAudioFormat::ChannelConfigStereo: return 0x650002u;
    case QAudioFormat::ChannelConfig3Dot0: return 0x710003u;
    case QAudioFormat::ChannelConfigSurround5Dot0: return 0x750005u;
    case QAudioFormat::ChannelConfigSurround5Dot1: return 0x790006u;
    case QAudioFormat::ChannelConfigSurround7Dot1: return 0x800008u;
    default: return kLayoutTagDiscreteInOrder | uint32_t(channelCount);
    }
}

AudioOutputDevice describe(const QAudioDevice &qtDevice)
{
    AudioOutputDevice device;
    device.uid = QString::fromUtf8(qtDevice.id());
    device.id = deviceIdForUid(device.uid);
    if (!qtDevice.description().isEmpty())
        device.name = qtDevice.description();
    const QAudioFormat preferred = qtDevice.preferredFormat();
    if (preferred.sampleRate() > 0)
        device.sampleRate = preferred.sampleRate();
    const auto config = qtDevice.channelConfiguration();
    device.outputChannelCount =
        preferred.channelCount() > 0 ? preferred.channelCount() : std::popcount(uint32_t(config));
    device.channelLayout = layoutTagOf(config, device.outputChannelCount);

    const auto log = [](const QString &line) { logAudio(kDeviceComponent, line); };
    log(QStringLiteral("Device '%1' (uid=%2, id=%3): %4 ch, %5 Hz")
            .arg(device.name, device.uid)
            .arg(device.id)
            .arg(device.outputChannelCount)
            .arg(device.sampleRate, 0, 'f', 0));
    log(QStringLiteral("  layout tag: %1")
            .arg(device.channelLayout
                     ? QStringLiteral("0x%1 (%2, descCount=%3, config=0x%4)")
                           .arg(*device.channelLayout, 8, 16, QLatin1Char('0'))
                           .arg(layoutTagName(*device.channelLayout))
                           .arg(std::popcount(uint32_t(config)))
                           .arg(uint32_t(config), 8, 16, QLatin1Char('0'))
                     : QStringLiteral("<no channel configuration>")));

    QList<std::optional<QString>> descriptions;
    for (const PositionLabel &entry : kPositions) {
        if (!(config & QAudioFormat::channelConfig(entry.position)))
            continue;
        const auto label = entry.label ? std::optional(QString::fromLatin1(entry.label)) : std::nullopt;
        log(QStringLiteral("  desc[%1]: AudioChannelPosition=%2 (%3) → %4")
                .arg(descriptions.size())
                .arg(int(entry.position))
                .arg(QLatin1String(entry.name), label.value_or(QStringLiteral("none"))));
        descriptions << label;
    }
    if (descriptions.isEmpty())
        log(QStringLiteral("  no per-channel descriptions present"));

    const DerivedChannelLabels derived = deriveChannelLabels(device.outputChannelCount, device.channelLayout, descriptions);
    device.channelLabels = derived.labels;
    log(QStringLiteral("  layout-tag labels: [%1]")
            .arg(layoutTagLabels(device.channelLayout, device.outputChannelCount).join(QLatin1String(", "))));
    log(QStringLiteral("  final labels: [%1]  (sources: [%2])")
            .arg(derived.labels.join(QLatin1String(", ")), derived.sources.join(QLatin1String(", "))));
    return device;
}

// The platform's list of device ids and the default's id.
QByteArrayList deviceSignature()
{
    QByteArrayList ids;
    for (const QAudioDevice &device : QMediaDevices::audioOutputs())
        ids << device.id();
    ids << QMediaDevices::defaultAudioOutput().id();
    return ids;
}

class MediaDevicesSource final : public AudioDeviceSource {
public:
    MediaDevicesSource() : signature_(deviceSignature())
    {
        connect(&mediaDevices_, &QMediaDevices::audioOutputsChanged, this, &MediaDevicesSource::checkForChanges);
        // Some Qt backends (PulseAudio in Qt 6.4) update the list without
        // announcing it, so it is also looked at now and then.
        connect(&poll_, &QTimer::timeout, this, &MediaDevicesSource::checkForChanges);
        poll_.start(kPollMs);
    }

    QList<AudioOutputDevice> outputDevices() override
    {
        QList<AudioOutputDevice> devices;
        for (const QAudioDevice &qtDevice : QMediaDevices::audioOutputs())
            devices << describe(qtDevice);
        return devices;
    }

    std::optional<AudioOutputDevice> defaultOutputDevice() override
    {
        const QAudioDevice qtDevice = QMediaDevices::defaultAudioOutput();
        if (qtDevice.isNull())
            return std::nullopt;
        return describe(qtDevice);
    }

private:
    static constexpr int kPollMs = 1000;

    void checkForChanges()
    {
        QByteArrayList signature = deviceSignature();
        if (signature == signature_)
            return;
        signature_ = std::move(signature);
        emit devicesChanged();
    }

    QMediaDevices mediaDevices_;
    QTimer poll_;
    QByteArrayList signature_;
};

} // namespace

std::unique_ptr<AudioDeviceSource> createPlatformDeviceSource()
{
    return std::make_unique<MediaDevicesSource>();
}

} // namespace kestrix
