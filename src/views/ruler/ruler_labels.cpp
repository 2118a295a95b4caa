#include "ruler_labels.h"

#include "universe_zoom.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <optional>

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

// A label's number past this is not counted: llround would overflow.
constexpr double kLargestWhole = 9.0e18;
// However wide a ruler, no more labels than this are made.
constexpr double kMostLabels = 100000;

template <typename... Args>
std::string format(const char *pattern, Args... args)
{
    char text[96];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

std::optional<long long> wholeNumber(double value)
{
    if (!(std::abs(value) < kLargestWhole))
        return std::nullopt;
    return std::llround(value);
}

// How many labels `minSpacing` points apart the width holds: the left edge,
// one per spacing, and one the right edge's slack may let through. Without
// a finite scale only the left edge is labelled.
size_t labelCapacity(const RulerSpan &span, double minSpacing)
{
    if (!(span.pointsPerSecond() > 0))
        return 1;
    return size_t(std::min(span.width / minSpacing, kMostLabels)) + 2;
}

double secondsStep(const RulerSpan &span, double minSpacing)
{
    if (span.duration <= 0 || span.width <= 0)
        return 1;
    return chooseStep(kSecondSteps, span.pointsPerSecond(), minSpacing, 36000);
}

// Offsets 0, step, 2 × step, … up to `limit`, at most `count` of them, while
// `make` takes them (it returns false once its numbers grow too large).
template <typename Make>
void forEachTick(double step, double limit, size_t count, Make make)
{
    for (size_t k = 0; k < count; ++k) {
        const double offset = k == 0 ? 0 : double(k) * step;
        if (!(offset <= limit + kEdgeSlack) || !make(offset))
            return;
    }
}

std::vector<LabelEntry> minutesSecondsLabels(const RulerSpan &span)
{
    constexpr double kSpacing = 70;
    std::vector<std::pair<double, long long>> ticks;
    forEachTick(secondsStep(span, kSpacing), span.duration, labelCapacity(span, kSpacing), [&](double x) {
        const std::optional<long long> t = wholeNumber(span.extentStart + span.left + x);
        if (t)
            ticks.emplace_back(x, *t);
        return t.has_value();
    });
    // One form for the whole ruler, chosen by the latest time shown.
    const bool hours = !ticks.empty() && ticks.back().second >= 3600;
    std::vector<LabelEntry> labels;
    for (const auto &[x, t] : ticks) {
        const std::string text = hours ? format("%lld:%02lld:%02lld", t / 3600, t / 60 % 60, t % 60)
                                       : format("%lld:%02lld", t / 60, t % 60);
        labels.push_back({x, text});
    }
    return labels;
}

std::vector<LabelEntry> timecodeLabels(const RulerNumbers &numbers, const RulerSpan &span)
{
    constexpr double kSpacing = 100;
    std::vector<LabelEntry> labels;
    const long long fps = numbers.framesPerSecond;
    forEachTick(secondsStep(span, kSpacing), span.duration, labelCapacity(span, kSpacing), [&](double x) {
        const double t = numbers.sessionStartSeconds + span.extentStart + span.left + x;
        const std::optional<long long> n = wholeNumber(t * double(fps));
        if (n)
            labels.push_back({x, format("%02lld:%02lld:%02lld:%02lld", *n / fps / 3600, *n / fps / 60 % 60,
                                        *n / fps % 60, *n % fps)});
        return n.has_value();
    });
    return labels;
}

std::vector<LabelEntry> barsBeatsLabels(const RulerNumbers &numbers, const RulerSpan &span)
{
    constexpr double kSpacing = 70;
    if (!numbers.tempo || !numbers.beatsPerBar || span.duration <= 0)
        return {};
    const double secondsPerBeat = 60 / *numbers.tempo;
    const long long perBar = *numbers.beatsPerBar;
    std::vector<double> candidates = {1, 2};
    for (double bars : kBarMultiples)
        candidates.push_back(double(perBar) * bars);
    const double step =
        chooseStep(candidates, span.pointsPerSecond() * secondsPerBeat, kSpacing, 1024 * double(perBar));
    const double b0 = (span.extentStart + span.left) * *numbers.tempo / 60;
    const double first = step * std::ceil((b0 - kEdgeSlack) / step);
    std::vector<LabelEntry> labels;
    const size_t capacity = labelCapacity(span, kSpacing);
    double previous = 0;
    for (size_t i = 0; i < capacity; ++i) {
        // Each beat from the first, not a running sum: a step added to a
        // beat this large may no longer change it.
        const double k = first + double(i) * step;
        const double x = secondsPerBeat * (k - b0);
        const std::optional<long long> beat = wholeNumber(k);
        if (!(x <= span.duration + kEdgeSlack) || (i > 0 && k == previous) || !beat)
            break;
        previous = k;
        const long long bar = *beat / perBar;
        labels.push_back({std::max(x, 0.0), format("%lld|%lld", bar + 1, *beat - bar * perBar + 1)});
    }
    return labels;
}

std::vector<LabelEntry> feetFramesLabels(const RulerNumbers &numbers, const RulerSpan &span)
{
    constexpr double kSpacing = 80;
    if (span.duration <= 0)
        return {};
    const double fps = numbers.framesPerSecond;
    const double step = chooseStep(kFrameSteps, span.pointsPerSecond() / fps, kSpacing, 160000);
    std::vector<LabelEntry> labels;
    forEachTick(step, span.duration * fps, labelCapacity(span, kSpacing), [&](double frames) {
        const std::optional<long long> frame = wholeNumber(span.left * fps + frames);
        if (frame)
            labels.push_back({frames / fps, format("%lld+%02lld", *frame / 16, *frame % 16)});
        return frame.has_value();
    });
    return labels;
}

std::vector<LabelEntry> samplesLabels(const RulerNumbers &numbers, const RulerSpan &span)
{
    constexpr double kSpacing = 110;
    if (!numbers.sampleRate || span.duration <= 0)
        return {};
    const double rate = *numbers.sampleRate;
    const double step = chooseStep(kSampleSteps, span.width / (span.duration * rate), kSpacing, 10000000000.0);
    std::vector<LabelEntry> labels;
    forEachTick(step, span.duration * rate, labelCapacity(span, kSpacing), [&](double offset) {
        const std::optional<long long> sample = wholeNumber(span.sampleOffset + offset);
        if (sample)
            labels.push_back({offset / rate, format("%lld", *sample)});
        return sample.has_value();
    });
    return labels;
}

} // namespace

