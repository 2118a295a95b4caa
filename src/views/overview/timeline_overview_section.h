// The "Overview" section: the zoom buttons and the place of the timeline
// overview of all tracks and clips.
#ifndef KESTRIX_VIEWS_OVERVIEW_TIMELINE_OVERVIEW_SECTION_H
#define KESTRIX_VIEWS_OVERVIEW_TIMELINE_OVERVIEW_SECTION_H

#include "get_info_section.h"
#include "overview_painting.h"

class QToolButton;
class QVBoxLayout;

namespace kestrix {

class TimelineOverviewSection : public GetInfoSection {
    Q_OBJECT
public:
    explicit TimelineOverviewSection(QWidget *parent = nullptr);

    // Puts the timeline overview (with its ruler and scroll bars) in its place.
    void setTimeline(QWidget *timeline);

signals:
    void zoomInHorizontal();
    void zoomOutHorizontal();
    void zoomInVertical();
    void zoomOutVertical();

private:
    QToolButton *makeZoomButton(TriangleDirection direction, const QString &help);

    QVBoxLayout *slot_;
    QWidget *timeline_ = nullptr;
};

} // namespace kestrix

#endif
