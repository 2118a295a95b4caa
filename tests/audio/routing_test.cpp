// The default routing: direct routes, fold-downs, fallbacks, and the record.
#include "fake_device_source.h"
#include "routing.h"

#include <gtest/gtest.h>

using namespace kestrix;
using audiotest::makeDevice;

namespace {

// Each input's row as "label: out=gain ..." over the outputs with a gain.
QStringList rows(const RoutingDecision &decision)
{
    QStringList out;
    for (int i = 0; i < decision.matrix.inputs; ++i) {
        QString row = decision.inputLabels.value(i) + u':';
        for (int o = 0; o < decision.matrix.outputs; ++o) {
            if (const float gain = decision.matrix.gain(i, o); gain != 0.0f)
                row += QStringLiteral(" %1=%2").arg(decision.outputLabels[o]).arg(double(gain));
        }
        out << row;
    }
    return out;
}

const QStringList kFiveOne = {"L", "R", "C", "LFE", "Ls", "Rs"};

} // namespace

TEST(Routing, MonoOnStereoIsMinusThreeDecibelsOnBoth)
{
    const RoutingDecision decision = defaultGainMatrix({"C"}, makeDevice("stereo", {"L", "R"}));
    EXPECT_TRUE(decision.monoDirectRoute);
    EXPECT_EQ(decision.matrix.gains, (std::vector<float>{0.707f, 0.707f}));
    // Whatever the label, and on the first two of more outputs.
    const RoutingDecision surround = defaultGainMatrix({"Rs"}, makeDevice("51", kFiveOne));
    EXPECT_EQ(rows(surround), QStringList{"Rs: L=0.707 R=0.707"});
    EXPECT_TRUE(routingLogLines(surround).contains("strategy: MONO → L+R at -3dB (directRoute)"));
}

TEST(Routing, FiveOneFoldsDownToStereo)
{
    const RoutingDecision decision = defaultGainMatrix(kFiveOne, makeDevice("stereo", {"L", "R"}));
    EXPECT_FALSE(decision.monoDirectRoute);
    EXPECT_EQ(rows(decision), (QStringList{"L: L=1", "R: R=1", "C: L=0.707 R=0.707", "LFE: L=0.707 R=0.707",
                                           "Ls: L=0.707", "Rs: R=0.707"}));

    const QStringList log = routingLogLines(decision);
    EXPECT_EQ(log.mid(0, 4), (QStringList{"output device: stereo Out (id=" + QString::number(decision.device->id) + ", 48000 Hz)",
                                          "output channels: 2, labels=[L, R]", "input channels:  6, labels=[L, R, C, LFE, Ls, Rs]",
                                          "strategy: label-driven downmix (buildDownmix)"}));
    EXPECT_EQ(log[4], "  [0] L → ch1 (L) 1.000 (+0.0 dB)  [DIRECT]");
    EXPECT_EQ(log[6], "  [2] C → ch1 (L) 0.707 (-3.0 dB), ch2 (R) 0.707 (-3.0 dB)  [FALLBACK (no fold-down match)]");
    EXPECT_EQ(log[8], "  [4] Ls → ch1 (L) 0.707 (-3.0 dB)  [FOLD]");
    EXPECT_TRUE(routingConsoleLines(decision).contains("   4 Ls   → L 0.707 (-3.0 dB)  [FOLD]"));
}

TEST(Routing, SurroundFindsSideChannelsAndFoldTables)
{
    const RoutingDecision sides =
        defaultGainMatrix(kFiveOne, makeDevice("side", {"L", "R", "C", "LFE", "Lss", "Rss"}));
    EXPECT_EQ(rows(sides).mid(4), (QStringList{"Ls: Lss=1", "Rs: Rss=1"}));

    const QStringList more = {"Cs", "Lc", "Rc", "Ltf", "Rtm", "Ltr", "Rts", "Lss", "Ch9"};
    EXPECT_EQ(rows(defaultGainMatrix(more, makeDevice("51", kFiveOne))),
              (QStringList{"Cs: Ls=0.707 Rs=0.707", "Lc: L=0.85 R=0.15", "Rc: L=0.15 R=0.85", "Ltf: L=0.5",
                           "Rtm: R=0.5", "Ltr: Ls=0.5", "Rts: Rs=0.5", "Lss: Ls=1", "Ch9: L=0.5 R=0.5"}));
    EXPECT_EQ(rows(defaultGainMatrix(more, makeDevice("stereo", {"L", "R"}))),
              (QStringList{"Cs: L=0.5 R=0.5", "Lc: L=0.85 R=0.15", "Rc: L=0.15 R=0.85", "Ltf: L=0.5", "Rtm: R=0.5",
                           "Ltr: L=0.35", "Rts: R=0.35", "Lss: L=0.707", "Ch9: L=0.5 R=0.5"}));
}

TEST(Routing, UnknownLayoutsAndSmallDevices)
{
    AudioOutputDevice unlabeled = makeDevice("quad", {});
    unlabeled.outputChannelCount = 4;
    const RoutingDecision decision = defaultGainMatrix({"L", "R", "C", "Ls", "Ch4"}, unlabeled);
    EXPECT_TRUE(decision.fallbackLabels);
    EXPECT_EQ(decision.outputLabels, (QStringList{"L", "R", "Ch3", "Ch4"}));
    EXPECT_EQ(rows(decision), (QStringList{"L: L=1", "R: R=1", "C: L=0.707 R=0.707", "Ls: L=0.707", "Ch4: Ch4=1"}));
    EXPECT_TRUE(routingConsoleLines(decision)[2].endsWith("  (DEVICE LAYOUT UNKNOWN — using fallback labels)"));
    EXPECT_TRUE(routingLogLines(decision)[1].endsWith("  (device layout unknown — using fallback labels)"));

    const RoutingDecision noDevice = defaultGainMatrix({"L", "R", "C"}, std::nullopt);
    EXPECT_EQ(noDevice.outputLabels, (QStringList{"L", "R"}));
    EXPECT_EQ(routingLogLines(noDevice)[0], "output device: <none — assuming stereo>");

    // One output: nothing folds, so every input lands on output 0.
    for (const QStringList &labels : {QStringList{"C"}, QStringList{"L"}}) {
        AudioOutputDevice mono = makeDevice("mono", labels);
        const RoutingDecision lc = defaultGainMatrix({"Lc", "Rs"}, mono);
        EXPECT_EQ(lc.matrix.gains, (std::vector<float>{1.0f, 1.0f})) << labels.join(",").toStdString();
        EXPECT_FALSE(defaultGainMatrix({"Lc"}, mono).monoDirectRoute) << "a single output is no stereo pair";
        EXPECT_EQ(defaultGainMatrix({"Lc"}, mono).matrix.gains, std::vector<float>{1.0f});
    }
    AudioOutputDevice unlabeledMono = makeDevice("mono", {});
    unlabeledMono.outputChannelCount = 1;
    EXPECT_EQ(defaultGainMatrix({"Ls", "Rs"}, unlabeledMono).outputLabels, QStringList{"L"});
    EXPECT_EQ(rows(defaultGainMatrix({"Ls", "Rs"}, unlabeledMono)), (QStringList{"Ls: L=0.707", "Rs: L=1"}));
}
