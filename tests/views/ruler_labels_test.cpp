// The ruler's numbers read from the session texts, its label texts and
// steps in each format, and which formats a session offers.
#include "ruler_labels.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

using namespace kestrix;

namespace {

std::vector<std::string> texts(const std::vector<LabelEntry> &labels)
{
    std::vector<std::string> out;
    for (const LabelEntry &label : labels)
        out.push_back(label.text);
    return out;
}

RulerNumbers numbers48k()
{
    RulerNumbers n;
    n.sampleRate = 48000;
    n.framesPerSecond = 25;
    n.tempo = 120;
    n.beatsPerBar = 4;
    return n;
}

// `seconds` of session shown across `width` points from `left` seconds.
RulerSpan span(double width, double seconds, double left = 0, double extentStart = 0)
{
    RulerSpan s;
    s.width = width;
    s.duration = seconds;
    s.left = left;
    s.extentStart = extentStart;
    s.sampleOffset = left * 48000;
    return s;
}

} // namespace

TEST(RulerLabels, NumbersFromTheSessionTextsAndStepsAndTextsInEveryFormat)
{
    RulerNumbers n = numbers48k();
    // One second 50 points wide: Min:Sec needs 70 points, so 2 s; Timecode
    // needs 100, and 2 s are exactly that.
    const RulerSpan fifty = span(500, 10);
    const std::vector<LabelEntry> minSec = rulerLabels(RulerFormat::minutesSeconds, n, fifty);
    EXPECT_EQ(texts(minSec), (std::vector<std::string>{"0:00", "0:02", "0:04", "0:06", "0:08", "0:10"}));
    EXPECT_DOUBLE_EQ(minSec[1].secondsFromLeft, 2);
    EXPECT_EQ(texts(rulerLabels(RulerFormat::timecode, n, fifty)),
              (std::vector<std::string>{"00:00:00:00", "00:00:02:00", "00:00:04:00", "00:00:06:00", "00:00:08:00",
                                        "00:00:10:00"}));

    EXPECT_EQ(chooseStep(std::vector<double>{1, 2, 5}, 10, 70, 99), 99);
    EXPECT_EQ(chooseStep(std::vector<double>{1, 2, 5}, 14, 70, 99), 5);
    // Nothing to measure: a one-second step and a single label.
    EXPECT_EQ(texts(rulerLabels(RulerFormat::minutesSeconds, n, span(0, 0))), std::vector<std::string>{"0:00"});

    n.sessionStartSeconds = 3600;  // 01:00:00:00

    // Timecode counts from the session start, the clips' start and the
    // scroll position, in whole frames.
    const RulerSpan scrolled = span(500, 10, 1.5, 0.54);
    EXPECT_EQ(rulerLabels(RulerFormat::timecode, n, scrolled)[0].text, "01:00:02:01");

    // Min:Sec switches to hours for the whole ruler once it shows an hour.
    EXPECT_EQ(texts(rulerLabels(RulerFormat::minutesSeconds, n, span(140, 2 * 3600, 3600 - 1800))),
              (std::vector<std::string>{"0:30:00", "1:30:00", "2:30:00"}));
    EXPECT_EQ(rulerLabels(RulerFormat::minutesSeconds, n, span(800, 3000, 0))[10].text, "50:00");

    // 120 BPM 4/4 with a label every bar: 1|1, 2|1, 3|1 …
    const std::vector<LabelEntry> bars = rulerLabels(RulerFormat::barsBeats, n, span(500, 10));
    EXPECT_EQ(texts(bars), (std::vector<std::string>{"1|1", "2|1", "3|1", "4|1", "5|1", "6|1"}));
    EXPECT_DOUBLE_EQ(bars[1].secondsFromLeft, 2);
    // Scrolled into a bar: the first label is the next one on the grid.
    const std::vector<LabelEntry> later = rulerLabels(RulerFormat::barsBeats, n, span(500, 10, 3));
    EXPECT_EQ(later[0].text, "3|1");
    EXPECT_DOUBLE_EQ(later[0].secondsFromLeft, 1);
    // Wide enough for every beat.
    EXPECT_EQ(texts(rulerLabels(RulerFormat::barsBeats, n, span(700, 2.0))),
              (std::vector<std::string>{"1|1", "1|2", "1|3", "1|4", "2|1"}));

    // Feet+Frames: 16 frames a foot at the session's frame rate.
    EXPECT_EQ(texts(rulerLabels(RulerFormat::feetFrames, n, span(500, 2, 1))),
              (std::vector<std::string>{"1+09", "2+01", "2+09", "3+01", "3+09", "4+01", "4+09"}));

    // Samples from the extent start.
    const std::vector<std::string> samples = texts(rulerLabels(RulerFormat::samples, n, span(1200, 1, 0.5)));
    ASSERT_EQ(samples.size(), 10u);
    EXPECT_EQ(samples[0], "24000");
    EXPECT_EQ(samples[9], "69000");

    // The numbers are read from the session's display texts.
    // A comma-decimal locale must not change how texts are read.
    const char *previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(parseSampleRate("44100.5"), 44100.5);
    EXPECT_EQ(parseTempo("97.5 BPM"), 97.5);
    if (previous)
        std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(parseSampleRate("48000"), 48000);
    for (const char *text : {"Unknown", "48000 Hz", "0", "-48000", ""})
        EXPECT_EQ(parseSampleRate(text), std::nullopt) << text;

    // Unreadable frame rates count as 30.
    const std::pair<const char *, int> rates[] = {{"23.976", 24}, {"29.97 Drop", 30}, {"25", 25},
                                                  {"Unknown", 30}, {"fps 0", 30},       {"1.2.3", 30}};
    for (const auto &[text, fps] : rates)
        EXPECT_EQ(parseFramesPerSecond(text), fps) << text;

    EXPECT_EQ(parseTempo("Unknown"), std::nullopt);
    EXPECT_EQ(parseBeatsPerBar("6/8"), 6);
    EXPECT_EQ(parseBeatsPerBar("0/4"), std::nullopt);

    EXPECT_DOUBLE_EQ(parseSessionStartSeconds("01:00:00:12", 25), 3600.48);
    EXPECT_DOUBLE_EQ(parseSessionStartSeconds("00:01:02:00", 30), 62);
    for (const char *text : {"Unknown", "00:01:02", "00:01:02:xx"})
        EXPECT_EQ(parseSessionStartSeconds(text, 30), 0) << text;
}

