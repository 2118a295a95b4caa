// The accessors of the flat reader interface. Each checks its handle and
// indices and falls back to the documented default.
#include "ptx_reader.h"
#include "ptx_session_record.h"

namespace {

template <class T>
const T *at(const std::vector<T> &list, int i)
{
    return i >= 0 && size_t(i) < list.size() ? &list[size_t(i)] : nullptr;
}

int count_of(size_t n)
{
    return n > size_t(INT32_MAX) ? INT32_MAX : int(n);
}

const ptx_track *track(const ptx_session *s, int t) { return s ? at(s->tracks, t) : nullptr; }

const ptx_clip_placement *placement(const ptx_session *s, int t, int k)
{
    const ptx_track *tr = track(s, t);
    return tr ? at(tr->placements, k) : nullptr;
}

const ptx_track_plugin *plugin(const ptx_session *s, int t, int k)
{
    const ptx_track *tr = track(s, t);
    return tr ? at(tr->plugins, k) : nullptr;
}

const ptx_clip *clip(const ptx_session *s, int c) { return s ? at(s->clips, c) : nullptr; }
const ptx_clip_group *group(const ptx_session *s, int g) { return s ? at(s->clip_groups, g) : nullptr; }

const ptx_clip_group_member *member(const ptx_session *s, int g, int m)
{
    const ptx_clip_group *gr = group(s, g);
    return gr ? at(gr->members, m) : nullptr;
}

const ptx_audio_file *audio_file(const ptx_session *s, int f) { return s ? at(s->audio_files, f) : nullptr; }

const ptx_memory_location *location(const ptx_session *s, int i)
{
    return s ? at(s->memory_locations, i) : nullptr;
}

const char *name_at(const ptx_session *s, const std::vector<std::string> ptx_session::*list, int i)
{
    const std::string *name = s ? at(s->*list, i) : nullptr;
    return name ? name->c_str() : "";
}

const char *memory_location_type_text(uint8_t type)
{
    switch (type) {
    case 1: return "marker";
    case 2: return "selection";
    case 8: return "none";
    case 9: return "marker";
    default: return "";
    }
}

} // namespace

