#include "waveform_cell.h"

#include "mini_waveform.h"

#include <QPainter>
#include <QPainterPath>

namespace kestrix {

namespace {

constexpr int kButtonSize = 14;
constexpr int kGap = 6;
constexpr int kPadding = 8;

} // namespace

QRect waveformCellRect(const QRect &row)
{
    return QRect(row.right() + 1 - waveform_cell::kWidth, row.top(), waveform_cell::kWidth, row.height());
}

QRect playButtonRect(const QRect &cell)
{
    return QRect(cell.left() + kPadding, cell.center().y() - kButtonSize / 2, kButtonSize, kButtonSize);
}

QRect miniWaveformRect(const QRect &cell)
{
    const int left = playButtonRect(cell).right() + 1 + kGap;
    return QRect(left, cell.center().y() - waveform_cell::kWaveformHeight / 2, cell.right() + 1 - kPadding - left,
                 waveform_cell::kWaveformHeight);
}

void paintWaveformCell(QPainter &painter, const QRect &cell, const QString &itemId, bool selected, bool dark,
                       const InlineAudioPlayer &player, const std::vector<float> *computed)
{
    const bool owns = !itemId.isEmpty() && player.currentId() == itemId;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor glyph = selected ? QColor(Qt::white) : (dark ? QColor(235, 235, 245) : QColor(60, 60, 67));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glyph);
    const QRectF button = QRectF(playButtonRect(cell)).adjusted(2, 2, -2, -2);
    if (owns && player.isPlaying()) {
        // pause.fill: two bars
        const double bar = button.width() / 3;
        painter.drawRoundedRect(QRectF(button.left(), button.top(), bar, button.height()), 1, 1);
        painter.drawRoundedRect(QRectF(button.right() - bar, button.top(), bar, button.height()), 1, 1);
    } else {
        // play.fill: a triangle pointing right
        QPainterPath triangle;
        triangle.moveTo(button.topLeft());
        triangle.lineTo(button.right(), button.center().y());
        triangle.lineTo(button.bottomLeft());
        triangle.closeSubpath();
        painter.drawPath(triangle);
    }
    painter.restore();

    const std::vector<float> *samples = owns ? &player.waveform() : player.cachedWaveform(itemId);
    if (!owns && !samples)
        samples = computed;
    if (samples && !samples->empty())
        paintMiniWaveform(painter, miniWaveformRect(cell), *samples, owns ? player.progress() : 0, {selected, dark});
}

PlayableItem playableItem(const RowFacts &facts, std::optional<std::pair<uint64_t, uint64_t>> region)
{
    PlayableItem item;
    item.path = facts.file.resolvedPath;
    if (facts.channels.size() > 1) {
        for (size_t c = 0; c < facts.channels.size(); ++c) {
            const QString label = c < size_t(facts.channelSuffixes.size()) ? facts.channelSuffixes[qsizetype(c)]
                                                                            : QString();
            item.multiMonoChannels.append({label, facts.channels[c].resolvedPath});
        }
    }
    if (region) {
        item.sampleOffset = region->first;
        item.sampleLength = region->second;
    }
    return item;
}

bool clickWaveformCell(const QRect &cell, QPoint point, const QString &itemId, const PlayableItem &item,
                       InlineAudioPlayer &player)
{
    if (playButtonRect(cell).adjusted(-3, -3, 3, 3).contains(point)) {
        player.toggle(itemId, item);
        return true;
    }
    const QRect waveform = miniWaveformRect(cell);
    if (player.currentId() == itemId && waveform.adjusted(0, -3, 0, 3).contains(point) && waveform.width() > 0) {
        player.seek(double(point.x() - waveform.left()) / double(waveform.width()));
        return true;
    }
    return false;
}

} // namespace kestrix
