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

// Runs kestrix-play and checks its exit status and that `text` is on stdout
// (status 0) or stderr (any other).
PlayRun expectPlay(const QStringList &arguments, int exitCode, const QString &text)
{
    QProcess process;
    process.start(KESTRIX_PLAY, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << "kestrix-play did not finish";
    const PlayRun run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                      QString::fromLocal8Bit(process.readAllStandardOutput()),
                      QString::fromLocal8Bit(process.readAllStandardError())};
    const QString &shown = exitCode == 0 ? run.out : run.err;
    EXPECT_EQ(run.exitCode, exitCode) << arguments.join(' ').toStdString() << "\n" << run.err.toStdString();
    EXPECT_TRUE(shown.contains(text)) << arguments.join(' ').toStdString() << "\n" << shown.toStdString();
    return run;
}

} // namespace

TEST(KestrixPlay, ErrorsGoToStderrWithStatusOne)
{
    QTemporaryDir dir;
    expectPlay({dir.filePath("Missing.wav")}, 1, "kestrix-play: Could not open “Missing.wav”");
    expectPlay({dir.filePath("notes.txt")}, 1, "No audio files provided");
    for (const QStringList &arguments : {QStringList{}, QStringList{"--offset", "10", "x.wav"},
                                         QStringList{"--length", "ten", "x.wav"}, QStringList{"--bogus", "x.wav"}})
        expectPlay(arguments, 2, "Usage: kestrix-play");
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

    const PlayRun devices =
        expectPlay({"--list-devices"}, 0, "uid=kestrix_surround51, 6ch, 48000 Hz, labels=[L, R, C, LFE, Ls, Rs]");
    EXPECT_TRUE(devices.out.contains("uid=kestrix_stereo, 2ch"));

    // One file of a group finds its siblings; what is not audio is passed over.
    const PlayRun group = expectPlay({"--device", "kestrix_stereo", files[2], dir.filePath("notes.txt")}, 0,
                                     "Multi-mono group 'Short': 3 channel(s)");
    EXPECT_TRUE(group.out.contains("  [2] C → ch1 (L) 0.707 (-3.0 dB), ch2 (R) 0.707 (-3.0 dB)"));
    expectPlay({"--device", "kestrix_surround51", "--offset", "4800", "--length", "2400", files[2]}, 0,
               "  [2] C → ch3 (C) 1.000 (+0.0 dB)  [DIRECT]");
    expectPlay({"--offset", "100000", "--length", "10", files[0]}, 1, "kestrix-play: Clip range is empty");

    // A file of its own plays alone, and a region of it from a temporary file.
    const QString solo = dir.filePath("Solo.wav");
    writeAudioFile(solo, {sine(4800, 440, 48000, 0.1f), sine(4800, 660, 48000, 0.1f)}, 48000);
    const PlayRun single = expectPlay({solo}, 0, "Single file: " + solo);
    EXPECT_TRUE(single.out.contains("  [1] R → ch2 (R) 1.000 (+0.0 dB)  [DIRECT]")) << single.out.toStdString();
    expectPlay({"--offset", "2400", "--length", "1200", solo}, 0, "Playing 0.025 s");
    expectPlay({"--device", "no-such-sink", files[0]}, 1, "no output device 'no-such-sink'");
}

#endif
