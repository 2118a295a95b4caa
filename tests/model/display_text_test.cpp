// Session property texts, track type labels and memory-location labels.
// The loader tests read most of these through real files; these hold the
// edges the files do not reach.
#include "display_text.h"
#include "session_info.h"
#include "track_type.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kestrix;

TEST(DisplayText, CodesOutsideTheTablesAreUnknown)
{
    EXPECT_EQ(bitDepthText(24, false), "24-bit");
    EXPECT_EQ(bitDepthText(0, true), "Unknown") << "no bits wins over the float flag";
    for (uint8_t code : {0, 2, 5, 255})
        EXPECT_EQ(audioFormatText(code), "Unknown") << int(code);
    EXPECT_EQ(interleavedText(0), "No");
    EXPECT_EQ(interleavedText(2), "Unknown");
    const char *pans[] = {"Unknown", "-2.5 dB", "-3.0 dB", "-4.5 dB", "-6.0 dB", "Unknown"};
    for (uint8_t code = 0; code <= 5; ++code)
        EXPECT_EQ(panDepthText(code), pans[code]) << int(code);

    // The frame-rate table has holes at 4 and 6.
    const std::pair<uint8_t, const char *> texts[] = {{0, "Unknown"},  {3, "29.97"},   {4, "Unknown"},
                                                      {5, "29.97 Drop"}, {6, "Unknown"}, {7, "30"},
                                                      {21, "120 Drop"}, {22, "Unknown"}};
    for (const auto &[code, text] : texts)
        EXPECT_EQ(frameRateText(code), text) << int(code);
}

TEST(DisplayText, SessionStartTimecode)
{
    EXPECT_EQ(sessionStartText(0, 108000), "Unknown") << "no frame rate, no timecode";
    EXPECT_EQ(sessionStartText(9, 24 * 61 + 23), "00:01:01:23") << "23.976 counts 24";
    EXPECT_EQ(sessionStartText(2, 25 * 3600 * 25 + 24), "25:00:00:24") << "hours do not wrap at 24";
    EXPECT_EQ(sessionStartText(18, 119), "00:00:00:119") << "119.88 counts 120";
    EXPECT_EQ(sessionStartText(1, 4294967295u), "49710:16:10:15") << "the largest start";
}

TEST(DisplayText, TempoKeepsOneDecimalOnlyWhenNotWhole)
{
    EXPECT_EQ(tempoText(-0.0), "0 BPM");
    EXPECT_EQ(tempoText(std::numeric_limits<double>::quiet_NaN()), "nan BPM");
    EXPECT_EQ(tempoText(9007199254740992.0), "9007199254740992 BPM");
    // Whole, but beyond the 64-bit range: written out in full, not cut off.
    const std::string huge = tempoText(1e300);
    EXPECT_EQ(huge.size(), 301u + 2 + 4) << huge;
    EXPECT_EQ(huge.substr(0, 3), "100");
}

TEST(TrackType, RawValuesDescriptionsAndLabels)
{
    int accepted = 0;
    for (int raw = 0; raw <= 255; ++raw)
        accepted += trackTypeFromRawValue(uint8_t(raw)).has_value();
    EXPECT_EQ(accepted, 9);
    const struct {
        uint8_t raw;
        const char *description;
        const char *folderLabel;
    } rows[] = {{0, "Audio", "Audio"}, {2, "Aux", "R Folder"}, {11, "Folder", "B Folder"}, {255, "Unknown", "Unknown"}};
    for (const auto &row : rows) {
        const std::optional<PTXTrackType> type = trackTypeFromRawValue(row.raw);
        ASSERT_TRUE(type) << int(row.raw);
        EXPECT_EQ(trackTypeLabel(*type, false), row.description);
        EXPECT_EQ(trackTypeLabel(*type, true), row.folderLabel);
    }
}

TEST(MemoryLocation, ReferenceLabelAndColourNeedTimeProperties)
{
    PTXMemoryLocation m;
    m.colorR = 200;
    m.reference = 3;
    for (const char *none : {"", "none"}) {
        m.timeProperties = none;
        EXPECT_EQ(m.referenceLabel(), "") << none;
        EXPECT_FALSE(m.hasColor()) << none;
    }
    m.timeProperties = "selection";
    m.reference = 2;
    EXPECT_EQ(m.referenceLabel(), "");
    m.colorR = 0;
    EXPECT_FALSE(m.hasColor()) << "black is no colour";
    m.colorB = 1;
    EXPECT_TRUE(m.hasColor());
}
