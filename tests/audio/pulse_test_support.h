// The PulseAudio server that scripts/with-pulseaudio.sh starts, its two null
// sinks, and recordings of what reaches them.
#ifndef KESTRIX_TESTS_AUDIO_PULSE_TEST_SUPPORT_H
#define KESTRIX_TESTS_AUDIO_PULSE_TEST_SUPPORT_H

#include "audio_device_manager.h"

#include <QProcess>
#include <QString>

#include <optional>
#include <vector>

namespace audiotest {

struct Sink {
    QString name;
    QString channelMap;
    int channels;
};
extern const Sink kSurroundSink;
extern const Sink kStereoSink;

// Why the server and its sinks cannot be used; empty when they can.
QString pulseServerProblem();

// pactl's trimmed output.
QString pactl(const QStringList &arguments);

std::optional<kestrix::AudioOutputDevice> deviceWithUid(const kestrix::AudioDeviceManager &devices, const QString &uid);

// Records a sink's monitor at 48 kHz in float from construction until stop().
class SinkRecording {
public:
    SinkRecording(const Sink &sink, const QString &path);
    // The recorded interleaved frames; empty when nothing could be recorded.
    std::vector<float> stop();

private:
    QString path_;
    int channels_;
    QProcess process_;
    bool started_ = false;
};

} // namespace audiotest

#endif
