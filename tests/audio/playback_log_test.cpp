// The playback log: its ring of lines, sections and the report.
#include "audio_device_manager.h"
#include "audio_playback_log.h"
#include "fake_device_source.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace kestrix;
using audiotest::FakeDeviceSource;
using audiotest::makeDevice;

TEST(AudioPlaybackLog, KeepsTheLastThousandLinesWithSectionsIndented)
{
    AudioPlaybackLog log;
    for (int i = 0; i < 1001; ++i)
        log.log(QStringLiteral("event %1").arg(i));
    QStringList entries = log.entries();
    ASSERT_EQ(entries.size(), 1000);
    EXPECT_TRUE(entries.first().endsWith("  event 1"));
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d  event 1000$").match(entries.last()).hasMatch())
        << entries.last().toStdString();

    log.logSection("Loading", {"one", "two", "three"});
    entries = log.entries();
    ASSERT_EQ(entries.size(), 1000);
    EXPECT_TRUE(entries[996].endsWith("  Loading"));
    EXPECT_EQ(entries.mid(997), (QStringList{QString(18, ' ') + "one", QString(18, ' ') + "two", QString(18, ' ') + "three"}));
    EXPECT_TRUE(entries.first().endsWith("  event 5"));
}

TEST(AudioPlaybackLog, ReportShowsEventsAndDevices)
{
    AudioPlaybackLog log;
    auto empty = std::make_unique<FakeDeviceSource>();
    AudioDeviceManager noDevices(std::move(empty), log);
    // A manager's own refresh logs nothing when no device is active.
    const QString emptyReport = log.reportText(noDevices);
    EXPECT_TRUE(emptyReport.startsWith("=== Kestrix Audio Playback Log ===\nCaptured: "));
    EXPECT_TRUE(emptyReport.contains("\n\n=== Playback events (most recent last, up to 1000 lines) ===\n"
                                     "(no playback events recorded yet)\n\n=== Current audio device snapshot ===\n"
                                     "System default: <unknown>\nSelection override: <none — using system default>\n"
                                     "Active for playback: <none>\nAll output devices visible to Kestrix (0):\n"
                                     "  (no output devices found)"))
        << emptyReport.toStdString();

    auto source = std::make_unique<FakeDeviceSource>();
    const AudioOutputDevice speakers = makeDevice("speakers", {"L", "R"}, 44100);
    source->devices = {speakers};
    source->defaultDevice = speakers;
    AudioDeviceManager devices(std::move(source), log);
    log.log("played something");
    const QString report = log.reportText(devices);
    const QString description =
        "speakers Out (id=" + QString::number(speakers.id) + ", uid=speakers, 2ch, 44100 Hz, labels=[L, R])";
    EXPECT_TRUE(report.contains("  played something\n\n=== Current audio device snapshot ==="));
    EXPECT_TRUE(report.contains("System default: " + description + "\nSelection override: <none — using system default>\n"
                                "Active for playback: " + description + "\nAll output devices visible to Kestrix (1):\n  - "
                                + description))
        << report.toStdString();

    const auto written = log.writeReport(devices);
    ASSERT_TRUE(written.ok());
    EXPECT_TRUE(QRegularExpression("Kestrix_Audio_Log_\\d+\\.txt$").match(written.value()).hasMatch());
    QFile file(written.value());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains("  played something"));
    file.remove();
}
