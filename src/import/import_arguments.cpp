#include "import_arguments.h"

#include "preflight.h"

#include <charconv>
#include <cmath>
#include <filesystem>

namespace kestrix::import {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> existingFile(const std::string &candidate)
{
    if (candidate.empty())
        return std::nullopt;
    std::error_code error;
    const fs::path path(candidate);
    // Without "." and ".." parts, as the window shows the path.
    const fs::path target =
        fs::is_symlink(path, error) ? fs::canonical(path, error) : fs::absolute(path, error).lexically_normal();
    if (error || target.empty() || !fs::is_regular_file(target, error))
        return std::nullopt;
    return target.string();
}

// The source file of a clip, when it is on disk.
const std::string *clipFilePath(const PTXClipInfo &clip, const PTXSessionInfo &session,
                                const AudioFileResolution &files)
{
    if (clip.sourceFileIndex < 0 || uint64_t(clip.sourceFileIndex) >= session.audioFiles.size())
        return nullptr;
    const std::string &name = session.audioFiles[size_t(clip.sourceFileIndex)].name;
    const auto found = files.resolvedPaths.find(name);
    if (found == files.resolvedPaths.end() || files.offlineFiles.count(name))
        return nullptr;
    return &found->second;
}

std::string clipName(const std::string &name, bool renameChannelViews)
{
    if (!renameChannelViews)
        return name;
    return channelViewRename(name).value_or(name);
}

ClipArgument clipArgument(const PTXClipInfo &clip, const std::string &path, const SampleRateScale &scale,
                          bool renameChannelViews, int32_t channel)
{
    return ClipArgument{clipName(clip.name, renameChannelViews), path, scale.apply(clip.sampleOffset),
                        scale.apply(clip.sampleOffset + clip.sampleLength), scale.apply(clip.timelinePosition),
                        channel};
}

// The arguments of a track whose clips find their files through pathOf
// (the clip's file, or null when it is not on disk).
template <typename PathOf>
TrackArguments trackArgumentsWith(const PTXTrackInfo &track, const std::set<std::string> &importedTrackNames,
                                  const SampleRateScale &scale, bool renameChannelViews, const PathOf &pathOf)
{
    TrackArguments arguments{track.name, trackTypeArgument(track), trackFormatArgument(track.format.name),
                             std::nullopt, {}, colorArgument(track.colorIndex), false};
    if (track.parentName && !track.parentName->empty() && importedTrackNames.count(*track.parentName))
        arguments.folder = *track.parentName;
    arguments.clips.reserve(track.clips.size());
    for (const PTXClipInfo &clip : track.clips) {
        const std::string *path = pathOf(clip);
        if (!path)
            continue;
        // The right channel is told by the name before any rename.
        const int32_t channel = clip.name.ends_with(".R") ? 1 : 0;
        arguments.clips.push_back(clipArgument(clip, *path, scale, renameChannelViews, channel));
    }
    arguments.noResolvableClips = !track.clips.empty() && arguments.clips.empty();
    return arguments;
}

} // namespace

AudioFileResolution resolveSessionAudioFiles(const std::vector<PTXAudioFile> &files, const std::string &sessionPath)
{
    AudioFileResolution resolution;
    std::error_code error;
    const fs::path folder = fs::absolute(fs::path(sessionPath), error).parent_path() / "Audio Files";
    for (const PTXAudioFile &file : files) {
        if (resolution.resolvedPaths.count(file.name) || resolution.offlineFiles.count(file.name))
            continue;  // a name is looked for once: the lists key files by name
        std::optional<std::string> found = existingFile(file.path);
        if (!found)
            found = existingFile((folder / file.name).string());
        if (found)
            resolution.resolvedPaths.emplace(file.name, *found);
        else
            resolution.offlineFiles.insert(file.name);
    }
    return resolution;
}

uint64_t SampleRateScale::apply(uint64_t samples) const
{
    if (!converts())
        return samples;
    const uint64_t to = uint64_t(proToolsRate), from = uint64_t(sourceRate);
    if (samples <= UINT64_MAX / to) {
        // Exact in integers, halves rounded up as std::round rounds them;
        // cheaper than long double arithmetic for 100,000 clips.
        const uint64_t product = samples * to;
        const uint64_t quotient = product / from, remainder = product % from;
        return quotient + (remainder >= from - remainder ? 1 : 0);
    }
    const long double scaled = std::round((long double)samples * proToolsRate / sourceRate);
    // A position past what 64 bits hold is kept at the end of the range.
    return scaled >= 18446744073709551615.0L ? UINT64_MAX : uint64_t(scaled);
}

int64_t sourceSampleRate(const PTXSessionInfo &session)
{
    int64_t rate = 0;
    const std::string &text = session.sampleRate;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rate);
    return error == std::errc() && end == text.data() + text.size() && rate > 0 ? rate : 0;
}

MediaOptions mediaOptions(const SampleRateScale &scale)
{
    return scale.converts() ? MediaOptions{true, false} : MediaOptions{false, true};
}

