// The strip under the timeline overview that the user drags to make it
// taller or shorter.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_HEIGHT_HANDLE_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_HEIGHT_HANDLE_H

#include <QWidget>

#include <cstddef>
#include <optional>

namespace kestrix {

class UniverseHeightHandle : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHitHeight = 8;
    static constexpr int kLineHeight = 2;
    static constexpr double kRestOpacity = 0.07;
    static constexpr double kHoverOpacity = 0.14;
    static constexpr double kDragOpacity = 0.18;

    explicit UniverseHeightHandle(QWidget *parent = nullptr);

    // The extra height shown and the rows it is limited by.
    void setExtra(double extra, size_t rows);
    double lineOpacity() const;

signals:
    // Already kept within the limits.
    void extraDragged(double extra);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    double extra_ = 0;
    size_t rows_ = 0;
    bool hovered_ = false;
    struct Drag {
        double startExtra;
        double startY;
    };
    std::optional<Drag> drag_;
};

} // namespace kestrix

#endif
