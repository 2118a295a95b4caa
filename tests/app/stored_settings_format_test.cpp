// A per-file settings value exactly as earlier versions stored it still loads.
#include "per_file_settings.h"

#include <gtest/gtest.h>

TEST(StoredSettingsFormat, AValueWrittenByEarlierVersionsLoads)
{
    // Whole numbers without a fraction, and a track name whose byte 0xE9 is
    // not UTF-8 written as \u00e9 beside a valid "é".
    const char *stored =
        "{\"universeSelection\":{\"trackNames\":[\"Caf\\u00e9\",\"Caf\xc3\xa9\",\"Vox \\\"Lead\\\"\"],"
        "\"timeRange\":[48000,96000.5]},\"universeViewport\":{\"horizontalZoom\":2.25,\"verticalZoom\":1.5,"
        "\"horizontalSampleOffset\":12345,\"verticalRowOffset\":3},\"overviewUniverseExtraHeight\":42.5,"
        "\"windowFrame\":{\"x\":10,\"y\":20,\"width\":800,\"height\":500},\"sessionInfoExpanded\":false,"
        "\"overviewExpanded\":false,\"audioFilesExpanded\":true,\"pluginsExpanded\":true,"
        "\"activePluginsExpanded\":false,\"inactivePluginsExpanded\":false,\"tracksExpanded\":true,"
        "\"clipsExpanded\":true,\"locationsExpanded\":true}";

    kestrix::PerFileSettings expected;
    expected.universeSelection.trackNames = {"Caf\xe9", "Caf\xc3\xa9", "Vox \"Lead\""};
    expected.universeSelection.timeRange = kestrix::SampleRange{48000, 96000.5};
    expected.universeViewport = {2.25, 1.5, 12345, 3};
    expected.overviewUniverseExtraHeight = 42.5;
    expected.windowFrame = kestrix::PersistedFrame{10, 20, 800, 500};
    expected.sessionInfoExpanded = false;
    expected.overviewExpanded = false;
    expected.audioFilesExpanded = true;
    expected.pluginsExpanded = true;
    expected.activePluginsExpanded = false;
    expected.inactivePluginsExpanded = false;
    expected.tracksExpanded = true;
    expected.clipsExpanded = true;
    expected.locationsExpanded = true;

    const std::optional<kestrix::PerFileSettings> loaded = kestrix::decodePerFileSettings(stored);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, expected);
    EXPECT_EQ(kestrix::decodePerFileSettings(kestrix::encodePerFileSettings(expected)), expected);
}
