// The timeline part of the "Overview" section: the ruler, the timeline
// overview with its scroll bars, and the height handle. It keeps them in
// step and reports the user's changes to the window, which stores them with
// the file's settings.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_OVERVIEW_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_OVERVIEW_H

#include "clip_key.h"
#include "universe_anchors.h"
#include "universe_layout.h"
#include "universe_state.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace kestrix {

class OverviewRuler;
class UniverseHeightHandle;
class UniverseScrollBar;
class UniverseView;

class UniverseOverview : public QWidget {
    Q_OBJECT
public:
    explicit UniverseOverview(QWidget *parent = nullptr);

    // The session gives the time axis and the ruler's texts; `rows` are the
    // tracks the lists show, in list order.
    void setSession(const PTXSessionInfo &session, std::vector<PTXTrackInfo> rows);
    void setRows(std::vector<PTXTrackInfo> rows);
    void setViewport(const UniverseViewport &viewport);
    void setSelection(const UniverseSelection &selection);
    void setExtraHeight(double extra);
    void setSelectedClipKeys(const QSet<ClipKey> &keys);
    void setSelectedTrackNames(const NameSet &names);
    void setListSelectionSpan(const std::optional<SampleRange> &span);
    void setSelectionDisabled(bool disabled);
    void setPlayheadSample(const std::optional<double> &sample);
    void setActiveClipKey(const std::optional<ClipKey> &key);

    double extraHeight() const { return extra_; }
    UniverseView *universe() const { return universe_; }
    OverviewRuler *ruler() const { return ruler_; }
    UniverseScrollBar *horizontalBar() const { return horizontalBar_; }
    UniverseScrollBar *verticalBar() const { return verticalBar_; }
    UniverseHeightHandle *heightHandle() const { return heightHandle_; }

public slots:
    // The zoom buttons, the View menu and the window's zoom keys end here.
    void zoom(Qt::Orientation orientation, double factor);
    void clearSelection();

signals:
    // User actions only.
    void viewportChanged(const kestrix::UniverseViewport &viewport);
    void selectionChanged(const kestrix::UniverseSelection &selection);
    void extraHeightChanged(double extra);
    void clipClicked(const kestrix::ClipKey &key, Qt::KeyboardModifiers modifiers);
    void clipDoubleClicked(const kestrix::ClipKey &key);
    void clipSeek(double seconds);

private:
    void userMovedViewport(const UniverseViewport &viewport);
    void showViewport(const UniverseViewport &viewport);
    void applyHeight();

    OverviewRuler *ruler_ = nullptr;
    UniverseView *universe_ = nullptr;
    UniverseScrollBar *horizontalBar_ = nullptr;
    UniverseScrollBar *verticalBar_ = nullptr;
    UniverseHeightHandle *heightHandle_ = nullptr;
    double extra_ = 0;
};

} // namespace kestrix

#endif
