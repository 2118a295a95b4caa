#include "reader_json.h"

#include "json_text.h"

using kestrix::json::Writer;

namespace {

void write_properties(Writer &w, const ptx_session *s)
{
    w.key("sample_rate").value(ptx_session_sample_rate(s));
    w.key("bit_depth").value(uint32_t(ptx_session_bit_depth(s)));
    w.key("is_float").value(uint32_t(ptx_session_is_float(s)));
    w.key("audio_format").value(uint32_t(ptx_session_audio_format(s)));
    w.key("frame_rate_code").value(uint32_t(ptx_session_frame_rate_code(s)));
    w.key("interleaved").value(int32_t(ptx_session_interleaved(s)));
    w.key("pan_depth").value(uint32_t(ptx_session_pan_depth(s)));
    w.key("session_start").value(ptx_session_start(s));
    w.key("length_text").value(ptx_session_length_text(s));
    w.key("main_counter_format").value(uint32_t(ptx_session_main_counter_format(s)));
    w.key("has_fixed_tempo").value(uint32_t(ptx_session_has_fixed_tempo(s)));
    w.key("fixed_tempo").value(ptx_session_fixed_tempo(s));
    w.key("tempo_bpm").beginArray();
    for (int i = 0; i < ptx_session_tempo_count(s); ++i)
        w.value(ptx_session_tempo_bpm(s, i));
    w.endArray();
    w.key("meters").beginArray();
    for (int i = 0; i < ptx_session_meter_count(s); ++i)
        w.beginArray()
            .value(ptx_session_meter_numerator(s, i))
            .value(ptx_session_meter_denominator(s, i))
            .endArray();
    w.endArray();
}

void write_track(Writer &w, const ptx_session *s, int t)
{
    w.beginObject();
    w.key("name").value(ptx_track_name(s, t));
    w.key("type").value(uint32_t(ptx_track_type(s, t)));
    w.key("format_name").value(ptx_track_format_name(s, t));
    w.key("color_index").value(uint32_t(ptx_track_color_index(s, t)));
    w.key("comment").value(ptx_track_comment(s, t));
    w.key("depth").value(ptx_track_depth(s, t));
    w.key("parent_name").value(ptx_track_parent_name(s, t));
    w.key("is_folder").value(uint32_t(ptx_track_is_folder(s, t)));
    w.key("child_count").value(ptx_track_child_count(s, t));
    w.key("placements").beginArray();
    for (int k = 0; k < ptx_track_placement_count(s, t); ++k) {
        w.beginObject();
        w.key("clip").value(ptx_track_placement_clip(s, t, k));
        w.key("group").value(ptx_track_placement_group(s, t, k));
        w.key("is_group").value(ptx_track_placement_is_group(s, t, k));
        w.key("position").value(ptx_track_placement_position(s, t, k));
        w.key("color").value(uint32_t(ptx_track_placement_color(s, t, k)));
        w.endObject();
    }
    w.endArray();
    w.key("plugins").beginArray();
    for (int k = 0; k < ptx_track_plugin_count(s, t); ++k) {
        w.beginObject();
        w.key("name").value(ptx_track_plugin_name(s, t, k));
        w.key("active").value(uint32_t(ptx_track_plugin_active(s, t, k)));
        w.key("id").value(ptx_track_plugin_id(s, t, k));
        w.endObject();
    }
    w.endArray();
    w.endObject();
}

void write_media(Writer &w, const ptx_session *s)
{
    w.key("clips").beginArray();
    for (int c = 0; c < ptx_clip_count(s); ++c) {
        w.beginObject();
        w.key("name").value(ptx_clip_name(s, c));
        w.key("file_index").value(ptx_clip_file_index(s, c));
        w.key("sample_offset").value(ptx_clip_sample_offset(s, c));
        w.key("sample_length").value(ptx_clip_sample_length(s, c));
        w.endObject();
    }
    w.endArray();
    w.key("clip_groups").beginArray();
    for (int g = 0; g < ptx_clip_group_count(s); ++g) {
        w.beginObject();
        w.key("name").value(ptx_clip_group_name(s, g));
        w.key("members").beginArray();
        for (int m = 0; m < ptx_clip_group_member_count(s, g); ++m) {
            w.beginObject();
            w.key("clip").value(ptx_clip_group_member_clip(s, g, m));
            w.key("offset").value(ptx_clip_group_member_offset(s, g, m));
            w.endObject();
        }
        w.endArray();
        w.endObject();
    }
    w.endArray();
    w.key("audio_files").beginArray();
    for (int f = 0; f < ptx_audio_file_count(s); ++f) {
        w.beginObject();
        w.key("name").value(ptx_audio_file_name(s, f));
        w.key("path").value(ptx_audio_file_path(s, f));
        w.key("type_tag").value(ptx_audio_file_type_tag(s, f));
        w.key("unhandled").value(uint32_t(ptx_audio_file_unhandled(s, f)));
        w.endObject();
    }
    w.endArray();
}

void write_plugin_lists(Writer &w, const ptx_session *s)
{
    w.key("active_plugins").beginArray();
    for (int i = 0; i < ptx_active_plugin_count(s); ++i)
        w.value(ptx_active_plugin_name(s, i));
    w.endArray();
    w.key("inactive_plugins").beginArray();
    for (int i = 0; i < ptx_inactive_plugin_count(s); ++i)
        w.value(ptx_inactive_plugin_name(s, i));
    w.endArray();
}

void write_memory_locations(Writer &w, const ptx_session *s)
{
    w.key("memory_locations").beginArray();
    for (int i = 0; i < ptx_memory_location_count(s); ++i) {
        w.beginObject();
        w.key("number").value(ptx_memory_location_number(s, i));
        w.key("name").value(ptx_memory_location_name(s, i));
        w.key("type").value(uint32_t(ptx_memory_location_type(s, i)));
        w.key("type_name").value(ptx_memory_location_type_name(s, i));
        w.key("reference").value(uint32_t(ptx_memory_location_reference(s, i)));
        w.key("start").value(ptx_memory_location_start(s, i));
        w.key("end").value(ptx_memory_location_end(s, i));
        w.key("color").beginArray()
            .value(uint32_t(ptx_memory_location_color_r(s, i)))
            .value(uint32_t(ptx_memory_location_color_g(s, i)))
            .value(uint32_t(ptx_memory_location_color_b(s, i)))
            .endArray();
        w.endObject();
    }
    w.endArray();
}

} // namespace

std::string reader_json(const ptx_session *s)
{
    Writer w;
    w.beginObject();
    write_properties(w, s);
    w.key("tracks").beginArray();
    for (int t = 0; t < ptx_track_count(s); ++t)
        write_track(w, s, t);
    w.endArray();
    write_media(w, s);
    write_plugin_lists(w, s);
    write_memory_locations(w, s);
    w.endObject();
    return w.text();
}
