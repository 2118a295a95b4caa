// The Pro Tools that ptsl-sim plays: version, open session, and what
// imports leave in it (tracks, audio files, clips, spotted clips). Answers
// one command at a time; the caller serialises access.
#ifndef KESTRIX_PTSL_SIM_PRO_TOOLS_H
#define KESTRIX_PTSL_SIM_PRO_TOOLS_H

#include "byte_json.h"
#include "sim_options.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix::sim {

struct SimAnswer {
    bool ok = true;
    std::string body;       // compact JSON when ok
    std::string errorJson;  // when not ok
};

SimAnswer failureAnswer(std::string_view errorType, std::string_view message);

class SimProTools {
public:
    explicit SimProTools(const SimOptions &options);

    // Every command but RegisterConnection, which the service handles.
    SimAnswer handle(int32_t command, std::string_view bodyJson);

    // The session state as JSON, for the state file.
    std::string stateJson() const;

private:
    struct Track {
        std::string id, name, type, format, folder;
        int colorIndex = -1;
    };
    struct ImportedFile {
        std::string id, originalPath, filePath, operation;
    };
    struct Clip {
        std::string id, name, fileId, channelFormat;
        uint64_t start = 0, end = 0;
    };
    struct Spot {
        std::string trackId;
        std::vector<std::string> clipIds;
        uint64_t position = 0;
    };

    SimAnswer sessionSetting(int32_t command) const;
    SimAnswer trackList() const;
    SimAnswer clipList() const;
    SimAnswer createNewTracks(const Json &request);
    SimAnswer selectTracks(const Json &request);
    SimAnswer setTrackColor(const Json &request);
    SimAnswer importAudio(const Json &request);
    SimAnswer createAudioClips(const Json &request);
    SimAnswer spotClips(const Json &request);

    const Track *trackNamed(std::string_view name) const;
    const Track *trackWithId(std::string_view id) const;
    bool fileIdKnown(std::string_view id) const;
    bool clipIdKnown(std::string_view id) const;
    std::string freeTrackName(const std::string &requested) const;
    std::string freeAudioFilePath(const std::string &sourcePath) const;
    std::vector<std::string> channelFilePaths(const std::string &sourcePath) const;
    std::string nextId(char kind);

    SimOptions options_;
    std::vector<Track> tracks_;
    std::vector<std::string> selectedTracks_;
    std::vector<ImportedFile> files_;
    std::vector<Clip> clips_;
    std::vector<Spot> spots_;
    std::map<char, uint64_t> idCounters_;
};

} // namespace kestrix::sim

#endif