double RulerSpan::pointsPerSecond() const
{
    const double scale = duration > 0 ? width / duration : 0;
    return std::isfinite(scale) ? scale : 0;
}

std::optional<RulerSpan> rulerSpan(const RulerNumbers &numbers, const std::optional<SessionExtent> &extent,
                                   const UniverseViewport &stored, double width)
{
    if (!numbers.sampleRate)
        return std::nullopt;
    const double rate = *numbers.sampleRate;
    const UniverseViewport viewport = validViewport(stored);
    RulerSpan span;
    span.width = width;
    // Clips of no length still mark where the session's material starts.
    if (extent)
        span.extentStart = extent->start / rate;
    if (extent && extent->total() > 0) {
        const double total = extent->total();
        span.sampleOffset = std::clamp(viewport.horizontalSampleOffset, 0.0, maxSampleOffset(viewport, total));
        span.left = span.sampleOffset / rate;
        span.duration = total / viewport.horizontalZoom / rate;
    }
    return span;
}

double chooseStep(std::span<const double> candidates, double pointsPerUnit, double minSpacing, double fallback)
{
    const auto found = std::find_if(candidates.begin(), candidates.end(),
                                    [&](double step) { return step * pointsPerUnit >= minSpacing; });
    if (found != candidates.end())
        return *found;
    const double needed = minSpacing / (fallback * pointsPerUnit);
    if (!(needed > 1))
        return fallback;
    // 1, 2 or 5 times a power of ten keeps the labels on round numbers and
    // never more than 2.5 times sparser than the spacing asks. No finite
    // step keeps the spacing when nothing can be measured: only the first
    // label shows then.
    const double decade = std::pow(10.0, std::floor(std::log10(needed)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * decade >= needed)
            return fallback * factor * decade;
    }
    return INFINITY;
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
