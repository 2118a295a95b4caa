// Audio files, clips, tracks, plug-ins and memory locations.
#include "session_readers.h"

#include <algorithm>

namespace kestrix {

namespace {

std::string text(const char *s) { return s ? std::string(s) : std::string(); }

std::vector<PTXAudioFile> readAudioFiles(const ptx_session *s)
{
    std::vector<PTXAudioFile> files;
    const int count = ptx_audio_file_count(s);
    files.reserve(size_t(std::max(count, 0)));
    for (int f = 0; f < count; ++f)
        files.push_back({text(ptx_audio_file_name(s, f)), text(ptx_audio_file_path(s, f)),
                         text(ptx_audio_file_type_tag(s, f)), ptx_audio_file_unhandled(s, f) != 0});
    return files;
}

// The session's clip list: not placed yet, so at position 0 without colour.
std::vector<PTXClipInfo> readClips(const ptx_session *s)
{
    std::vector<PTXClipInfo> clips;
    const int count = ptx_clip_count(s);
    clips.reserve(size_t(std::max(count, 0)));
    for (int c = 0; c < count; ++c) {
        std::string name = text(ptx_clip_name(s, c));
        clips.push_back({name, std::move(name), ptx_clip_file_index(s, c), ptx_clip_sample_offset(s, c),
                         ptx_clip_sample_length(s, c), 0, kNoColorIndex});
    }
    return clips;
}

// Appends a copy of clip `index` placed at `position`; indices outside the
// clip list are dropped.
void placeClip(const std::vector<PTXClipInfo> &clips, int64_t index, uint64_t position, uint16_t color,
               std::vector<PTXClipInfo> &out)
{
    if (index < 0 || uint64_t(index) >= clips.size())
        return;
    PTXClipInfo placed = clips[size_t(index)];
    placed.timelinePosition = position;
    placed.colorIndex = color;
    out.push_back(std::move(placed));
}

// A group placement puts every member clip at the placement position plus
// the member's offset, all in the placement's colour.
std::vector<PTXClipInfo> readTrackClips(const ptx_session *s, int t, const std::vector<PTXClipInfo> &clips)
{
    std::vector<PTXClipInfo> placed;
    const int count = ptx_track_placement_count(s, t);
    placed.reserve(size_t(std::max(count, 0)));
    for (int k = 0; k < count; ++k) {
        const uint64_t position = ptx_track_placement_position(s, t, k);
        const uint16_t color = ptx_track_placement_color(s, t, k);
        if (!ptx_track_placement_is_group(s, t, k)) {
            placeClip(clips, ptx_track_placement_clip(s, t, k), position, color, placed);
            continue;
        }
        const int32_t g = ptx_track_placement_group(s, t, k);
        if (g < 0)
            continue;
        for (int m = 0; m < ptx_clip_group_member_count(s, g); ++m)
            placeClip(clips, ptx_clip_group_member_clip(s, g, m), position + ptx_clip_group_member_offset(s, g, m),
                      color, placed);
    }
    return placed;
}

std::vector<PTXTrackPlugin> readTrackPlugins(const ptx_session *s, int t)
{
    std::vector<PTXTrackPlugin> plugins;
    for (int k = 0; k < ptx_track_plugin_count(s, t); ++k) {
        const int32_t id = ptx_track_plugin_id(s, t, k);
        plugins.push_back({id < 0 ? k : id, text(ptx_track_plugin_name(s, t, k)), ptx_track_plugin_active(s, t, k) != 0});
    }
    return plugins;
}

PTXTrackInfo readTrack(const ptx_session *s, int t, const std::vector<PTXClipInfo> &clips)
{
    PTXTrackInfo track;
    track.name = text(ptx_track_name(s, t));
    track.type = trackTypeFromRawValue(ptx_track_type(s, t)).value_or(PTXTrackType::unknown);
    track.format.name = text(ptx_track_format_name(s, t));
    if (track.format.name.empty())
        track.format.name = "Unknown";
    track.colorIndex = ptx_track_color_index(s, t);
    track.comment = text(ptx_track_comment(s, t));
    track.plugins = readTrackPlugins(s, t);
    track.clips = readTrackClips(s, t, clips);
    track.depth = ptx_track_depth(s, t);
    if (std::string parent = text(ptx_track_parent_name(s, t)); !parent.empty())
        track.parentName = std::move(parent);
    track.isFolder = ptx_track_is_folder(s, t) != 0;
    track.childCount = ptx_track_child_count(s, t);
    return track;
}

std::vector<std::string> readNames(const ptx_session *s, int (*count)(const ptx_session *),
                                   const char *(*name)(const ptx_session *, int))
{
    std::vector<std::string> names;
    for (int i = 0; i < count(s); ++i)
        names.push_back(text(name(s, i)));
    return names;
}

std::vector<PTXMemoryLocation> readMemoryLocations(const ptx_session *s)
{
    std::vector<PTXMemoryLocation> locations;
    for (int i = 0; i < ptx_memory_location_count(s); ++i) {
        const int64_t number = ptx_memory_location_number(s, i);
        locations.push_back({number, number, text(ptx_memory_location_name(s, i)),
                             text(ptx_memory_location_type_name(s, i)), ptx_memory_location_type(s, i),
                             ptx_memory_location_reference(s, i), ptx_memory_location_start(s, i),
                             ptx_memory_location_end(s, i), ptx_memory_location_color_r(s, i),
                             ptx_memory_location_color_g(s, i), ptx_memory_location_color_b(s, i)});
    }
    std::stable_sort(locations.begin(), locations.end(),
                     [](const PTXMemoryLocation &a, const PTXMemoryLocation &b) { return a.number < b.number; });
    return locations;
}

} // namespace

void readSessionRecords(const ptx_session *s, PTXSessionInfo &info)
{
    info.audioFiles = readAudioFiles(s);
    info.clips = readClips(s);
    info.clipCount = ptx_clip_count(s);

    const int trackCount = ptx_track_count(s);
    info.tracks.reserve(size_t(std::max(trackCount, 0)));
    for (int t = 0; t < trackCount; ++t)
        info.tracks.push_back(readTrack(s, t, info.clips));
    info.audioTrackCount = std::count_if(info.tracks.begin(), info.tracks.end(),
                                         [](const PTXTrackInfo &track) { return track.type == PTXTrackType::audio; });

    info.activePlugins = readNames(s, ptx_active_plugin_count, ptx_active_plugin_name);
    info.deactivatedPlugins = readNames(s, ptx_inactive_plugin_count, ptx_inactive_plugin_name);
    info.memoryLocations = readMemoryLocations(s);
}

} // namespace kestrix