std::string trackTypeArgument(const PTXTrackInfo &track)
{
    if (track.isFolder)
        return track.type == PTXTrackType::aux ? "TT_RoutingFolder" : "TT_BasicFolder";
    switch (track.type) {
    case PTXTrackType::midi: return "TT_MIDI";
    case PTXTrackType::aux: return "TT_Aux";
    case PTXTrackType::masterFader: return "TT_Master";
    case PTXTrackType::instrument: return "TT_Instrument";
    case PTXTrackType::vca: return "TT_VCA";
    default: return "TT_Audio";
    }
}

std::string trackFormatArgument(const std::string &formatName)
{
    if (formatName == "Stereo")
        return "TF_Stereo";
    if (formatName == "5.1")
        return "TF_5_1";
    if (formatName == "7.1")
        return "TF_7_1";
    return "TF_Mono";
}

int32_t colorArgument(uint16_t colorIndex)
{
    if (colorIndex == kNoColorIndex)
        return -2;
    return colorIndex == 0 ? -1 : int32_t(colorIndex);
}

std::vector<ImportClipRecord> clipRecords(const std::vector<ClipArgument> &clips)
{
    std::vector<ImportClipRecord> records;
    records.reserve(clips.size());
    for (const ClipArgument &clip : clips)
        records.push_back(ImportClipRecord{clip.name.c_str(), clip.path ? clip.path->c_str() : nullptr,
                                           clip.sourceStart, clip.sourceEnd, clip.position, clip.channel});
    return records;
}

ClipFileLookup::ClipFileLookup(const PTXSessionInfo &session, const AudioFileResolution &files)
{
    byIndex_.reserve(session.audioFiles.size());
    for (const PTXAudioFile &file : session.audioFiles) {
        const auto found = files.resolvedPaths.find(file.name);
        const bool online = found != files.resolvedPaths.end() && !files.offlineFiles.count(file.name);
        byIndex_.push_back(online ? &found->second : nullptr);
    }
}

const std::string *ClipFileLookup::path(const PTXClipInfo &clip) const
{
    if (clip.sourceFileIndex < 0 || uint64_t(clip.sourceFileIndex) >= byIndex_.size())
        return nullptr;
    return byIndex_[size_t(clip.sourceFileIndex)];
}

std::vector<std::string> ClipFileLookup::filePaths(const std::vector<const PTXTrackInfo *> &tracks) const
{
    std::vector<bool> used(byIndex_.size(), false);
    for (const PTXTrackInfo *track : tracks) {
        for (const PTXClipInfo &clip : track->clips) {
            if (path(clip))
                used[size_t(clip.sourceFileIndex)] = true;
        }
    }
    std::vector<std::string> paths;
    std::set<const std::string *> listed;  // entries of one name share their resolved path
    for (size_t i = 0; i < used.size(); ++i) {
        if (used[i] && listed.insert(byIndex_[i]).second)
            paths.push_back(*byIndex_[i]);
    }
    return paths;
}

TrackArguments trackArguments(const PTXTrackInfo &track, const PTXSessionInfo &session,
                              const AudioFileResolution &files, const std::set<std::string> &importedTrackNames,
                              const SampleRateScale &scale, bool renameChannelViews)
{
    return trackArgumentsWith(track, importedTrackNames, scale, renameChannelViews,
                              [&](const PTXClipInfo &clip) { return clipFilePath(clip, session, files); });
}

TrackArguments trackArguments(const PTXTrackInfo &track, const ClipFileLookup &files,
                              const std::set<std::string> &importedTrackNames, const SampleRateScale &scale,
                              bool renameChannelViews)
{
    return trackArgumentsWith(track, importedTrackNames, scale, renameChannelViews,
                              [&](const PTXClipInfo &clip) { return files.path(clip); });
}

std::vector<ClipArgument> clipGroupRecords(const PTXClipGroup &group, const PTXSessionInfo &session,
                                           const AudioFileResolution &files, const SampleRateScale &scale,
                                           bool renameChannelViews)
{
    std::vector<ClipArgument> records;
    for (size_t i = 0; i < group.channels.size(); ++i) {
        const PTXClipInfo &clip = group.channels[i].clip;
        const std::string *path = clipFilePath(clip, session, files);
        if (!path)
            continue;
        ClipArgument record = clipArgument(clip, *path, scale, renameChannelViews, int32_t(i));
        record.position = 0;
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<std::string> audioFileGroupPaths(const PTXAudioFileGroup &group, const AudioFileResolution &files)
{
    std::vector<std::string> paths;
    for (const PTXAudioFileGroup::Channel &channel : group.channels) {
        const auto found = files.resolvedPaths.find(channel.fileName);
        if (found != files.resolvedPaths.end() && !files.offlineFiles.count(channel.fileName))
            paths.push_back(found->second);
    }
    return paths;
}

} // namespace kestrix::import
