// Opening a session: load, descramble, parse the block tree, index it and run
// every extraction in a fixed order (later steps use earlier results).
#include "ptx_reader.h"
#include "ptx_extract.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace ptx {

const ptx_block_list &ParseContext::list(uint16_t content_type) const
{
    static const ptx_block_list empty{};
    const ptx_block_list *l = ptx_block_index_list(index, content_type);
    return l ? *l : empty;
}

double ParseContext::f64le(uint32_t o) const
{
    const uint64_t bits = u64le(o);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

const ptx_block *first_child(const ptx_block &block, uint16_t content_type)
{
    for (uint32_t k = 0; k < block.child_count; ++k)
        if (block.children[k].content_type == content_type)
            return &block.children[k];
    return nullptr;
}

static void run_extractions(const ParseContext &ctx, ptx_session &s)
{
    TrackLinks links;
    PluginDefs defs;
    read_session_format(ctx, s);
    read_counter_format(ctx, s);
    read_timecode(ctx, s);
    read_audio_files(ctx, s);
    read_tracks(ctx, s, links);
    read_folders(ctx, s, links);
    read_clips(ctx, s);
    read_clip_groups(ctx, s);
    read_tempo_map(ctx, s);
    read_fixed_tempo(ctx, s);
    read_playlists(ctx, s, links);
    read_plugin_definitions(ctx, defs);
    read_track_settings(ctx, s, links, defs);
    collect_plugin_names(s);
    read_meter_map(ctx, s);
    read_memory_locations(ctx, s);
}

// Owns the file buffer, the block tree and its index for one parse.
struct ParseResources {
    uint8_t *buffer = nullptr;
    uint32_t size = 0;
    ptx_block *blocks = nullptr;
    uint32_t count = 0;
    ptx_block_index index{};
    ~ParseResources()
    {
        ptx_block_index_free(&index);
        ptx_free_blocks(blocks, count);
        std::free(buffer);
    }
};

static ptx_session *parse_session(const char *path)
{
    ParseResources res;
    if (ptx_load_file(path, &res.buffer, &res.size) != PTX_OK || !res.buffer)
        return nullptr;
    if (ptx_parse_blocks(res.buffer, res.size, -1, PTX_HEADER_SIZE, &res.blocks, &res.count) != PTX_OK
        || res.count == 0)
        return nullptr;
    if (!ptx_index_blocks(&res.index, res.blocks, res.count))
        return nullptr;

    ParseContext ctx;
    ctx.buf = res.buffer;
    ctx.size = res.size;
    ctx.be = ptx_is_big_endian(res.buffer, res.size);
    ctx.top = res.blocks;
    ctx.top_count = res.count;
    ctx.index = &res.index;

    auto session = std::make_unique<ptx_session>();
    run_extractions(ctx, *session);
    return session.release();
}

} // namespace ptx

static void set_error(char **error_out, const char *text)
{
    if (!error_out)
        return;
    const size_t n = std::strlen(text) + 1;
    if (auto *copy = static_cast<char *>(std::malloc(n))) {
        std::memcpy(copy, text, n);
        *error_out = copy;
    }
}

extern "C" ptx_session *ptx_session_open(const char *ptx_path, char **error_out)
{
    if (error_out)
        *error_out = nullptr;
    if (!ptx_path) {
        set_error(error_out, "ptx_path is NULL");
        return nullptr;
    }
    ptx_session *session = nullptr;
    try {
        session = ptx::parse_session(ptx_path);
    } catch (...) {
        session = nullptr;  // out of memory while building the record
    }
    if (!session)
        set_error(error_out, "Failed to parse session");
    return session;
}

extern "C" void ptx_session_free(ptx_session *session)
{
    delete session;
}
