#include "sim_options.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string_view>

namespace kestrix::sim {

namespace {

constexpr const char *kRegistrationRefusal =
    "{\"command_error_type\":\"PT_RegistrationRefused\",\"command_error_message\":"
    "\"Pro Tools refused the connection\",\"is_critical\":true}";

std::optional<int> parseInt(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "MAJOR.MINOR[.REVISION]"
std::optional<ProToolsVersion> parseVersion(std::string_view text)
{
    const size_t firstDot = text.find('.');
    if (firstDot == std::string_view::npos)
        return std::nullopt;
    const size_t secondDot = text.find('.', firstDot + 1);
    const auto major = parseInt(text.substr(0, firstDot));
    const auto minor = parseInt(text.substr(firstDot + 1, secondDot == std::string_view::npos
                                                              ? std::string_view::npos
                                                              : secondDot - firstDot - 1));
    const auto revision = secondDot == std::string_view::npos ? std::optional<int>(0)
                                                              : parseInt(text.substr(secondDot + 1));
    if (!major || !minor || !revision)
        return std::nullopt;
    return ProToolsVersion{*major, *minor, *revision};
}

// "CMD" or "CMD=REST": the command number and the text after '='.
struct CommandArgument {
    int32_t command = 0;
    std::optional<std::string> value;
};

std::optional<CommandArgument> parseCommandArgument(std::string_view text, bool valueRequired)
{
    const size_t equals = text.find('=');
    const auto command = parseInt(text.substr(0, equals));
    if (!command || (valueRequired && equals == std::string_view::npos))
        return std::nullopt;
    CommandArgument argument{*command, std::nullopt};
    if (equals != std::string_view::npos)
        argument.value = std::string(text.substr(equals + 1));
    return argument;
}

[[noreturn]] void invalid(const char *option, const std::string &value)
{
    throw CLI::ValidationError(option, "invalid value " + value);
}

// "CMD=REST" of the scripting options.
CommandArgument commandWithValue(const char *option, const std::string &text)
{
    const auto argument = parseCommandArgument(text, true);
    if (!argument)
        invalid(option, text);
    return *argument;
}

// "L,R,...": labels that are not empty.
std::vector<std::string> channelLabels(const std::string &text)
{
    std::vector<std::string> labels;
    for (size_t from = 0; from <= text.size();) {
        const size_t comma = std::min(text.find(',', from), text.size());
        if (comma == from)
            invalid("--split-channels", text);
        labels.push_back(text.substr(from, comma - from));
        from = comma + 1;
    }
    return labels;
}

} // namespace

void addSimOptions(CLI::App &app, SimOptions &options, const std::string &ownVersion)
{
    const auto single = [](CLI::Option *option) {
        return option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    };
    const auto each = [&app](const char *name, const char *valueName, const char *description, const char *group,
                             std::function<void(const std::string &)> take) {
        app.add_option_function<std::vector<std::string>>(
               name, [take](const std::vector<std::string> &values) { std::for_each(values.begin(), values.end(), take); },
               description)
            ->type_name(valueName)
            ->group(group);
    };

    const char *proTools = "The Pro Tools it plays";
    single(app.add_option("--port", options.port, "port to listen on (default 31416; 0 picks a free one)"))
        ->check(CLI::Range(0, 65535))
        ->type_name("N")
        ->group(proTools);
    app.add_option_function<std::string>(
           "--version",
           [&options, ownVersion](const std::string &text) {
               if (text.empty())
                   throw CLI::CallForVersion(ownVersion, 0);
               const auto version = parseVersion(text);
               if (!version)
                   invalid("--version", text);
               options.version = *version;
           },
           "Pro Tools version to report (default 2025.10);\nalone, print ptsl-sim's own version")
        ->expected(0, 1)
        ->type_name("M.m[.r]")
        ->group(proTools);
    app.add_flag_callback("--no-session", [&options] { options.sessionOpen = false; },
                          "no session is open: session commands fail")
        ->group(proTools);
    single(app.add_option("--session-name", options.sessionName, "name of the open session (default Mix)"))
        ->type_name("NAME")
        ->group(proTools);
    single(app.add_option("--session-path", options.sessionPath,
                          "path of the open session (default /Sessions/Mix/Mix.ptx);\n"
                          "copied imports are placed in \"Audio Files\" beside it\n"
                          "(by name only: ptsl-sim writes no audio)"))
        ->type_name("PATH")
        ->group(proTools);
    single(app.add_option("--sample-rate", options.sampleRate,
                          "session sample rate (default 48000, reported as SR_48000)"))
        ->check(CLI::PositiveNumber)
        ->type_name("HZ")
        ->group(proTools);
    app.add_option("--track", options.tracks, "an audio track already in the session (repeatable)")
        ->type_name("NAME")
        ->group(proTools);
    app.add_option("--clip", options.clips, "a clip already in the clip list (repeatable)")
        ->type_name("NAME")
        ->group(proTools);

    const char *scripting = "Scripting, for tests (CMD is a PTSL command number, e.g. 42 GetSessionName)";
    each("--delay", "CMD=MS", "answer CMD only after MS milliseconds", scripting, [&options](const std::string &text) {
        const CommandArgument argument = commandWithValue("--delay", text);
        const auto ms = parseInt(*argument.value);
        if (!ms || *ms < 0)
            invalid("--delay", text);
        options.scripts[argument.command].delay = std::chrono::milliseconds(*ms);
    });
    each("--hang", "CMD", "never answer CMD; the call ends when the client cancels", scripting,
         [&options](const std::string &text) {
             const auto argument = parseCommandArgument(text, false);
             if (!argument || argument->value)
                 invalid("--hang", text);
             options.scripts[argument->command].hang = true;
         });
    each("--fail", "CMD=JSON", "fail CMD with this error JSON (may be empty)", scripting,
         [&options](const std::string &text) {
             const CommandArgument argument = commandWithValue("--fail", text);
             options.scripts[argument.command].errorJson = argument.value;
         });
    each("--answer", "CMD=JSON", "answer CMD successfully with this body (may be empty)", scripting,
         [&options](const std::string &text) {
             const CommandArgument argument = commandWithValue("--answer", text);
             options.scripts[argument.command].answerBody = argument.value;
         });
    app.add_flag_callback("--refuse-register", [&options] { options.scripts[70].errorJson = kRegistrationRefusal; },
                          "fail RegisterConnection (70)")
        ->group(scripting);
    app.add_flag("--empty-clip-ids", options.emptyClipIds,
                 "CreateAudioClips (127) answers with empty clip_ids;\n"
                 "without it, only clip names ending in \".A\" and digits\n"
                 "are refused that way")
        ->group(scripting);
    single(app.add_option_function<std::string>(
               "--split-channels", [&options](const std::string &text) { options.splitChannels = channelLabels(text); },
               "ImportAudioToClipList splits every file into one file\n"
               "per listed channel (\"<stem>.L.wav\", ...), in that order"))
        ->type_name("L,R")
        ->group(scripting);

    const char *records = "Records";
    single(app.add_option("--request-log", options.requestLogPath,
                          "append one line per request: \"CMD session_id=ID\n"
                          "version=M.m.r body=JSON\""))
        ->type_name("FILE")
        ->group(records);
    single(app.add_option("--state-file", options.stateFilePath,
                          "rewrite the session state (tracks, files, clips,\n"
                          "spotted clips) as JSON after every command"))
        ->type_name("FILE")
        ->group(records);
}

} // namespace kestrix::sim
