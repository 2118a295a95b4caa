#include "reader_summary.h"

#include <sstream>

std::string reader_summary(const ptx_session *s, const std::string &session_name)
{
    std::ostringstream out;
    out << "Session: " << session_name << '\n'
        << "  Sample rate:     " << ptx_session_sample_rate(s) << " Hz\n"
        << "  Bit depth:       " << unsigned(ptx_session_bit_depth(s))
        << (ptx_session_is_float(s) ? " float" : "") << '\n'
        << "  Audio format:    " << unsigned(ptx_session_audio_format(s)) << '\n'
        << "  Frame-rate code: " << unsigned(ptx_session_frame_rate_code(s)) << '\n'
        << "  Start:           " << ptx_session_start(s) << '\n'
        << "  Length:          " << ptx_session_length_text(s) << '\n'
        << "  Tempo events:    " << ptx_session_tempo_count(s) << '\n'
        << "  Meter events:    " << ptx_session_meter_count(s) << '\n';
    out << "Tracks: " << ptx_track_count(s) << '\n';
    for (int t = 0; t < ptx_track_count(s); ++t)
        out << "  " << std::string(2 * ptx_track_depth(s, t), ' ') << ptx_track_name(s, t) << " ("
            << ptx_track_format_name(s, t) << ", " << ptx_track_placement_count(s, t) << " clips)\n";
    out << "Clips: " << ptx_clip_count(s) << '\n'
        << "Clip groups: " << ptx_clip_group_count(s) << '\n'
        << "Audio files: " << ptx_audio_file_count(s) << '\n';
    for (int f = 0; f < ptx_audio_file_count(s); ++f)
        out << "  " << ptx_audio_file_path(s, f) << '\n';
    out << "Plug-ins: " << ptx_active_plugin_count(s) << " active, " << ptx_inactive_plugin_count(s)
        << " inactive\n"
        << "Memory locations: " << ptx_memory_location_count(s) << '\n';
    for (int i = 0; i < ptx_memory_location_count(s); ++i)
        out << "  " << ptx_memory_location_number(s, i) << ". " << ptx_memory_location_name(s, i) << '\n';
    return out.str();
}
