// The popover shown while the pointer rests on a track row: the track's
// name and colour, type, format, folder, clips, inserts and comment.
#ifndef KESTRIX_VIEWS_OVERVIEW_TRACK_TOOLTIP_H
#define KESTRIX_VIEWS_OVERVIEW_TRACK_TOOLTIP_H

#include "session_info.h"

#include <QWidget>

class QFormLayout;
class QLabel;

namespace kestrix {

class TrackTooltip : public QWidget {
    Q_OBJECT
public:
    explicit TrackTooltip(QWidget *parent = nullptr);

    void setTrack(const PTXTrackInfo &track);
    // Shows the popover right of `anchor` (global coordinates), its arrow at
    // the anchor's middle, kept on the anchor's screen.
    void showBeside(const QRect &anchor);

    // The details as label and value lines, in display order.
    QList<QPair<QString, QString>> details() const { return details_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *title_;
    QWidget *swatch_;
    QFormLayout *form_;
    QList<QPair<QString, QString>> details_;
    double arrowY_ = 20;
};

} // namespace kestrix

#endif
