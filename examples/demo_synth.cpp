#include "demo_synth.h"

#include "demo_time.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace demo {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kRelease = 0.01;  // seconds; keeps note ends free of clicks

double envelopeAt(double t, Envelope e)
{
    return t < e.attack ? t / e.attack : std::exp(-(t - e.attack) / e.decay);
}

// Calls add(t, i) for every sample i of the signal from start for length
// seconds, with t the seconds since start.
template <class Add>
void forEachSample(Signal &s, double start, double length, Add add)
{
    const size_t first = size_t(samplesOfSeconds(start));
    const size_t last = std::min(s.size(), size_t(samplesOfSeconds(start + length)));
    for (size_t i = first; i < last; ++i)
        add(double(i - first) / kSampleRate, i);
}

} // namespace

float Noise::next()
{
    state_ = state_ * 1664525u + 1013904223u;
    return float(int32_t(state_)) / 2147483648.0f;
}

double noteHz(int midiNote)
{
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

Signal silence(double seconds)
{
    return Signal(samplesOfSeconds(seconds), 0.0f);
}

void addNote(Signal &s, double start, double length, double hz, double level, Envelope envelope,
             int harmonics)
{
    forEachSample(s, start, length, [&](double t, size_t i) {
        double sum = 0.0;
        for (int k = 1; k <= harmonics; ++k)
            sum += std::sin(kTwoPi * hz * k * t) / k;
        const double release = std::min(1.0, (length - t) / kRelease);
        s[i] += float(level * envelopeAt(t, envelope) * release * sum);
    });
}

void addGlide(Signal &s, double start, double length, double fromHz, double toHz, double level,
              Envelope envelope)
{
    double phase = 0.0;
    forEachSample(s, start, length, [&](double t, size_t i) {
        phase += kTwoPi * fromHz * std::pow(toHz / fromHz, t / length) / kSampleRate;
        const double release = std::min(1.0, (length - t) / kRelease);
        s[i] += float(level * envelopeAt(t, envelope) * release * std::sin(phase));
    });
}

void addKick(Signal &s, double start, double level)
{
    double phase = 0.0;
    forEachSample(s, start, 0.5, [&](double t, size_t i) {
        phase += kTwoPi * (45.0 + 75.0 * std::exp(-t / 0.04)) / kSampleRate;
        s[i] += float(level * std::exp(-t / 0.18) * std::sin(phase));
    });
}

void addSnare(Signal &s, double start, double level, Noise &noise)
{
    forEachSample(s, start, 0.35, [&](double t, size_t i) {
        const double rattle = 0.7 * noise.next() * std::exp(-t / 0.07);
        const double body = 0.5 * std::sin(kTwoPi * 185.0 * t) * std::exp(-t / 0.05);
        s[i] += float(level * (rattle + body));
    });
}

void addHat(Signal &s, double start, double level, Noise &noise)
{
    float previous = 0.0f;
    forEachSample(s, start, 0.08, [&](double t, size_t i) {
        const float white = noise.next();
        s[i] += float(level * 0.5 * (white - previous) * std::exp(-t / 0.02));  // a difference is bright
        previous = white;
    });
}

void addNoiseBed(Signal &s, double level, double smoothing, Noise &noise)
{
    // Uniform noise has an RMS level of 1/sqrt(3), and a one-pole low-pass
    // loses more as it darkens: this gain makes `level` the bed's RMS level.
    const double gain = std::sqrt(3.0 * (1.0 + smoothing) / (1.0 - smoothing));
    double low = 0.0;
    for (float &sample : s) {
        low += (1.0 - smoothing) * (noise.next() - low);
        sample += float(level * gain * low);
    }
}

void fadeEdges(Signal &s, double fadeIn, double fadeOut)
{
    const double inSamples = std::max(1.0, fadeIn * kSampleRate);
    const double outSamples = std::max(1.0, fadeOut * kSampleRate);
    for (size_t i = 0; i < s.size(); ++i) {
        const double fromEnd = double(s.size() - i);
        s[i] *= float(std::min({1.0, i / inSamples, fromEnd / outSamples}));
    }
}

} // namespace demo
