#include "reader_json.h"

#include "json_text.h"

#include <ranges>

using kestrix::Json;
using kestrix::json::number;
using kestrix::json::setArray;
using kestrix::json::setText;
using kestrix::json::text;

namespace {

// The indices 0 ..< count of one of the reader's lists.
auto indices(int count)
{
    return std::views::iota(0, count);
}

// A JSON array of fill(element, i) for i in 0 ..< count.
template <class Fill>
Json array(int count, Fill fill)
{
    Json list;
    setArray(list, indices(count), fill);
    return list;
}

void add_properties(kestrix::json::ObjectWriter &w, const ptx_session *s)
{
    w.member("sample_rate", ptx_session_sample_rate(s))
        .member("bit_depth", uint32_t(ptx_session_bit_depth(s)))
        .member("is_float", uint32_t(ptx_session_is_float(s)))
        .member("audio_format", uint32_t(ptx_session_audio_format(s)))
        .member("frame_rate_code", uint32_t(ptx_session_frame_rate_code(s)))
        .member("interleaved", int32_t(ptx_session_interleaved(s)))
        .member("pan_depth", uint32_t(ptx_session_pan_depth(s)))
        .member("session_start", ptx_session_start(s))
        .member("length_text", text(ptx_session_length_text(s)))
        .member("main_counter_format", uint32_t(ptx_session_main_counter_format(s)))
        .member("has_fixed_tempo", uint32_t(ptx_session_has_fixed_tempo(s)))
        .member("fixed_tempo", number(ptx_session_fixed_tempo(s)))
        .member("tempo_bpm", array(ptx_session_tempo_count(s),
                                   [s](Json &j, int i) { j = number(ptx_session_tempo_bpm(s, i)); }))
        .member("meters", array(ptx_session_meter_count(s), [s](Json &j, int i) {
                    j = {ptx_session_meter_numerator(s, i), ptx_session_meter_denominator(s, i)};
                }));
}

void track(Json &j, const ptx_session *s, int t)
{
    setText(j["name"], ptx_track_name(s, t));
    j["type"] = uint32_t(ptx_track_type(s, t));
    setText(j["format_name"], ptx_track_format_name(s, t));
    j["color_index"] = uint32_t(ptx_track_color_index(s, t));
    setText(j["comment"], ptx_track_comment(s, t));
    j["depth"] = ptx_track_depth(s, t);
    setText(j["parent_name"], ptx_track_parent_name(s, t));
    j["is_folder"] = uint32_t(ptx_track_is_folder(s, t));
    j["child_count"] = ptx_track_child_count(s, t);
    setArray(j["placements"], indices(ptx_track_placement_count(s, t)), [s, t](Json &p, int k) {
        p["clip"] = ptx_track_placement_clip(s, t, k);
        p["group"] = ptx_track_placement_group(s, t, k);
        p["is_group"] = ptx_track_placement_is_group(s, t, k);
        p["position"] = ptx_track_placement_position(s, t, k);
        p["color"] = uint32_t(ptx_track_placement_color(s, t, k));
    });
    setArray(j["plugins"], indices(ptx_track_plugin_count(s, t)), [s, t](Json &p, int k) {
        setText(p["name"], ptx_track_plugin_name(s, t, k));
        p["active"] = uint32_t(ptx_track_plugin_active(s, t, k));
        p["id"] = ptx_track_plugin_id(s, t, k);
    });
}

void clip(Json &j, const ptx_session *s, int c)
{
    setText(j["name"], ptx_clip_name(s, c));
    j["file_index"] = ptx_clip_file_index(s, c);
    j["sample_offset"] = ptx_clip_sample_offset(s, c);
    j["sample_length"] = ptx_clip_sample_length(s, c);
}

void clip_group(Json &j, const ptx_session *s, int g)
{
    setText(j["name"], ptx_clip_group_name(s, g));
    setArray(j["members"], indices(ptx_clip_group_member_count(s, g)), [s, g](Json &member, int m) {
        member["clip"] = ptx_clip_group_member_clip(s, g, m);
        member["offset"] = ptx_clip_group_member_offset(s, g, m);
    });
}

void audio_file(Json &j, const ptx_session *s, int f)
{
    setText(j["name"], ptx_audio_file_name(s, f));
    setText(j["path"], ptx_audio_file_path(s, f));
    setText(j["type_tag"], ptx_audio_file_type_tag(s, f));
    j["unhandled"] = uint32_t(ptx_audio_file_unhandled(s, f));
}

void memory_location(Json &j, const ptx_session *s, int i)
{
    j["number"] = ptx_memory_location_number(s, i);
    setText(j["name"], ptx_memory_location_name(s, i));
    j["type"] = uint32_t(ptx_memory_location_type(s, i));
    setText(j["type_name"], ptx_memory_location_type_name(s, i));
    j["reference"] = uint32_t(ptx_memory_location_reference(s, i));
    j["start"] = ptx_memory_location_start(s, i);
    j["end"] = ptx_memory_location_end(s, i);
    j["color"] = {uint32_t(ptx_memory_location_color_r(s, i)), uint32_t(ptx_memory_location_color_g(s, i)),
                  uint32_t(ptx_memory_location_color_b(s, i))};
}

} // namespace

void write_reader_json(const ptx_session *s, std::FILE *out)
{
    // Each list's elements filled in from the handle by index.
    const auto of = [s](auto fill) { return [s, fill](Json &j, int i) { fill(j, s, i); }; };
    kestrix::json::ObjectWriter w(out);
    add_properties(w, s);
    w.list("tracks", indices(ptx_track_count(s)), of(track))
        .list("clips", indices(ptx_clip_count(s)), of(clip))
        .list("clip_groups", indices(ptx_clip_group_count(s)), of(clip_group))
        .list("audio_files", indices(ptx_audio_file_count(s)), of(audio_file))
        .list("active_plugins", indices(ptx_active_plugin_count(s)),
              [s](Json &j, int i) { setText(j, ptx_active_plugin_name(s, i)); })
        .list("inactive_plugins", indices(ptx_inactive_plugin_count(s)),
              [s](Json &j, int i) { setText(j, ptx_inactive_plugin_name(s, i)); })
        .list("memory_locations", indices(ptx_memory_location_count(s)), of(memory_location));
    w.finish();
}
