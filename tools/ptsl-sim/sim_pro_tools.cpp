#include "sim_pro_tools.h"

#include "byte_json.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>

namespace kestrix::sim {

namespace {

namespace fs = std::filesystem;

SimAnswer success(const Json &body)
{
    return SimAnswer{true, dumpJson(body), {}};
}

SimAnswer invalidParameter(std::string_view message)
{
    return failureAnswer("PT_InvalidParameter", message);
}

// A text of the session or of a request, kept byte for byte.
Json text(std::string_view bytes)
{
    return byteString(bytes);
}

// The member of an object; null when it is absent or json is no object.
const Json *member(const Json &json, std::string_view key)
{
    if (!json.is_object())
        return nullptr;
    const auto found = json.find(key);
    return found == json.end() ? nullptr : &*found;
}

std::string stringMember(const Json &object, std::string_view key)
{
    const Json *value = member(object, key);
    return value && value->is_string() ? bytesOf(value->get_ref<const std::string &>()) : std::string();
}

std::optional<double> numberMember(const Json &object, std::string_view key)
{
    const Json *value = member(object, key);
    return value && value->is_number() ? std::optional<double>(value->get<double>()) : std::nullopt;
}

const Json *arrayMember(const Json &object, std::string_view key)
{
    const Json *value = member(object, key);
    return value && value->is_array() ? value : nullptr;
}

// The strings of an array member; none when it is missing or holds
// anything but strings.
std::optional<std::vector<std::string>> stringsMember(const Json &object, std::string_view key)
{
    const Json *array = arrayMember(object, key);
    if (!array)
        return std::nullopt;
    std::vector<std::string> strings;
    for (const Json &element : *array) {
        if (!element.is_string())
            return std::nullopt;
        strings.push_back(bytesOf(element.get_ref<const std::string &>()));
    }
    return strings;
}

Json stringArray(const std::vector<std::string> &strings)
{
    Json array = Json::array();
    for (const std::string &s : strings)
        array.push_back(text(s));
    return array;
}

// A sample position: a number, or a number written as a string.
std::optional<uint64_t> samplePosition(const Json *value)
{
    if (!value)
        return std::nullopt;
    if (value->is_number()) {
        const double number = value->get<double>();
        return number >= 0 ? std::optional<uint64_t>(static_cast<uint64_t>(number)) : std::nullopt;
    }
    if (value->is_string()) {
        const std::string &text = value->get_ref<const std::string &>();
        uint64_t position = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), position);
        if (error == std::errc() && end == text.data() + text.size())
            return position;
    }
    return std::nullopt;
}

struct ClipSource {
    std::string fileId;
    uint64_t start = 0, end = 0;
};

// The file and the non-empty sample range of one clip_info element.
std::optional<ClipSource> clipSource(const Json &info)
{
    const auto pointPosition = [&](std::string_view key) {
        const Json *point = member(info, key);
        return samplePosition(point ? member(*point, "position") : nullptr);
    };
    const auto start = pointPosition("src_start_point");
    const auto end = pointPosition("src_end_point");
    if (!start || !end || *start >= *end)
        return std::nullopt;
    return ClipSource{stringMember(info, "file_id"), *start, *end};
}

