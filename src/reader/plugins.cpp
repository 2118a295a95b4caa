// Plug-in definitions (0x1017) and the session-wide lists of plug-in names.
#include "ptx_extract.h"

#include <algorithm>
#include <unordered_set>

namespace ptx {

// Each definition: a flag byte at offset+2 (0xFF: no definition), the name
// counted at offset+3 and the 12-byte key right after the name.
void read_plugin_definitions(const ParseContext &ctx, PluginDefs &defs)
{
    const ptx_block_list &blocks = ctx.list(0x1017);
    for (uint32_t k = 0; k < blocks.count; ++k) {
        const uint64_t o = blocks.items[k]->offset;
        if (o + 3 >= ctx.size || ctx.u8(uint32_t(o + 2)) == 0xFF)
            continue;
        uint32_t name_length = 0;
        const uint8_t *name = ptx_read_counted(ctx.buf, ctx.size, uint32_t(o + 3), ctx.be, &name_length);
        if (!name || name_length == 0)
            continue;
        const uint64_t key_at = o + name_length + 7;
        if (!ctx.fits(key_at, PluginDefs::kKeySize))
            continue;
        std::string key = ctx.text(uint32_t(key_at), PluginDefs::kKeySize);
        std::string text(reinterpret_cast<const char *>(name), name_length);
        defs.by_short_key.try_emplace(key.substr(0, PluginDefs::kShortKeySize), text);
        defs.by_key.insert_or_assign(std::move(key), std::move(text));
    }
}

const std::string *PluginDefs::name_for(const std::string &key) const
{
    if (const auto full = by_key.find(key); full != by_key.end())
        return &full->second;
    const auto shortened = by_short_key.find(key.substr(0, kShortKeySize));
    return shortened == by_short_key.end() ? nullptr : &shortened->second;
}

void collect_plugin_names(ptx_session &s)
{
    std::unordered_set<std::string> active_seen, inactive_seen;
    for (const ptx_track &track : s.tracks) {
        for (const ptx_track_plugin &plugin : track.plugins) {
            auto &seen = plugin.active ? active_seen : inactive_seen;
            auto &names = plugin.active ? s.active_plugins : s.inactive_plugins;
            if (seen.insert(plugin.name).second)
                names.push_back(plugin.name);
        }
    }
    // A plug-in in use anywhere counts as active.
    std::erase_if(s.inactive_plugins, [&](const std::string &name) { return active_seen.count(name) != 0; });
}

} // namespace ptx
