#include "demo_playlists.h"

#include "demo_audio.h"
#include "demo_media.h"
#include "demo_time.h"
#include "track_blocks.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace demo {

namespace {

struct Take {
    std::string name;   // a clip, or a clip group when `group`
    uint64_t position;  // as stored: samples, or a musical position
    bool group = false;
    uint16_t colour = 65534;  // 65534: the track's own colour
};

Take onBeat(std::string clip, double beats)
{
    return {std::move(clip), musicalPosition(beats)};
}

Take atSeconds(std::string clip, double seconds, uint16_t colour = 65534)
{
    return {std::move(clip), samplesOfSeconds(seconds), false, colour};
}

// The clip on each of `beats` in every `barStep`th bar from firstBar to
// lastBar, in time order.
std::vector<Take> onBars(const std::string &clip, int firstBar, int lastBar,
                         std::initializer_list<double> beats = {1.0}, int barStep = 1)
{
    std::vector<Take> takes;
    for (int bar = firstBar; bar <= lastBar; bar += barStep)
        for (double beat : beats)
            takes.push_back(onBeat(clip, beatOf(bar, beat)));
    return takes;
}

ptxw::Block playlist(std::string_view name, const std::vector<Take> &takes)
{
    std::vector<ptxw::PlacementSpec> placements;
    for (const Take &take : takes) {
        const uint32_t index = take.group ? clipGroupIndex(take.name) : clipIndex(take.name);
        placements.push_back({index, take.position, take.colour, take.group});
    }
    return ptxw::playlistBlock(name, {ptxw::placementListBlock(placements)});
}

} // namespace

ptxw::Block playlists()
{
    std::vector<Take> bass = onBars("Bass", 5, 11);
    bass.push_back(onBeat("Bass-01", beatOf(12, 3.0)));
    std::vector<ptxw::Block> blocks = {
        playlist("Drum Loop", onBars("Drum Loop", 5, 12)),
        playlist("Kick", onBars("Kick", 1, 4, {1.0, 3.0})),
        playlist("Snare", onBars("Snare", 3, 4, {2.0, 4.0})),
        playlist("Perc Fill", {{"Fill A", musicalPosition(beatOf(12)), true},
                               {"Fill B", musicalPosition(beatOf(16)), true, 32}}),
        playlist("Bass", bass),
        playlist("Bass.02", onBars("Bass", 5, 8)),  // an alternate take no track plays
        playlist("Piano", onBars("Piano Chords", 9, 15, {1.0}, 2)),
        playlist("Pad", {atSeconds("Pad", 0.0), atSeconds("Pad", 2.5), atSeconds("Pad-01", 30.0, 44)}),
        playlist("Impacts", {onBeat("Impact", beatOf(9)), atSeconds("Impact", 32.0)}),
        playlist("Riser", {onBeat("Riser", beatOf(8, 2.0))}),
    };
    for (std::string_view channel : kAmbienceChannels) {
        const std::string clip = ambienceChannelName(channel);
        blocks.push_back(playlist("", {atSeconds(clip, 2.0), atSeconds(clip, 20.0)}));
    }
    return ptxw::playlistsBlock(blocks);
}

} // namespace demo
