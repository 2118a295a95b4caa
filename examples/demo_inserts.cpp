#include "demo_inserts.h"

#include "demo_tracks.h"
#include "track_blocks.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace demo {

namespace {

// A plug-in is keyed by three four-character codes: maker, product and the
// channel format it runs in.
constexpr std::string_view kMaker = "Kdmo";
constexpr std::string_view kMono = "mono";
constexpr std::string_view kStereo = "strs";
constexpr std::string_view kMonoToStereo = "mnst";

struct PluginDef {
    std::string name;
    std::string_view product;
    std::string_view format;
};

struct Insert {
    std::string plugin;  // empty for an empty slot
    std::string_view format;
    bool active = true;
};

const Insert kEmptySlot;

struct Settings {
    std::string track;
    std::vector<Insert> inserts;
    std::string comment;
};

const std::vector<PluginDef> &pluginDefs()
{
    static const std::vector<PluginDef> defs = {
        {"Channel EQ", "ChEQ", kMono},     {"Channel EQ", "ChEQ", kStereo},
        {"Compressor", "Comp", kMono},     {"Compressor", "Comp", kStereo},
        {"Gate", "Gate", kMono},           {"Room Reverb", "Room", kStereo},
        {"Tape Delay", "Tape", kStereo},   {"Limiter", "Limt", kStereo},
        {"Stereo Widener", "Widn", kMonoToStereo}, {"String Machine", "StrM", kStereo},
        {"Click", "Clik", kMono},          {"De-Esser", "DeEs", kMono},
    };
    return defs;
}

const std::vector<Settings> &settings()
{
    static const std::vector<Settings> list = {
        {"Picture", {}, "Reference picture v3, 24 fps"},
        {"Click", {{"Click", kMono}}, ""},
        {"Drum Loop", {{"Channel EQ", kStereo}, {"Compressor", kStereo}}, ""},
        {"Kick", {{"Gate", kMono}, {"Channel EQ", kMono, false}}, "Replace with the final kick sample"},
        {"Snare", {{"Channel EQ", kMono}, kEmptySlot, {"Compressor", kMono, false}}, ""},
        {"Bass", {{"Compressor", kMono}}, ""},
        {"Piano", {{"Channel EQ", kMono, false}}, ""},
        {"Pad", {{"Stereo Widener", kMonoToStereo, false}}, ""},
        {"Lead Synth", {}, "MIDI doubles the piano top line"},
        {"Strings", {{"String Machine", kStereo}, {"Channel EQ", kStereo}}, ""},
        {"Ambience", {}, "5.1 bed delivered as multi-mono"},
        {"Reverb", {{"Room Reverb", kStereo}}, ""},
        {"Delay", {{"Tape Delay", kStereo, false}}, "Off for the temp mix"},
        {"Music Bus", {{"Compressor", kStereo}, {"Limiter", kStereo, false}}, ""},
        {"Main Mix", {kEmptySlot, {"Limiter", kStereo}}, "Print at -1 dBTP"},
    };
    return list;
}

ptxw::PluginKey keyOf(std::string_view product, std::string_view format)
{
    ptxw::PluginKey key{};
    auto out = std::copy(kMaker.begin(), kMaker.end(), key.begin());
    out = std::copy(product.begin(), product.end(), out);
    std::copy(format.begin(), format.end(), out);
    return key;
}

ptxw::Block slot(const Insert &insert)
{
    if (insert.plugin.empty())
        return ptxw::emptySlotBlock();
    const auto &defs = pluginDefs();
    const auto def = std::find_if(defs.begin(), defs.end(), [&](const PluginDef &d) {
        return d.name == insert.plugin && d.format == insert.format;
    });
    if (def == defs.end())
        throw std::invalid_argument("no " + std::string(insert.format) + " plug-in \"" + insert.plugin + "\"");
    return ptxw::pluginSlotBlock(keyOf(def->product, def->format), insert.active);
}

} // namespace

std::vector<ptxw::Block> pluginDefinitions()
{
    std::vector<ptxw::Block> blocks;
    for (const PluginDef &def : pluginDefs())
        blocks.push_back(ptxw::pluginDefinitionBlock(def.name, keyOf(def.product, def.format)));
    return blocks;
}

ptxw::Block trackSettings()
{
    std::vector<ptxw::Block> records;
    for (const Settings &s : settings()) {
        std::vector<ptxw::Block> children;
        if (!s.inserts.empty()) {
            std::vector<ptxw::Block> slots;
            for (const Insert &insert : s.inserts)
                slots.push_back(slot(insert));
            children.push_back(ptxw::insertListBlock(slots));
        }
        if (!s.comment.empty())
            children.push_back(ptxw::commentBlock(s.comment));
        records.push_back(ptxw::trackSettingsRecord(trackId(s.track), children));
    }
    return ptxw::trackSettingsBlock(records);
}

} // namespace demo
