// What the track import and the clip import share: deciding which source
// files to import (reusing the open batch's), importing them, reading the
// file identifiers back, and writing one clip group as a CreateAudioClips
// body with its source ranges clamped to the WAV data.
#ifndef KESTRIX_PTSL_CLIP_SOURCES_H
#define KESTRIX_PTSL_CLIP_SOURCES_H

#include "import_batch.h"
#include "ptsl.h"
#include "ptsl_command.h"
#include "wav_frames.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrix {

// Canonical source path -> the identifiers Pro Tools gave the file.
using FileIdMap = std::map<std::string, std::vector<ImportedFileId>>;

struct SourcePlan {
    FileIdMap fileIds;               // taken over from the open batch
    std::set<std::string> toImport;  // paths as given, sorted byte-wise
    int reusedClips = 0;             // clips whose file the batch already had
};

SourcePlan planSourceFiles(const ImportClipRecord *clips, int32_t count);

// The entries of an ImportAudioToClipList answer, by canonical input path.
FileIdMap parseImportedFiles(const std::string &answer);

// Runs ImportAudioToClipList for the plan's paths; on success adds the
// answer's identifiers to the plan (and to the open batch) and logs each
// with logFormat ("... '%s' -> id '%s'").
CommandResult importSourceFiles(SourcePlan &plan, bool convert, bool link, const char *logFormat);

// The identifiers in a CreateAudioClips answer; empty when it refused.
std::vector<std::string> createdClipIds(const std::string &answer);

// The quoted strings between the first "[" after the quoted key and the
// next "]": the values of an array of strings such as created_track_names
// (which the "key":"value" search cannot see).
std::vector<std::string> jsonArrayStrings(const std::string &answer, const std::string &key);

// Builds the CreateAudioClips body of one group of clips.
class ClipGroupWriter {
public:
    ClipGroupWriter(const ImportClipRecord *clips, const FileIdMap &fileIds) : clips_(clips), fileIds_(fileIds) {}

    // indices are in channel order. With stereo each source gets channel
    // fields, right when rightChannel(channel) holds. When a clip's file
    // has no identifier, missingPath receives it and none is returned.
    template <typename RightChannel>
    std::optional<std::string> body(const std::string &groupName, const std::vector<size_t> &indices, bool stereo,
                                    RightChannel rightChannel, std::string &missingPath);

    int clamped() const { return clamped_; }

private:
    std::optional<std::string> write(const std::string &groupName, const std::vector<size_t> &indices, bool stereo,
                                     const std::vector<bool> &right, std::string &missingPath);
    WavFrameCount framesOf(const std::string &path);

    const ImportClipRecord *clips_;
    const FileIdMap &fileIds_;
    std::map<std::string, WavFrameCount> wavFrames_;
    int clamped_ = 0;
};

template <typename RightChannel>
std::optional<std::string> ClipGroupWriter::body(const std::string &groupName, const std::vector<size_t> &indices,
                                                 bool stereo, RightChannel rightChannel, std::string &missingPath)
{
    std::vector<bool> right;
    for (size_t i : indices)
        right.push_back(rightChannel(clips_[i].channel));
    return write(groupName, indices, stereo, right, missingPath);
}

} // namespace kestrix

#endif
