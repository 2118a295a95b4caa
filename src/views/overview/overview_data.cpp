#include "overview_data.h"

namespace kestrix {

OverviewData OverviewData::make(std::shared_ptr<const PTXSessionInfo> session, AudioFileStatus files)
{
    OverviewData data;
    data.audioFileGroups = std::make_shared<const std::vector<PTXAudioFileGroup>>(groupAudioFiles(session->audioFiles));
    data.clipGroups = std::make_shared<const std::vector<PTXClipGroup>>(groupClips(session->clips));
    auto index = std::make_shared<std::unordered_map<std::string, size_t>>();
    index->reserve(session->audioFiles.size());
    for (size_t i = 0; i < session->audioFiles.size(); ++i)
        index->try_emplace(session->audioFiles[i].name, i);
    data.audioFileIndex = std::move(index);
    data.searchIndex = std::make_shared<const LazySearchIndex>(session, data.audioFileGroups, data.clipGroups);
    data.files = std::make_shared<const AudioFileStatus>(std::move(files));
    data.session = std::move(session);
    return data;
}

const PTXAudioFile *OverviewData::audioFileNamed(const std::string &name) const
{
    const auto found = audioFileIndex->find(name);
    return found == audioFileIndex->end() ? nullptr : &session->audioFiles[found->second];
}

const PTXAudioFile *OverviewData::sourceFileOf(const PTXClipInfo &clip) const
{
    if (clip.sourceFileIndex < 0 || size_t(clip.sourceFileIndex) >= session->audioFiles.size())
        return nullptr;
    return &session->audioFiles[size_t(clip.sourceFileIndex)];
}

} // namespace kestrix
