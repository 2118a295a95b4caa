// The session record behind a reader handle, and the context the extractions
// share while a file is parsed. C++ only; never exposed across the interface.
#ifndef KESTRIX_PTX_SESSION_RECORD_H
#define KESTRIX_PTX_SESSION_RECORD_H

#include "ptx_container.h"

#include <cstdint>
#include <string>
#include <vector>

struct ptx_clip_placement {
    int32_t clip_index = -1;   // -1 when the placement refers to a group
    int32_t group_index = -1;  // -1 when it refers to a single clip
    uint32_t position = 0;     // samples, clamped to 32 bits
    uint16_t color_index = 65534;
};

struct ptx_track_plugin {
    std::string name;
    uint8_t active = 0;
    int32_t id = -1;
};

struct ptx_track {
    std::string name;
    uint8_t type = 255;
    uint8_t format_code = 255;
    std::string format_name = "Unknown";
    uint16_t color_index = 65534;
    std::vector<ptx_clip_placement> placements;
    std::vector<ptx_track_plugin> plugins;
    std::string comment;
    uint32_t depth = 0;
    std::string parent_name;
    uint8_t is_folder = 0;
    uint32_t child_count = 0;
    // Track-settings linking: each is taken from the first settings record.
    bool plugins_done = false;
    bool comment_done = false;
};

struct ptx_clip {
    std::string name;
    int32_t file_index = -1;
    uint64_t sample_offset = 0;
    uint64_t sample_length = 0;
};

struct ptx_clip_group_member {
    int32_t clip_index = -1;
    uint64_t offset = 0;
};

struct ptx_clip_group {
    std::string name;
    std::vector<ptx_clip_group_member> members;
};

struct ptx_audio_file {
    std::string name;
    std::string path;
    uint8_t unhandled_type = 0;
    std::string type_tag;
};

struct ptx_memory_location {
    uint32_t number = 0;
    std::string name;
    uint8_t type = 0;
    uint8_t reference = 0;
    uint64_t start = 0;
    uint64_t end = 0;
    uint8_t color_r = 0, color_g = 0, color_b = 0;
};

struct ptx_tempo_event {
    double bpm = 0.0;
    uint64_t position = 0;
};

struct ptx_meter_event {
    uint32_t numerator = 0;
    uint32_t denominator = 0;
};

struct ptx_session {
    uint32_t sample_rate = 0;
    uint8_t bit_depth = 0;
    uint8_t is_float = 0;
    uint8_t audio_format = 0;
    uint8_t frame_rate_code = 0;
    int8_t interleaved = -1;
    uint8_t pan_depth = 0;
    uint32_t session_start = 0;
    uint8_t main_counter_format = 255;
    std::string session_length_text;
    std::vector<ptx_track> tracks;
    std::vector<ptx_audio_file> audio_files;
    std::vector<ptx_clip> clips;
    std::vector<ptx_clip_group> clip_groups;
    std::vector<std::string> active_plugins;
    std::vector<std::string> inactive_plugins;
    std::vector<ptx_tempo_event> tempo_map;
    uint8_t has_fixed_tempo = 0;
    double fixed_tempo = 120.0;
    std::vector<ptx_meter_event> meter_map;
    std::vector<ptx_memory_location> memory_locations;
};

namespace ptx {

// What every extraction reads: the plain file buffer, its byte order, the
// block tree and its index. Valid only during the parse.
struct ParseContext {
    const uint8_t *buf = nullptr;
    uint32_t size = 0;
    bool be = false;
    const ptx_block *top = nullptr;
    uint32_t top_count = 0;
    const ptx_block_index *index = nullptr;

    // Blocks of one indexed content type, in pre-order.
    const ptx_block_list &list(uint16_t content_type) const;
    // True when [offset, offset + width) lies inside the file.
    bool fits(uint64_t offset, uint64_t width) const { return offset + width <= size; }
    uint8_t u8(uint32_t o) const { return buf[o]; }
    uint16_t u16(uint32_t o) const { return ptx_read_u16(buf, o, be); }
    uint32_t u32(uint32_t o) const { return ptx_read_u32(buf, o, be); }
    uint64_t u64(uint32_t o) const { return ptx_read_u64(buf, o, be); }
    uint16_t u16le(uint32_t o) const { return ptx_read_u16(buf, o, false); }
    uint32_t u32le(uint32_t o) const { return ptx_read_u32(buf, o, false); }
    uint64_t u64le(uint32_t o) const { return ptx_read_u64(buf, o, false); }
    double f64le(uint32_t o) const;
    std::string text(uint32_t o, uint32_t length) const
    {
        return std::string(reinterpret_cast<const char *>(buf + o), length);
    }
};

// The first child of `block` with the given content type, or null.
const ptx_block *first_child(const ptx_block &block, uint16_t content_type);

} // namespace ptx

#endif
