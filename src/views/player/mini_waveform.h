// The small waveform of a list row: one bar per peak, centred on the middle
// line, over a rounded background, with a playhead line.
#ifndef KESTRIX_VIEWS_PLAYER_MINI_WAVEFORM_H
#define KESTRIX_VIEWS_PLAYER_MINI_WAVEFORM_H

#include <QRectF>

#include <vector>

class QPainter;

namespace kestrix {

// The bars of `samples` in `rect`: bar i at x = i × (width ÷ n), measured
// from 0 rather than the rect's left edge (painters translate first), at
// least 0.3 wide, 2 × mid × sample high around the rect's middle, so that
// a peak of 1.0 fills the height.
std::vector<QRectF> miniWaveformBars(const std::vector<float> &samples, const QRectF &rect);

struct MiniWaveformLook {
    bool selected = false;
    bool dark = false;
};

// Background, bars and (for a progress above 0) the playhead, in `rect`.
// Unselected: blue bars at 0.5 on a faint secondary background, a red
// playhead; selected: white bars at 0.7 on white at 0.15, a white playhead.
void paintMiniWaveform(QPainter &painter, const QRectF &rect, const std::vector<float> &samples, double progress,
                       MiniWaveformLook look);

} // namespace kestrix

#endif
