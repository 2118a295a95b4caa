// Per-track settings (0x2624): each settings record names its track by
// identifier and carries the track's insert list and its comment.
#include "first_descendant.h"
#include "ptx_extract.h"

#include <algorithm>
#include <vector>

namespace ptx {

namespace {

constexpr uint16_t kSettingsTypes[] = {0x261c, 0x261e, 0x2620, 0x2621};
constexpr uint16_t kNestedSettings = 0x261b;
constexpr uint16_t kInsertList = 0x2627;
constexpr uint16_t kPluginSlots[] = {0x2616, 0x2617, 0x2618};
constexpr uint16_t kEmptySlot = 0x2625;
constexpr uint16_t kPluginHolder = 0x2613;
constexpr uint16_t kPluginKey = 0x1038;
constexpr uint16_t kComment = 0x2015;
constexpr uint32_t kMaxCommentLength = 10000;

template <size_t N>
bool is_one_of(uint16_t type, const uint16_t (&types)[N])
{
    return std::find(std::begin(types), std::end(types), type) != std::end(types);
}

// The searches one settings pass shares.
struct SettingsSearch {
    const ParseContext &ctx;
    const PluginDefs &defs;
    FirstDescendant holders{kPluginHolder};
    FirstDescendant comments{kComment};
};

// The key is stored as three 4-byte groups at offset+18, +22 and +26, each
// with its bytes reversed; the byte just past the key block is the active flag.
std::optional<ptx_track_plugin> read_plugin(SettingsSearch &search, const ptx_block &slot)
{
    const ParseContext &ctx = search.ctx;
    const ptx_block *holder = search.holders.in(slot);
    if (!holder)
        return std::nullopt;
    for (uint32_t k = 0; k < holder->child_count; ++k) {
        const ptx_block &b = holder->children[k];
        const uint64_t end = uint64_t(b.offset) + b.size;
        if (b.content_type != kPluginKey || !ctx.fits(b.offset, 30) || end >= ctx.size)
            continue;
        std::string key(PluginDefs::kKeySize, '\0');
        for (size_t i = 0; i < PluginDefs::kKeySize; ++i) {
            const size_t group = i / 4, within = i % 4;
            key[i] = char(ctx.u8(uint32_t(b.offset + 18 + 4 * group + 3 - within)));
        }
        const std::string *name = search.defs.name_for(key);
        if (!name)
            return std::nullopt;
        ptx_track_plugin plugin;
        plugin.name = *name;
        plugin.active = ctx.u8(uint32_t(end)) == 1;
        return plugin;
    }
    return std::nullopt;
}

// Slots are numbered in order, empty ones and unreadable ones included, so
// every plug-in keeps its slot number as its id.
void read_insert_list(SettingsSearch &search, const ptx_block &list, std::vector<ptx_track_plugin> &plugins)
{
    int32_t slot = 0;
    for (uint32_t k = 0; k < list.child_count; ++k) {
        const ptx_block &child = list.children[k];
        if (is_one_of(child.content_type, kPluginSlots)) {
            if (std::optional<ptx_track_plugin> plugin = read_plugin(search, child)) {
                plugin->id = slot;
                plugins.push_back(std::move(*plugin));
            }
            ++slot;
        } else if (child.content_type == kEmptySlot) {
            ++slot;
        }
    }
}

// Walks the record's children, entering nested settings (0x261b); each level
// ends at its first insert list.
std::vector<ptx_track_plugin> plugin_list(SettingsSearch &search, const ptx_block &record)
{
    struct Level {
        const ptx_block *block;
        uint32_t next;
    };
    std::vector<ptx_track_plugin> plugins;
    std::vector<Level> levels{{&record, 0}};
    while (!levels.empty()) {
        Level &level = levels.back();
        if (level.next == level.block->child_count) {
            levels.pop_back();
            continue;
        }
        const ptx_block &child = level.block->children[level.next++];
        if (child.content_type == kNestedSettings) {
            levels.push_back({&child, 0});
        } else if (child.content_type == kInsertList) {
            read_insert_list(search, child, plugins);
            levels.pop_back();
        }
    }
    return plugins;
}

// Length of the well-formed UTF-8 sequence at text[0] that encodes a
// printable character from U+00A0 on (no C1 controls, overlong forms or
// surrogates); 0 when there is none.
uint32_t printable_utf8_length(const uint8_t *text, uint32_t left)
{
    const uint8_t lead = text[0];
    const uint32_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || length > left || lead > 0xF4)
        return 0;
    uint32_t code = lead & (0x7F >> length);
    for (uint32_t i = 1; i < length; ++i) {
        if ((text[i] & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (text[i] & 0x3F);
    }
    const uint32_t smallest[] = {0, 0, 0xA0, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

// Printable text: ASCII letters, tab and line breaks, and characters of any
// script written as UTF-8; control bytes and broken sequences are not text.
bool is_comment_text(const uint8_t *text, uint32_t length)
{
    for (uint32_t i = 0; i < length;) {
        const uint8_t c = text[i];
        if ((c >= 0x20 && c <= 0x7E) || c == '\t' || c == '\n' || c == '\r') {
            ++i;
            continue;
        }
        const uint32_t n = printable_utf8_length(text + i, length - i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

// The comment is a counted text starting between offset+23 and offset+44 of
// the first 0x2015 block; the first plausible one is taken.
std::optional<std::string> find_comment(SettingsSearch &search, const ptx_block &record)
{
    const ParseContext &ctx = search.ctx;
    const ptx_block *block = search.comments.in(record);
    if (!block)
        return std::nullopt;
    const int64_t o = block->offset;
    const int64_t end = o + int64_t(block->size);
    const int64_t limit = std::min({int64_t(ctx.size), end - 5, o + 45});
    for (int64_t p = o + 23; p < limit; ++p) {
        if (p + 4 >= int64_t(ctx.size))
            return std::nullopt;
        const uint32_t length = ctx.u32(uint32_t(p));
        const int64_t text_end = p + 4 + int64_t(length);
        if (length < 1 || length >= kMaxCommentLength || text_end > end || text_end > int64_t(ctx.size))
            continue;
        if (is_comment_text(ctx.buf + p + 4, length))
            return ctx.text(uint32_t(p + 4), length);
    }
    return std::nullopt;
}

} // namespace

void read_track_settings(const ParseContext &ctx, ptx_session &s, const TrackLinks &links, const PluginDefs &defs)
{
    SettingsSearch search{ctx, defs};
    const ptx_block_list &blocks = ctx.list(0x2624);
    for (uint32_t k = 0; k < blocks.count; ++k) {
        const ptx_block &settings = *blocks.items[k];
        for (uint32_t i = 0; i < settings.child_count; ++i) {
            const ptx_block &record = settings.children[i];
            if (!is_one_of(record.content_type, kSettingsTypes))
                continue;
            const std::optional<TrackId> id = find_track_id(ctx, record);
            ptx_track *track = id ? links.track_for(s, *id) : nullptr;
            if (!track)
                continue;
            if (!track->plugins_done) {
                std::vector<ptx_track_plugin> plugins = plugin_list(search, record);
                if (!plugins.empty()) {
                    track->plugins = std::move(plugins);
                    track->plugins_done = true;
                }
            }
            if (!track->comment_done) {
                if (std::optional<std::string> comment = find_comment(search, record)) {
                    track->comment = std::move(*comment);
                    track->comment_done = true;
                }
            }
        }
    }
}

} // namespace ptx
