// ptsl_import_track: one track of the viewed session recreated in Pro
// Tools with its clips spotted where they were.
#include "clip_sources.h"
#include "import_batch.h"
#include "import_bodies.h"
#include "import_call.h"
#include "ptsl.h"
#include "ptsl_command.h"
#include "ptsl_json.h"
#include "ptsl_log.h"
#include "channel_suffix.h"

#include <algorithm>
#include <map>

namespace kestrix {

namespace {

constexpr const char *kVersionRequestBody = "{\"ptsl_component\": \"VPTSLComponents_Host\"}";

std::string textOrEmpty(const char *text)
{
    return text ? text : "";
}

struct ClipGroup {
    uint64_t position = 0;
    std::vector<size_t> indices;
};

// Clips that share a timeline position form one group; groups by position,
// clips of a group left before right.
std::vector<ClipGroup> groupByPosition(const ImportClipRecord *clips, int32_t count)
{
    std::vector<ClipGroup> groups;
    std::map<uint64_t, size_t> byPosition;
    for (int32_t i = 0; i < count; ++i) {
        const auto [found, added] = byPosition.emplace(clips[i].position, groups.size());
        if (added)
            groups.push_back(ClipGroup{clips[i].position, {}});
        groups[found->second].indices.push_back(size_t(i));
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const ClipGroup &a, const ClipGroup &b) { return a.position < b.position; });
    for (ClipGroup &group : groups)
        std::stable_sort(group.indices.begin(), group.indices.end(),
                         [&](size_t a, size_t b) { return clips[a].channel < clips[b].channel; });
    return groups;
}

// Colour needs Pro Tools 2025.10 or later.
bool colourSupported()
{
    if (ptsl_connect() != 0)
        return false;
    const CommandResult version = ptsl_run_command(55, kVersionRequestBody);
    if (!version.ok)
        return false;
    const int32_t major = jsonIntAfterKey(version.body, "\"version\"");
    const int32_t minor = jsonIntAfterKey(version.body, "\"version_minor\"");
    return major > 0 && (major > 2025 || (major == 2025 && minor > 9));
}

void colourTrack(const std::string &trackName, int32_t colorIndex)
{
    if (!colourSupported()) {
        ptslLog("Track color skipped \xE2\x80\x94 requires Pro Tools 2025.10+");
        transcriptNote("Track color skipped \xE2\x80\x94 CId_SetTrackColor requires Pro Tools 2025.10 or later.");
        return;
    }
    const CommandResult coloured = ptsl_run_command(kSetTrackColor, setTrackColorBody(trackName, colorIndex));
    if (!coloured.ok)
        ptslLog("SetTrackColor failed (continuing): %s", coloured.error.c_str());
}

struct TrackImport {
    ImportCall &call;
    std::string trackName;
    std::string trackId;
    const ImportClipRecord *clips;
    int32_t count;
    bool stereo;
    int createRefused = 0, spotFailed = 0;
    std::string firstFailure;

    void recordFailure(const std::string &failure)
    {
        if (firstFailure.empty())
            firstFailure = failure;
    }

