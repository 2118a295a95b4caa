// The thin scroll bars under and beside the timeline overview. Each shows
// while its zoom is above 1; its thumb is the visible fraction and can be
// dragged.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_SCROLL_BAR_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_SCROLL_BAR_H

#include "universe_state.h"

#include <QWidget>

#include <optional>

namespace kestrix {

struct ScrollBarAppearance {
    double trackOpacity = 0.05;
    double thumbOpacity = 0.28;
    double hoveredThumbOpacity = 0.45;
};

// Position and length of a thumb along a bar `barLength` long, for content
// `total` long shown at `zoom` from `offset`. The thumb keeps a usable
// length and never leaves the bar.
struct ThumbGeometry {
    double position = 0;
    double length = 0;
};
ThumbGeometry thumbGeometry(double barLength, double zoom, double offset, double total);

// The offset after the thumb moved `distance` along the bar since the drag
// started at `startOffset`, kept within what the zoom allows.
double draggedOffset(double startOffset, double distance, double barLength, double zoom, double total);

class UniverseScrollBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kThickness = 8;
    static constexpr double kMinThumbLength = 16;

    explicit UniverseScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

    // The horizontal bar scrolls samples, the vertical one rows.
    void setTotal(double total);
    void setViewport(const UniverseViewport &viewport);
    bool isNeeded() const;
    ThumbGeometry thumb() const;

signals:
    void viewportDragged(const kestrix::UniverseViewport &viewport);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    double zoom() const;
    double offset() const;
    double along(QPointF point) const;
    double barLength() const;
    void setHovered(bool hovered);

    Qt::Orientation orientation_;
    double total_ = 0;
    UniverseViewport viewport_;
    ScrollBarAppearance appearance_;
    bool hovered_ = false;
    struct Drag {
        double startOffset;
        double startAlong;
    };
    std::optional<Drag> drag_;
};

} // namespace kestrix

#endif
