// The arguments of the import operations, built from the session model:
// which audio files are on disk, the track's type, format, folder and
// colour, its clips as records (channel clips, sample-rate scaling), the
// records of multi-mono clip groups and the paths of file groups.
#ifndef KESTRIX_IMPORT_IMPORT_ARGUMENTS_H
#define KESTRIX_IMPORT_IMPORT_ARGUMENTS_H

#include "multi_mono_grouping.h"
#include "ptsl.h"
#include "session_info.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrix::import {

// Audio file name -> the file found on disk, and the names found nowhere.
struct AudioFileResolution {
    std::map<std::string, std::string> resolvedPaths;
    std::set<std::string> offlineFiles;
};

// As the session window looks: where the session recorded the file, then
// by name in "Audio Files" beside the session; a symbolic link counts as
// its target. Reads the disk.
AudioFileResolution resolveSessionAudioFiles(const std::vector<PTXAudioFile> &files, const std::string &sessionPath);

// Positions scale by Pro Tools' rate / the source rate, rounded, when the
// copy converts the sample rate; otherwise they pass unchanged.
struct SampleRateScale {
    int64_t proToolsRate = 0;
    int64_t sourceRate = 0;
    bool converts() const { return proToolsRate >= 1 && sourceRate >= 1 && proToolsRate != sourceRate; }
    uint64_t apply(uint64_t samples) const;
};

// The session's sample rate as a number; 0 when unknown.
int64_t sourceSampleRate(const PTXSessionInfo &session);

// With differing rates the media is copied and converted and linking is
// refused.
struct MediaOptions {
    bool convert = false;
    bool linkAvailable = true;
};
MediaOptions mediaOptions(const SampleRateScale &scale);

std::string trackTypeArgument(const PTXTrackInfo &track);
std::string trackFormatArgument(const std::string &formatName);
// -2 for "no colour" (left alone), -1 for colour 0, else the index.
int32_t colorArgument(uint16_t colorIndex);

// An ImportClipRecord that owns its strings.
struct ClipArgument {
    std::string name;
    std::optional<std::string> path;
    uint64_t sourceStart = 0, sourceEnd = 0, position = 0;
    int32_t channel = 0;
};

// Records pointing into the arguments, valid while they live.
std::vector<ImportClipRecord> clipRecords(const std::vector<ClipArgument> &clips);

struct TrackArguments {
    std::string name, type, format;
    std::optional<std::string> folder;
    std::vector<ClipArgument> clips;
    int32_t colorIndex = -2;
    // The track has clips, but none whose file is on disk: it is not
    // imported and reports "No resolvable clips".
    bool noResolvableClips = false;
};

// The resolved path of each of a session's audio files, by its index in
// the session's list, so that the clips of many tracks find their files
// without a lookup by name each. Valid while the session and the
// resolution live.
class ClipFileLookup {
public:
    ClipFileLookup(const PTXSessionInfo &session, const AudioFileResolution &files);
    // The clip's source file when it is on disk, else null.
    const std::string *path(const PTXClipInfo &clip) const;
    // The files on disk that the tracks' clips use, each once, in the
    // session's file order: what the names pre-flight compares, without
    // one path per clip.
    std::vector<std::string> filePaths(const std::vector<const PTXTrackInfo *> &tracks) const;

private:
    std::vector<const std::string *> byIndex_;
};

// renameChannelViews applies the channel-view rename of the pre-flight to
// clip names. importedTrackNames are the tracks of this import (a folder
// is passed only when it is imported too).
TrackArguments trackArguments(const PTXTrackInfo &track, const PTXSessionInfo &session,
                              const AudioFileResolution &files, const std::set<std::string> &importedTrackNames,
                              const SampleRateScale &scale, bool renameChannelViews);
// The same for one of many tracks of a session, with the files looked up
// once for all of them.
TrackArguments trackArguments(const PTXTrackInfo &track, const ClipFileLookup &files,
                              const std::set<std::string> &importedTrackNames, const SampleRateScale &scale,
                              bool renameChannelViews);

// One record per channel of a clip-list row (channel = index in the group),
// channels whose file is offline or unknown left out.
std::vector<ClipArgument> clipGroupRecords(const PTXClipGroup &group, const PTXSessionInfo &session,
                                           const AudioFileResolution &files, const SampleRateScale &scale,
                                           bool renameChannelViews);

// The resolved paths of a file-list row's files; offline files left out.
std::vector<std::string> audioFileGroupPaths(const PTXAudioFileGroup &group, const AudioFileResolution &files);

} // namespace kestrix::import

#endif
