#include "heap_string.h"
#include "no_throw.h"
#include "ptsl.h"
#include "ptsl_command.h"
#include "ptsl_json.h"

#include <charconv>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

namespace {

constexpr int32_t kGetTrackList = 3;
constexpr int32_t kGetSessionAudioFormat = 34;
constexpr int32_t kGetSessionSampleRate = 35;
constexpr int32_t kGetSessionBitDepth = 36;
constexpr int32_t kGetSessionInterleavedState = 37;
constexpr int32_t kGetSessionTimeCodeRate = 38;
constexpr int32_t kGetSessionFeetFramesRate = 39;
constexpr int32_t kGetSessionName = 42;
constexpr int32_t kGetSessionPath = 43;
constexpr int32_t kGetSessionStartTime = 44;
constexpr int32_t kGetSessionLength = 45;
constexpr int32_t kGetClipList = 125;

constexpr const char *kEmptyBody = "{}";
constexpr const char *kTrackListBody =
    "{\"pagination_request\": {\"page_limit\": 0, \"page_offset\": 0}, \"track_filter_list\": [], "
    "\"is_filter_list_additive\": true}";

using Keys = std::initializer_list<std::string_view>;

// The answer body, or none when the command failed.
std::optional<std::string> answerOf(int32_t command, std::string_view body = kEmptyBody)
{
    CommandResult result = ptsl_run_command(command, body);
    if (!result.ok)
        return std::nullopt;
    return std::move(result.body);
}

std::string firstNonEmptyValue(std::string_view json, Keys keys)
{
    for (const std::string_view key : keys) {
        std::string value = jsonStringValue(json, key);
        if (!value.empty())
            return value;
    }
    return {};
}

// "SR_48000" gives 48000; a value without the prefix gives none.
std::optional<int32_t> sampleRateFromSetting(std::string_view setting)
{
    constexpr std::string_view prefix = "SR_";
    if (setting.size() < 4 || !setting.starts_with(prefix))
        return std::nullopt;
    int32_t rate = 0;
    std::from_chars(setting.data() + prefix.size(), setting.data() + setting.size(), rate);
    return rate;
}

std::string joinedLines(const std::vector<std::string> &lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    return text;
}

char *allValuesAsLines(int32_t command, std::string_view body, std::string_view key)
{
    if (ptsl_connect() != 0)
        return nullptr;
    const std::optional<std::string> answer = answerOf(command, body);
    return answer ? heapCopy(joinedLines(jsonAllStringValues(*answer, key))) : nullptr;
}

struct DescriptionLine {
    const char *label;
    int32_t command;
    Keys keys;
};

const DescriptionLine kDescriptionLines[] = {
    {"Name", kGetSessionName, {"session_name"}},
    {"Path", kGetSessionPath, {"session_path", "session_location", "path"}},
    {"Sample rate", kGetSessionSampleRate, {"current_setting", "sample_rate"}},
    {"Bit depth", kGetSessionBitDepth, {"current_setting", "bit_depth"}},
    {"Audio format", kGetSessionAudioFormat, {"current_setting", "audio_format"}},
    {"Interleaved state", kGetSessionInterleavedState, {"current_setting", "interleaved_state"}},
    {"Time code rate", kGetSessionTimeCodeRate, {"current_setting", "time_code_rate"}},
    {"Feet+Frames rate", kGetSessionFeetFramesRate, {"current_setting", "feet_frames_rate"}},
    {"Start time", kGetSessionStartTime, {"session_start_time", "current_setting"}},
    {"Length", kGetSessionLength, {"session_length", "current_setting"}},
};

char *singleValue(int32_t command, Keys keys)
{
    if (ptsl_connect() != 0)
        return nullptr;
    const std::optional<std::string> answer = answerOf(command);
    return answer ? heapCopyUnlessEmpty(firstNonEmptyValue(*answer, keys)) : nullptr;
}

} // namespace

} // namespace kestrix

using namespace kestrix;

char *ptsl_get_session_name(void)
{
    return noThrow<char *>(nullptr, [] { return singleValue(kGetSessionName, {"session_name"}); });
}

char *ptsl_get_session_path(void)
{
    return noThrow<char *>(nullptr, [] {
        return singleValue(kGetSessionPath, {"session_path", "session_location", "path"});
    });
}

int32_t ptsl_get_session_sample_rate(void)
{
    return noThrow<int32_t>(0, [] {
        if (ptsl_connect() != 0)
            return 0;
        const std::optional<std::string> answer = answerOf(kGetSessionSampleRate);
        if (!answer)
            return 0;
        for (const std::string_view key : {"sample_rate", "current_setting"}) {
            if (const std::optional<int32_t> rate = sampleRateFromSetting(jsonStringValue(*answer, key)))
                return *rate;
        }
        return 0;
    });
}

char *ptsl_get_track_names(void)
{
    return noThrow<char *>(nullptr, [] { return allValuesAsLines(kGetTrackList, kTrackListBody, "name"); });
}

char *ptsl_get_clip_names(void)
{
    return noThrow<char *>(nullptr, [] { return allValuesAsLines(kGetClipList, kEmptyBody, "clip_full_name"); });
}

char *ptsl_get_session_info_text(void)
{
    return noThrow<char *>(nullptr, [] {
        if (ptsl_connect() != 0)
            return static_cast<char *>(nullptr);
        std::string text;
        for (const DescriptionLine &line : kDescriptionLines) {
            const std::optional<std::string> answer = answerOf(line.command);
            const std::string value = answer ? firstNonEmptyValue(*answer, line.keys) : std::string();
            if (!value.empty())
                text.append(line.label).append(": ").append(value).append("\n");
        }
        return heapCopyUnlessEmpty(text);
    });
}
