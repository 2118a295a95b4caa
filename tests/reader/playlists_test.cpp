#include "property_blocks.h"
#include "test_helpers.h"
#include "track_blocks.h"

#include <gtest/gtest.h>

#include <limits>

using namespace ptxw;
using namespace ptxtest;

namespace {

constexpr uint8_t kAudio = 0, kMidi = 1, kAux = 2;
constexpr uint8_t kMono = 0, kStereo = 1;

// A playlist with one placement of clip `clip` at position 0.
Block playlistOf(std::string_view name, uint32_t clip)
{
    return playlistBlock(name, {placementListBlock({{clip, 0}})});
}

using Clips = std::vector<int32_t>;

} // namespace

TEST(Playlists, MatchedByNameThenHandedOutByChannelCount)
{
    SessionPtr s = openSession(sessionWith({
        trackBlock({"Vox", kAudio, kMono}),
        trackBlock({"Keys", kAudio, kMono}),
        trackBlock({"Gtr", kAudio, kStereo}),
        trackBlock({"Bus", kAux, kStereo}),
        trackBlock({"Synth", kMidi, kStereo}),
        trackBlock({"Bass", kAudio}),  // no format: one channel
        trackBlock({"Pad", kAudio, kStereo}),
        trackBlock({"Late", kAudio, kMono}),
        playlistsBlock({
            playlistOf("", 1),
            playlistOf("Synth", 2),
            playlistOf("Keys", 3),
            playlistOf("", 4),
            playlistBlock("", {}),  // empty: dropped, takes no turn
            playlistOf("", 5),
            playlistOf("Nobody", 6),  // named after no track: never handed out
        }),
        playlistsBlock({
            playlistOf("", 7),
            playlistOf("Synth", 8),  // a track may take several named playlists
            playlistOf("", 9),
        }),
    }));
    ASSERT_TRUE(s);
    const auto clipsOf = [&](const char *name) { return placementIndices(s.get(), trackIndex(s.get(), name)); };
    EXPECT_EQ(clipsOf("Vox"), Clips{1});
    EXPECT_EQ(clipsOf("Keys"), Clips{3});
    EXPECT_EQ(clipsOf("Gtr"), (Clips{4, 5}));
    EXPECT_EQ(clipsOf("Bus"), Clips{});
    EXPECT_EQ(clipsOf("Synth"), (Clips{2, 8}));
    EXPECT_EQ(clipsOf("Bass"), Clips{7});
    EXPECT_EQ(clipsOf("Pad"), Clips{9});  // runs out after one of two
    EXPECT_EQ(clipsOf("Late"), Clips{});
}

TEST(Playlists, SkipsHiddenListsShortPlacementsAndLongNames)
{
    Block shortPlacement(0x104f);
    shortPlacement.at(4).u32le(50).zeros(12);  // size 20 is the least that is read
    Block tooShort(0x104f);
    tooShort.at(4).u32le(51).zeros(11);
    Block list = placementListBlock({{1, 10}});
    list.child(shortPlacement).child(tooShort);
    const std::string longest(500, 'n'), tooLong(501, 'x');

    SessionPtr s = openSession(sessionWith({
        trackBlock({"A", kAudio, kMono}),
        trackBlock({longest, kMidi}),
        trackBlock({tooLong, kMidi}),
        playlistsBlock({
            playlistBlock("", {placementListBlock({{70, 0}}, true), list}),
            playlistOf(longest, 80),
            playlistOf(tooLong, 90),
        }),
    }));
    ASSERT_TRUE(s);
    EXPECT_EQ(placementIndices(s.get(), 0), (Clips{1, 50}));
    EXPECT_FALSE(ptx_track_placement_is_group(s.get(), 0, 1));  // no group flag within size 20
    EXPECT_EQ(placementIndices(s.get(), 1), Clips{80});
    EXPECT_EQ(placementIndices(s.get(), 2), Clips{});
}

TEST(Playlists, PlacementFieldsAndGroupsInBothByteOrders)
{
    for (bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        SessionPtr s = openSession(sessionWith({trackBlock({"A", kAudio, kMono}),
                                                playlistsBlock({playlistBlock("A", {placementListBlock({
                                                                                       {3, 48000, 7, false},
                                                                                       {2, 96000, 0x1234, true},
                                                                                       {5, 5000000000ULL, 0, false},
                                                                                   })})})},
                                               bigEndian));
        ASSERT_TRUE(s);
        // Each placement as "clip|group|is group|position|colour"; samples beyond 32 bits are clamped.
        EXPECT_EQ(rows(ptx_track_placement_count(s.get(), 0),
                       [&](int k) {
                           return joined("|", ptx_track_placement_clip(s.get(), 0, k),
                                         ptx_track_placement_group(s.get(), 0, k),
                                         ptx_track_placement_is_group(s.get(), 0, k),
                                         ptx_track_placement_position(s.get(), 0, k),
                                         ptx_track_placement_color(s.get(), 0, k));
                       }),
                  (std::vector<std::string>{"3|-1|0|48000|7", "-1|2|1|96000|4660", "5|-1|0|4294967295|0"}));
    }
}

TEST(Playlists, MusicalPositionsUseTheEffectiveTempo)
{
    struct Case {
        const char *what;
        std::vector<Block> tempoBlocks;
        uint32_t sampleRate;
        uint64_t ticks;
        uint32_t expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Case> cases = {
        {"120 BPM fixed", {fixedTempoBlock(120.0, true)}, 48000, 960000, 24000},
        {"fraction dropped", {fixedTempoBlock(120.0, true)}, 48000, 100, 2},
        {"first tempo event", {tempoMapBlock({{60.0, 0}, {120.0, 100}}), fixedTempoBlock(90.0, false)}, 48000, 960000, 48000},
        {"fixed tempo over the map", {tempoMapBlock({{60.0, 0}}), fixedTempoBlock(120.0, true)}, 44100, 1920000, 44100},
        {"tempo 0", {fixedTempoBlock(0.0, true)}, 48000, 960000, 960000},
        {"no tempo at all", {}, 48000, 960000, 960000},
        {"tempo not a number", {fixedTempoBlock(nan, true)}, 48000, 960000, 960000},
        {"sample rate 0", {fixedTempoBlock(120.0, true)}, 0, 960000, 960000},
        {"clamped to 32 bits", {fixedTempoBlock(1.0, true)}, 48000, 99000000000ULL, 4294967295u},
        {"infinite tempo", {fixedTempoBlock(std::numeric_limits<double>::infinity(), true)}, 48000, 960000, 0},
        {"vanishing tempo", {fixedTempoBlock(1e-300, true)}, 48000, 960000, 4294967295u},
    };
    for (const Case &c : cases) {
        SessionFile file;
        file.block(sessionFormatBlock(c.sampleRate, 3));
        for (const Block &b : c.tempoBlocks)
            file.block(b);
        file.block(trackBlock({"A", kAudio, kMono}))
            .block(playlistsBlock({playlistBlock("A", {placementListBlock({{0, kMusicalPosition + c.ticks}})})}));
        SessionPtr s = openSession(file);
        ASSERT_TRUE(s) << c.what;
        EXPECT_EQ(ptx_track_placement_position(s.get(), 0, 0), c.expected) << c.what;
    }
}
