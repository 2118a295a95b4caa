// What ptsl-sim is told on its command line: the Pro Tools it plays, the
// session it has open, and how tests script its answers.
#ifndef KESTRIX_PTSL_SIM_OPTIONS_H
#define KESTRIX_PTSL_SIM_OPTIONS_H

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kestrix::sim {

// Scripted behaviour for one command number.
struct CommandScript {
    std::chrono::milliseconds delay{0};     // answer this much later
    bool hang = false;                      // never answer (until the caller gives up)
    std::optional<std::string> errorJson;   // fail with this error JSON
    std::optional<std::string> answerBody;  // succeed with this body instead of the computed one
};

struct ProToolsVersion {
    int major = 2025;
    int minor = 10;
    int revision = 0;
};

struct SimOptions {
    int port = 31416;  // 0 picks a free port
    ProToolsVersion version;
    bool sessionOpen = true;
    std::string sessionName = "Mix";
    std::string sessionPath = "/Sessions/Mix/Mix.ptx";
    int sampleRate = 48000;
    std::vector<std::string> tracks;  // audio tracks already in the session
    std::vector<std::string> clips;   // clips already in the clip list
    bool emptyClipIds = false;        // CreateAudioClips creates nothing
    // Channel labels ("L", "R") when imports split every file into one
    // file per channel, in this order; empty for one file per file.
    std::vector<std::string> splitChannels;
    std::map<int32_t, CommandScript> scripts;
    std::string requestLogPath;  // one line per request received
    std::string stateFilePath;   // the session state as JSON after every command
};

// Adds ptsl-sim's options to the command line; parsing it fills options.
// --version with a value is the Pro Tools version to report; alone, it
// prints ptsl-sim's own version.
void addSimOptions(CLI::App &app, SimOptions &options, const std::string &ownVersion);

} // namespace kestrix::sim

#endif