extern "C" {

uint32_t ptx_session_sample_rate(const ptx_session *s) { return s ? s->sample_rate : 0; }
uint8_t ptx_session_bit_depth(const ptx_session *s) { return s ? s->bit_depth : 0; }
uint8_t ptx_session_is_float(const ptx_session *s) { return s ? s->is_float : 0; }
uint8_t ptx_session_audio_format(const ptx_session *s) { return s ? s->audio_format : 0; }
uint8_t ptx_session_frame_rate_code(const ptx_session *s) { return s ? s->frame_rate_code : 0; }
int ptx_session_interleaved(const ptx_session *s) { return s ? s->interleaved : -1; }
uint8_t ptx_session_pan_depth(const ptx_session *s) { return s ? s->pan_depth : 0; }
uint32_t ptx_session_start(const ptx_session *s) { return s ? s->session_start : 0; }
const char *ptx_session_length_text(const ptx_session *s) { return s ? s->session_length_text.c_str() : ""; }
uint8_t ptx_session_main_counter_format(const ptx_session *s) { return s ? s->main_counter_format : 255; }
uint8_t ptx_session_has_fixed_tempo(const ptx_session *s) { return s ? s->has_fixed_tempo : 0; }
double ptx_session_fixed_tempo(const ptx_session *s) { return s ? s->fixed_tempo : 0.0; }
int ptx_session_tempo_count(const ptx_session *s) { return s ? count_of(s->tempo_map.size()) : 0; }

double ptx_session_tempo_bpm(const ptx_session *s, int i)
{
    const ptx_tempo_event *e = s ? at(s->tempo_map, i) : nullptr;
    return e ? e->bpm : 0.0;
}

int ptx_session_meter_count(const ptx_session *s) { return s ? count_of(s->meter_map.size()) : 0; }

uint32_t ptx_session_meter_numerator(const ptx_session *s, int i)
{
    const ptx_meter_event *e = s ? at(s->meter_map, i) : nullptr;
    return e ? e->numerator : 0;
}

uint32_t ptx_session_meter_denominator(const ptx_session *s, int i)
{
    const ptx_meter_event *e = s ? at(s->meter_map, i) : nullptr;
    return e ? e->denominator : 0;
}

int ptx_track_count(const ptx_session *s) { return s ? count_of(s->tracks.size()) : 0; }
const char *ptx_track_name(const ptx_session *s, int t) { auto *r = track(s, t); return r ? r->name.c_str() : ""; }
uint8_t ptx_track_type(const ptx_session *s, int t) { auto *r = track(s, t); return r ? r->type : 255; }
const char *ptx_track_format_name(const ptx_session *s, int t) { auto *r = track(s, t); return r ? r->format_name.c_str() : ""; }
uint16_t ptx_track_color_index(const ptx_session *s, int t) { auto *r = track(s, t); return r ? r->color_index : 65534; }
const char *ptx_track_comment(const ptx_session *s, int t) { auto *r = track(s, t); return r ? r->comment.c_str() : ""; }
uint32_t ptx_track_depth(const ptx_session *s, int t) { auto *r = track(s, t); return r ? r->depth : 0; }
const char *ptx_track_parent_name(const ptx_session *s, int t) { auto *r = track(s, t); return r ? r->parent_name.c_str() : ""; }
uint8_t ptx_track_is_folder(const ptx_session *s, int t) { auto *r = track(s, t); return r ? r->is_folder : 0; }
uint32_t ptx_track_child_count(const ptx_session *s, int t) { auto *r = track(s, t); return r ? r->child_count : 0; }
int ptx_track_placement_count(const ptx_session *s, int t) { auto *r = track(s, t); return r ? count_of(r->placements.size()) : 0; }
int32_t ptx_track_placement_clip(const ptx_session *s, int t, int k) { auto *p = placement(s, t, k); return p ? p->clip_index : -1; }
bool ptx_track_placement_is_group(const ptx_session *s, int t, int k) { auto *p = placement(s, t, k); return p && p->group_index >= 0; }
int32_t ptx_track_placement_group(const ptx_session *s, int t, int k) { auto *p = placement(s, t, k); return p ? p->group_index : -1; }
uint32_t ptx_track_placement_position(const ptx_session *s, int t, int k) { auto *p = placement(s, t, k); return p ? p->position : 0; }
uint16_t ptx_track_placement_color(const ptx_session *s, int t, int k) { auto *p = placement(s, t, k); return p ? p->color_index : 65534; }
int ptx_track_plugin_count(const ptx_session *s, int t) { auto *r = track(s, t); return r ? count_of(r->plugins.size()) : 0; }
const char *ptx_track_plugin_name(const ptx_session *s, int t, int k) { auto *p = plugin(s, t, k); return p ? p->name.c_str() : ""; }
uint8_t ptx_track_plugin_active(const ptx_session *s, int t, int k) { auto *p = plugin(s, t, k); return p ? p->active : 0; }
int32_t ptx_track_plugin_id(const ptx_session *s, int t, int k) { auto *p = plugin(s, t, k); return p ? p->id : -1; }

int ptx_clip_count(const ptx_session *s) { return s ? count_of(s->clips.size()) : 0; }
const char *ptx_clip_name(const ptx_session *s, int c) { auto *r = clip(s, c); return r ? r->name.c_str() : ""; }
int32_t ptx_clip_file_index(const ptx_session *s, int c) { auto *r = clip(s, c); return r ? r->file_index : -1; }
uint64_t ptx_clip_sample_offset(const ptx_session *s, int c) { auto *r = clip(s, c); return r ? r->sample_offset : 0; }
uint64_t ptx_clip_sample_length(const ptx_session *s, int c) { auto *r = clip(s, c); return r ? r->sample_length : 0; }
int ptx_clip_group_count(const ptx_session *s) { return s ? count_of(s->clip_groups.size()) : 0; }
const char *ptx_clip_group_name(const ptx_session *s, int g) { auto *r = group(s, g); return r ? r->name.c_str() : ""; }
int ptx_clip_group_member_count(const ptx_session *s, int g) { auto *r = group(s, g); return r ? count_of(r->members.size()) : 0; }
int32_t ptx_clip_group_member_clip(const ptx_session *s, int g, int m) { auto *r = member(s, g, m); return r ? r->clip_index : -1; }
uint64_t ptx_clip_group_member_offset(const ptx_session *s, int g, int m) { auto *r = member(s, g, m); return r ? r->offset : 0; }
int ptx_audio_file_count(const ptx_session *s) { return s ? count_of(s->audio_files.size()) : 0; }
const char *ptx_audio_file_name(const ptx_session *s, int f) { auto *r = audio_file(s, f); return r ? r->name.c_str() : ""; }
const char *ptx_audio_file_path(const ptx_session *s, int f) { auto *r = audio_file(s, f); return r ? r->path.c_str() : ""; }
const char *ptx_audio_file_type_tag(const ptx_session *s, int f) { auto *r = audio_file(s, f); return r ? r->type_tag.c_str() : ""; }
uint8_t ptx_audio_file_unhandled(const ptx_session *s, int f) { auto *r = audio_file(s, f); return r ? r->unhandled_type : 0; }

int ptx_active_plugin_count(const ptx_session *s) { return s ? count_of(s->active_plugins.size()) : 0; }
const char *ptx_active_plugin_name(const ptx_session *s, int i) { return name_at(s, &ptx_session::active_plugins, i); }
int ptx_inactive_plugin_count(const ptx_session *s) { return s ? count_of(s->inactive_plugins.size()) : 0; }
const char *ptx_inactive_plugin_name(const ptx_session *s, int i) { return name_at(s, &ptx_session::inactive_plugins, i); }
int ptx_memory_location_count(const ptx_session *s) { return s ? count_of(s->memory_locations.size()) : 0; }
uint32_t ptx_memory_location_number(const ptx_session *s, int i) { auto *r = location(s, i); return r ? r->number : 0; }
const char *ptx_memory_location_name(const ptx_session *s, int i) { auto *r = location(s, i); return r ? r->name.c_str() : ""; }
uint8_t ptx_memory_location_type(const ptx_session *s, int i) { auto *r = location(s, i); return r ? r->type : 0; }
const char *ptx_memory_location_type_name(const ptx_session *s, int i) { auto *r = location(s, i); return r ? memory_location_type_text(r->type) : ""; }
uint8_t ptx_memory_location_reference(const ptx_session *s, int i) { auto *r = location(s, i); return r ? r->reference : 0; }
uint64_t ptx_memory_location_start(const ptx_session *s, int i) { auto *r = location(s, i); return r ? r->start : 0; }
uint64_t ptx_memory_location_end(const ptx_session *s, int i) { auto *r = location(s, i); return r ? r->end : 0; }
uint8_t ptx_memory_location_color_r(const ptx_session *s, int i) { auto *r = location(s, i); return r ? r->color_r : 0; }
uint8_t ptx_memory_location_color_g(const ptx_session *s, int i) { auto *r = location(s, i); return r ? r->color_g : 0; }
uint8_t ptx_memory_location_color_b(const ptx_session *s, int i) { auto *r = location(s, i); return r ? r->color_b : 0; }

const char *ptx_track_format_name_for_code(uint8_t code)
{
    static const char *const names[] = {
        "Mono", "Stereo", "LCR", "Quad", "LCRS", "5.0", "5.1", "6.0",
        "6.1", "7.0 SDDS", "7.1 SDDS", "Unknown", "Unknown", "7.0", "7.1",
    };
    return code < sizeof names / sizeof names[0] ? names[code] : "Unknown";
}

} // extern "C"
