#include "routing.h"

#include <algorithm>
#include <cmath>

namespace kestrix {

namespace {

struct FoldTarget {
    const char *label;
    float gain;
};

// One way of folding an input down; it fits when every target is on the device.
using FoldCandidate = std::vector<FoldTarget>;

struct FoldRule {
    QStringList inputs;
    std::vector<FoldCandidate> candidates;  // tried in order
};

const FoldCandidate kLeftRightHalf = {{"L", 0.5f}, {"R", 0.5f}};

const std::vector<FoldCandidate> &foldCandidates(const QString &label)
{
    static const std::vector<FoldRule> rules = {
        {{"C"}, {{{"L", 0.707f}, {"R", 0.707f}}}},
        {{"LFE"}, {{{"L", 0.707f}, {"R", 0.707f}}}},
        {{"Ls"}, {{{"Lss", 1.0f}}, {{"L", 0.707f}}}},
        {{"Rs"}, {{{"Rss", 1.0f}}, {{"R", 0.707f}}}},
        {{"Lss"}, {{{"Ls", 1.0f}}, {{"L", 0.707f}}}},
        {{"Rss"}, {{{"Rs", 1.0f}}, {{"R", 0.707f}}}},
        {{"Cs"}, {{{"Ls", 0.707f}, {"Rs", 0.707f}}, kLeftRightHalf}},
        {{"Lc"}, {{{"L", 0.85f}, {"R", 0.15f}}}},
        {{"Rc"}, {{{"R", 0.85f}, {"L", 0.15f}}}},
        {{"Ltf", "Ltm"}, {{{"L", 0.5f}}}},
        {{"Rtf", "Rtm"}, {{{"R", 0.5f}}}},
        {{"Ltr", "Lts"}, {{{"Ls", 0.5f}}, {{"L", 0.35f}}}},
        {{"Rtr", "Rts"}, {{{"Rs", 0.5f}}, {{"R", 0.35f}}}},
    };
    // Any other label, L and R included.
    static const std::vector<FoldCandidate> otherwise = {kLeftRightHalf};
    for (const FoldRule &rule : rules) {
        if (rule.inputs.contains(label))
            return rule.candidates;
    }
    return otherwise;
}

QString deviceText(const RoutingDecision &decision)
{
    return decision.device ? decision.device->name : QStringLiteral("<none — assuming stereo>");
}

enum class RowKind { Direct, Fallback, Dropped, Fold };

RowKind rowKind(const RoutingDecision &decision, int input)
{
    if (decision.outputLabels.contains(decision.inputLabels.value(input)))
        return RowKind::Direct;
    int nonZero = 0;
    for (int o = 0; o < decision.matrix.outputs; ++o)
        nonZero += decision.matrix.gain(input, o) != 0.0f;
    if (nonZero == 0)
        return RowKind::Dropped;
    return nonZero == decision.matrix.outputs ? RowKind::Fallback : RowKind::Fold;
}

QString rowKindText(RowKind kind)
{
    switch (kind) {
    case RowKind::Direct: return QStringLiteral("DIRECT");
    case RowKind::Fallback: return QStringLiteral("FALLBACK (no fold-down match)");
    case RowKind::Dropped: return QStringLiteral("DROPPED — silent");
    case RowKind::Fold: return QStringLiteral("FOLD");
    }
    return {};
}

QString gainText(float gain)
{
    return QStringLiteral("%1 (%2 dB)")
        .arg(double(gain), 0, 'f', 3)
        .arg(QString::asprintf("%+.1f", 20.0 * std::log10(double(gain))));
}

// The non-zero gains of an input's row, each named by `outputName`.
template <class OutputName>
QString rowGains(const RoutingDecision &decision, int input, OutputName outputName)
{
    QStringList parts;
    for (int o = 0; o < decision.matrix.outputs; ++o) {
        const float gain = decision.matrix.gain(input, o);
        if (gain != 0.0f)
            parts << outputName(o) + u' ' + gainText(gain);
    }
    return parts.isEmpty() ? QStringLiteral("(silent)") : parts.join(QLatin1String(", "));
}

QString strategyText(const RoutingDecision &decision)
{
    return decision.monoDirectRoute ? QStringLiteral("MONO → L+R at -3dB (directRoute)")
                                    : QStringLiteral("label-driven downmix (buildDownmix)");
}

} // namespace

QStringList engineFallbackLabels(int channelCount)
{
    if (channelCount <= 0)
        return {};
    if (channelCount == 1)
        return {QStringLiteral("L")};
    QStringList labels = {QStringLiteral("L"), QStringLiteral("R")};
    for (int n = 3; n <= channelCount; ++n)
        labels << QStringLiteral("Ch%1").arg(n);
    return labels;
}

RoutingDecision defaultGainMatrix(const QStringList &inputLabels, const std::optional<AudioOutputDevice> &device)
{
    RoutingDecision decision;
    decision.device = device;
    decision.inputLabels = inputLabels;
    const int deviceOutputs = device ? device->outputChannelCount : 2;
    decision.outputLabels = device ? device->channelLabels : QStringList();
    if (decision.outputLabels.isEmpty()) {
        decision.outputLabels = engineFallbackLabels(deviceOutputs);
        decision.fallbackLabels = true;
    }
    const int inputs = int(inputLabels.size());

    if (inputs == 1 && deviceOutputs > 1) {
        decision.monoDirectRoute = true;
        decision.matrix = GainMatrix(1, deviceOutputs);
        // Exactly 0.707 on both sides, as users of the other players expect.
        decision.matrix.gain(0, 0) = 0.707f;
        decision.matrix.gain(0, 1) = 0.707f;
        return decision;
    }

    const int outputs = int(decision.outputLabels.size());
    decision.matrix = GainMatrix(inputs, outputs);
    for (int i = 0; i < inputs; ++i) {
        const QString &label = inputLabels[i];
        if (const int direct = int(decision.outputLabels.indexOf(label)); direct >= 0) {
            decision.matrix.gain(i, direct) = 1.0f;
            continue;
        }
        bool folded = false;
        for (const FoldCandidate &candidate : foldCandidates(label)) {
            const bool fits = std::all_of(candidate.begin(), candidate.end(), [&](const FoldTarget &target) {
                return decision.outputLabels.contains(QLatin1String(target.label));
            });
            if (!fits)
                continue;
            for (const FoldTarget &target : candidate)
                decision.matrix.gain(i, int(decision.outputLabels.indexOf(QLatin1String(target.label)))) = target.gain;
            folded = true;
            break;
        }
        if (!folded && outputs > 0)
            decision.matrix.gain(i, 0) = 1.0f;
    }
    return decision;
}

QStringList routingConsoleLines(const RoutingDecision &decision)
{
    const QString sampleRate = decision.device ? QString::number(decision.device->sampleRate, 'f', 0) : QStringLiteral("0");
    QStringList lines;
    lines << QStringLiteral("=== Routing decision ===");
    lines << QStringLiteral("Output device: %1 (id=%2, sr=%3 Hz)")
                 .arg(deviceText(decision))
                 .arg(decision.device ? decision.device->id : 0)
                 .arg(sampleRate);
    lines << QStringLiteral("Output channels: %1, labels=[%2]%3")
                 .arg(decision.matrix.outputs)
                 .arg(decision.outputLabels.join(QLatin1String(", ")),
                      decision.fallbackLabels ? QStringLiteral("  (DEVICE LAYOUT UNKNOWN — using fallback labels)")
                                              : QString());
    lines << QStringLiteral("Input channels:  %1, labels=[%2]")
                 .arg(decision.inputLabels.size())
                 .arg(decision.inputLabels.join(QLatin1String(", ")));
    lines << QStringLiteral("Strategy: ") + strategyText(decision);
    if (!decision.monoDirectRoute) {
        for (int i = 0; i < decision.matrix.inputs; ++i) {
            const QString gains = rowGains(decision, i, [&](int o) { return decision.outputLabels.value(o); });
            lines << QString::asprintf("  %2d ", i) + decision.inputLabels[i].leftJustified(4) + QStringLiteral(" → ")
                         + gains + QStringLiteral("  [") + rowKindText(rowKind(decision, i)) + u']';
        }
    }
    return lines;
}

QStringList routingLogLines(const RoutingDecision &decision)
{
    QStringList lines;
    if (decision.device) {
        lines << QStringLiteral("output device: %1 (id=%2, %3 Hz)")
                     .arg(decision.device->name)
                     .arg(decision.device->id)
                     .arg(qint64(decision.device->sampleRate));
    } else {
        lines << QStringLiteral("output device: <none — assuming stereo>");
    }
    lines << QStringLiteral("output channels: %1, labels=[%2]%3")
                 .arg(decision.matrix.outputs)
                 .arg(decision.outputLabels.join(QLatin1String(", ")),
                      decision.fallbackLabels ? QStringLiteral("  (device layout unknown — using fallback labels)")
                                              : QString());
    lines << QStringLiteral("input channels:  %1, labels=[%2]")
                 .arg(decision.inputLabels.size())
                 .arg(decision.inputLabels.join(QLatin1String(", ")));
    lines << QStringLiteral("strategy: ") + strategyText(decision);
    for (int i = 0; i < decision.matrix.inputs; ++i) {
        const QString gains = rowGains(decision, i, [&](int o) {
            return QStringLiteral("ch%1 (%2)").arg(o + 1).arg(decision.outputLabels.value(o));
        });
        lines << QStringLiteral("  [%1] %2 → %3  [%4]")
                     .arg(i)
                     .arg(decision.inputLabels[i], gains, rowKindText(rowKind(decision, i)));
    }
    return lines;
}

} // namespace kestrix
