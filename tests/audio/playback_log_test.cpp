// The playback log: its ring of lines, sections and the report.
#include "fake_device_source.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace kestrix;
using audiotest::FakeDevices;
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
    FakeDevices none(QList<AudioOutputDevice>{});
    const QString emptyReport = none.log.reportText(*none.manager);
    EXPECT_TRUE(emptyReport.startsWith("=== Kestrix Audio Playback Log ===\nCaptured: "));
    EXPECT_TRUE(emptyReport.contains("(no playback events recorded yet)")) << emptyReport.toStdString();
    EXPECT_TRUE(emptyReport.contains("Active for playback: <none>\nAll output devices visible to Kestrix (0):\n"
                                     "  (no output devices found)"));

    const AudioOutputDevice speakers = makeDevice("speakers", {"L", "R"}, 44100);
    FakeDevices fixture({speakers});
    fixture.log.log("played something");
    const QString report = fixture.log.reportText(*fixture.manager);
    const QString description =
        "speakers Out (id=" + QString::number(speakers.id) + ", uid=speakers, 2ch, 44100 Hz, labels=[L, R])";
    EXPECT_TRUE(report.contains("  played something\n\n=== Current audio device snapshot ==="));
    EXPECT_TRUE(report.contains("System default: " + description + "\nSelection override: <none — using system default>\n"
                                "Active for playback: " + description + "\nAll output devices visible to Kestrix (1):\n  - "
                                + description))
        << report.toStdString();

    const auto written = fixture.log.writeReport(*fixture.manager);
    ASSERT_TRUE(written.ok());
    EXPECT_TRUE(QRegularExpression("Kestrix_Audio_Log_\\d+\\.txt$").match(written.value()).hasMatch());
    QFile file(written.value());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains("  played something"));
    file.remove();
}
