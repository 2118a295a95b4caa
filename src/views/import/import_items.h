// What the import dialogs list: the tracks with the rows of their clip
// lists, the clip-list rows and the audio-file rows the user chose, with
// the texts each row shows. Plain data, built on the main thread from the
// session window's request.
#ifndef KESTRIX_VIEWS_IMPORT_IMPORT_ITEMS_H
#define KESTRIX_VIEWS_IMPORT_IMPORT_ITEMS_H

#include "import_arguments.h"
#include "multi_mono_grouping.h"
#include "overview_data.h"
#include "session_info.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace kestrix {

struct ImportTrackClipEntry {
    std::string id, trackName, clipName, format, fileName, resolvedPath;
    uint16_t colorIndex = kNoColorIndex, trackColorIndex = kNoColorIndex;
    PTXTrackType trackType = PTXTrackType::unknown;
    bool isOffline = false;
};

struct ImportTrackItem {
    std::string id, name, type, format;
    size_t clipCount = 0;
    PTXTrackInfo track;
    std::vector<ImportTrackClipEntry> clips;
};

struct ImportClipItem {
    struct Channel {
        std::string suffix;
        PTXClipInfo clip;
        std::string sourceFileName, sourceFilePath;  // path empty when offline
        size_t channelIndex = 0;
    };
    std::string id, name, format;
    std::vector<Channel> channels;
};

struct ImportAudioFile {
    std::string id, name, path, format;
    size_t offlineChannels = 0;
};

// What a row's format column says: a multi-mono set by its channel count,
// a single file by its own format ("WAV"), or "" when that is unknown (the
// channels of an interleaved file are not read here).
std::string groupFormatText(size_t channels, const std::string &fileFormat);

// The window's view of the files on disk as the import core takes it.
import::AudioFileResolution importResolution(const AudioFileStatus &files);

std::vector<ImportTrackItem> importTrackItems(const std::vector<PTXTrackInfo> &tracks, const PTXSessionInfo &session,
                                              const import::AudioFileResolution &files);
// formats: audio file name -> its format text, as the window found it.
using FileFormats = std::unordered_map<std::string, std::string>;
std::vector<ImportClipItem> importClipItems(const std::vector<PTXClipGroup> &groups, const PTXSessionInfo &session,
                                            const import::AudioFileResolution &files, const FileFormats &formats);
std::vector<ImportAudioFile> importAudioFiles(const std::vector<PTXAudioFileGroup> &groups,
                                              const import::AudioFileResolution &files, const FileFormats &formats);

} // namespace kestrix

#endif