// Pro Tools will not make a clip whose name ends like ".A1".
bool refusedClipName(std::string_view name)
{
    const size_t dot = name.rfind(".A");
    if (dot == std::string_view::npos || dot + 2 == name.size())
        return false;
    return std::all_of(name.begin() + dot + 2, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool sessionCommand(int32_t command)
{
    return command != 55;
}

} // namespace

SimAnswer failureAnswer(std::string_view errorType, std::string_view message)
{
    const Json error{{"command_error_type", text(errorType)},
                     {"command_error_message", text(message)},
                     {"is_critical", false}};
    return SimAnswer{false, {}, dumpJson(error)};
}

SimProTools::SimProTools(const SimOptions &options) : options_(options)
{
    for (const std::string &name : options.tracks)
        tracks_.push_back(Track{nextId('t'), name, "TT_Audio", "TF_Mono", {}, -1});
    for (const std::string &name : options.clips)
        clips_.push_back(Clip{nextId('c'), name, {}, {}, 0, 0});
}

std::string SimProTools::nextId(char kind)
{
    return std::string(1, kind) + "-" + std::to_string(++idCounters_[kind]);
}

SimAnswer SimProTools::handle(int32_t command, std::string_view bodyJson)
{
    if (command == 55) {
        const ProToolsVersion &v = options_.version;
        return success({{"version", v.major}, {"version_minor", v.minor}, {"version_revision", v.revision}});
    }
    if (sessionCommand(command) && !options_.sessionOpen)
        return failureAnswer("PT_NoOpenSession", "No session is open");

    switch (command) {
    case 3: return trackList();
    case 125: return clipList();
    case 34: case 35: case 36: case 37: case 38: case 39: case 42: case 43: case 44: case 45:
        return sessionSetting(command);
    default: break;
    }

    const std::optional<Json> request = parseJson(bodyJson);
    if (!request || !request->is_object())
        return invalidParameter("The request body is not a JSON object");
    switch (command) {
    case 72: return createNewTracks(*request);
    case 73: return selectTracks(*request);
    case 123: return importAudio(*request);
    case 124: return spotClips(*request);
    case 127: return createAudioClips(*request);
    case 153: return setTrackColor(*request);
    default: return failureAnswer("PT_UnknownCommand", "ptsl-sim does not know command " + std::to_string(command));
    }
}

SimAnswer SimProTools::sessionSetting(int32_t command) const
{
    const auto setting = [](const char *value) { return success({{"current_setting", value}}); };
    switch (command) {
    case 42: return success({{"session_name", text(options_.sessionName)}});
    case 43: return success({{"session_path", text(options_.sessionPath)}});
    case 35: return success({{"sample_rate", "SR_" + std::to_string(options_.sampleRate)}});
    case 34: return setting("SAF_WAVE");
    case 36: return setting("Bit24");
    case 37: return setting("Interleaved");
    case 38: return setting("STCR_Fps25");
    case 39: return setting("SFFR_Fps24");
    case 44: return setting("00:00:00:00");
    default: return setting("01:00:00:00");  // 45, the session length
    }
}

SimAnswer SimProTools::trackList() const
{
    Json list = Json::array();
    for (const Track &t : tracks_)
        list.push_back({{"name", text(t.name)}, {"type", text(t.type)}, {"id", t.id}});
    const size_t total = list.size();
    return success({{"track_list", std::move(list)}, {"pagination_response", {{"total", total}}}});
}

SimAnswer SimProTools::clipList() const
{
    Json list = Json::array();
    for (const Clip &c : clips_)
        list.push_back({{"clip_full_name", text(c.name)}, {"clip_root_name", text(c.name)}});
    return success({{"clip_list", std::move(list)}});
}

const SimProTools::Track *SimProTools::trackNamed(std::string_view name) const
{
    const auto found = std::find_if(tracks_.begin(), tracks_.end(), [&](const Track &t) { return t.name == name; });
    return found == tracks_.end() ? nullptr : &*found;
}

const SimProTools::Track *SimProTools::trackWithId(std::string_view id) const
{
    const auto found = std::find_if(tracks_.begin(), tracks_.end(), [&](const Track &t) { return t.id == id; });
    return found == tracks_.end() ? nullptr : &*found;
}

bool SimProTools::fileIdKnown(std::string_view id) const
{
    return std::any_of(files_.begin(), files_.end(), [&](const ImportedFile &f) { return f.id == id; });
}

bool SimProTools::clipIdKnown(std::string_view id) const
{
    return std::any_of(clips_.begin(), clips_.end(), [&](const Clip &c) { return c.id == id; });
}

// A taken name gets " 1", " 2", ... appended, as Pro Tools does.
std::string SimProTools::freeTrackName(const std::string &requested) const
{
    std::string name = requested;
    for (int n = 1; trackNamed(name); ++n)
        name = requested + " " + std::to_string(n);
    return name;
}

// The copy's place in the "Audio Files" folder beside the session; a taken
// name gets "_1", "_2", ... before its extension.
std::string SimProTools::freeAudioFilePath(const std::string &sourcePath) const
{
    const fs::path folder = fs::path(options_.sessionPath).parent_path() / "Audio Files";
    const fs::path source(sourcePath);
    std::string path = (folder / source.filename()).string();
    const auto taken = [&](const std::string &candidate) {
        return std::any_of(files_.begin(), files_.end(), [&](const ImportedFile &f) { return f.filePath == candidate; });
    };
    for (int n = 1; taken(path); ++n)
        path = (folder / (source.stem().string() + "_" + std::to_string(n) + source.extension().string())).string();
    return path;
}

SimAnswer SimProTools::createNewTracks(const Json &request)
{
    const std::string name = stringMember(request, "track_name");
    const double count = numberMember(request, "number_of_tracks").value_or(1);
    if (name.empty() || count < 1)
        return invalidParameter("CreateNewTracks needs a track_name and at least one track");
    const std::string folder = stringMember(request, "insertion_point_track_name");
    if (!folder.empty() && !trackNamed(folder))
        return invalidParameter("No track named '" + folder + "'");
    std::vector<std::string> names, ids;
    for (int i = 0; i < int(count); ++i) {
        Track track{nextId('t'), freeTrackName(name), stringMember(request, "track_type"),
                    stringMember(request, "track_format"), folder, -1};
        names.push_back(track.name);
        ids.push_back(track.id);
        tracks_.push_back(std::move(track));
    }
    return success({{"created_track_names", stringArray(names)}, {"created_track_ids", stringArray(ids)}});
}

SimAnswer SimProTools::selectTracks(const Json &request)
{
    const auto names = stringsMember(request, "track_names");
    if (!names || names->empty())
        return invalidParameter("SelectTracksByName needs track_names");
    for (const std::string &name : *names) {
        if (!trackNamed(name))
            return invalidParameter("No track named '" + name + "'");
    }
    selectedTracks_ = *names;
    return success(Json::object());
}

SimAnswer SimProTools::setTrackColor(const Json &request)
{
    const auto names = stringsMember(request, "track_names");
    const auto color = numberMember(request, "color_index");
    if (!names || names->empty() || !color)
        return invalidParameter("SetTrackColor needs track_names and color_index");
    for (const std::string &name : *names) {
        if (!trackNamed(name))
            return invalidParameter("No track named '" + name + "'");
    }
    for (Track &track : tracks_) {
        if (std::find(names->begin(), names->end(), track.name) != names->end())
            track.colorIndex = int(*color);
    }
    return success(Json::object());
}

// The files an import makes of one source: itself, or one per channel
// named "<stem>.<label><extension>" beside it when splitting.
std::vector<std::string> SimProTools::channelFilePaths(const std::string &sourcePath) const
{
    if (options_.splitChannels.empty())
        return {sourcePath};
    const fs::path source(sourcePath);
    std::vector<std::string> paths;
    for (const std::string &label : options_.splitChannels)
        paths.push_back((source.parent_path() / (source.stem().string() + "." + label + source.extension().string()))
                            .string());
    return paths;
}

SimAnswer SimProTools::importAudio(const Json &request)
{
    const auto paths = stringsMember(request, "file_list");
    const std::string operation = stringMember(request, "audio_operations");
    if (!paths || paths->empty())
        return invalidParameter("ImportAudioToClipList needs a file_list");
    if (operation != "AOperations_CopyAudio" && operation != "AOperations_ConvertAudio" &&
        operation != "AOperations_AddAudio")
        return invalidParameter("Unknown audio_operations '" + operation + "'");
    for (const std::string &path : *paths) {
        std::error_code error;
        if (!fs::is_regular_file(path, error))
            return failureAnswer("PT_FileNotFound", "Cannot import '" + path + "': no such file");
    }
    Json fileList = Json::array();
    for (const std::string &path : *paths) {
        Json destinations = Json::array();
        for (const std::string &channelPath : channelFilePaths(path)) {
            // Added (linked) files stay where they are; copies go to the session.
            ImportedFile file{nextId('f'), path,
                              operation == "AOperations_AddAudio" ? channelPath : freeAudioFilePath(channelPath),
                              operation};
            clips_.push_back(Clip{nextId('c'), fs::path(file.filePath).stem().string(), file.id, {}, 0, 0});
            destinations.push_back({{"file_id", file.id}, {"file_path", text(file.filePath)}});
            files_.push_back(std::move(file));
        }
        fileList.push_back({{"original_input_path", text(path)}, {"destination_file_list", std::move(destinations)}});
    }
    return success({{"file_list", std::move(fileList)}});
}

SimAnswer SimProTools::createAudioClips(const Json &request)
{
    const Json *entries = arrayMember(request, "clip_list");
    if (!entries || entries->empty())
        return invalidParameter("CreateAudioClips needs a clip_list");
    std::vector<Clip> created;
    for (const Json &entry : *entries) {
        const std::string name = stringMember(entry, "name");
        const Json *infos = arrayMember(entry, "clip_info");
        if (name.empty() || !infos || infos->empty())
            return invalidParameter("Each clip needs a name and clip_info");
        std::vector<ClipSource> sources;
        for (const Json &info : *infos) {
            const std::optional<ClipSource> source = clipSource(info);
            if (!source)
                return invalidParameter("Invalid source range for clip '" + name + "'");
            if (!fileIdKnown(source->fileId))
                return invalidParameter("Unknown file_id '" + source->fileId + "'");
            sources.push_back(*source);
        }
        if (options_.emptyClipIds || refusedClipName(name))
            continue;
        // A multichannel clip is kept under its first channel's source.
        const ClipSource &first = sources.front();
        created.push_back(Clip{nextId('c'), name, first.fileId, stringMember(entry, "channel_format"), first.start,
                               first.end});
    }
    std::vector<std::string> ids;
    for (Clip &clip : created) {
        ids.push_back(clip.id);
        clips_.push_back(std::move(clip));
    }
    return success({{"clip_ids", stringArray(ids)}});
}

SimAnswer SimProTools::spotClips(const Json &request)
{
    const auto clipIds = stringsMember(request, "src_clips");
    if (!clipIds || clipIds->empty())
        return invalidParameter("SpotClipsByID needs src_clips");
    for (const std::string &id : *clipIds) {
        if (!clipIdKnown(id))
            return invalidParameter("Unknown clip id '" + id + "'");
    }
    const std::string trackId = stringMember(request, "dst_track_id");
    const Track *track = trackId.empty() ? trackNamed(stringMember(request, "dst_track_name")) : trackWithId(trackId);
    if (!track)
        return invalidParameter("SpotClipsByID names no existing destination track");
    const Json *locationData = member(request, "dst_location_data");
    const Json *location = locationData ? member(*locationData, "location") : nullptr;
    const auto position = samplePosition(location ? member(*location, "location") : nullptr);
    if (!position)
        return invalidParameter("SpotClipsByID needs dst_location_data.location.location in samples");
    spots_.push_back(Spot{track->id, *clipIds, *position});
    return success(Json::object());
}

std::string SimProTools::stateJson() const
{
    Json tracks = Json::array(), files = Json::array(), clips = Json::array(), spots = Json::array();
    for (const Track &t : tracks_)
        tracks.push_back({{"id", t.id}, {"name", text(t.name)}, {"type", text(t.type)}, {"format", text(t.format)},
                          {"folder", text(t.folder)}, {"color_index", t.colorIndex}});
    for (const ImportedFile &f : files_)
        files.push_back({{"id", f.id}, {"original_path", text(f.originalPath)}, {"file_path", text(f.filePath)},
                         {"operation", text(f.operation)}});
    for (const Clip &c : clips_)
        clips.push_back({{"id", c.id}, {"name", text(c.name)}, {"file_id", text(c.fileId)},
                         {"channel_format", text(c.channelFormat)}, {"start", c.start}, {"end", c.end}});
    for (const Spot &s : spots_)
        spots.push_back({{"track_id", s.trackId}, {"clip_ids", stringArray(s.clipIds)}, {"position", s.position}});
    return dumpJson({{"tracks", std::move(tracks)},
                     {"selected_tracks", stringArray(selectedTracks_)},
                     {"files", std::move(files)},
                     {"clips", std::move(clips)},
                     {"spots", std::move(spots)}});
}

} // namespace kestrix::sim
