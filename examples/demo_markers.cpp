#include "demo_markers.h"

#include "demo_time.h"
#include "marker_blocks.h"

namespace demo {

namespace {

enum LocationType : uint8_t { kMarker = 1, kSelection = 2, kViewOnly = 8, kCueMarker = 9 };
// How a location follows edits: to the bar and beat, or to the sample.
enum Reference : uint8_t { kAbsolute = 0, kBarBeat = 1 };

constexpr ptxw::MarkerColour kRed{216, 24, 24};
constexpr ptxw::MarkerColour kYellow{208, 160, 16};
constexpr ptxw::MarkerColour kGreen{64, 208, 24};
constexpr ptxw::MarkerColour kTeal{24, 184, 136};
constexpr ptxw::MarkerColour kBlue{32, 64, 232};
constexpr ptxw::MarkerColour kMagenta{196, 16, 136};
constexpr ptxw::MarkerColour kUnset{0, 0, 0};

ptxw::MemoryLocation atBar(uint16_t number, std::string name, int bar, ptxw::MarkerColour colour)
{
    const uint64_t at = samplesOfBeats(beatOf(bar));
    return {number, kBarBeat, kMarker, std::move(name), at, at, {colour}};
}

ptxw::MemoryLocation bars(uint16_t number, std::string name, int firstBar, int endBar, ptxw::MarkerColour colour)
{
    return {number, kBarBeat, kSelection, std::move(name), samplesOfBeats(beatOf(firstBar)),
            samplesOfBeats(beatOf(endBar)), {colour}};
}

ptxw::MemoryLocation cut(uint16_t number, std::string name, double seconds)
{
    const uint64_t at = samplesOfSeconds(seconds);
    return {number, kAbsolute, kCueMarker, std::move(name), at, at, {kMagenta}};
}

} // namespace

std::vector<ptxw::Block> memoryLocations()
{
    // Stored in timeline order; the numbers are the order they were made in.
    const std::vector<ptxw::MemoryLocation> locations = {
        atBar(1, "Intro", 1, kGreen),
        {9, kAbsolute, kSelection, "Ambience Bed", samplesOfSeconds(2.0), samplesOfSeconds(3.5), {kUnset, kTeal}},
        atBar(2, "Drums In", 5, kRed),
        bars(7, "Drum Groove", 5, 9, kRed),
        cut(10, "Picture Cut 1", 10.0),
        atBar(3, "Chorus", 9, kYellow),
        bars(8, "Chorus Loop", 9, 13, kYellow),
        cut(12, "Picture Cut 2", 20.0),
        bars(11, "Fill", 12, 13, kRed),
        atBar(4, "Outro", 13, kBlue),
        atBar(5, "End", 17, kBlue),
        {6, kAbsolute, kViewOnly, "View: Drums", 0, 0, {}},
    };
    std::vector<ptxw::Block> blocks;
    for (const ptxw::MemoryLocation &location : locations)
        blocks.push_back(ptxw::memoryLocationBlock(location));
    return blocks;
}

} // namespace demo