TEST(RulerLabels, UnusableTextsLeaveFormatsEmptyOrGreyedAndTheSpanComesFromTheViewport)
{
    RulerNumbers n = numbers48k();
    for (RulerFormat format : kPickerFormats)
        EXPECT_TRUE(isAvailable(format, n)) << formatText(format);

    n.tempoChanges = true;
    EXPECT_FALSE(isAvailable(RulerFormat::barsBeats, n));
    n.tempoChanges = false;
    n.meterChanges = true;
    EXPECT_FALSE(isAvailable(RulerFormat::barsBeats, n));
    n.meterChanges = false;
    n.tempo.reset();
    EXPECT_FALSE(isAvailable(RulerFormat::barsBeats, n));
    EXPECT_TRUE(rulerLabels(RulerFormat::barsBeats, n, span(500, 10)).empty());

    // Without a sample rate nothing can be placed at all.
    n.sampleRate.reset();
    EXPECT_FALSE(isAvailable(RulerFormat::samples, n));
    EXPECT_FALSE(isAvailable(RulerFormat::feetFrames, n));
    EXPECT_TRUE(isAvailable(RulerFormat::minutesSeconds, n));
    EXPECT_TRUE(isAvailable(RulerFormat::timecode, n));
    EXPECT_TRUE(rulerLabels(RulerFormat::samples, n, span(500, 10)).empty());
    EXPECT_EQ(rulerSpan(n, SessionExtent{0, 48000}, {}, 500), std::nullopt);

    // The span comes from the viewport.
    n = numbers48k();
    UniverseViewport v;
    v.horizontalZoom = 4;
    v.horizontalSampleOffset = 96000;
    const std::optional<RulerSpan> s = rulerSpan(n, SessionExtent{48000, 48000 + 480000}, v, 600);
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->extentStart, 1);
    EXPECT_DOUBLE_EQ(s->left, 2);
    EXPECT_DOUBLE_EQ(s->duration, 2.5);
    EXPECT_DOUBLE_EQ(s->pointsPerSecond(), 240);
    // No clips: nothing visible to label beyond the start.
    EXPECT_EQ(rulerSpan(n, std::nullopt, v, 600)->duration, 0);
    // Clips of no length still mark where the labels start: at 2 s.
    const RulerSpan marks = *rulerSpan(n, SessionExtent{96000, 96000}, v, 600);
    EXPECT_EQ(texts(rulerLabels(RulerFormat::timecode, n, marks)), std::vector<std::string>{"00:00:02:00"});

    // A stored zoom or offset no user could set counts as the nearest valid one.
    for (double zoom : {0.0, 1e-20, -4.0, double(NAN)}) {
        const RulerSpan whole = *rulerSpan(n, SessionExtent{0, 480000}, {zoom, 1, NAN, 0}, 600);
        EXPECT_DOUBLE_EQ(whole.duration, 10) << zoom;
        EXPECT_EQ(whole.left, 0) << zoom;
    }
}

