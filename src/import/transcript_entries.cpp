#include "transcript_entries.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <map>
#include <string_view>

namespace kestrix::import {

namespace {

using nlohmann::json;

constexpr std::string_view kEmDash = "\xE2\x80\x94";
constexpr std::string_view kTrackSeparatorStart = "----- Track \"";
constexpr std::string_view kTrackSeparatorEnd = "\" -----";
constexpr std::string_view kNotePrefix = "[note] ";
constexpr std::string_view kUnnamedCommand = "CId_(see id)";

// The transcript names commands without a name of their own by number.
std::string commandName(const TranscriptCommand &command)
{
    if (command.name != kUnnamedCommand)
        return command.name;
    static const std::map<int, std::string> byNumber = {
        {3, "CId_GetTrackList"},          {34, "CId_GetSessionAudioFormat"},
        {36, "CId_GetSessionBitDepth"},   {37, "CId_GetSessionInterleavedState"},
        {38, "CId_GetSessionTimeCodeRate"}, {39, "CId_GetSessionFeetFramesRate"},
        {43, "CId_GetSessionPath"},       {44, "CId_GetSessionStartTime"},
        {45, "CId_GetSessionLength"},     {70, "CId_RegisterConnection"},
        {125, "CId_GetClipList"}};
    const auto found = byNumber.find(command.id);
    return found == byNumber.end() ? command.name : found->second;
}

const std::map<std::string, std::string, std::less<>> &fixedDescriptions()
{
    static const std::map<std::string, std::string, std::less<>> names = {
        {"CId_GetPTSLVersion", "Check Pro Tools version"},
        {"CId_GetSessionSampleRate", "Check session sample rate"},
        {"CId_GetSessionName", "Get session name"},
        {"CId_GetSessionPath", "Get session path"},
        {"CId_GetDestinationSessionInfo", "Get destination session info"},
        {"CId_GetTrackList", "Query track list"},
        {"CId_GetTrackPlaylists", "Query track playlists"},
        {"CId_GetPlaylistElements", "Query playlist elements"},
        {"CId_RegisterConnection", "Register PTSL connection"},
        {"CId_GetClipList", "Query clip list"},
        {"CId_CloseSession", "Close session"},
        {"CId_GetSessionAudioFormat", "Get session audio format"},
        {"CId_GetSessionBitDepth", "Get session bit depth"},
        {"CId_GetSessionInterleavedState", "Get session interleaved state"},
        {"CId_GetSessionTimeCodeRate", "Get session time code rate"},
        {"CId_GetSessionFeetFramesRate", "Get session feet+frames rate"},
        {"CId_GetSessionStartTime", "Get session start time"},
        {"CId_GetSessionLength", "Get session length"}};
    return names;
}

std::string stringAt(const json &object, const char *key)
{
    if (!object.is_object())
        return {};
    const auto found = object.find(key);
    return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

size_t arraySize(const json &object, const char *key)
{
    if (!object.is_object())
        return 0;
    const auto found = object.find(key);
    return found != object.end() && found->is_array() ? found->size() : 0;
}

std::vector<std::string> stringsAt(const json &object, const char *key)
{
    std::vector<std::string> values;
    if (!object.is_object() || !object.contains(key) || !object[key].is_array())
        return values;
    for (const json &value : object[key])
        if (value.is_string())
            values.push_back(value.get<std::string>());
    return values;
}

std::string withoutPrefix(std::string text, std::string_view prefix)
{
    if (text.starts_with(prefix))
        text.erase(0, prefix.size());
    return text;
}

std::string counted(size_t n, const std::string &word)
{
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string quoted(const std::string &text)
{
    return "\"" + text + "\"";
}

std::string joined(const std::vector<std::string> &values, std::string_view separator)
{
    std::string text;
    for (const std::string &value : values)
        text.append(text.empty() ? "" : separator).append(value);
    return text;
}

std::string spotDescription(const json &request)
{
    std::string text = "Spot " + counted(arraySize(request, "src_clips"), "clip");
    const std::string trackName = stringAt(request, "dst_track_name");
    const std::string trackId = stringAt(request, "dst_track_id");
    if (!trackName.empty())
        text += " on " + quoted(trackName);
    else if (!trackId.empty())
        text += " on track " + trackId;
    const json *location = request.is_object() && request.contains("dst_location_data")
                               ? &request["dst_location_data"]
                               : nullptr;
    if (location && location->is_object() && location->contains("location")) {
        const std::string sample = stringAt((*location)["location"], "location");
        if (!sample.empty())
            text += " at sample " + sample;
    }
    return text;
}

std::string createClipsDescription(const json &request)
{
    const size_t clips = arraySize(request, "clip_list");
    if (clips != 1)
        return "Create " + std::to_string(clips) + " audio clip(s)";
    const json &clip = request["clip_list"][0];
    std::string text = "Create audio clip";
    if (const std::string name = stringAt(clip, "name"); !name.empty())
        text += " " + quoted(name);
    if (const std::string format = stringAt(clip, "channel_format"); !format.empty())
        text += " (" + withoutPrefix(format, "SFormat_") + ")";
    return text + " from " + counted(arraySize(clip, "clip_info"), "source");
}

std::string createTracksDescription(const json &request)
{
    int64_t count = 1;
    if (request.is_object() && request.contains("number_of_tracks") && request["number_of_tracks"].is_number_integer())
        count = request["number_of_tracks"].get<int64_t>();
    std::string text = count == 1 ? "Create track" : "Create " + std::to_string(count) + " tracks";
    if (const std::string name = stringAt(request, "track_name"); !name.empty())
        text += " " + quoted(name);
    const std::string format = withoutPrefix(stringAt(request, "track_format"), "TF_");
    const std::string type = withoutPrefix(stringAt(request, "track_type"), "TT_");
    if (!format.empty() || !type.empty())
        text += " (" + format + (format.empty() || type.empty() ? "" : " ") + type + ")";
    return text;
}

std::string composedDescription(const std::string &name, const json &request)
{
    if (name == "CId_OpenSession")
        return "Open session " + stringAt(request, "session_path");
    if (name == "CId_CreateSession") {
        const std::string session = stringAt(request, "session_name");
        return session.empty() ? "Create new session" : "Create new session " + quoted(session);
    }
    if (name == "CId_SelectTracksByName") {
        const std::vector<std::string> tracks = stringsAt(request, "track_names");
        return tracks.size() == 1 ? "Select track " + quoted(tracks.front())
                                  : "Select " + std::to_string(tracks.size()) + " tracks";
    }
    if (name == "CId_SpotClipsByID")
        return spotDescription(request);
    if (name == "CId_CreateAudioClips")
        return createClipsDescription(request);
    if (name == "CId_ImportAudioToClipList") {
        std::string text = "Import " + counted(arraySize(request, "file_list"), "audio file");
        if (const std::string operation = stringAt(request, "audio_operations"); !operation.empty())
            text += " via " + withoutPrefix(operation, "AOperations_");
        return text;
    }
    if (name == "CId_SetTrackColor") {
        const std::vector<std::string> tracks = stringsAt(request, "track_names");
        return tracks.empty() ? "Set track color" : "Set color of track(s): " + joined(tracks, ", ");
    }
    if (name == "CId_CreateNewTracks")
        return createTracksDescription(request);
    return withoutPrefix(name, "CId_");
}

std::optional<int> integerIn(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "[<n>] <name> (id=<id>) — <timing> — <status>"
std::optional<TranscriptEntry> commandHeaderLine(std::string_view line)
{
    if (!line.starts_with('['))
        return std::nullopt;
    const size_t close = line.find("] ");
    const size_t idAt = line.find(" (id=");
    const size_t idEnd = idAt == std::string_view::npos ? idAt : line.find(") ", idAt);
    if (close == std::string_view::npos || idEnd == std::string_view::npos || idAt < close)
        return std::nullopt;
    const std::optional<int> step = integerIn(line.substr(1, close - 1));
    const std::optional<int> id = integerIn(line.substr(idAt + 5, idEnd - idAt - 5));
    if (!step || !id)
        return std::nullopt;
    std::string_view rest = line.substr(idEnd + 2);
    const std::string dashBlank = std::string(kEmDash) + " ";
    if (!rest.starts_with(dashBlank))
        return std::nullopt;
    rest.remove_prefix(dashBlank.size());
    const std::string separator = " " + std::string(kEmDash) + " ";
    const size_t statusAt = rest.find(separator);
    TranscriptEntry entry{step, TranscriptEntryKind::command, {}, {}};
    entry.command.name = std::string(line.substr(close + 2, idAt - close - 2));
    entry.command.id = *id;
    entry.command.timing = std::string(rest.substr(0, statusAt));
    if (statusAt != std::string_view::npos)
        entry.command.status = std::string(rest.substr(statusAt + separator.size()));
    return entry;
}

void appendLine(std::string &text, std::string_view line)
{
    text.append(text.empty() ? "" : "\n").append(line);
}

} // namespace

std::vector<TranscriptEntry> parseTranscript(const std::string &transcript)
{
    std::vector<TranscriptEntry> entries;
    enum class Section { none, request, response } section = Section::none;
    size_t from = 0;
    while (from <= transcript.size()) {
        const size_t end = std::min(transcript.find('\n', from), transcript.size());
        const std::string_view line = std::string_view(transcript).substr(from, end - from);
        from = end + 1;
        if (line.empty())
            continue;
        if (line.starts_with(kTrackSeparatorStart) && line.ends_with(kTrackSeparatorEnd) &&
            line.size() >= kTrackSeparatorStart.size() + kTrackSeparatorEnd.size()) {
            const std::string_view name = line.substr(
                kTrackSeparatorStart.size(), line.size() - kTrackSeparatorStart.size() - kTrackSeparatorEnd.size());
            entries.push_back(TranscriptEntry{std::nullopt, TranscriptEntryKind::trackHeader, std::string(name), {}});
            section = Section::none;
        } else if (line.starts_with(kNotePrefix)) {
            entries.push_back(TranscriptEntry{std::nullopt, TranscriptEntryKind::note,
                                              std::string(line.substr(kNotePrefix.size())), {}});
            section = Section::none;
        } else if (std::optional<TranscriptEntry> command = commandHeaderLine(line)) {
            entries.push_back(std::move(*command));
            section = Section::none;
        } else if (entries.empty()) {
            continue;  // nothing to continue
        } else if (TranscriptEntry &last = entries.back(); last.kind != TranscriptEntryKind::command) {
            appendLine(last.text, line);
        } else if (line == "  Request:") {
            section = Section::request;
        } else if (line == "  Response:" || line == "  Error:") {
            section = Section::response;
        } else if (section != Section::none) {
            const std::string_view content = line.starts_with("    ") ? line.substr(4) : line;
            appendLine(section == Section::request ? last.command.request : last.command.response, content);
        }
    }
    return entries;
}

std::string commandDescription(const TranscriptCommand &command)
{
    const std::string name = commandName(command);
    const auto fixed = fixedDescriptions().find(name);
    if (fixed != fixedDescriptions().end())
        return fixed->second;
    return composedDescription(name, json::parse(command.request, nullptr, false));
}

CommandHeader commandHeader(const TranscriptEntry &entry)
{
    return CommandHeader{entry.stepNumber.value_or(0), commandDescription(entry.command), entry.command.timing,
                         entry.command.status};
}

std::string proToolsMessage(const TranscriptCommand &command)
{
    if (command.status == "OK")
        return {};
    return stringAt(json::parse(command.response, nullptr, false), "command_error_message");
}

} // namespace kestrix::import
