#include "color_palette.h"
#include "file_type.h"

#include <gtest/gtest.h>

using namespace kestrix;
using Entry = PTXColorPalette::Entry;

TEST(ColorPalette, IndexRowsAndColumnsCountFromOne)
{
    for (uint16_t none : {0, 23, 24, 48, 72, 96, 120, 65534, 65535})
        EXPECT_FALSE(PTXColorPalette::color(none)) << none;
    // Both ends of the first row, the first of the second and the last colour.
    EXPECT_EQ(PTXColorPalette::color(25), (Entry{44, 0, 252}));
    EXPECT_EQ(PTXColorPalette::color(47), (Entry{40, 32, 208}));
    EXPECT_EQ(PTXColorPalette::color(49), (Entry{32, 0, 184}));
    EXPECT_EQ(PTXColorPalette::color(95), (Entry{20, 16, 100}));
    int colours = 0;
    for (int index = 0; index <= 65535; ++index)
        colours += PTXColorPalette::color(uint16_t(index)).has_value();
    EXPECT_EQ(colours, 3 * 23);
}

TEST(ColorPalette, FoldersTakeTheAudioColourAndUnknownTracksNone)
{
    EXPECT_EQ(PTXColorPalette::defaultColor(PTXTrackType::folder), PTXColorPalette::defaultColor(PTXTrackType::audio));
    EXPECT_EQ(PTXColorPalette::defaultColor(PTXTrackType::vca), PTXColorPalette::color(25));
    EXPECT_FALSE(PTXColorPalette::defaultColor(PTXTrackType::unknown));
}

TEST(FileType, LabelsInBothByteOrdersAndReversedUnknownTags)
{
    struct Row {
        const char *tag;
        const char *label;
        bool unavailable;
    };
    const Row rows[] = {
        {"WAVE", "WAV", false}, {"EVAW", "WAV", false}, {"AIFF", "AIFF", false}, {"FFIA", "AIFF", false},
        {"AIFC", "AIFC", false}, {"CFIA", "AIFC", false}, {"fFXM", "MXF", true},  {"MXFf", "MXF", true},
        {"MooV", "MOV", true},  {"VooM", "MOV", true},  {"mpg4", "MP4", false}, {"4gpm", "MP4", false},
        {"FM4A", "MP4", false}, {"A4MF", "MP4", false}, {"", "", false},        {"ABCD", "DCBA", true},
        {"wave", "evaw", true}, {"Sd2f", "f2dS", true},
    };
    for (const Row &row : rows)
        EXPECT_EQ(fileTypeInfo(row.tag), (PTXFileTypeInfo{row.label, row.unavailable})) << row.tag;
}
