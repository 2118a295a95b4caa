// A file window's side of playback: Space on a focused file or clip, a clip
// double-clicked on the timeline, the timeline's playhead and active clip
// while that clip plays, and stopping what the window plays when it goes.
#ifndef KESTRIX_VIEWS_PLAYER_WINDOW_PLAYBACK_H
#define KESTRIX_VIEWS_PLAYER_WINDOW_PLAYBACK_H

#include "clip_key.h"
#include "overview_data.h"
#include "selectable_item.h"

#include <QObject>

#include <optional>

namespace kestrix {

class PTXPreviewContent;
class UniverseOverview;

class WindowPlayback : public QObject {
    Q_OBJECT
public:
    // Player ids of the window start with `idPrefix`.
    WindowPlayback(QString idPrefix, PTXPreviewContent *content, UniverseOverview *timeline, QObject *parent);
    ~WindowPlayback() override;

    void setData(const OverviewData &data);
    // Plays or pauses a file or clip shown in the lists; false for other items.
    bool toggleItem(const SelectableItem &item);
    void playTimelineClip(const ClipKey &key);
    // Opens the player window on a file or clip shown in the lists; false
    // for other items.
    bool openPlayer(const SelectableItem &item);

private:
    void followPlayer();
    QString timelineId(const ClipKey &key) const;

    QString idPrefix_;
    PTXPreviewContent *content_;
    UniverseOverview *timeline_;
    std::optional<OverviewData> data_;
    std::optional<ClipKey> playingClip_;
    uint64_t playingClipPosition_ = 0;
    uint64_t playingClipLength_ = 0;
};

} // namespace kestrix

#endif