TEST(RulerLabels, KeepTheirSpacingWhateverTheSessionsNumbers)
{
    // The least spacing of each format, in points.
    const std::pair<RulerFormat, double> formats[] = {{RulerFormat::minutesSeconds, 70},
                                                      {RulerFormat::timecode, 100},
                                                      {RulerFormat::barsBeats, 70},
                                                      {RulerFormat::feetFrames, 80},
                                                      {RulerFormat::samples, 110}};
    struct Case {
        const char *what;
        double sampleRate;
        double tempo;
        SessionExtent extent;
    };
    const Case cases[] = {
        {"1 Hz, a long session read as seconds", 1, 120, {0, 4e12}},
        {"1e6 BPM", 48000, 1e6, {0, 480000}},
        {"1e18 BPM, clips from 10 s on", 48000, 1e18, {480000, 960000}},
        {"a sample rate of 1e-300", 1e-300, 120, {0, 480000}},
        {"clips past any whole number", 48000, 120, {1e30, 2e30}},
    };
    for (const Case &c : cases) {
        RulerNumbers n = numbers48k();
        n.sampleRate = c.sampleRate;
        n.tempo = c.tempo;
        const RulerSpan s = *rulerSpan(n, c.extent, {}, 1000);
        for (const auto &[format, spacing] : formats) {
            const std::vector<LabelEntry> labels = rulerLabels(format, n, s);
            for (size_t i = 0; i < labels.size(); ++i) {
                const double x = labels[i].secondsFromLeft * s.pointsPerSecond();
                EXPECT_TRUE(x >= 0 && x <= 1000.01) << c.what << ", " << formatText(format) << ": " << x;
                if (i > 0) {
                    EXPECT_GE(x - labels[i - 1].secondsFromLeft * s.pointsPerSecond(), spacing - 1e-6)
                        << c.what << ", " << formatText(format) << " label " << i;
                }
            }
        }
    }

    // Sensible texts where the numbers still fit: whole bars at 1e18 BPM.
    RulerNumbers fast = numbers48k();
    fast.tempo = 1e18;
    const std::vector<LabelEntry> bars =
        rulerLabels(RulerFormat::barsBeats, fast, *rulerSpan(fast, SessionExtent{480000, 960000}, {}, 1000));
    ASSERT_FALSE(bars.empty());
    for (const LabelEntry &label : bars)
        EXPECT_TRUE(label.text.ends_with("|1")) << label.text;
    // A width the layout has not set yet labels the left edge only.
    EXPECT_EQ(rulerLabels(RulerFormat::minutesSeconds, fast, span(0, 1e9)).size(), 1u);
}
