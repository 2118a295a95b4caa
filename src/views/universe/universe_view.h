// The timeline overview: one thin row per shown track with its clips as
// bars. Zooms and scrolls, selects a rectangle of tracks and time by
// dragging, and reports clicks, double clicks and seeks on clips.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_VIEW_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_VIEW_H

#include "clip_key.h"
#include "universe_anchors.h"
#include "universe_layout.h"
#include "universe_mapping.h"
#include "universe_marks.h"
#include "universe_rows.h"
#include "universe_state.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace kestrix {

class UniverseView : public QWidget {
    Q_OBJECT
public:
    explicit UniverseView(QWidget *parent = nullptr);

    // Setters show what they are given and report nothing back. A viewport
    // holding values no user could set is shown as its nearest valid one.
    // `extent` is the whole session's, so filtering rows keeps the time axis.
    void setTracks(std::vector<PTXTrackInfo> rows, const std::optional<SessionExtent> &extent);
    void setViewport(const UniverseViewport &viewport);
    void setSelection(const UniverseSelection &selection);
    void setSelectedClipKeys(const QSet<ClipKey> &keys);
    void setSelectedTrackNames(const NameSet &names);
    void setListSelectionSpan(const std::optional<SampleRange> &span);
    void setSelectionDisabled(bool disabled);
    void setPlayheadSample(const std::optional<double> &sample);
    void setActiveClipKey(const std::optional<ClipKey> &key);
    // Spans drawn over the clips, by row.
    void setMarks(std::vector<UniverseMark> marks);
    // How much rows stretch or shrink to fill the height the user chose.
    void setRowScale(double scale);
    // Needed to report seeks in seconds; none disables seeking.
    void setSampleRate(const std::optional<double> &sampleRate);

    const UniverseViewport &viewport() const { return viewport_; }
    const UniverseSelection &selection() const { return state_.selection; }
    const std::optional<SessionExtent> &extent() const { return extent_; }
    size_t rowCount() const { return rows_.count(); }
    const UniverseRows &rows() const { return rows_; }
    // What is marked on the rows: clicked clips, selected tracks, the band.
    const UniverseSelectionState &selectionState() const { return state_; }
    UniverseMapping mapping() const;
    // The clip under a point, through the same lookup clicks use.
    std::optional<ClipKey> clipAt(QPointF point) const;
    // The help shown over a clip: its name and its track's; empty elsewhere.
    QString toolTipAt(QPointF point) const;

public slots:
    void zoomHorizontally(double factor);
    void zoomVertically(double factor);
    void clearSelection();

signals:
    // User actions only.
    void viewportChanged(const kestrix::UniverseViewport &viewport);
    void selectionChanged(const kestrix::UniverseSelection &selection);
    void clipClicked(const kestrix::ClipKey &key, Qt::KeyboardModifiers modifiers);
    void clipDoubleClicked(const kestrix::ClipKey &key);
    // Seconds from the start of the playing clip.
    void clipSeek(double seconds);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    struct Drag {
        QPointF start;
        QPointF current;
        bool fromDoubleClick = false;
    };

    void changeViewport(const UniverseViewport &viewport);
    void handleClick(QPointF point, Qt::KeyboardModifiers modifiers);
    std::optional<QRectF> rubberBand() const;

    UniverseRows rows_;
    std::optional<SessionExtent> extent_;
    UniverseViewport viewport_;
    UniverseSelectionState state_;
    bool selectionDisabled_ = false;
    std::optional<double> playheadSample_;
    std::optional<ClipKey> activeClip_;
    double rowScale_ = 1;
    std::optional<double> sampleRate_;
    std::optional<Drag> drag_;
    std::vector<UniverseMark> marks_;
};

} // namespace kestrix

#endif
