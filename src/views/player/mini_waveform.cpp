#include "mini_waveform.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace kestrix {

std::vector<QRectF> miniWaveformBars(const std::vector<float> &samples, const QRectF &rect)
{
    std::vector<QRectF> bars;
    if (samples.empty())
        return bars;
    const double midY = rect.height() / 2;
    const double step = rect.width() / double(samples.size());
    bars.reserve(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        // A peak past full scale (or not a number) still fits the rect.
        const double sample = std::isfinite(samples[i]) ? std::clamp<double>(samples[i], 0, 1) : 0;
        bars.emplace_back(step * double(i), midY - midY * sample, std::max(0.3, step - 0.3), 2 * midY * sample);
    }
    return bars;
}

void paintMiniWaveform(QPainter &painter, const QRectF &rect, const std::vector<float> &samples, double progress,
                       MiniWaveformLook look)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor background = look.selected ? QColor(Qt::white) : (look.dark ? QColor(235, 235, 245) : QColor(60, 60, 67));
    background.setAlphaF(look.selected ? 0.15f : 0.1f);
    painter.setBrush(background);
    painter.drawRoundedRect(rect, 2, 2);

    QColor bars = look.selected ? QColor(Qt::white) : QColor(0, 122, 255);
    bars.setAlphaF(look.selected ? 0.7f : 0.5f);
    painter.setBrush(bars);
    painter.translate(rect.topLeft());
    for (const QRectF &bar : miniWaveformBars(samples, QRectF(QPointF(0, 0), rect.size())))
        painter.drawRect(bar);

    if (progress > 0) {
        const double x = std::clamp(progress, 0.0, 1.0) * rect.width();
        painter.setBrush(look.selected ? QColor(Qt::white) : QColor(255, 59, 48));
        painter.drawRect(QRectF(std::min(x, rect.width() - 1), 0, 1, rect.height()));
    }
    painter.restore();
}

} // namespace kestrix
