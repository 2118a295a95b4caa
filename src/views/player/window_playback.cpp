#include "window_playback.h"

#include "audio_player_view.h"
#include "file_list_section.h"
#include "inline_audio_player.h"
#include "ptx_preview_content.h"
#include "universe_overview.h"

#include <algorithm>

namespace kestrix {

WindowPlayback::WindowPlayback(QString idPrefix, PTXPreviewContent *content, UniverseOverview *timeline,
                               QObject *parent)
    : QObject(parent), idPrefix_(std::move(idPrefix)), content_(content), timeline_(timeline)
{
    content_->audioFilesSection()->setPlayerIdPrefix(idPrefix_ + QStringLiteral("file:"));
    content_->clipsSection()->setPlayerIdPrefix(idPrefix_ + QStringLiteral("clip:"));
    connect(&InlineAudioPlayer::shared(), &InlineAudioPlayer::changed, this, &WindowPlayback::followPlayer);
}

WindowPlayback::~WindowPlayback()
{
    InlineAudioPlayer::shared().stopIfCurrent({idPrefix_});
}

void WindowPlayback::setData(const OverviewData &data)
{
    data_ = data;
}

bool WindowPlayback::toggleItem(const SelectableItem &item)
{
    if (item.kind == SelectableItemKind::audioFile())
        return content_->audioFilesSection()->togglePlayback(item);
    if (item.kind == SelectableItemKind::clip())
        return content_->clipsSection()->togglePlayback(item);
    return false;
}

bool WindowPlayback::openPlayer(const SelectableItem &item)
{
    FileListSection *section = item.kind == SelectableItemKind::audioFile() ? content_->audioFilesSection()
                               : item.kind == SelectableItemKind::clip()    ? content_->clipsSection()
                                                                             : nullptr;
    const std::optional<PlayableItem> playable = section ? section->playableItemOf(item) : std::nullopt;
    if (!playable)
        return false;
    QStringList paths;
    for (const PlayableItem::Channel &channel : playable->multiMonoChannels)
        paths << channel.path;
    if (paths.isEmpty())
        paths << playable->path;
    std::optional<std::pair<uint64_t, uint64_t>> region;
    if (playable->sampleOffset && playable->sampleLength)
        region = std::pair{*playable->sampleOffset, *playable->sampleLength};
    openPlayerWindow(paths, region, content_->window());
    return true;
}

QString WindowPlayback::timelineId(const ClipKey &key) const
{
    return idPrefix_ + QStringLiteral("timeline:%1#%2").arg(key.trackName).arg(key.placement);
}

void WindowPlayback::playTimelineClip(const ClipKey &key)
{
    if (!data_ || !data_->session || !data_->files)
        return;
    const PTXSessionInfo &session = *data_->session;
    const auto track = std::find_if(session.tracks.begin(), session.tracks.end(), [&](const PTXTrackInfo &t) {
        return QString::fromStdString(t.name) == key.trackName;
    });
    if (track == session.tracks.end() || key.placement < 0 || size_t(key.placement) >= track->clips.size())
        return;
    const PTXClipInfo &clip = track->clips[size_t(key.placement)];
    if (clip.sourceFileIndex < 0 || size_t(clip.sourceFileIndex) >= session.audioFiles.size())
        return;
    const auto found = data_->files->resolvedPaths.find(session.audioFiles[size_t(clip.sourceFileIndex)].name);
    if (found == data_->files->resolvedPaths.end())
        return;
    playingClip_ = key;
    playingClipPosition_ = clip.timelinePosition;
    playingClipLength_ = clip.sampleLength;
    InlineAudioPlayer::shared().toggle(timelineId(key), PlayableItem{QString::fromStdString(found->second), {},
                                                                     clip.sampleOffset, clip.sampleLength});
}

void WindowPlayback::followPlayer()
{
    const InlineAudioPlayer &player = InlineAudioPlayer::shared();
    const bool playsClip = playingClip_ && player.currentId() == timelineId(*playingClip_);
    if (!playsClip) {
        if (playingClip_) {
            playingClip_.reset();
            timeline_->setActiveClipKey(std::nullopt);
            timeline_->setPlayheadSample(std::nullopt);
        }
        return;
    }
    timeline_->setActiveClipKey(playingClip_);
    // The progress through the clip, on the session's time axis.
    timeline_->setPlayheadSample(double(playingClipPosition_) + player.progress() * double(playingClipLength_));
}

} // namespace kestrix
