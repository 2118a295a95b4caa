#include "ruler_labels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace kestrix {
namespace {

// Lets a tick that lands on the right edge through despite rounding.
constexpr double kEdgeSlack = 0.0001;

constexpr double kSecondSteps[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 18000, 36000};
constexpr double kFrameSteps[] = {1, 2, 4, 8, 16, 32, 80, 160, 800, 1600, 8000, 16000, 80000, 160000};
constexpr double kSampleSteps[] = {1,         10,        100,        1000,       5000,      10000,
                                   50000,     100000,    500000,     1000000,    5000000,   10000000,
                                   50000000,  100000000, 500000000,  1000000000, 5000000000};
constexpr double kBarMultiples[] = {1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024};

template <typename... Args>
std::string format(const char *pattern, Args... args)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

double secondsStep(const RulerSpan &span, double minSpacing)
{
    if (span.duration <= 0 || span.width <= 0)
        return 1;
    return chooseStep(kSecondSteps, span.pointsPerSecond(), minSpacing, 36000);
}

// Offsets 0, step, 2 × step, … up to `limit`.
template <typename Make>
void forEachTick(double step, double limit, Make make)
{
    for (int64_t k = 0; double(k) * step <= limit + kEdgeSlack; ++k)
        make(double(k) * step);
}

std::vector<LabelEntry> minutesSecondsLabels(const RulerSpan &span)
{
    std::vector<LabelEntry> labels;
    const double step = secondsStep(span, 70);
    std::vector<std::pair<double, int64_t>> ticks;
    forEachTick(step, span.duration,
                [&](double x) { ticks.emplace_back(x, std::llround(span.extentStart + span.left + x)); });
    // One form for the whole ruler, chosen by the latest time shown.
    const bool hours = !ticks.empty() && ticks.back().second >= 3600;
    for (const auto &[x, t] : ticks) {
        const std::string text = hours ? format("%d:%02d:%02d", int(t / 3600), int(t / 60 % 60), int(t % 60))
                                       : format("%d:%02d", int(t / 60), int(t % 60));
        labels.push_back({x, text});
    }
    return labels;
}

std::vector<LabelEntry> timecodeLabels(const RulerNumbers &numbers, const RulerSpan &span)
{
    std::vector<LabelEntry> labels;
    const int64_t fps = numbers.framesPerSecond;
    forEachTick(secondsStep(span, 100), span.duration, [&](double x) {
        const double t = numbers.sessionStartSeconds + span.extentStart + span.left + x;
        const int64_t n = std::llround(t * double(fps));
        labels.push_back({x, format("%02lld:%02lld:%02lld:%02lld", (long long)(n / fps / 3600),
                                    (long long)(n / fps / 60 % 60), (long long)(n / fps % 60), (long long)(n % fps))});
    });
    return labels;
}

std::vector<LabelEntry> barsBeatsLabels(const RulerNumbers &numbers, const RulerSpan &span)
{
    if (!numbers.tempo || !numbers.beatsPerBar || span.duration <= 0)
        return {};
    const double secondsPerBeat = 60 / *numbers.tempo;
    const double beatsPerBar = *numbers.beatsPerBar;
    std::vector<double> candidates = {1, 2};
    for (double bars : kBarMultiples)
        candidates.push_back(beatsPerBar * bars);
    const double step = chooseStep(candidates, span.pointsPerSecond() * secondsPerBeat, 70, 1024 * beatsPerBar);
    const double b0 = (span.extentStart + span.left) * *numbers.tempo / 60;
    std::vector<LabelEntry> labels;
    for (double k = step * std::ceil((b0 - kEdgeSlack) / step); (k - b0) * secondsPerBeat <= span.duration + kEdgeSlack;
         k += step) {
        const int64_t beat = std::llround(k);
        const int64_t perBar = *numbers.beatsPerBar;
        const int64_t bar = beat / perBar;
        labels.push_back({std::max(secondsPerBeat * (k - b0), 0.0),
                          format("%lld|%lld", (long long)(bar + 1), (long long)(beat - bar * perBar + 1))});
    }
    return labels;
}

std::vector<LabelEntry> feetFramesLabels(const RulerNumbers &numbers, const RulerSpan &span)
{
    if (span.duration <= 0)
        return {};
    const double fps = numbers.framesPerSecond;
    const double step = chooseStep(kFrameSteps, span.pointsPerSecond() / fps, 80, 160000);
    std::vector<LabelEntry> labels;
    forEachTick(step, span.duration * fps, [&](double frames) {
        const int64_t frame = std::llround(span.left * fps + frames);
        labels.push_back({frames / fps, format("%lld+%02lld", (long long)(frame / 16), (long long)(frame % 16))});
    });
    return labels;
}

std::vector<LabelEntry> samplesLabels(const RulerNumbers &numbers, const RulerSpan &span)
{
    if (!numbers.sampleRate || span.duration <= 0)
        return {};
    const double rate = *numbers.sampleRate;
    const double step = chooseStep(kSampleSteps, span.width / (span.duration * rate), 110, 10000000000.0);
    std::vector<LabelEntry> labels;
    forEachTick(step, span.duration * rate, [&](double offset) {
        labels.push_back({offset / rate, format("%lld", (long long)std::llround(span.sampleOffset + offset))});
    });
    return labels;
}

} // namespace

std::optional<RulerSpan> rulerSpan(const RulerNumbers &numbers, const std::optional<SessionExtent> &extent,
                                   const UniverseViewport &viewport, double width)
{
    if (!numbers.sampleRate)
        return std::nullopt;
    const double rate = *numbers.sampleRate;
    RulerSpan span;
    span.width = width;
    if (extent && extent->total() > 0) {
        const double total = extent->total();
        const double maxOffset = std::max(total - total / viewport.horizontalZoom, 0.0);
        span.sampleOffset = std::clamp(viewport.horizontalSampleOffset, 0.0, maxOffset);
        span.extentStart = extent->start / rate;
        span.left = span.sampleOffset / rate;
        span.duration = total / viewport.horizontalZoom / rate;
    }
    return span;
}

double chooseStep(std::span<const double> candidates, double pointsPerUnit, double minSpacing, double fallback)
{
    const auto found = std::find_if(candidates.begin(), candidates.end(),
                                    [&](double step) { return step * pointsPerUnit >= minSpacing; });
    return found == candidates.end() ? fallback : *found;
}

bool isAvailable(RulerFormat format, const RulerNumbers &numbers)
{
    switch (format) {
    case RulerFormat::minutesSeconds:
    case RulerFormat::timecode: return true;
    case RulerFormat::barsBeats:
        return !numbers.tempoChanges && !numbers.meterChanges && numbers.tempo && numbers.beatsPerBar;
    // Feet and frames count frames of the session's rate from a sample
    // position, so they need a sample rate and nothing more (the frame
    // rate falls back to 30).
    case RulerFormat::feetFrames:
    case RulerFormat::samples: return numbers.sampleRate.has_value();
    }
    return false;
}

std::vector<LabelEntry> rulerLabels(RulerFormat format, const RulerNumbers &numbers, const RulerSpan &span)
{
    switch (format) {
    case RulerFormat::minutesSeconds: return minutesSecondsLabels(span);
    case RulerFormat::timecode: return timecodeLabels(numbers, span);
    case RulerFormat::barsBeats: return barsBeatsLabels(numbers, span);
    case RulerFormat::feetFrames: return feetFramesLabels(numbers, span);
    case RulerFormat::samples: return samplesLabels(numbers, span);
    }
    return {};
}

} // namespace kestrix
