// Session property texts, track type labels and memory-location labels.
#include "display_text.h"
#include "session_info.h"
#include "track_type.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kestrix;

TEST(DisplayText, SampleFormatTables)
{
    EXPECT_EQ(sampleRateText(48000), "48000");
    EXPECT_EQ(sampleRateText(0), "Unknown");

    EXPECT_EQ(bitDepthText(24, false), "24-bit");
    EXPECT_EQ(bitDepthText(32, true), "32-bit float");
    EXPECT_EQ(bitDepthText(0, true), "Unknown") << "no bits wins over the float flag";

    EXPECT_EQ(audioFormatText(3), "WAV");
    EXPECT_EQ(audioFormatText(4), "AIFF");
    for (uint8_t code : {0, 1, 2, 5, 255})
        EXPECT_EQ(audioFormatText(code), "Unknown") << int(code);

    EXPECT_EQ(interleavedText(1), "Yes");
    EXPECT_EQ(interleavedText(0), "No");
    EXPECT_EQ(interleavedText(-1), "Unknown");
    EXPECT_EQ(interleavedText(2), "Unknown");

    const char *pans[] = {"Unknown", "-2.5 dB", "-3.0 dB", "-4.5 dB", "-6.0 dB", "Unknown"};
    for (uint8_t code = 0; code <= 5; ++code)
        EXPECT_EQ(panDepthText(code), pans[code]) << int(code);
}

TEST(DisplayText, FrameRateTableHasHolesAtFourAndSix)
{
    // The neighbours of the holes and both ends of the table.
    const std::pair<uint8_t, const char *> texts[] = {{0, "Unknown"},  {3, "29.97"},   {4, "Unknown"},
                                                      {5, "29.97 Drop"}, {6, "Unknown"}, {7, "30"},
                                                      {21, "120 Drop"}, {22, "Unknown"}, {255, "Unknown"}};
    for (const auto &[code, text] : texts)
        EXPECT_EQ(frameRateText(code), text) << int(code);
    EXPECT_EQ(nominalFramesPerSecond(0), 30u) << "no rate counts 30";
    EXPECT_EQ(nominalFramesPerSecond(9), 24u) << "23.976 counts 24";
    EXPECT_EQ(nominalFramesPerSecond(18), 120u) << "119.88 counts 120";
}

TEST(DisplayText, SessionStartTimecode)
{
    EXPECT_EQ(sessionStartText(7, 108000), "01:00:00:00");
    EXPECT_EQ(sessionStartText(0, 108000), "Unknown") << "no frame rate, no timecode";
    // Code 4 names no rate but still counts 30 frames per second.
    EXPECT_EQ(sessionStartText(4, 30 * 61 + 29), "00:01:01:29");
    EXPECT_EQ(sessionStartText(2, 25 * 3600 * 25 + 24), "25:00:00:24") << "hours do not wrap at 24";
    EXPECT_EQ(sessionStartText(18, 119), "00:00:00:119");
    EXPECT_EQ(sessionStartText(1, 4294967295u), "49710:16:10:15") << "the largest start";
}

TEST(DisplayText, TempoAndMeter)
{
    EXPECT_EQ(tempoText(120.0), "120 BPM");
    EXPECT_EQ(tempoText(119.88), "119.9 BPM");
    EXPECT_EQ(tempoText(97.5), "97.5 BPM");
    EXPECT_EQ(tempoText(0.0), "0 BPM");
    EXPECT_EQ(tempoText(-0.0), "0 BPM");
    EXPECT_EQ(tempoText(std::numeric_limits<double>::quiet_NaN()), "nan BPM");
    EXPECT_EQ(tempoText(9007199254740992.0), "9007199254740992 BPM");
    // Whole, but beyond the 64-bit range: written out in full, not cut off.
    const std::string huge = tempoText(1e300);
    EXPECT_EQ(huge.size(), 301u + 2 + 4) << huge;
    EXPECT_EQ(huge.substr(0, 3), "100");

    EXPECT_EQ(meterText(6, 8), "6/8");
    EXPECT_EQ(sessionLengthText(""), "Unknown");
    EXPECT_EQ(sessionLengthText("00:03:12:00"), "00:03:12:00");
}

TEST(TrackType, RawValuesDescriptionsAndLabels)
{
    struct Row {
        uint8_t raw;
        const char *description;
        const char *folderLabel;
    };
    const Row rows[] = {{0, "Audio", "Audio"},        {1, "MIDI", "MIDI"},
                        {2, "Aux", "R Folder"},       {5, "Master", "Master"},
                        {7, "Instrument", "Instrument"}, {8, "Video", "Video"},
                        {9, "VCA", "VCA"},            {11, "Folder", "B Folder"},
                        {255, "Unknown", "Unknown"}};
    int accepted = 0;
    for (int raw = 0; raw <= 255; ++raw)
        accepted += trackTypeFromRawValue(uint8_t(raw)).has_value();
    EXPECT_EQ(accepted, 9);
    for (const Row &row : rows) {
        const std::optional<PTXTrackType> type = trackTypeFromRawValue(row.raw);
        ASSERT_TRUE(type) << int(row.raw);
        EXPECT_EQ(trackTypeDescription(*type), row.description);
        EXPECT_EQ(trackTypeLabel(*type, false), row.description);
        EXPECT_EQ(trackTypeLabel(*type, true), row.folderLabel);
    }
}

TEST(MemoryLocation, ReferenceLabelAndColourNeedTimeProperties)
{
    PTXMemoryLocation m;
    m.colorR = 200;
    for (const char *none : {"", "none"}) {
        m.timeProperties = none;
        for (uint8_t reference : {1, 3}) {
            m.reference = reference;
            EXPECT_EQ(m.referenceLabel(), "") << none;
        }
        EXPECT_FALSE(m.hasColor()) << none;
    }
    m.timeProperties = "marker";
    EXPECT_TRUE(m.hasColor());
    m.reference = 1;
    EXPECT_EQ(m.referenceLabel(), "Bar | Beat");
    m.reference = 3;
    EXPECT_EQ(m.referenceLabel(), "Absolute");
    m.reference = 2;
    EXPECT_EQ(m.referenceLabel(), "");
    m.timeProperties = "selection";
    m.colorR = 0;
    EXPECT_FALSE(m.hasColor()) << "black is no colour";
    m.colorB = 1;
    EXPECT_TRUE(m.hasColor());
}
