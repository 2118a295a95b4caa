#include "marker_blocks.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using ptxtest::SessionPtr;
using ptxw::MarkerColour;
using ptxw::MemoryLocation;

namespace {

ptxw::SessionFile fileWith(const std::vector<MemoryLocation> &locations, bool bigEndian = false)
{
    ptxw::SessionFile file;
    file.bigEndian = bigEndian;
    for (const MemoryLocation &location : locations)
        file.block(ptxw::memoryLocationBlock(location));
    return file;
}

SessionPtr openLocations(const std::vector<MemoryLocation> &locations, bool bigEndian = false)
{
    return ptxtest::openSession(fileWith(locations, bigEndian));
}

std::vector<std::string> namesInOrder(const ptx_session *s)
{
    std::vector<std::string> names;
    for (int i = 0; i < ptx_memory_location_count(s); ++i)
        names.emplace_back(ptx_memory_location_name(s, i));
    return names;
}

void expectColour(const ptx_session *s, int i, MarkerColour colour)
{
    SCOPED_TRACE(ptx_memory_location_name(s, i));
    EXPECT_EQ(ptx_memory_location_color_r(s, i), colour.r);
    EXPECT_EQ(ptx_memory_location_color_g(s, i), colour.g);
    EXPECT_EQ(ptx_memory_location_color_b(s, i), colour.b);
}

} // namespace

TEST(MemoryLocations, KeepEveryFieldOfMarkersAndSelections)
{
    SessionPtr s = openLocations({
        {.number = 7, .reference = 3, .type = 2, .name = "Verse", .start = 48000, .end = 96000},
        {.number = 8, .reference = 0, .type = 1, .name = "Hit", .start = 1000, .end = 1000},
        {.number = 9, .type = 9, .name = ""},
    });
    ASSERT_TRUE(s);
    ASSERT_EQ(ptx_memory_location_count(s.get()), 3);

    EXPECT_EQ(ptx_memory_location_number(s.get(), 0), 7u);
    EXPECT_STREQ(ptx_memory_location_name(s.get(), 0), "Verse");
    EXPECT_EQ(ptx_memory_location_type(s.get(), 0), 2);
    EXPECT_EQ(ptx_memory_location_reference(s.get(), 0), 3);
    EXPECT_EQ(ptx_memory_location_start(s.get(), 0), 48000u);
    EXPECT_EQ(ptx_memory_location_end(s.get(), 0), 96000u);

    EXPECT_EQ(ptx_memory_location_start(s.get(), 1), 1000u);
    EXPECT_EQ(ptx_memory_location_end(s.get(), 1), 1000u);

    // An empty name is still a location.
    EXPECT_EQ(ptx_memory_location_number(s.get(), 2), 9u);
    EXPECT_STREQ(ptx_memory_location_name(s.get(), 2), "");
}

TEST(MemoryLocations, ColourIsTheFirstNonBlackChildOfMarkersAndSelectionsOnly)
{
    const std::vector<MarkerColour> colours = {{0, 0, 0}, {10, 20, 30}, {40, 50, 60}};
    SessionPtr s = openLocations({
        {.number = 1, .type = 1, .name = "marker", .colours = colours},
        {.number = 2, .type = 2, .name = "selection", .colours = colours},
        {.number = 3, .type = 9, .name = "marker 9", .colours = colours},
        {.number = 4, .type = 8, .name = "none", .colours = colours},
        {.number = 5, .type = 3, .name = "type 3", .colours = colours},
        {.number = 6, .type = 1, .name = "only black", .colours = {{0, 0, 0}}},
        {.number = 7, .type = 1, .name = "blue only", .colours = {{0, 0, 200}}},
    });
    ASSERT_TRUE(s);
    ASSERT_EQ(ptx_memory_location_count(s.get()), 7);
    expectColour(s.get(), 0, {10, 20, 30});
    expectColour(s.get(), 1, {10, 20, 30});
    expectColour(s.get(), 2, {10, 20, 30});
    expectColour(s.get(), 3, {0, 0, 0});
    expectColour(s.get(), 4, {0, 0, 0});
    expectColour(s.get(), 5, {0, 0, 0});
    expectColour(s.get(), 6, {0, 0, 200});
}

TEST(MemoryLocations, SortedByNumberKeepingFileOrderForEqualNumbers)
{
    SessionPtr s = openLocations({
        {.number = 5, .name = "five"},
        {.number = 2, .name = "two"},
        {.number = 9, .name = "nine"},
        {.number = 2, .name = "two again"},
        {.number = 0xffff, .name = "last"},
    });
    ASSERT_TRUE(s);
    EXPECT_EQ(namesInOrder(s.get()),
              (std::vector<std::string>{"two", "two again", "five", "nine", "last"}));
    EXPECT_EQ(ptx_memory_location_number(s.get(), 4), 0xffffu);
}

