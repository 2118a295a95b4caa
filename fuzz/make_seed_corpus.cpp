// Writes the seed corpus of the session-file fuzzers into the folder given as
// the argument: sessions holding every kind of block the writer's builders
// make, each stored in both byte orders and with both scrambling schemes.
//
// To add seeds: add a Seed to the function of its builder header below, or
// write a function for a new header and list it in allSeeds().
#include "marker_blocks.h"
#include "media_blocks.h"
#include "property_blocks.h"
#include "session_writer.h"
#include "track_blocks.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace ptxw;

namespace {

struct Seed {
    std::string name;
    std::vector<Block> blocks;
    size_t leadingJunk = 0;  // zero bytes before the first block
};
using Seeds = std::vector<Seed>;

Seeds propertySeeds()
{
    return {
        {"properties",
         {sessionFormatBlock(48000, 3, {2, 0, 24}), counterFormatBlock(1),
          timecodeBlock(5, 86400, "00:03:12:00"),
          tempoMapBlock({{112.0, 0}, {90.0, kMusicalPosition + 960000}}),
          fixedTempoBlock(112.0, false), meterMapBlock({{0, 4, 4}, {1920, 3, 4}})},
         0},
        {"properties-float-fixed-tempo",
         {sessionFormatBlock(96000, 1, {4, 1, 32}), counterFormatBlock(0), timecodeBlock(0, 0, ""),
          fixedTempoBlock(120.0, true), meterMapBlock({})},
         0},
    };
}

Seeds markerSeeds()
{
    MemoryLocation selection{7, 3, 2, "Verse", 48000, 96000, {{0, 0, 0}, {200, 40, 10}}};
    MemoryLocation marker{2, 0, 1, "Hit", 1000, 1000, {{10, 20, 30}}};
    MemoryLocation none{5, 0, 8, "None", 0, 0, {{1, 2, 3}}};
    MemoryLocation sameNumber{2, 1, 9, "", 5000, 5000, {}};
    return {{"markers",
             {memoryLocationBlock(selection), memoryLocationBlock(marker), memoryLocationBlock(none),
              memoryLocationBlock(sameNumber)},
             0}};
}

Seeds mediaSeeds()
{
    ClipSpec kick{"Kick-01", 0, 48000, 0x50, 0x50, 0};
    ClipSpec snare{"Snare-01", 1000, 24000, 0x30, 0x30, 1};
    ClipSpec loose{"Loose", 0, 100, 0x50, 0x50, std::nullopt};
    return {{"media",
             {audioFileListBlock({folderEntry("Audio Files"), fileEntry("Kick.wav"),
                                  fileEntry("Snare.aif", "AIFF"), fileEntry("Odd.xyz", "XYZ?", 1, 5),
                                  folderEntry("Bounces"), fileEntry("Mix.wav", "WAVE", 2, 0),
                                  locationEntry("Macintosh HD"), folderEntry("Sessions")},
                                 0),
              clipListBlock({kick, snare, loose}), clipGroupNameBlock("Drums"),
              clipGroupMembersBlock({{0, 0}, {1, 24000}})},
             0}};
}

PluginKey pluginKey(uint8_t maker, uint8_t product)
{
    return {'K', 'S', 'T', 'X', maker, 0, 0, 0, product, 0, 0, 1};
}

Seeds trackSeeds()
{
    constexpr uint8_t kAudio = 0, kAux = 2, kFolder = 11;
    constexpr uint8_t kMono = 0, kStereo = 1;
    const std::vector<Block> tracks = {
        trackBlock({"Drums", kFolder, std::nullopt, 1, 3}),
        trackBlock({"Kick", kAudio, kMono, 2, 12}),
        trackBlock({"Overheads", kAudio, kStereo, 3, 65534}),
        trackBlock({"Verb", kAux, kStereo, 4, 40}),
    };
    const Block folders = folderBlock({{1, 2}, {2, 0}, {3, 0}, {4, 0}});
    const Block playlists = playlistsBlock({
        playlistBlock("Kick", {placementListBlock({{0, 48000, 65534, false},
                                                   {0, kMusicalPosition + 960000, 5, false}})}),
        playlistBlock("", {placementListBlock({{0, 0, 65534, true}})}),
        playlistBlock("", {placementListBlock({{1, 96000, 65534, false}}, true)}),
    });
    const Block definitions = pluginDefinitionBlock("Kestrix EQ", pluginKey(1, 1));
    const Block moreDefinitions = pluginDefinitionBlock("Kestrix Verb", pluginKey(2, 1));
    const Block settings = trackSettingsBlock({
        trackSettingsRecord(2, {insertListBlock({pluginSlotBlock(pluginKey(1, 1), true), emptySlotBlock(),
                                                 pluginSlotBlock(pluginKey(9, 9), true, 0x2617)}),
                                commentBlock("Close mic")}),
        trackSettingsRecord(4, {nestedSettingsBlock({insertListBlock(
                                    {pluginSlotBlock(pluginKey(2, 1), false, 0x2618)})})},
                            0x2620),
    });

    Seed linked{"tracks", tracks, 0};
    for (const Block &b : {folders, playlists, definitions, moreDefinitions, settings})
        linked.blocks.push_back(b);
    return {linked};
}

// Every builder's seeds, then all their blocks in one session, so that the
// extractions that use earlier results (placements need clips and the tempo,
// plug-ins need tracks) meet real data; that session once more with its
// blocks straddling the first 4096-byte key run of scheme 5.
Seeds allSeeds()
{
    Seeds seeds;
    for (const Seeds &part : {propertySeeds(), markerSeeds(), mediaSeeds(), trackSeeds()})
        seeds.insert(seeds.end(), part.begin(), part.end());
    Seed whole{"session", {}, 0};
    for (const Seed &seed : seeds)
        whole.blocks.insert(whole.blocks.end(), seed.blocks.begin(), seed.blocks.end());
    seeds.push_back(whole);
    seeds.push_back({"session-straddling", whole.blocks, 4000});
    return seeds;
}

struct Variant {
    const char *tag;
    bool bigEndian;
    uint8_t scheme;
    uint8_t seed;
};

// Scheme 1 with seed 0 leaves the body plain, which the mutations handle
// best; scheme 5 changes its key every 4096 bytes, so it scrambles only the
// longer seeds.
constexpr Variant kVariants[] = {
    {"le-plain", false, 1, 0x00}, {"be-plain", true, 1, 0x00},
    {"le-s1", false, 1, 0x35},    {"be-s1", true, 1, 0x35},
    {"le-s5", false, 5, 0x4b},    {"be-s5", true, 5, 0x4b},
};

bool writeSeed(const fs::path &dir, const Seed &seed, const Variant &variant)
{
    SessionFile file;
    file.bigEndian = variant.bigEndian;
    file.scheme = variant.scheme;
    file.seed = variant.seed;
    file.zeros(seed.leadingJunk);
    for (const Block &b : seed.blocks)
        file.block(b);
    const fs::path path = dir / (seed.name + "-" + variant.tag + ".ptx");
    if (file.write(path.string()))
        return true;
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-seed-corpus OUTPUT_DIR\n");
        return 2;
    }
    const fs::path dir = argv[1];
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "cannot create %s: %s\n", dir.string().c_str(), ec.message().c_str());
        return 1;
    }

    bool ok = true;
    size_t written = 0;
    for (const Seed &seed : allSeeds())
        for (const Variant &variant : kVariants) {
            if (writeSeed(dir, seed, variant))
                ++written;
            else
                ok = false;
        }
    std::printf("wrote %zu seed sessions to %s\n", written, dir.string().c_str());
    return ok ? 0 : 1;
}
