// Replays a session file through the whole flat reader interface: open, every
// accessor over every index of every list (one before and one past each end
// included), free. The fuzzers run it on every input and the reader tests on
// every input the fuzzers saved, so that the sanitizers see every byte the
// reader reads and hands out.
//
// Header-only: the writer library does not link the reader, so whoever
// includes this must (for ptx_reader.h).
#ifndef KESTRIX_TEST_SESSION_REPLAY_H
#define KESTRIX_TEST_SESSION_REPLAY_H

#include "ptx_reader.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace ptxtest {

namespace replay_detail {

struct Readout {
    size_t nullStrings = 0;
    // Volatile so that no length is optimised away: measuring a string is
    // what lets the sanitizers check every byte up to its NUL.
    volatile size_t textBytes = 0;
};

inline void readText(Readout &r, const char *text)
{
    if (!text)
        ++r.nullStrings;
    else
        r.textBytes = r.textBytes + std::strlen(text);
}

// Visits -1 .. count: both ends must give the defaults without a fault.
template <class Visit>
void eachIndex(int count, Visit &&visit)
{
    for (int64_t i = -1; i <= count; ++i)
        visit(int(i));
}

inline void readTracks(Readout &r, const ptx_session *s)
{
    eachIndex(ptx_track_count(s), [&](int t) {
        readText(r, ptx_track_name(s, t));
        readText(r, ptx_track_format_name(s, t));
        readText(r, ptx_track_comment(s, t));
        readText(r, ptx_track_parent_name(s, t));
        (void)ptx_track_type(s, t);
        (void)ptx_track_color_index(s, t);
        (void)ptx_track_depth(s, t);
        (void)ptx_track_is_folder(s, t);
        (void)ptx_track_child_count(s, t);
        eachIndex(ptx_track_placement_count(s, t), [&](int k) {
            (void)ptx_track_placement_clip(s, t, k);
            (void)ptx_track_placement_is_group(s, t, k);
            (void)ptx_track_placement_group(s, t, k);
            (void)ptx_track_placement_position(s, t, k);
            (void)ptx_track_placement_color(s, t, k);
        });
        eachIndex(ptx_track_plugin_count(s, t), [&](int k) {
            readText(r, ptx_track_plugin_name(s, t, k));
            (void)ptx_track_plugin_active(s, t, k);
            (void)ptx_track_plugin_id(s, t, k);
        });
    });
}

inline void readMedia(Readout &r, const ptx_session *s)
{
    eachIndex(ptx_clip_count(s), [&](int c) {
        readText(r, ptx_clip_name(s, c));
        (void)ptx_clip_file_index(s, c);
        (void)ptx_clip_sample_offset(s, c);
        (void)ptx_clip_sample_length(s, c);
    });
    eachIndex(ptx_clip_group_count(s), [&](int g) {
        readText(r, ptx_clip_group_name(s, g));
        eachIndex(ptx_clip_group_member_count(s, g), [&](int m) {
            (void)ptx_clip_group_member_clip(s, g, m);
            (void)ptx_clip_group_member_offset(s, g, m);
        });
    });
    eachIndex(ptx_audio_file_count(s), [&](int f) {
        readText(r, ptx_audio_file_name(s, f));
        readText(r, ptx_audio_file_path(s, f));
        readText(r, ptx_audio_file_type_tag(s, f));
        (void)ptx_audio_file_unhandled(s, f);
    });
}

inline void readSessionWide(Readout &r, const ptx_session *s)
{
    (void)ptx_session_sample_rate(s);
    (void)ptx_session_bit_depth(s);
    (void)ptx_session_is_float(s);
    (void)ptx_session_audio_format(s);
    (void)ptx_session_frame_rate_code(s);
    (void)ptx_session_interleaved(s);
    (void)ptx_session_pan_depth(s);
    (void)ptx_session_start(s);
    readText(r, ptx_session_length_text(s));
    (void)ptx_session_main_counter_format(s);
    (void)ptx_session_has_fixed_tempo(s);
    (void)ptx_session_fixed_tempo(s);
    eachIndex(ptx_session_tempo_count(s), [&](int i) { (void)ptx_session_tempo_bpm(s, i); });
    eachIndex(ptx_session_meter_count(s), [&](int i) {
        (void)ptx_session_meter_numerator(s, i);
        (void)ptx_session_meter_denominator(s, i);
    });
    eachIndex(ptx_active_plugin_count(s), [&](int i) { readText(r, ptx_active_plugin_name(s, i)); });
    eachIndex(ptx_inactive_plugin_count(s), [&](int i) { readText(r, ptx_inactive_plugin_name(s, i)); });
    eachIndex(ptx_memory_location_count(s), [&](int i) {
        readText(r, ptx_memory_location_name(s, i));
        readText(r, ptx_memory_location_type_name(s, i));
        (void)ptx_memory_location_number(s, i);
        (void)ptx_memory_location_type(s, i);
        (void)ptx_memory_location_reference(s, i);
        (void)ptx_memory_location_start(s, i);
        (void)ptx_memory_location_end(s, i);
        (void)ptx_memory_location_color_r(s, i);
        (void)ptx_memory_location_color_g(s, i);
        (void)ptx_memory_location_color_b(s, i);
    });
}

} // namespace replay_detail

// Opens the file at path and reads every value. Returns which promise of the
// interface was broken, or "" when none was: exactly one of a session and an
// error text comes back, and no string accessor returns NULL.
inline std::string replaySession(const char *path)
{
    char *error = nullptr;
    ptx_session *s = ptx_session_open(path, &error);
    std::string fault;
    if (s && error)
        fault = "an open that succeeded also gave an error text";
    else if (!s && (!error || std::strcmp(error, "Failed to parse session") != 0))
        fault = "a failed open did not give the text \"Failed to parse session\"";
    std::free(error);

    replay_detail::Readout readout;
    replay_detail::readSessionWide(readout, s);
    replay_detail::readTracks(readout, s);
    replay_detail::readMedia(readout, s);
    ptx_session_free(s);
    if (fault.empty() && readout.nullStrings)
        fault = "a string accessor returned NULL";
    return fault;
}

} // namespace ptxtest

#endif
