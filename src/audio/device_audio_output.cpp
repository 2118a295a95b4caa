// The engine's frames on a device, through QAudioSink in pull mode: 32-bit
// float when the device takes it, else 16-bit integers, with the device's
// channel count and channel positions.
#include "audio_output.h"

#include "render_graph.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <vector>

namespace kestrix {

namespace {

// Hands the sink as many frames as it asks for; reading allocates nothing.
class PullDevice final : public QIODevice {
public:
    PullDevice(RenderGraph &graph, const QAudioFormat &format)
        : graph_(graph), channels_(format.channelCount()), float_(format.sampleFormat() == QAudioFormat::Float),
          bytesPerFrame_(format.bytesPerFrame()), scratch_(size_t(kChunkFrames) * size_t(channels_))
    {
    }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 frames = maxSize / bytesPerFrame_;
        qint64 done = 0;
        while (done < frames) {
            const auto chunk = uint32_t(std::min<qint64>(kChunkFrames, frames - done));
            graph_.render(scratch_.data(), chunk);
            char *out = data + done * bytesPerFrame_;
            const size_t samples = size_t(chunk) * size_t(channels_);
            if (float_) {
                std::memcpy(out, scratch_.data(), samples * sizeof(float));
            } else {
                for (size_t s = 0; s < samples; ++s) {
                    const auto value = qint16(std::lrint(std::clamp(scratch_[s], -1.0f, 1.0f) * 32767.0f));
                    std::memcpy(out + s * sizeof(qint16), &value, sizeof value);
                }
            }
            done += chunk;
        }
        return done * bytesPerFrame_;
    }

    qint64 writeData(const char *, qint64) override { return -1; }

private:
    static constexpr uint32_t kChunkFrames = 2048;
    RenderGraph &graph_;
    int channels_;
    bool float_;
    int bytesPerFrame_;
    std::vector<float> scratch_;
};

QAudioDevice findDevice(const QString &uid)
{
    const QList<QAudioDevice> devices = QMediaDevices::audioOutputs();
    const auto it = std::find_if(devices.begin(), devices.end(),
                                 [&](const QAudioDevice &device) { return QString::fromUtf8(device.id()) == uid; });
    return it == devices.end() ? QAudioDevice() : *it;
}

QString sinkErrorText(QAudio::Error error)
{
    switch (error) {
    case QAudio::NoError: return QStringLiteral("no error");
    case QAudio::OpenError: return QStringLiteral("the device could not be opened");
    case QAudio::IOError: return QStringLiteral("the device failed while writing");
    case QAudio::UnderrunError: return QStringLiteral("the device ran out of data");
    case QAudio::FatalError: return QStringLiteral("the audio system failed");
    }
    return QStringLiteral("unknown error");
}

class DeviceAudioOutput final : public AudioOutput {
public:
    ~DeviceAudioOutput() override { stop(); }

    AudioResult<OutputBinding> start(const OutputRequest &request, RenderGraph &graph) override
    {
        stop();
        QAudioDevice device = request.device ? findDevice(request.device->uid) : QAudioDevice();
        const bool requestedDevice = !device.isNull();
        if (device.isNull())
            device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return engineError(QStringLiteral("No audio output device is available"));

        QAudioFormat format;
        format.setSampleRate(int(std::lround(request.sampleRate)));
        format.setChannelCount(request.channels);
        // The device's own positions, so that the audio server passes every
        // channel through unmixed.
        const auto deviceConfig = device.channelConfiguration();
        format.setChannelConfig(std::popcount(uint32_t(deviceConfig)) == request.channels
                                    ? deviceConfig
                                    : QAudioFormat::defaultChannelConfigForChannelCount(request.channels));
        format.setSampleFormat(QAudioFormat::Float);
        if (!device.isFormatSupported(format))
            format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format)) {
            return engineError(QStringLiteral("Failed to create output format (%1 ch @ %2 Hz)")
                                   .arg(request.channels)
                                   .arg(request.sampleRate, 0, 'f', 0));
        }

