// Which output channels each input channel plays on, and how loud: inputs
// whose label the device has go straight to it; the others fold down onto
// the channels the device has.
#ifndef KESTRIX_AUDIO_ROUTING_H
#define KESTRIX_AUDIO_ROUTING_H

#include "audio_output_device.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kestrix {

// Gains from every input to every output, row-major by input.
struct GainMatrix {
    int inputs = 0;
    int outputs = 0;
    std::vector<float> gains;

    GainMatrix() = default;
    GainMatrix(int inputCount, int outputCount)
        : inputs(inputCount), outputs(outputCount), gains(size_t(inputCount) * size_t(outputCount), 0.0f)
    {
    }
    float gain(int input, int output) const { return gains[size_t(input) * size_t(outputs) + size_t(output)]; }
    float &gain(int input, int output) { return gains[size_t(input) * size_t(outputs) + size_t(output)]; }
};

struct RoutingDecision {
    std::optional<AudioOutputDevice> device;  // none: stereo is assumed
    QStringList outputLabels;
    bool fallbackLabels = false;  // the device named no channels
    QStringList inputLabels;
    bool monoDirectRoute = false;
    GainMatrix matrix;
};

// The output labels the engine routes to: the device's, or L, R, Ch3 ...
// when it names none (a single channel is L).
QStringList engineFallbackLabels(int channelCount);

// The default routing of `inputLabels` to `device`: a single input plays
// on the first two outputs at -3 dB; otherwise each input goes to its own
// label or folds down.
RoutingDecision defaultGainMatrix(const QStringList &inputLabels, const std::optional<AudioOutputDevice> &device);

// The decision as console lines and as playback-log lines.
QStringList routingConsoleLines(const RoutingDecision &decision);
QStringList routingLogLines(const RoutingDecision &decision);

} // namespace kestrix

#endif
