#include "import_items.h"

namespace kestrix {

namespace {

const PTXAudioFile *sourceFile(const PTXClipInfo &clip, const PTXSessionInfo &session)
{
    if (clip.sourceFileIndex < 0 || size_t(clip.sourceFileIndex) >= session.audioFiles.size())
        return nullptr;
    return &session.audioFiles[size_t(clip.sourceFileIndex)];
}

std::string formatOf(const FileFormats &formats, const std::string &name)
{
    const auto found = formats.find(name);
    return found == formats.end() ? std::string() : found->second;
}

std::string resolvedPath(const import::AudioFileResolution &files, const std::string &name)
{
    const auto found = files.resolvedPaths.find(name);
    return found == files.resolvedPaths.end() ? std::string() : found->second;
}

} // namespace

std::string groupFormatText(size_t channels, const std::string &fileFormat)
{
    if (channels > 1)
        return "Multi-mono, " + std::to_string(channels) + " ch";
    return fileFormat;
}

import::AudioFileResolution importResolution(const AudioFileStatus &files)
{
    import::AudioFileResolution resolution;
    resolution.resolvedPaths.insert(files.resolvedPaths.begin(), files.resolvedPaths.end());
    resolution.offlineFiles.insert(files.offlineFiles.begin(), files.offlineFiles.end());
    return resolution;
}

std::vector<ImportTrackItem> importTrackItems(const std::vector<PTXTrackInfo> &tracks, const PTXSessionInfo &session,
                                              const import::AudioFileResolution &files)
{
    std::vector<ImportTrackItem> items;
    items.reserve(tracks.size());
    for (const PTXTrackInfo &track : tracks) {
        ImportTrackItem item{track.name, track.name, std::string(track.typeLabel()), track.format.name,
                             track.clips.size(), track, {}};
        item.clips.reserve(track.clips.size());
        for (size_t i = 0; i < track.clips.size(); ++i) {
            const PTXClipInfo &clip = track.clips[i];
            const PTXAudioFile *file = sourceFile(clip, session);
            ImportTrackClipEntry entry;
            entry.id = track.name + "/" + std::to_string(i);
            entry.trackName = track.name;
            entry.clipName = clip.name;
            entry.format = track.format.name;
            entry.fileName = file ? file->name : std::string();
            entry.resolvedPath = file ? resolvedPath(files, file->name) : std::string();
            entry.colorIndex = clip.colorIndex;
            entry.trackColorIndex = track.colorIndex;
            entry.trackType = track.type;
            entry.isOffline = entry.resolvedPath.empty();
            item.clips.push_back(std::move(entry));
        }
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<ImportClipItem> importClipItems(const std::vector<PTXClipGroup> &groups, const PTXSessionInfo &session,
                                            const import::AudioFileResolution &files, const FileFormats &formats)
{
    std::vector<ImportClipItem> items;
    items.reserve(groups.size());
    for (const PTXClipGroup &group : groups) {
        ImportClipItem item{group.id, group.baseName, {}, {}};
        for (size_t i = 0; i < group.channels.size(); ++i) {
            const PTXClipGroup::Channel &channel = group.channels[i];
            const PTXAudioFile *file = sourceFile(channel.clip, session);
            const std::string name = file ? file->name : std::string();
            item.channels.push_back({channel.suffix, channel.clip, name, resolvedPath(files, name), i});
        }
        item.format = groupFormatText(item.channels.size(),
                                      item.channels.empty() ? std::string() : formatOf(formats, item.channels[0].sourceFileName));
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<ImportAudioFile> importAudioFiles(const std::vector<PTXAudioFileGroup> &groups,
                                              const import::AudioFileResolution &files, const FileFormats &formats)
{
    std::vector<ImportAudioFile> items;
    items.reserve(groups.size());
    for (const PTXAudioFileGroup &group : groups) {
        ImportAudioFile item{group.id, group.baseName, {},
                             groupFormatText(group.channels.size(),
                                             group.channels.empty() ? std::string()
                                                                    : formatOf(formats, group.channels[0].fileName)),
                             0};
        for (const PTXAudioFileGroup::Channel &channel : group.channels) {
            const std::string path = resolvedPath(files, channel.fileName);
            if (path.empty())
                ++item.offlineChannels;
            else if (item.path.empty())
                item.path = path;
        }
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace kestrix
