// kestrix-play from a terminal: routing printed, plays to the end, clear errors.
#include "pulse_test_support.h"
#include "test_audio_files.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace audiotest;

#ifdef KESTRIX_PLAY

namespace {

struct PlayRun {
    int exitCode;
    QString out;
    QString err;
};

PlayRun play(const QStringList &arguments)
{
    QProcess process;
    process.start(KESTRIX_PLAY, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << "kestrix-play did not finish";
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()), QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

TEST(KestrixPlay, ErrorsGoToStderrWithStatusOne)
{
    QTemporaryDir dir;
    const PlayRun missing = play({dir.filePath("Missing.wav")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("kestrix-play: Could not open “Missing.wav”")) << missing.err.toStdString();

    const PlayRun notAudio = play({dir.filePath("notes.txt")});
    EXPECT_EQ(notAudio.exitCode, 1);
    EXPECT_TRUE(notAudio.err.contains("No audio files provided"));

    for (const QStringList &arguments : {QStringList{}, QStringList{"--offset", "10", "x.wav"},
                                         QStringList{"--length", "ten", "x.wav"}, QStringList{"--bogus", "x.wav"}}) {
        const PlayRun bad = play(arguments);
        EXPECT_EQ(bad.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(bad.err.contains("Usage: kestrix-play")) << bad.err.toStdString();
    }
}

TEST(KestrixPlay, PlaysAGroupOnTheChosenDevice)
{
    if (const QString problem = pulseServerProblem(); !problem.isEmpty())
        GTEST_SKIP() << "No audio server could be started: " << problem.toStdString();
    QTemporaryDir dir;
    QStringList files;
    for (const char *label : {"L", "R", "C"}) {
        files << dir.filePath(QStringLiteral("Short.%1.wav").arg(label));
        writeAudioFile(files.last(), {sine(9600, 440, 48000, 0.1f)}, 48000);
    }

    const PlayRun devices = play({"--list-devices"});
    EXPECT_EQ(devices.exitCode, 0);
    EXPECT_TRUE(devices.out.contains("uid=kestrix_surround51, 6ch, 48000 Hz, labels=[L, R, C, LFE, Ls, Rs]"))
        << devices.out.toStdString();
    EXPECT_TRUE(devices.out.contains("uid=kestrix_stereo, 2ch"));

    // One file of a group finds its siblings; what is not audio is passed over.
    const PlayRun group = play({"--device", "kestrix_stereo", files[2], dir.filePath("notes.txt")});
    EXPECT_EQ(group.exitCode, 0) << group.err.toStdString();
    EXPECT_TRUE(group.out.contains("Multi-mono group 'Short': 3 channel(s)")) << group.out.toStdString();
    EXPECT_TRUE(group.out.contains("  [2] C → ch1 (L) 0.707 (-3.0 dB), ch2 (R) 0.707 (-3.0 dB)"));

    const PlayRun region = play({"--device", "kestrix_surround51", "--offset", "4800", "--length", "2400", files[2]});
    EXPECT_EQ(region.exitCode, 0) << region.err.toStdString();
    EXPECT_TRUE(region.out.contains("  [2] C → ch3 (C) 1.000 (+0.0 dB)  [DIRECT]")) << region.out.toStdString();
    const PlayRun past = play({"--offset", "100000", "--length", "10", files[0]});
    EXPECT_EQ(past.exitCode, 1);
    EXPECT_TRUE(past.err.contains("kestrix-play: Clip range is empty")) << past.err.toStdString();

    // A file of its own plays alone, and a region of it from a temporary file.
    const QString solo = dir.filePath("Solo.wav");
    writeAudioFile(solo, {sine(4800, 440, 48000, 0.1f), sine(4800, 660, 48000, 0.1f)}, 48000);
    const PlayRun single = play({solo});
    EXPECT_EQ(single.exitCode, 0) << single.err.toStdString();
    EXPECT_TRUE(single.out.contains("Single file: " + solo));
    EXPECT_TRUE(single.out.contains("  [1] R → ch2 (R) 1.000 (+0.0 dB)  [DIRECT]")) << single.out.toStdString();
    const PlayRun soloRegion = play({"--offset", "2400", "--length", "1200", solo});
    EXPECT_EQ(soloRegion.exitCode, 0) << soloRegion.err.toStdString();
    EXPECT_TRUE(soloRegion.out.contains("Playing 0.025 s")) << soloRegion.out.toStdString();

    const PlayRun unknown = play({"--device", "no-such-sink", files[0]});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.contains("no output device 'no-such-sink'"));
}

#endif
