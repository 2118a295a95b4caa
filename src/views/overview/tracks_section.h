// The track list: tracks of the types switched on, filtered by the search;
// each track opens to show its inserts and its clips.
#ifndef KESTRIX_VIEWS_OVERVIEW_TRACKS_SECTION_H
#define KESTRIX_VIEWS_OVERVIEW_TRACKS_SECTION_H

#include "cached_result.h"
#include "list_section.h"
#include "track_rows.h"

#include <QTimer>

#include <string>
#include <unordered_map>
#include <unordered_set>

class QToolButton;

namespace kestrix {

class TrackListModel;
class TrackTooltip;

class TracksSection : public ListSection {
    Q_OBJECT
public:
    explicit TracksSection(QWidget *parent = nullptr);

    void setData(const OverviewData &data);
    // The search and timeline selection; the type switches come from TrackTypeVisibility.
    void setFilters(const SectionFilterToken &filters);
    void setSelection(std::shared_ptr<const OverviewSelection> selection);
    void setExpandedTracks(std::unordered_set<std::string> names);
    const std::unordered_set<std::string> &expandedTracks() const { return expanded_; }

    TrackListModel *model() const { return model_; }
    int rowOf(const SelectableItem &item) const override;
    // Indices of the shown tracks, in order.
    const std::vector<size_t> &shownTracks() const { return shownTracks_; }
    // The shown tracks as the selection works on them: an expanded track
    // holds the clips its lane shows, a closed one none.
    std::vector<PTXTrackInfo> shownTracksWithLaneClips() const;
    TrackTooltip *tooltip() const { return tooltip_; }

signals:
    void expandedTracksChanged(const std::unordered_set<std::string> &names);
    void importTrackRequested(const kestrix::SelectableItem &track);

private:
    void applyToken(const TracksFilterToken &token);
    void refresh();
    const ClipLane &laneOf(size_t track);
    void toggleExpanded(int row, bool allTracks);
    void rowClicked(int row, Qt::KeyboardModifiers modifiers, QPoint position);
    void showMenu(int row, QPoint globalPosition);
    void hoverChanged(int row);
    void showTooltip();
    QToolButton *makeTypeMenuButton();
    void updateTypeMenuButton();

    TrackListModel *model_;
    mutable int lastFoundRow_ = -1;
    OverviewData data_;
    TracksFilterToken token_;
    std::unordered_set<std::string> expanded_;
    CachedResult<TracksFilterToken, std::vector<size_t>> shown_;
    std::unordered_map<size_t, CachedResult<ClipFilterToken, ClipLane>> lanes_;
    std::vector<size_t> shownTracks_;
    QToolButton *typeMenuButton_ = nullptr;
    TrackTooltip *tooltip_;
    QTimer tooltipTimer_;
    int tooltipRow_ = -1;
};

} // namespace kestrix

#endif
