#include "clip_sources.h"

#include "canonical_path.h"
#include "channel_suffix.h"
#include "connection.h"
#include "import_bodies.h"
#include "ptsl_json.h"
#include "ptsl_log.h"

#include <mutex>

namespace kestrix {

namespace {

std::string keyPattern(std::string_view key)
{
    return "\"" + std::string(key) + "\":\"";
}

// The value that starts at from, up to the next quote; npos when unclosed.
std::optional<std::string> valueAt(const std::string &text, size_t from, size_t &end)
{
    end = text.find('"', from);
    if (end == std::string::npos)
        return std::nullopt;
    return text.substr(from, end - from);
}

} // namespace

SourcePlan planSourceFiles(const ImportClipRecord *clips, int32_t count)
{
    SourcePlan plan;
    const std::lock_guard lock(connectionMutex());
    for (int32_t i = 0; i < count; ++i) {
        if (!clips[i].path)
            continue;
        const std::string canonical = canonicalPath(clips[i].path);
        if (std::optional<std::vector<ImportedFileId>> ids = batchFileIds(canonical)) {
            plan.fileIds[canonical] = std::move(*ids);
            ++plan.reusedClips;
        } else {
            plan.toImport.insert(clips[i].path);
        }
    }
    return plan;
}

FileIdMap parseImportedFiles(const std::string &answer)
{
    FileIdMap files;
    const std::string inputKey = keyPattern("original_input_path");
    const std::string idKey = keyPattern("file_id");
    const std::string pathKey = keyPattern("file_path");
    size_t entry = answer.find(inputKey);
    while (entry != std::string::npos) {
        size_t end = 0;
        const std::optional<std::string> input = valueAt(answer, entry + inputKey.size(), end);
        if (!input)
            break;
        const size_t next = answer.find(inputKey, end);
        const size_t limit = next == std::string::npos ? answer.size() : next;
        std::vector<ImportedFileId> ids;
        size_t at = end;
        while (true) {
            const size_t id = answer.find(idKey, at);
            const size_t path = answer.find(pathKey, at);
            const size_t first = std::min(id, path);
            if (first >= limit)
                break;
            const bool isId = first == id;
            size_t valueEnd = 0;
            const std::optional<std::string> value =
                valueAt(answer, first + (isId ? idKey.size() : pathKey.size()), valueEnd);
            if (!value || valueEnd > limit)
                break;
            if (isId)
                ids.push_back(ImportedFileId{*value, {}});
            else if (!ids.empty())
                ids.back().filePath = *value;
            at = valueEnd + 1;
        }
        files[canonicalPath(*input)] = std::move(ids);
        entry = next;
    }
    return files;
}

CommandResult importSourceFiles(SourcePlan &plan, bool convert, bool link, const char *logFormat)
{
    CommandResult result =
        ptsl_run_command(kImportAudioToClipList, importAudioBody(plan.toImport, audioOperation(convert, link)));
    if (!result.ok)
        return result;
    for (auto &[path, ids] : parseImportedFiles(result.body)) {
        rememberBatchFileIds(path, ids);
        for (const ImportedFileId &id : ids)
            ptslLog(logFormat, path.c_str(), id.fileId.c_str());
        plan.fileIds[path] = std::move(ids);
    }
    return result;
}

std::vector<std::string> createdClipIds(const std::string &answer)
{
    return jsonArrayStrings(answer, "clip_ids");
}

std::vector<std::string> jsonArrayStrings(const std::string &answer, const std::string &key)
{
    std::vector<std::string> ids;
    const size_t keyAt = answer.find("\"" + key + "\"");
    if (keyAt == std::string::npos)
        return ids;
    const size_t open = answer.find('[', keyAt);
    const size_t close = open == std::string::npos ? std::string::npos : answer.find(']', open);
    if (close == std::string::npos)
        return ids;
    size_t at = open + 1;
    while (true) {
        const size_t quote = answer.find('"', at);
        if (quote == std::string::npos || quote > close)
            break;
        const size_t end = answer.find('"', quote + 1);
        if (end == std::string::npos || end > close)
            break;
        ids.push_back(answer.substr(quote + 1, end - quote - 1));
        at = end + 1;
    }
    return ids;
}

WavFrameCount ClipGroupWriter::framesOf(const std::string &path)
{
    const auto cached = wavFrames_.find(path);
    if (cached != wavFrames_.end())
        return cached->second;
    return wavFrames_[path] = readWavFrameCount(path);
}

std::optional<std::string> ClipGroupWriter::write(const std::string &groupName, const std::vector<size_t> &indices,
                                                  bool stereo, const std::vector<bool> &right,
                                                  std::string &missingPath)
{
    // All channels from one file: one identifier means an interleaved
    // file, several mean Pro Tools split it into one file per channel.
    std::optional<std::string> sharedPath;
    bool oneFile = indices.size() >= 2;
    for (size_t i : indices) {
        const std::string path = clips_[i].path ? canonicalPath(clips_[i].path) : std::string();
        if (!sharedPath)
            sharedPath = path;
        oneFile = oneFile && clips_[i].path && path == *sharedPath;
    }
    const auto sharedIds = oneFile ? fileIds_.find(*sharedPath) : fileIds_.end();
    const bool interleaved = sharedIds != fileIds_.end() && sharedIds->second.size() == 1;
    const bool splitSource = sharedIds != fileIds_.end() && sharedIds->second.size() > 1;

    std::vector<ClipSourceElement> sources;
    for (size_t n = 0; n < indices.size(); ++n) {
        const ImportClipRecord &clip = clips_[indices[n]];
        const std::string path = clip.path ? clip.path : "";
        const auto ids = fileIds_.find(canonicalPath(path));
        if (ids == fileIds_.end() || ids->second.empty()) {
            missingPath = path;
            return std::nullopt;
        }
        ClipSourceElement source{splitSource ? splitSourceFileId(ids->second, clip.channel).fileId
                                             : ids->second.front().fileId,
                                 clip.sourceStart, clip.sourceEnd, {}, {}};
        const WavFrameCount frames = framesOf(path);
        if (frames.valid && frames.frames < source.end) {
            ptsl_transcript_note(("Pre-flight: clamped src_end for '" + groupName + "' (file '" + path + "' has " +
                                  std::to_string(frames.frames) + " frames). Requested src_end=" +
                                  std::to_string(source.end) + " \xE2\x86\x92 " + std::to_string(frames.frames) + ".")
                                     .c_str());
            source.end = frames.frames;
            ++clamped_;
        }
        if (stereo) {
            source.destinationChannel = right[n] ? "SChannel_Right" : "SChannel_Left";
            source.sourceChannel = interleaved ? source.destinationChannel : "SChannel_Mono";
        }
        sources.push_back(std::move(source));
    }
    return createAudioClipsBody(groupName, stereo, sources);
}

} // namespace kestrix
