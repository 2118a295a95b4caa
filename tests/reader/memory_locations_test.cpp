#include "marker_blocks.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

using ptxtest::SessionPtr;
using ptxw::MarkerColour;
using ptxw::MemoryLocation;

namespace {

MemoryLocation location(uint16_t number, std::string name, uint8_t type = 1, std::vector<MarkerColour> colours = {})
{
    return {.number = number, .type = type, .name = std::move(name), .colours = std::move(colours)};
}

ptxw::SessionFile fileWith(const std::vector<MemoryLocation> &locations, bool bigEndian = false)
{
    ptxw::SessionFile file;
    file.bigEndian = bigEndian;
    for (const MemoryLocation &l : locations)
        file.block(ptxw::memoryLocationBlock(l));
    return file;
}

SessionPtr openLocations(const std::vector<MemoryLocation> &locations)
{
    return ptxtest::openSession(fileWith(locations));
}

// Each location as "number|name|type|reference|start|end".
std::vector<std::string> rowsOf(const ptx_session *s)
{
    return ptxtest::rows(ptx_memory_location_count(s), [&](int i) {
        return ptxtest::joined("|", ptx_memory_location_number(s, i), ptx_memory_location_name(s, i),
                               ptx_memory_location_type(s, i), ptx_memory_location_reference(s, i),
                               ptx_memory_location_start(s, i), ptx_memory_location_end(s, i));
    });
}

// "red,green,blue".
std::string colourOf(const ptx_session *s, int i)
{
    return ptxtest::joined(",", ptx_memory_location_color_r(s, i), ptx_memory_location_color_g(s, i),
                           ptx_memory_location_color_b(s, i));
}

} // namespace

TEST(MemoryLocations, EveryFieldInBothByteOrdersSortedByNumberAndDamagedNamesDropped)
{
    const MemoryLocation chorus = {.number = 0x0102, .reference = 3, .type = 2, .name = "Chorus",
                                   .start = 0x0102030405060708, .end = 0x0a0b0c0d0e0f1011};
    const MemoryLocation hit = {.number = 0x0103, .name = "Hit", .start = 1000, .end = 1000};
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        ptxw::SessionFile file = fileWith({location(0xffff, "last"), chorus, hit, location(0x0104, "", 9),
                                           location(1, std::string(9999, 'a')), location(2, std::string(10000, 'b')),
                                           location(3, "kept")},
                                          bigEndian);
        // Last in the file: a name length of 50 with only 5 bytes left.
        file.block(ptxw::Block(0x2077).at(2).u16(4).u8(0).u8(1).at(8).u32(50).bytes("short"));
        SessionPtr s = ptxtest::openSession(file);
        ASSERT_TRUE(s);
        // An empty name is still a location.
        EXPECT_EQ(rowsOf(s.get()), (std::vector<std::string>{
                                       "1|" + std::string(9999, 'a') + "|1|0|0|0",
                                       "3|kept|1|0|0|0",
                                       "258|Chorus|2|3|" + std::to_string(0x0102030405060708) + "|"
                                           + std::to_string(0x0a0b0c0d0e0f1011),
                                       "259|Hit|1|0|1000|1000",
                                       "260||9|0|0|0",
                                       "65535|last|1|0|0|0",
                                   }));
    }
}

TEST(MemoryLocations, ColourIsTheFirstNonBlackChildOfMarkersAndSelectionsOnly)
{
    // Type, its name, and whether it takes a colour.
    const std::vector<std::tuple<uint8_t, const char *, bool>> types = {
        {1, "marker", true}, {2, "selection", true}, {9, "marker", true}, {8, "none", false},
        {0, "", false},      {3, "", false},          {7, "", false},      {10, "", false}, {255, "", false},
    };
    const MarkerColour colour = {10, 20, 30};
    std::vector<MemoryLocation> locations;
    for (size_t k = 0; k < types.size(); ++k)
        locations.push_back(location(uint16_t(k), "x", std::get<0>(types[k]), {{0, 0, 0}, colour, {40, 50, 60}}));
    locations.push_back(location(100, "only black", 1, {{0, 0, 0}}));
    locations.push_back(location(101, "blue only", 1, {{0, 0, 200}}));
    SessionPtr s = openLocations(locations);
    ASSERT_TRUE(s);
    ASSERT_EQ(ptx_memory_location_count(s.get()), int(locations.size()));
    for (size_t k = 0; k < types.size(); ++k) {
        const auto &[type, name, coloured] = types[k];
        SCOPED_TRACE(int(type));
        EXPECT_EQ(ptx_memory_location_type(s.get(), int(k)), type);
        EXPECT_STREQ(ptx_memory_location_type_name(s.get(), int(k)), name);
        EXPECT_EQ(colourOf(s.get(), int(k)), coloured ? "10,20,30" : "0,0,0");
    }
    EXPECT_EQ(colourOf(s.get(), int(types.size())), "0,0,0");
    EXPECT_EQ(colourOf(s.get(), int(types.size()) + 1), "0,0,200");
}

TEST(MemoryLocations, EqualNumbersKeepTheirFileOrder)
{
    // Enough locations that an unstable sort would reorder equal numbers.
    std::vector<MemoryLocation> many;
    std::vector<std::string> expected;
    for (int k = 0; k < 60; ++k)
        many.push_back(location(uint16_t(2 - k % 3), std::to_string(k)));
    for (int rest = 2; rest >= 0; --rest)
        for (int k = rest; k < 60; k += 3)
            expected.push_back(std::to_string(k));
    SessionPtr s = openLocations(many);
    ASSERT_TRUE(s);
    EXPECT_EQ(ptxtest::rows(ptx_memory_location_count(s.get()),
                            [&](int i) { return ptx_memory_location_name(s.get(), i); }),
              expected);
}

TEST(MemoryLocations, TimesThatRunPastTheFileStayZero)
{
    const MemoryLocation tail = {.number = 3, .type = 2, .name = "Tail", .start = 100, .end = 200};

    // The block is the last in the file, so the end time reaches its last byte.
    SessionPtr whole = openLocations({tail});
    ASSERT_TRUE(whole);
    EXPECT_EQ(rowsOf(whole.get()), std::vector<std::string>{"3|Tail|2|0|100|200"});

    // One byte shorter: the location is kept without its times.
    ptxw::Block shortened = ptxw::memoryLocationBlock(tail);
    shortened.sizeField(shortened.size() - 1);
    ptxw::Bytes bytes = ptxtest::sessionWith({shortened}).scrambled();
    bytes.pop_back();
    SessionPtr cut = ptxtest::openBytes(bytes);
    ASSERT_TRUE(cut);
    EXPECT_EQ(rowsOf(cut.get()), std::vector<std::string>{"3|Tail|2|0|0|0"});
}
