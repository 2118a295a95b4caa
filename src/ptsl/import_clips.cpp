// ptsl_import_clips and ptsl_import_audio_files: material into the clip
// list of the session open in Pro Tools, without tracks.
#include "channel_suffix.h"
#include "clip_sources.h"
#include "import_bodies.h"
#include "import_call.h"
#include "ptsl.h"
#include "ptsl_log.h"

#include <algorithm>
#include <map>

namespace kestrix {

namespace {

struct NamedGroup {
    std::string name;
    std::vector<size_t> indices;
};

// Channel clips of one clip share their name without the channel suffix;
// groups in order of first appearance, channels in index order.
std::vector<NamedGroup> groupByName(const ImportClipRecord *clips, int32_t count)
{
    std::vector<NamedGroup> groups;
    std::map<std::string, size_t> byName;
    for (int32_t i = 0; i < count; ++i) {
        const std::string name = stripChannelSuffix(clips[i].name ? clips[i].name : "");
        const auto [found, added] = byName.emplace(name, groups.size());
        if (added)
            groups.push_back(NamedGroup{name, {}});
        groups[found->second].indices.push_back(size_t(i));
    }
    for (NamedGroup &group : groups)
        std::stable_sort(group.indices.begin(), group.indices.end(),
                         [&](size_t a, size_t b) { return clips[a].channel < clips[b].channel; });
    return groups;
}

int32_t importClips(ImportCall &call, const ImportClipRecord *clips, int32_t count, bool convert, bool link)
{
    if (const int32_t status = call.connectAndCheckVersion(cannotConnectText()))
        return status;
    if (count < 1 || !clips)
        return call.fail(-3, "Validate", "No clips to import.");

    SourcePlan plan = planSourceFiles(clips, count);
    if (plan.reusedClips > 0)
        transcriptNote("ImportClips: reused " + std::to_string(plan.reusedClips) +
                       " file_id(s) from this import batch (skipped re-copy).");
    if (plan.toImport.empty()) {
        transcriptNote("ImportClips: skipped CId_ImportAudioToClipList \xE2\x80\x94 every source was already imported "
                       "earlier in this batch.");
    } else {
        ptslLog("ImportClips: importing %lu audio files (%s)", static_cast<unsigned long>(plan.toImport.size()),
                audioOperation(convert, link));
        const CommandResult imported = importSourceFiles(plan, convert, link, "ImportClips: file '%s' -> id '%s'");
        if (!imported.ok)
            return call.fail(-4, "ImportAudioToClipList", imported.error);
    }

    const std::vector<NamedGroup> groups = groupByName(clips, count);
    ClipGroupWriter writer(clips, plan.fileIds);
    int created = 0, refused = 0;
    std::string firstFailure;
    for (const NamedGroup &group : groups) {
        std::string missingPath;
        const std::optional<std::string> body = writer.body(
            group.name, group.indices, group.indices.size() == 2, [](int32_t channel) { return channel != 0; },
            missingPath);
        if (!body)
            return call.fail(-5, "CreateAudioClips", "No file_id found for '" + missingPath + "'.");
        const CommandResult result = ptsl_run_command(kCreateAudioClips, *body);
        std::string failure;
        if (!result.ok) {
            ptslLog("ImportClips: CreateAudioClips failed for '%s': %s", group.name.c_str(), result.error.c_str());
            transcriptNote("CreateAudioClips error for '" + group.name + "': " + result.error);
            failure = "CreateAudioClips refused clip '" + group.name + "': " + result.error;
        } else if (createdClipIds(result.body).empty()) {
            ptslLog("ImportClips: Pro Tools silently refused clip '%s'", group.name.c_str());
            transcriptNote("Pro Tools refused to create clip '" + group.name +
                           "' \xE2\x80\x94 CreateAudioClips returned OK but with empty clip_ids. Request body: " + *body);
            failure = "Pro Tools refused to create clip '" + group.name +
                      "' (CreateAudioClips returned OK with empty clip_ids).";
        } else {
            ++created;
            continue;
        }
        ++refused;
        if (firstFailure.empty())
            firstFailure = failure;
    }

    const std::string groupCount = std::to_string(groups.size());
    ptslLog("ImportClips: created %d/%d clip(s)", created, static_cast<int>(groups.size()));
    if (writer.clamped() > 0 || refused > 0)
        transcriptNote("Import summary: " + std::to_string(writer.clamped()) + " clip(s) clamped at pre-flight, " +
                       std::to_string(refused) + " clip(s) refused by Pro Tools. " + std::to_string(created) +
                       " of " + groupCount + " clip(s) created.");
    if (created == 0 && !groups.empty()) {
        std::string detail = "Pro Tools created 0 of " + groupCount + " clip(s).";
        if (!firstFailure.empty())
            detail += "\n\nFirst failure: " + firstFailure;
        return call.fail(-10, "CreateAudioClips", detail);
    }
    return 0;
}

int32_t importAudioFiles(ImportCall &call, const char *const *paths, int32_t count, bool convert, bool link)
{
    if (const int32_t status = call.connectAndCheckVersion(cannotConnectText()))
        return status;
    std::set<std::string> files;
    for (int32_t i = 0; paths && i < count; ++i) {
        if (paths[i])
            files.insert(paths[i]);
    }
    if (files.empty())
        return call.fail(-3, "Validate", "No audio files to import.");
    const char *operation = audioOperation(convert, link);
    ptslLog("ImportAudioFiles: importing %lu file(s) (%s)", static_cast<unsigned long>(files.size()), operation);
    const CommandResult imported = ptsl_run_command(kImportAudioToClipList, importAudioBody(files, operation));
    if (!imported.ok)
        return call.fail(-4, "ImportAudioToClipList", imported.error);
    return 0;
}

} // namespace

} // namespace kestrix

int32_t ptsl_import_clips(const ImportClipRecord *clips, int32_t clipCount, const void * /*reserved*/, bool convert,
                          bool link, char **errorOut, char **transcriptOut)
{
    using namespace kestrix;
    ImportCall call(errorOut, transcriptOut);
    try {
        return importClips(call, clips, clipCount, convert, link);
    } catch (...) {
        return call.failWithException("ImportClips exception: %s");
    }
}

int32_t ptsl_import_audio_files(const char *const *paths, int32_t pathCount, bool convert, bool link,
                                char **errorOut, char **transcriptOut)
{
    using namespace kestrix;
    ImportCall call(errorOut, transcriptOut);
    try {
        return importAudioFiles(call, paths, pathCount, convert, link);
    } catch (...) {
        return call.failWithException("ImportAudioFiles exception: %s");
    }
}
