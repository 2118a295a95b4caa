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
#include <tuple>

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

// Calls every accessor with the arguments (the session and its indices).
template <class Args, class... Accessor>
void readValues(const Args &args, Accessor... accessor)
{
    ((void)std::apply(accessor, args), ...);
}

template <class Args, class... Accessor>
void readTexts(Readout &r, const Args &args, Accessor... accessor)
{
    (readText(r, std::apply(accessor, args)), ...);
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
        readTexts(r, std::tuple(s, t), ptx_track_name, ptx_track_format_name, ptx_track_comment,
                  ptx_track_parent_name);
        readValues(std::tuple(s, t), ptx_track_type, ptx_track_color_index, ptx_track_depth, ptx_track_is_folder,
                   ptx_track_child_count);
        eachIndex(ptx_track_placement_count(s, t), [&](int k) {
            readValues(std::tuple(s, t, k), ptx_track_placement_clip, ptx_track_placement_is_group,
                       ptx_track_placement_group, ptx_track_placement_position, ptx_track_placement_color);
        });
        eachIndex(ptx_track_plugin_count(s, t), [&](int k) {
            readText(r, ptx_track_plugin_name(s, t, k));
            readValues(std::tuple(s, t, k), ptx_track_plugin_active, ptx_track_plugin_id);
        });
    });
}

inline void readMedia(Readout &r, const ptx_session *s)
{
    eachIndex(ptx_clip_count(s), [&](int c) {
        readText(r, ptx_clip_name(s, c));
        readValues(std::tuple(s, c), ptx_clip_file_index, ptx_clip_sample_offset, ptx_clip_sample_length);
    });
    eachIndex(ptx_clip_group_count(s), [&](int g) {
        readText(r, ptx_clip_group_name(s, g));
        eachIndex(ptx_clip_group_member_count(s, g), [&](int m) {
            readValues(std::tuple(s, g, m), ptx_clip_group_member_clip, ptx_clip_group_member_offset);
        });
    });
    eachIndex(ptx_audio_file_count(s), [&](int f) {
        readTexts(r, std::tuple(s, f), ptx_audio_file_name, ptx_audio_file_path, ptx_audio_file_type_tag);
        (void)ptx_audio_file_unhandled(s, f);
    });
}

inline void readSessionWide(Readout &r, const ptx_session *s)
{
    readValues(std::tuple(s), ptx_session_sample_rate, ptx_session_bit_depth, ptx_session_is_float,
               ptx_session_audio_format, ptx_session_frame_rate_code, ptx_session_interleaved, ptx_session_pan_depth,
               ptx_session_start, ptx_session_main_counter_format, ptx_session_has_fixed_tempo,
               ptx_session_fixed_tempo);
    readText(r, ptx_session_length_text(s));
    eachIndex(ptx_session_tempo_count(s), [&](int i) { (void)ptx_session_tempo_bpm(s, i); });
    eachIndex(ptx_session_meter_count(s), [&](int i) {
        readValues(std::tuple(s, i), ptx_session_meter_numerator, ptx_session_meter_denominator);
    });
    eachIndex(ptx_active_plugin_count(s), [&](int i) { readText(r, ptx_active_plugin_name(s, i)); });
    eachIndex(ptx_inactive_plugin_count(s), [&](int i) { readText(r, ptx_inactive_plugin_name(s, i)); });
    eachIndex(ptx_memory_location_count(s), [&](int i) {
        readTexts(r, std::tuple(s, i), ptx_memory_location_name, ptx_memory_location_type_name);
        readValues(std::tuple(s, i), ptx_memory_location_number, ptx_memory_location_type,
                   ptx_memory_location_reference, ptx_memory_location_start, ptx_memory_location_end,
                   ptx_memory_location_color_r, ptx_memory_location_color_g, ptx_memory_location_color_b);
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
