#include "session_recipe.h"

#include "inspect_runner.h"
#include "media_blocks.h"
#include "property_blocks.h"
#include "session_source.h"
#include "track_blocks.h"

#include <algorithm>
#include <stdexcept>

namespace comparetest {

namespace {

template <class T, class Name>
uint32_t indexOf(const std::vector<T> &items, const std::string &name, Name nameOf)
{
    const auto found = std::find_if(items.begin(), items.end(), [&](const T &item) { return nameOf(item) == name; });
    if (found == items.end())
        throw std::invalid_argument("the recipe names no \"" + name + "\"");
    return uint32_t(found - items.begin());
}

uint32_t clipIndex(const Recipe &recipe, const std::string &name)
{
    return indexOf(recipe.clips, name, [](const Clip &c) { return c.name; });
}

ptxw::TrackIdentifier trackId(const Recipe &recipe, const std::string &name)
{
    return 1000 + indexOf(recipe.tracks, name, [](const Track &t) { return t.name; });
}

// Every plug-in named in the inserts, once, keyed by its position in the list.
std::vector<std::string> pluginNames(const Recipe &recipe)
{
    std::vector<std::string> names;
    for (const Track &track : recipe.tracks)
        for (const Insert &insert : track.inserts)
            if (std::find(names.begin(), names.end(), insert.plugin) == names.end())
                names.push_back(insert.plugin);
    return names;
}

ptxw::PluginKey pluginKey(uint32_t index)
{
    ptxw::PluginKey key{'K', 't', 's', 't', 'P', 'l', 'g', 'n', 'm', 'o', 'n', 'o'};
    key[4] = uint8_t('A' + index / 26);
    key[5] = uint8_t('A' + index % 26);
    return key;
}

ptxw::Block audioFiles(const Recipe &recipe)
{
    std::vector<ptxw::AudioListEntry> entries = {ptxw::folderEntry("Audio Files")};
    for (const std::string &file : recipe.files)
        entries.push_back(ptxw::fileEntry(file));
    entries.push_back(ptxw::locationEntry("Media"));
    entries.push_back(ptxw::folderEntry("Sessions"));
    return ptxw::audioFileListBlock(entries, uint32_t(entries.size() - 1));
}

ptxw::Block clipList(const Recipe &recipe)
{
    std::vector<ptxw::ClipSpec> specs;
    for (const Clip &clip : recipe.clips)
        specs.push_back({.name = clip.name,
                         .sampleOffset = clip.offset,
                         .sampleLength = clip.length,
                         .fileIndex = indexOf(recipe.files, clip.file, [](const std::string &f) { return f; })});
    return ptxw::clipListBlock(specs);
}

} // namespace

ptxw::SessionFile sessionFile(const Recipe &recipe)
{
    ptxw::SessionFile file;
    file.block(ptxw::sessionFormatBlock(recipe.sampleRate, 3))
        .block(ptxw::timecodeBlock(7, 0, "00:10:00:00"))
        .block(ptxw::meterMapBlock({{0, 4, 4}}))
        .block(audioFiles(recipe))
        .block(clipList(recipe));

    // One group for each placement that needs one, named after its order.
    std::vector<ptxw::Block> playlists;
    uint32_t groups = 0;
    for (const Track &track : recipe.tracks) {
        std::vector<ptxw::PlacementSpec> placements;
        for (const Placement &p : track.placements) {
            if (p.groupOffset == 0) {
                placements.push_back({clipIndex(recipe, p.clip), p.position});
                continue;
            }
            file.block(ptxw::clipGroupNameBlock("Group " + std::to_string(groups)));
            file.block(ptxw::clipGroupMembersBlock({{clipIndex(recipe, p.clip), p.groupOffset}}));
            placements.push_back({groups++, p.position, 65534, true});
        }
        if (!placements.empty())
            playlists.push_back(ptxw::playlistBlock(track.name, {ptxw::placementListBlock(placements)}));
    }

    std::vector<ptxw::FolderRecord> folders;
    for (const Track &track : recipe.tracks) {
        file.block(ptxw::trackBlock({track.name, track.type, track.format, trackId(recipe, track.name), track.color}));
        const auto children = std::count_if(recipe.tracks.begin(), recipe.tracks.end(),
                                            [&](const Track &t) { return t.folder == track.name; });
        if (children > 0)
            folders.push_back({trackId(recipe, track.name), uint32_t(children)});
        for (const Track &child : recipe.tracks)
            if (child.folder == track.name)
                folders.push_back({trackId(recipe, child.name), 0});
    }
    if (!folders.empty())
        file.block(ptxw::folderBlock(folders));
    if (!playlists.empty())
        file.block(ptxw::playlistsBlock(playlists));

    const std::vector<std::string> plugins = pluginNames(recipe);
    for (uint32_t i = 0; i < plugins.size(); ++i)
        file.block(ptxw::pluginDefinitionBlock(plugins[i], pluginKey(i)));
    std::vector<ptxw::Block> settings;
    for (const Track &track : recipe.tracks) {
        std::vector<ptxw::Block> children;
        if (!track.inserts.empty()) {
            std::vector<ptxw::Block> slots;
            for (const Insert &insert : track.inserts)
                slots.push_back(ptxw::pluginSlotBlock(
                    pluginKey(indexOf(plugins, insert.plugin, [](const std::string &n) { return n; })),
                    insert.active ? 1 : 0));
            children.push_back(ptxw::insertListBlock(slots));
        }
        if (!track.comment.empty())
            children.push_back(ptxw::commentBlock(track.comment));
        if (!children.empty())
            settings.push_back(ptxw::trackSettingsRecord(trackId(recipe, track.name), children));
    }
    if (!settings.empty())
        file.block(ptxw::trackSettingsBlock(settings));

    for (const ptxw::MemoryLocation &location : recipe.locations)
        file.block(ptxw::memoryLocationBlock(location));
    return file;
}

Recipe baseRecipe()
{
    Recipe r;
    r.files = {"Kick.wav", "Snare.wav", "Dialog.wav"};
    r.clips = {{"Kick_01", "Kick.wav", 0, 24000},
               {"Snare_02", "Snare.wav", 0, 96000},
               {"Dialog_01", "Dialog.wav", 48000, 480000},
               {"Room", "Dialog.wav", 0, 96000}};
    r.tracks = {{.name = "Drums", .type = 11},  // a folder
                {.name = "Kick", .comment = "sample replace", .inserts = {{"Gate"}, {"EQ"}},
                 .placements = {{"Kick_01", 0}, {"Kick_01", 96000}, {"Kick_01", 192000}}, .folder = "Drums"},
                {.name = "Snare", .inserts = {{"EQ", false}},
                 .placements = {{"Snare_02", 48000}, {"Snare_02", 480000}}, .folder = "Drums"},
                {.name = "Dialog", .placements = {{"Room", 0}, {"Dialog_01", 960000}}},
                {.name = "Music"}, {.name = "FX"}, {.name = "Temp"}};
    r.locations = {{1, 0, 1, "Intro", 0, 0, {}}, {3, 0, 1, "Chorus", 2400000, 2400000, {}}};
    return r;
}

std::string writeSession(const Recipe &recipe)
{
    static int counter = 0;
    const std::string path = inspecttest::tempPath("compare-" + std::to_string(counter++) + ".ptx");
    if (!sessionFile(recipe).write(path))
        throw std::runtime_error("cannot write " + path);
    return path;
}

kestrix::PTXSessionInfo readSession(const Recipe &recipe)
{
    auto session = kestrix::openForComparison(writeSession(recipe));
    if (!session)
        throw std::runtime_error("the reader refused a written session: " + session.error());
    return std::move(session).value();
}

kestrix::SessionDiff compareRecipes(const Recipe &oldRecipe, const Recipe &newRecipe)
{
    return kestrix::compareSessions(readSession(oldRecipe), readSession(newRecipe));
}

size_t differenceCount(const kestrix::SessionDiff &d)
{
    return d.properties.size() + d.tracksAdded.size() + d.tracksRemoved.size() + d.tracksChanged.size() +
           d.clipsAdded.size() + d.clipsRemoved.size() + d.clipsMoved.size() + d.clipsTrimmed.size() +
           d.filesAdded.size() + d.filesRemoved.size() + d.pluginsAdded.size() + d.pluginsRemoved.size() +
           d.locationsAdded.size() + d.locationsRemoved.size() + d.locationsChanged.size();
}

} // namespace comparetest