    // False when the group could not be written (no file id); the call
    // then ends with missingPath.
    bool placeGroup(ClipGroupWriter &writer, const ClipGroup &group, std::string &missingPath)
    {
        const std::string name = stripChannelSuffix(textOrEmpty(clips[group.indices.front()].name));
        const std::optional<std::string> body =
            writer.body(name, group.indices, stereo, [](int32_t channel) { return channel == 1; }, missingPath);
        if (!body)
            return false;
        const std::string where = " at timeline " + std::to_string(group.position) + " samples";
        const CommandResult created = ptsl_run_command(kCreateAudioClips, *body);
        if (!created.ok) {
            ptslLog("CreateAudioClips failed for '%s' at %llu: %s", name.c_str(),
                    static_cast<unsigned long long>(group.position), created.error.c_str());
            transcriptNote("CreateAudioClips error for '" + name + "'" + where + ": " + created.error);
            ++createRefused;
            recordFailure("CreateAudioClips refused clip '" + name + "': " + created.error);
            return true;
        }
        const std::vector<std::string> ids = createdClipIds(created.body);
        if (ids.empty()) {
            ptslLog("Pro Tools silently refused clip '%s' at %llu", name.c_str(),
                    static_cast<unsigned long long>(group.position));
            transcriptNote("Pro Tools refused to create clip '" + name + "'" + where +
                           " \xE2\x80\x94 CreateAudioClips returned OK but with empty clip_ids. Request body: " + *body);
            ++createRefused;
            recordFailure("Pro Tools refused to create clip '" + name +
                          "' (CreateAudioClips returned OK with empty clip_ids).");
            return true;
        }
        ptslLog("Spotting %lu clips at %llu samples", static_cast<unsigned long>(ids.size()),
                static_cast<unsigned long long>(group.position));
        const CommandResult spotted =
            ptsl_run_command(kSpotClipsByID, spotClipsBody(ids, trackId, trackName, group.position));
        if (!spotted.ok) {
            ptslLog("SpotClipsByID failed at %llu: %s", static_cast<unsigned long long>(group.position),
                    spotted.error.c_str());
            transcriptNote("SpotClipsByID failed for clip '" + name + "'" + where + ": " + spotted.error);
            ++spotFailed;
            recordFailure("SpotClipsByID failed for '" + name + "': " + spotted.error);
        }
        return true;
    }

    void select() { ptsl_run_command(kSelectTracksByName, selectTracksBody(trackName)); }

