#include "sim_options.h"

#include <algorithm>
#include <charconv>
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

} // namespace

const char *simUsage()
{
    return R"(Usage: ptsl-sim [OPTIONS]

A loopback PTSL server that plays Pro Tools for tests and demos. It listens
on 127.0.0.1, prints "ptsl-sim listening on 127.0.0.1:PORT" on stdout when
ready, and runs until it gets SIGINT or SIGTERM. Answers are compact JSON.

The Pro Tools it plays:
  --port N               port to listen on (default 31416; 0 picks a free one)
  --version M.m[.r]      Pro Tools version to report (default 2025.10)
  --no-session           no session is open: session commands fail
  --session-name NAME    name of the open session (default Mix)
  --session-path PATH    path of the open session (default /Sessions/Mix/Mix.ptx);
                         copied imports are placed in "Audio Files" beside it
                         (by name only: ptsl-sim writes no audio)
  --sample-rate HZ       session sample rate (default 48000, reported as SR_48000)
  --track NAME           an audio track already in the session (repeatable)
  --clip NAME            a clip already in the clip list (repeatable)

Scripting, for tests (CMD is a PTSL command number, e.g. 42 GetSessionName):
  --delay CMD=MS         answer CMD only after MS milliseconds
  --hang CMD             never answer CMD; the call ends when the client cancels
  --fail CMD=JSON        fail CMD with this error JSON (may be empty)
  --answer CMD=JSON      answer CMD successfully with this body (may be empty)
  --refuse-register      fail RegisterConnection (70)
  --empty-clip-ids       CreateAudioClips (127) answers with empty clip_ids;
                         without it, only clip names ending in ".A" and digits
                         are refused that way
  --split-channels L,R   ImportAudioToClipList splits every file into one file
                         per listed channel ("<stem>.L.wav", ...), in that order

Records:
  --request-log FILE     append one line per request: "CMD session_id=ID
                         version=M.m.r body=JSON"
  --state-file FILE      rewrite the session state (tracks, files, clips,
                         spotted clips) as JSON after every command
  --help                 show this text
)";
}

ParsedOptions parseSimOptions(const std::vector<std::string> &args)
{
    SimOptions options;
    const auto fail = [](std::string message) { return ParsedOptions{std::nullopt, std::move(message), false}; };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg == "--help" || arg == "-h")
            return ParsedOptions{std::nullopt, {}, true};
        if (arg == "--no-session") {
            options.sessionOpen = false;
            continue;
        }
        if (arg == "--refuse-register") {
            options.scripts[70].errorJson = kRegistrationRefusal;
            continue;
        }
        if (arg == "--empty-clip-ids") {
            options.emptyClipIds = true;
            continue;
        }
        if (i + 1 >= args.size())
            return fail("unknown option or missing value: " + arg);
        const std::string &value = args[++i];
        const auto invalid = [&] { return fail("invalid value for " + arg + ": " + value); };
        if (arg == "--port") {
            const auto port = parseInt(value);
            if (!port || *port < 0 || *port > 65535)
                return invalid();
            options.port = *port;
        } else if (arg == "--version") {
            const auto version = parseVersion(value);
            if (!version)
                return invalid();
            options.version = *version;
        } else if (arg == "--session-name") {
            options.sessionName = value;
        } else if (arg == "--session-path") {
            options.sessionPath = value;
        } else if (arg == "--sample-rate") {
            const auto rate = parseInt(value);
            if (!rate || *rate <= 0)
                return invalid();
            options.sampleRate = *rate;
        } else if (arg == "--track") {
            options.tracks.push_back(value);
        } else if (arg == "--clip") {
            options.clips.push_back(value);
        } else if (arg == "--delay") {
            const auto command = parseCommandArgument(value, true);
            const auto ms = command ? parseInt(*command->value) : std::nullopt;
            if (!ms || *ms < 0)
                return invalid();
            options.scripts[command->command].delay = std::chrono::milliseconds(*ms);
        } else if (arg == "--hang") {
            const auto command = parseCommandArgument(value, false);
            if (!command || command->value)
                return invalid();
            options.scripts[command->command].hang = true;
        } else if (arg == "--fail") {
            const auto command = parseCommandArgument(value, true);
            if (!command)
                return invalid();
            options.scripts[command->command].errorJson = command->value;
        } else if (arg == "--answer") {
            const auto command = parseCommandArgument(value, true);
            if (!command)
                return invalid();
            options.scripts[command->command].answerBody = command->value;
        } else if (arg == "--split-channels") {
            options.splitChannels.clear();
            for (size_t from = 0; from <= value.size();) {
                const size_t comma = std::min(value.find(',', from), value.size());
                if (comma == from)
                    return invalid();
                options.splitChannels.push_back(value.substr(from, comma - from));
                from = comma + 1;
            }
        } else if (arg == "--request-log") {
            options.requestLogPath = value;
        } else if (arg == "--state-file") {
            options.stateFilePath = value;
        } else {
            return fail("unknown option: " + arg);
        }
    }
    return ParsedOptions{std::move(options), {}, false};
}

} // namespace kestrix::sim
