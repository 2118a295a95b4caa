#include "import_plan.h"

#include <memory>
#include <set>

namespace kestrix {

using namespace import;

ImportPlan tracksPlan(const std::vector<ImportTrackItem> &tracks, const PTXSessionInfo &session,
                      const AudioFileResolution &files, const SampleRateScale &scale, bool renameChannelViews)
{
    ImportPlan plan;
    plan.contextLabel = "Import Tracks";
    std::set<std::string> names;
    for (const ImportTrackItem &item : tracks)
        names.insert(item.name);
    auto arguments = std::make_shared<std::vector<TrackArguments>>();
    arguments->reserve(tracks.size());
    for (const ImportTrackItem &item : tracks) {
        arguments->push_back(trackArguments(item.track, session, files, names, scale, renameChannelViews));
        const TrackArguments &track = arguments->back();
        plan.trackNames.push_back(track.name);
        plan.trackLines.push_back(track.name + " (" + track.type + ", " + track.format + ", " +
                                  std::to_string(track.clips.size()) + " clip(s))");
        for (const ClipArgument &clip : track.clips) {
            plan.clipNames.push_back(clip.name);
            if (clip.path)
                plan.filePaths.push_back(*clip.path);
        }
    }
    plan.run = [arguments](const ImportOptions &options, const ProgressCallback &progress,
                           const std::atomic<bool> *cancel) {
        return runTracksImport(*arguments, options, progress, cancel);
    };
    return plan;
}

ImportPlan clipsPlan(const std::vector<ImportClipItem> &clips, const PTXSessionInfo &session,
                     const AudioFileResolution &files, const SampleRateScale &scale, bool renameChannelViews)
{
    ImportPlan plan;
    plan.contextLabel = "Import Clips";
    auto records = std::make_shared<std::vector<ClipArgument>>();
    for (const ImportClipItem &item : clips) {
        PTXClipGroup group{item.id, item.name, {}};
        for (const ImportClipItem::Channel &channel : item.channels)
            group.channels.push_back({channel.suffix, channel.clip});
        for (ClipArgument &record : clipGroupRecords(group, session, files, scale, renameChannelViews)) {
            plan.clipNames.push_back(record.name);
            if (record.path)
                plan.filePaths.push_back(*record.path);
            records->push_back(std::move(record));
        }
        plan.clipLines.push_back(item.format.empty() ? item.name : item.name + " (" + item.format + ")");
    }
    plan.run = [records](const ImportOptions &options, const ProgressCallback &progress, const std::atomic<bool> *) {
        return runClipsImport(*records, options, progress);
    };
    return plan;
}

ImportPlan audioPlan(const std::vector<PTXAudioFileGroup> &groups, const AudioFileResolution &files)
{
    ImportPlan plan;
    plan.contextLabel = "Import Audio Files";
    plan.runsPreflight = false;
    auto paths = std::make_shared<std::vector<std::string>>();
    for (const PTXAudioFileGroup &group : groups) {
        for (const std::string &path : audioFileGroupPaths(group, files))
            paths->push_back(path);
        plan.fileLines.push_back(group.channels.size() > 1
                                     ? group.baseName + " (" + std::to_string(group.channels.size()) + " files)"
                                     : group.baseName);
    }
    plan.filePaths = *paths;
    plan.run = [paths](const ImportOptions &options, const ProgressCallback &progress, const std::atomic<bool> *) {
        return runAudioImport(*paths, options, progress);
    };
    return plan;
}

} // namespace kestrix
