#include "marker_blocks.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using ptxtest::SessionPtr;
using ptxw::MarkerColour;
using ptxw::MemoryLocation;

namespace {

MemoryLocation location(uint16_t number, std::string name, uint8_t type = 1)
{
    MemoryLocation l;
    l.number = number;
    l.name = std::move(name);
    l.type = type;
    return l;
}

MemoryLocation withColours(MemoryLocation l, std::vector<MarkerColour> colours)
{
    l.colours = std::move(colours);
    return l;
}

MemoryLocation withTimes(MemoryLocation l, uint64_t start, uint64_t end)
{
    l.start = start;
    l.end = end;
    return l;
}

ptxw::SessionFile fileWith(const std::vector<MemoryLocation> &locations, bool bigEndian = false)
{
    ptxw::SessionFile file;
    file.bigEndian = bigEndian;
    for (const MemoryLocation &l : locations)
        file.block(ptxw::memoryLocationBlock(l));
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
    MemoryLocation verse = withTimes(location(7, "Verse", 2), 48000, 96000);
    verse.reference = 3;
    SessionPtr s = openLocations({
        verse,
        withTimes(location(8, "Hit", 1), 1000, 1000),
        location(9, "", 9),
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
        withColours(location(1, "marker", 1), colours),
        withColours(location(2, "selection", 2), colours),
        withColours(location(3, "marker 9", 9), colours),
        withColours(location(4, "none", 8), colours),
        withColours(location(5, "type 3", 3), colours),
        withColours(location(6, "only black", 1), {{0, 0, 0}}),
        withColours(location(7, "blue only", 1), {{0, 0, 200}}),
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
        location(5, "five"),
        location(2, "two"),
        location(9, "nine"),
        location(2, "two again"),
        location(0xffff, "last"),
    });
    ASSERT_TRUE(s);
    EXPECT_EQ(namesInOrder(s.get()),
              (std::vector<std::string>{"two", "two again", "five", "nine", "last"}));
    EXPECT_EQ(ptx_memory_location_number(s.get(), 4), 0xffffu);

    // Enough locations that an unstable sort would reorder equal numbers.
    std::vector<MemoryLocation> many;
    std::vector<std::string> expected;
    for (int k = 0; k < 60; ++k)
        many.push_back(location(uint16_t(2 - k % 3), std::to_string(k)));
    for (int rest = 2; rest >= 0; --rest)
        for (int k = rest; k < 60; k += 3)
            expected.push_back(std::to_string(k));
    SessionPtr crowded = openLocations(many);
    ASSERT_TRUE(crowded);
    EXPECT_EQ(namesInOrder(crowded.get()), expected);
}

TEST(MemoryLocations, DamagedNamesDropTheLocation)
{
    ptxw::SessionFile file = fileWith({
        location(1, std::string(9999, 'a')),
        location(2, std::string(10000, 'b')),
        location(3, "kept"),
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
    const MemoryLocation tail = withTimes(location(3, "Tail", 2), 100, 200);

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
    MemoryLocation chorus = withTimes(location(0x0102, "Chorus", 2), 0x0102030405060708, 0x0a0b0c0d0e0f1011);
    chorus.reference = 1;
    SessionPtr s = openLocations({withColours(chorus, {{1, 2, 3}})}, true);
    ASSERT_TRUE(s);
    ASSERT_EQ(ptx_memory_location_count(s.get()), 1);
    EXPECT_EQ(ptx_memory_location_number(s.get(), 0), 0x0102u);
    EXPECT_STREQ(ptx_memory_location_name(s.get(), 0), "Chorus");
    EXPECT_EQ(ptx_memory_location_reference(s.get(), 0), 1);
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
        locations.push_back(location(uint16_t(k), "x", expected[k].first));
    SessionPtr s = openLocations(locations);
    ASSERT_TRUE(s);
    ASSERT_EQ(ptx_memory_location_count(s.get()), int(expected.size()));
    for (size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE(int(expected[k].first));
        EXPECT_EQ(ptx_memory_location_type(s.get(), int(k)), expected[k].first);
        EXPECT_STREQ(ptx_memory_location_type_name(s.get(), int(k)), expected[k].second);
    }
}