        pull_ = std::make_unique<PullDevice>(graph, format);
        pull_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        sink_ = std::make_unique<QAudioSink>(device, format);
        watchDevice(device);
        sink_->start(pull_.get());
        if (sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState) {
            const QString reason = sinkErrorText(sink_->error());
            stop();
            return engineError(QStringLiteral("Could not start playback on “%1”: %2").arg(device.description(), reason));
        }
        return OutputBinding{device.description(), requestedDevice,
                             QStringLiteral("%1-channel %2 @ %3 Hz (channel config 0x%4)")
                                 .arg(request.channels)
                                 .arg(format.sampleFormat() == QAudioFormat::Float ? QStringLiteral("float")
                                                                                   : QStringLiteral("16-bit"))
                                 .arg(format.sampleRate())
                                 .arg(uint32_t(format.channelConfig()), 0, 16)};
    }

    void stop() override
    {
        // Watchers first, so that stopping reports no failure.
        watch_.reset();
        ++generation_;
        if (sink_)
            sink_->stop();
        sink_.reset();
        pull_.reset();
    }

    bool isRunning() const override { return sink_ != nullptr; }

    double bufferedSeconds() const override
    {
        if (!sink_)
            return 0;
        const QAudioFormat format = sink_->format();
        const double sinkBuffer = format.bytesPerFrame() > 0 && format.sampleRate() > 0
                                      ? double(sink_->bufferSize()) / format.bytesPerFrame() / format.sampleRate()
                                      : 0;
        return sinkBuffer + kServerLatencySeconds;
    }

private:
    // A sink whose device goes away stops with an error, and the device
    // leaves the list of outputs; either ends playback. The failure is
    // handled from the event loop, never inside the sink's own signal,
    // because the handler may delete the sink.
    void watchDevice(const QAudioDevice &device)
    {
        watch_ = std::make_unique<QObject>();
        mediaDevices_ = mediaDevices_ ? std::move(mediaDevices_) : std::make_unique<QMediaDevices>();
        const QByteArray id = device.id();
        QObject::connect(sink_.get(), &QAudioSink::stateChanged, watch_.get(), [this](QAudio::State state) {
            if (state == QAudio::StoppedState && sink_ && sink_->error() != QAudio::NoError)
                failLater(sinkErrorText(sink_->error()));
        });
        const auto checkPresent = [this, id] {
            const QList<QAudioDevice> devices = QMediaDevices::audioOutputs();
            if (std::none_of(devices.begin(), devices.end(), [&](const QAudioDevice &d) { return d.id() == id; }))
                failLater(QStringLiteral("the device was removed"));
        };
        QObject::connect(mediaDevices_.get(), &QMediaDevices::audioOutputsChanged, watch_.get(), checkPresent);
        // Some backends (PulseAudio in Qt 6.4) neither announce the change
        // nor fail the stream, which the server moves elsewhere: look.
        auto *poll = new QTimer(watch_.get());
        QObject::connect(poll, &QTimer::timeout, watch_.get(), checkPresent);
        poll->start(kPresencePollMs);
    }

    static constexpr int kPresencePollMs = 500;
    // The audio server holds frames of its own beyond the sink's buffer.
    static constexpr double kServerLatencySeconds = 0.15;

    void failLater(const QString &reason)
    {
        QMetaObject::invokeMethod(
            &lifetime_,
            [this, reason, generation = generation_] {
                // A stop or a new start since then has settled it.
                if (generation != generation_)
                    return;
                stop();
                reportFailure(reason);
            },
            Qt::QueuedConnection);
    }

    QObject lifetime_;  // context of pending failures: they die with the output
    uint64_t generation_ = 0;  // counts stops
    std::unique_ptr<QMediaDevices> mediaDevices_;
    std::unique_ptr<QObject> watch_;  // context of the watchers of the running sink
    std::unique_ptr<PullDevice> pull_;
    std::unique_ptr<QAudioSink> sink_;
};

} // namespace

std::unique_ptr<AudioOutput> createDeviceOutput()
{
    return std::make_unique<DeviceAudioOutput>();
}

} // namespace kestrix
