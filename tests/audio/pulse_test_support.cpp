#include "pulse_test_support.h"

#include <sndfile.h>

#include <QFile>
#include <QTest>

#include <csignal>

namespace audiotest {

const Sink kSurroundSink = {"kestrix_surround51", "front-left,front-right,front-center,lfe,rear-left,rear-right", 6};
const Sink kStereoSink = {"kestrix_stereo", "front-left,front-right", 2};

QString pulseServerProblem()
{
    if (const QByteArray error = qgetenv("KESTRIX_PULSE_ERROR"); !error.isEmpty())
        return QString::fromUtf8(error);
    const QString sinks = pactl({"list", "short", "sinks"});
    if (!sinks.contains(kSurroundSink.name) || !sinks.contains(kStereoSink.name))
        return QStringLiteral("no server with the kestrix null sinks answers (run the test through "
                              "scripts/with-pulseaudio.sh)");
    return {};
}

QString pactl(const QStringList &arguments)
{
    QProcess process;
    process.start("pactl", arguments);
    process.waitForFinished(5000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

std::optional<kestrix::AudioOutputDevice> deviceWithUid(const kestrix::AudioDeviceManager &devices, const QString &uid)
{
    for (const kestrix::AudioOutputDevice &device : devices.outputDevices()) {
        if (device.uid == uid)
            return device;
    }
    return std::nullopt;
}

SinkRecording::SinkRecording(const Sink &sink, const QString &path) : path_(path), channels_(sink.channels)
{
    process_.start("parecord", {QStringLiteral("--device=%1.monitor").arg(sink.name), "--channel-map=" + sink.channelMap,
                                QStringLiteral("--channels=%1").arg(sink.channels), "--rate=48000",
                                "--format=float32le", "--file-format=wav", path});
    started_ = process_.waitForStarted(5000);
    QTest::qWait(500);  // until the stream records
}

std::vector<float> SinkRecording::stop()
{
    if (!started_)
        return {};
    // SIGINT, so that parecord finishes the file.
    ::kill(pid_t(process_.processId()), SIGINT);
    process_.waitForFinished(10000);
    SF_INFO info{};
    SNDFILE *file = sf_open(QFile::encodeName(path_).constData(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<float> frames;
    if (info.channels == channels_) {
        frames.resize(size_t(info.frames) * size_t(channels_));
        sf_readf_float(file, frames.data(), info.frames);
    }
    sf_close(file);
    return frames;
}

} // namespace audiotest