    int32_t placeClips(bool convert, bool link)
    {
        SourcePlan plan = planSourceFiles(clips, count);
        if (plan.reusedClips > 0)
            transcriptNote("Reused " + std::to_string(plan.reusedClips) +
                           " file_id(s) from this import batch (skipped re-copy).");
        if (plan.toImport.empty()) {
            transcriptNote("Skipped CId_ImportAudioToClipList \xE2\x80\x94 every source file was already imported "
                           "earlier in this batch.");
        } else {
            ptslLog("Importing %lu audio files (%s)", static_cast<unsigned long>(plan.toImport.size()),
                    audioOperation(convert, link));
            const CommandResult imported = importSourceFiles(plan, convert, link, "File '%s' -> id '%s'");
            if (!imported.ok)
                return call.fail(-4, "ImportAudioToClipList", imported.error);
        }

        const std::vector<ClipGroup> groups = groupByPosition(clips, count);
        ptslLog("Creating %lu clip groups (%s)", static_cast<unsigned long>(groups.size()), stereo ? "stereo" : "mono");
        ClipGroupWriter writer(clips, plan.fileIds);
        for (const ClipGroup &group : groups) {
            std::string missingPath;
            if (!placeGroup(writer, group, missingPath))
                return call.fail(-5, "CreateAudioClips", "No file_id found for '" + missingPath + "'.");
        }

        const size_t placed = groups.size() - size_t(createRefused) - size_t(spotFailed);
        if (writer.clamped() > 0 || createRefused > 0 || spotFailed > 0)
            transcriptNote("Import summary for track '" + trackName + "': " + std::to_string(writer.clamped()) +
                           " clip(s) clamped at pre-flight, " + std::to_string(createRefused) +
                           " clip(s) refused by Pro Tools (CreateAudioClips), " + std::to_string(spotFailed) +
                           " clip(s) failed to spot. " + std::to_string(placed) + " of " +
                           std::to_string(groups.size()) + " group(s) placed.");
        ptslLog("Track '%s': clamped=%d createRefused=%d spotFailed=%d placed=%zu/%zu", trackName.c_str(),
                writer.clamped(), createRefused, spotFailed, placed, groups.size());
        if (!groups.empty() && placed == 0) {
            std::string detail = "Pro Tools created 0 of " + std::to_string(groups.size()) + " clip(s) for track '" +
                                 trackName + "'.";
            if (!firstFailure.empty())
                detail += "\n\nFirst failure: " + firstFailure;
            return call.fail(-10, "CreateAudioClips", detail);
        }
        ptslLog("Selecting track '%s'", trackName.c_str());
        select();
        ptslLog("Import completed for track '%s'", trackName.c_str());
        return 0;
    }
};

// The folder to create a track in: when a folder of that name was created
// earlier in this batch and Pro Tools renamed it ("Drums" taken, so
// "Drums 1"), the track goes into the renamed one, not the older "Drums".
std::string createdFolderName(const std::string &folder)
{
    if (folder.empty())
        return folder;
    const std::optional<std::string> created = batchCreatedTrackName(folder);
    if (!created || *created == folder)
        return folder;
    ptslLog("Folder '%s' was renamed by PT to '%s'; the track goes into '%s'", folder.c_str(), created->c_str(),
            created->c_str());
    transcriptNote("Folder '" + folder + "' was created as '" + *created + "' in this import; the track goes into '" +
                   *created + "'.");
    return *created;
}

int32_t importTrack(ImportCall &call, const std::string &name, const std::string &type, const std::string &format,
                    const std::string &requestedFolder, const ImportClipRecord *clips, int32_t count, bool convert,
                    bool link, int32_t colorIndex)
{
    if (const int32_t status = call.connectAndCheckVersion(cannotConnectText() + " Make sure Pro Tools is running."))
        return status;
    if (count < 0)
        return call.fail(-2, "Validate", "Invalid clip count.");

    const std::string folder = createdFolderName(requestedFolder);
    if (folder.empty())
        ptslLog("Creating track '%s' (%s %s)", name.c_str(), type.c_str(), format.c_str());
    else
        ptslLog("Creating track '%s' (%s %s) inside folder '%s'", name.c_str(), type.c_str(), format.c_str(),
                folder.c_str());
    const CommandResult created = ptsl_run_command(kCreateNewTracks, createNewTracksBody(name, format, type, folder));
    if (!created.ok)
        return call.fail(-3, "CreateNewTracks", created.error);

    TrackImport track{call, name, {}, clips, count, format == "TF_Stereo", 0, 0, {}};
    const std::vector<std::string> names = jsonArrayStrings(created.body, "created_track_names");
    const std::vector<std::string> ids = jsonArrayStrings(created.body, "created_track_ids");
    if (!names.empty())
        track.trackName = names.front();
    if (!ids.empty())
        track.trackId = ids.front();
    if (track.trackName != name)
        ptslLog("Requested track name '%s' was renamed by PT to '%s'", name.c_str(), track.trackName.c_str());
    rememberBatchCreatedTrack(name, track.trackName);

    if (colorIndex != -2)
        colourTrack(track.trackName, colorIndex);
    if (count == 0) {
        ptslLog("No clips \xE2\x80\x94 track-only import for '%s'", track.trackName.c_str());
        track.select();
        return 0;
    }
    return track.placeClips(convert, link);
}

} // namespace

} // namespace kestrix

int32_t ptsl_import_track(const char *trackName, const char *trackType, const char *trackFormat,
                          const char *folderName, const ImportClipRecord *clips, int32_t clipCount, bool convert,
                          bool link, int32_t colorIndex, char **errorOut, char **transcriptOut)
{
    using namespace kestrix;
    ImportCall call(errorOut, transcriptOut);
    try {
        if (clipCount > 0 && !clips)
            return call.fail(-2, "Validate", "Invalid clip count.");
        return importTrack(call, textOrEmpty(trackName), textOrEmpty(trackType), textOrEmpty(trackFormat),
                           textOrEmpty(folderName), clips, clipCount, convert, link, colorIndex);
    } catch (...) {
        return call.failWithException("Import exception: %s");
    }
}
