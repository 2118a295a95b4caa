#include "import_bodies.h"

#include "ptsl_json.h"

namespace kestrix {

namespace {

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string escapedQuoted(std::string_view text)
{
    return quoted(jsonEscape(text));
}

template <typename Strings>
std::string stringArray(const Strings &strings, bool escape)
{
    std::string out = "[";
    bool first = true;
    for (const auto &s : strings) {
        if (!first)
            out += ",";
        first = false;
        out += escape ? escapedQuoted(s) : quoted(s);
    }
    return out + "]";
}

// "key": value
std::string member(std::string_view key, std::string_view value)
{
    return quoted(key) + ": " + std::string(value);
}

std::string samplePoint(uint64_t position)
{
    return "{" + member("time_type", quoted("BTType_Samples")) + ", " + member("position", std::to_string(position)) +
           "}";
}

} // namespace

const char *audioOperation(bool convert, bool link)
{
    if (link)
        return "AOperations_AddAudio";
    return convert ? "AOperations_ConvertAudio" : "AOperations_CopyAudio";
}

std::string createNewTracksBody(std::string_view name, std::string_view format, std::string_view type,
                                std::string_view folder)
{
    std::string body = "{" + member("number_of_tracks", "1") + ", " + member("track_name", escapedQuoted(name)) +
                       ", " + member("track_format", quoted(format)) + ", " + member("track_type", quoted(type)) +
                       ", " + member("track_timebase", quoted("TTB_Samples"));
    if (!folder.empty())
        body += ", " + member("insertion_point_position", quoted("TIPoint_Last")) + ", " +
                member("insertion_point_track_name", escapedQuoted(folder));
    return body + "}";
}

std::string setTrackColorBody(std::string_view trackName, int32_t colorIndex)
{
    return "{" + member("track_names", "[" + escapedQuoted(trackName) + "]") + ", " +
           member("color_index", std::to_string(colorIndex)) + "}";
}

std::string selectTracksBody(std::string_view trackName)
{
    return "{" + member("track_names", "[" + escapedQuoted(trackName) + "]") + "}";
}

std::string importAudioBody(const std::set<std::string> &paths, std::string_view operation)
{
    return "{" + member("file_list", stringArray(paths, true)) + ", " + member("audio_operations", quoted(operation)) +
           "}";
}

std::string spotClipsBody(const std::vector<std::string> &clipIds, std::string_view trackId,
                          std::string_view trackName, uint64_t position)
{
    std::string body = "{" + member("src_clips", stringArray(clipIds, false)) + ", ";
    body += trackId.empty() ? member("dst_track_name", escapedQuoted(trackName)) : member("dst_track_id", quoted(trackId));
    const std::string location = "{" + member("location", quoted(std::to_string(position))) + ", " +
                                 member("time_type", quoted("TLType_Samples")) + "}";
    return body + ", " +
           member("dst_location_data",
                  "{" + member("location_type", quoted("SLType_Start")) + ", " + member("location", location) + "}") +
           "}";
}

std::string createAudioClipsBody(std::string_view name, bool stereo, const std::vector<ClipSourceElement> &sources)
{
    std::string infos;
    for (const ClipSourceElement &source : sources) {
        if (!infos.empty())
            infos += ",";
        infos += "{" + member("file_id", quoted(source.fileId)) + ", " +
                 member("src_start_point", samplePoint(source.start)) + ", " +
                 member("src_end_point", samplePoint(source.end));
        if (!source.destinationChannel.empty())
            infos += ", " + member("src_channel", "{" + member("name", quoted(source.sourceChannel)) + "}") + ", " +
                     member("dst_channel", "{" + member("name", quoted(source.destinationChannel)) + "}");
        infos += "}";
    }
    std::string entry = "{" + member("name", escapedQuoted(name));
    if (stereo)
        entry += ", " + member("channel_format", quoted("SFormat_Stereo"));
    entry += ", " + member("clip_info", "[" + infos + "]") + "}";
    return "{" + member("clip_list", "[" + entry + "]") + "}";
}

} // namespace kestrix
