/* Kestrix session-file reader: the flat interface.
 *
 * One call opens and fully parses a .ptx file and returns an opaque handle;
 * every value is fetched through a small accessor taking the handle first.
 * Accessors never fail: a null handle or an index outside 0..count-1 returns
 * the default documented next to each function. Strings are NUL-terminated,
 * owned by the handle and valid until ptx_session_free; the default string
 * is "", never NULL.
 */
#ifndef KESTRIX_PTX_READER_H
#define KESTRIX_PTX_READER_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ptx_session ptx_session;

/* Opens and parses the file at ptx_path. On failure returns NULL and, when
 * error_out is given, stores a malloc'ed message the caller frees:
 * "ptx_path is NULL" or "Failed to parse session". */
ptx_session *ptx_session_open(const char *ptx_path, char **error_out);
void ptx_session_free(ptx_session *session);

/* Session scalars. */
uint32_t ptx_session_sample_rate(const ptx_session *s);         /* 0 */
uint8_t ptx_session_bit_depth(const ptx_session *s);            /* 0 */
uint8_t ptx_session_is_float(const ptx_session *s);             /* 0 */
uint8_t ptx_session_audio_format(const ptx_session *s);         /* 0 */
uint8_t ptx_session_frame_rate_code(const ptx_session *s);      /* 0 */
int ptx_session_interleaved(const ptx_session *s);              /* -1 */
uint8_t ptx_session_pan_depth(const ptx_session *s);            /* 0 */
uint32_t ptx_session_start(const ptx_session *s);               /* 0 */
const char *ptx_session_length_text(const ptx_session *s);      /* "" */
uint8_t ptx_session_main_counter_format(const ptx_session *s);  /* 255 */
uint8_t ptx_session_has_fixed_tempo(const ptx_session *s);      /* 0 */
double ptx_session_fixed_tempo(const ptx_session *s);           /* 0.0 */
int ptx_session_tempo_count(const ptx_session *s);              /* 0 */
double ptx_session_tempo_bpm(const ptx_session *s, int i);      /* 0.0 */
int ptx_session_meter_count(const ptx_session *s);              /* 0 */
uint32_t ptx_session_meter_numerator(const ptx_session *s, int i);   /* 0 */
uint32_t ptx_session_meter_denominator(const ptx_session *s, int i); /* 0 */

/* Tracks (index t) and their placements and plug-ins (index k). */
int ptx_track_count(const ptx_session *s);                          /* 0 */
const char *ptx_track_name(const ptx_session *s, int t);            /* "" */
uint8_t ptx_track_type(const ptx_session *s, int t);                /* 255 */
const char *ptx_track_format_name(const ptx_session *s, int t);     /* "" */
uint16_t ptx_track_color_index(const ptx_session *s, int t);        /* 65534 */
const char *ptx_track_comment(const ptx_session *s, int t);         /* "" */
uint32_t ptx_track_depth(const ptx_session *s, int t);              /* 0 */
const char *ptx_track_parent_name(const ptx_session *s, int t);     /* "" */
uint8_t ptx_track_is_folder(const ptx_session *s, int t);           /* 0 */
uint32_t ptx_track_child_count(const ptx_session *s, int t);        /* 0 */
int ptx_track_placement_count(const ptx_session *s, int t);         /* 0 */
int32_t ptx_track_placement_clip(const ptx_session *s, int t, int k);     /* -1 */
bool ptx_track_placement_is_group(const ptx_session *s, int t, int k);    /* false */
int32_t ptx_track_placement_group(const ptx_session *s, int t, int k);    /* -1 */
uint32_t ptx_track_placement_position(const ptx_session *s, int t, int k);/* 0 */
uint16_t ptx_track_placement_color(const ptx_session *s, int t, int k);   /* 65534 */
int ptx_track_plugin_count(const ptx_session *s, int t);                  /* 0 */
const char *ptx_track_plugin_name(const ptx_session *s, int t, int k);    /* "" */
uint8_t ptx_track_plugin_active(const ptx_session *s, int t, int k);      /* 0 */
int32_t ptx_track_plugin_id(const ptx_session *s, int t, int k);          /* -1 */

/* Clips (index c), clip groups (index g, member m) and audio files (index f). */
int ptx_clip_count(const ptx_session *s);                           /* 0 */
const char *ptx_clip_name(const ptx_session *s, int c);             /* "" */
int32_t ptx_clip_file_index(const ptx_session *s, int c);           /* -1 */
uint64_t ptx_clip_sample_offset(const ptx_session *s, int c);       /* 0 */
uint64_t ptx_clip_sample_length(const ptx_session *s, int c);       /* 0 */
int ptx_clip_group_count(const ptx_session *s);                     /* 0 */
const char *ptx_clip_group_name(const ptx_session *s, int g);       /* "" */
int ptx_clip_group_member_count(const ptx_session *s, int g);       /* 0 */
int32_t ptx_clip_group_member_clip(const ptx_session *s, int g, int m);    /* -1 */
uint64_t ptx_clip_group_member_offset(const ptx_session *s, int g, int m); /* 0 */
int ptx_audio_file_count(const ptx_session *s);                     /* 0 */
const char *ptx_audio_file_name(const ptx_session *s, int f);       /* "" */
const char *ptx_audio_file_path(const ptx_session *s, int f);       /* "" */
const char *ptx_audio_file_type_tag(const ptx_session *s, int f);   /* "" */
uint8_t ptx_audio_file_unhandled(const ptx_session *s, int f);      /* 0 */

/* Session-wide plug-in name lists and memory locations. */
int ptx_active_plugin_count(const ptx_session *s);                  /* 0 */
const char *ptx_active_plugin_name(const ptx_session *s, int i);    /* "" */
int ptx_inactive_plugin_count(const ptx_session *s);                /* 0 */
const char *ptx_inactive_plugin_name(const ptx_session *s, int i);  /* "" */
int ptx_memory_location_count(const ptx_session *s);                /* 0 */
uint32_t ptx_memory_location_number(const ptx_session *s, int i);   /* 0 */
const char *ptx_memory_location_name(const ptx_session *s, int i);  /* "" */
uint8_t ptx_memory_location_type(const ptx_session *s, int i);      /* 0 */
const char *ptx_memory_location_type_name(const ptx_session *s, int i); /* "" */
uint8_t ptx_memory_location_reference(const ptx_session *s, int i); /* 0 */
uint64_t ptx_memory_location_start(const ptx_session *s, int i);    /* 0 */
uint64_t ptx_memory_location_end(const ptx_session *s, int i);      /* 0 */
uint8_t ptx_memory_location_color_r(const ptx_session *s, int i);   /* 0 */
uint8_t ptx_memory_location_color_g(const ptx_session *s, int i);   /* 0 */
uint8_t ptx_memory_location_color_b(const ptx_session *s, int i);   /* 0 */

/* Channel-format name of a track format code: "Mono", "Stereo", ... or
 * "Unknown" for codes the table does not name. */
const char *ptx_track_format_name_for_code(uint8_t code);

#ifdef __cplusplus
}
#endif

#endif