TEST(MemoryLocations, DamagedNamesDropTheLocation)
{
    ptxw::SessionFile file = fileWith({
        {.number = 1, .name = std::string(9999, 'a')},
        {.number = 2, .name = std::string(10000, 'b')},
        {.number = 3, .name = "kept"},
    });
    // Last in the file: a name length of 50 with only 5 bytes left.
    file.block(ptxw::Block(0x2077).at(2).u16(4).u8(0).u8(1).at(8).u32(50).bytes("short"));
    SessionPtr s = ptxtest::openSession(file);
    ASSERT_TRUE(s);
    ASSERT_EQ(ptx_memory_location_count(s.get()), 2);
    EXPECT_EQ(ptx_memory_location_number(s.get(), 0), 1u);
    EXPECT_EQ(std::string(ptx_memory_location_name(s.get(), 0)).size(), 9999u);
    EXPECT_STREQ(ptx_memory_location_name(s.get(), 1), "kept");
}

TEST(MemoryLocations, TimesThatRunPastTheFileStayZero)
{
    const MemoryLocation tail{.number = 3, .type = 2, .name = "Tail", .start = 100, .end = 200};

    // The block is the last in the file, so the end time reaches its last byte.
    SessionPtr whole = openLocations({tail});
    ASSERT_TRUE(whole);
    ASSERT_EQ(ptx_memory_location_count(whole.get()), 1);
    EXPECT_EQ(ptx_memory_location_start(whole.get(), 0), 100u);
    EXPECT_EQ(ptx_memory_location_end(whole.get(), 0), 200u);

    // One byte shorter: the location is kept without its times.
    ptxw::Block shortened = ptxw::memoryLocationBlock(tail);
    shortened.sizeField(shortened.size() - 1);
    ptxw::Bytes bytes = ptxtest::sessionWith({shortened}).scrambled();
    bytes.pop_back();
    SessionPtr cut = ptxtest::openBytes(bytes);
    ASSERT_TRUE(cut);
    ASSERT_EQ(ptx_memory_location_count(cut.get()), 1);
    EXPECT_STREQ(ptx_memory_location_name(cut.get(), 0), "Tail");
    EXPECT_EQ(ptx_memory_location_start(cut.get(), 0), 0u);
    EXPECT_EQ(ptx_memory_location_end(cut.get(), 0), 0u);
}

TEST(MemoryLocations, BigEndianSession)
{
    SessionPtr s = openLocations(
        {{.number = 0x0102, .reference = 1, .type = 2, .name = "Chorus",
          .start = 0x0102030405060708, .end = 0x0a0b0c0d0e0f1011, .colours = {{1, 2, 3}}}},
        true);
    ASSERT_TRUE(s);
    ASSERT_EQ(ptx_memory_location_count(s.get()), 1);
    EXPECT_EQ(ptx_memory_location_number(s.get(), 0), 0x0102u);
    EXPECT_STREQ(ptx_memory_location_name(s.get(), 0), "Chorus");
    EXPECT_EQ(ptx_memory_location_start(s.get(), 0), 0x0102030405060708u);
    EXPECT_EQ(ptx_memory_location_end(s.get(), 0), 0x0a0b0c0d0e0f1011u);
    expectColour(s.get(), 0, {1, 2, 3});
}

TEST(MemoryLocations, TypeNames)
{
    const std::vector<std::pair<uint8_t, const char *>> expected = {
        {0, ""}, {1, "marker"}, {2, "selection"}, {3, ""}, {7, ""},
        {8, "none"}, {9, "marker"}, {10, ""}, {255, ""},
    };
    std::vector<MemoryLocation> locations;
    for (size_t k = 0; k < expected.size(); ++k)
        locations.push_back({.number = uint16_t(k), .type = expected[k].first, .name = "x"});
    SessionPtr s = openLocations(locations);
    ASSERT_TRUE(s);
    ASSERT_EQ(ptx_memory_location_count(s.get()), int(expected.size()));
    for (size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(int(expected[k].first));
        EXPECT_EQ(ptx_memory_location_type(s.get(), int(k)), expected[k].first);
        EXPECT_STREQ(ptx_memory_location_type_name(s.get(), int(k)), expected[k].second);
    }
}
