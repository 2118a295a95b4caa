#include "universe_painter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kestrix {
namespace {

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(float(alpha));
    return color;
}

// The pixel rows of a row's bar, at least one pixel high.
QRect barPixels(const UniverseMapping &m, size_t row, int left, int right)
{
    const int top = int(std::floor(m.rowTop(row)));
    const int height = std::max(1, int(std::lround(m.barHeight)));
    return QRect(left, top, right - left, height);
}

// The band of a row, bar and gap, at least one pixel high.
QRect rowBand(const UniverseMapping &m, size_t row, int left, int right)
{
    const int top = int(std::floor(m.rowTop(row)));
    const int bottom = std::max(top + 1, int(std::floor(m.rowTop(row + 1))));
    return QRect(left, top, right - left, bottom - top);
}

// The pixel columns a sample span covers inside [limitLeft, limitRight],
// at least one pixel wide.
std::pair<int, int> spanPixels(const UniverseMapping &m, double start, double end, int limitLeft, int limitRight)
{
    const double x0 = std::clamp(m.xForSample(start), double(limitLeft), double(limitRight));
    const double x1 = std::clamp(m.xForSample(end), double(limitLeft), double(limitRight));
    const int left = int(std::floor(x0));
    return {left, std::max(left + 1, int(std::ceil(x1)))};
}

void paintBars(QPainter &painter, const UniverseScene &scene, const QRect &dirty, std::pair<size_t, size_t> rows)
{
    const UniverseMapping &m = scene.mapping;
    const int limitLeft = dirty.left() - 1;
    const int limitRight = dirty.right() + 2;
    const double from = m.sampleAtX(limitLeft);
    const double to = m.sampleAtX(limitRight);
    for (size_t row = rows.first; row < rows.second; ++row) {
        const QColor &color = scene.rows.color(row);
        // Clips that share pixels are filled as one run: a zoomed-out row of
        // thousands of clips costs a handful of fills.
        int runLeft = 0;
        int runRight = -1;
        for (const RowClip &clip : scene.rows.index().candidates(row, from, to)) {
            if (clip.end <= from)
                continue;
            auto [left, right] = spanPixels(m, clip.start, clip.end, limitLeft, limitRight);
            if (right - left >= 3)
                --right;  // a pixel of background between neighbouring clips
            if (left <= runRight) {
                runRight = std::max(runRight, right);
                continue;
            }
            if (runRight > runLeft)
                painter.fillRect(barPixels(m, row, runLeft, runRight), color);
            runLeft = left;
            runRight = right;
        }
        if (runRight > runLeft)
            painter.fillRect(barPixels(m, row, runLeft, runRight), color);
    }
}

void paintSelectedTracks(QPainter &painter, const UniverseScene &scene, const QRect &dirty,
                         std::pair<size_t, size_t> rows)
{
    if (scene.selection.selectedTrackNames.empty())
        return;
    const QColor band = withAlpha(scene.colors.highlight, 0.22);
    for (size_t row = rows.first; row < rows.second; ++row) {
        if (scene.selection.selectedTrackNames.contains(scene.rows.tracks()[row].name))
            painter.fillRect(rowBand(scene.mapping, row, dirty.left(), dirty.right() + 1), band);
    }
}

void paintClipMarks(QPainter &painter, const UniverseScene &scene, const QRect &dirty)
{
    const UniverseMapping &m = scene.mapping;
    const int limitLeft = dirty.left() - 1;
    const int limitRight = dirty.right() + 2;
    for (const ClipKey &key : scene.selection.selectedClips) {
        if (const auto found = scene.rows.find(key)) {
            const auto [row, clip] = *found;
            const auto [left, right] = spanPixels(m, double(clip->timelinePosition),
                                                  double(clip->timelinePosition + clip->sampleLength), limitLeft,
                                                  limitRight);
            painter.fillRect(barPixels(m, row, left, right), scene.colors.highlight);
        }
    }
    if (!scene.activeClip)
        return;
    if (const auto found = scene.rows.find(*scene.activeClip)) {
        const auto [row, clip] = *found;
        const auto [left, right] = spanPixels(m, double(clip->timelinePosition),
                                              double(clip->timelinePosition + clip->sampleLength), limitLeft,
                                              limitRight);
        const QRect bar = barPixels(m, row, left, right);
        painter.fillRect(bar, scene.rows.color(row).lighter(150));
        painter.setPen(scene.colors.activeOutline);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(bar.adjusted(0, -1, -1, 0));
    }
}

void paintMarks(QPainter &painter, const UniverseScene &scene, const QRect &dirty, std::pair<size_t, size_t> rows)
{
    if (!scene.marks)
        return;
    const UniverseMapping &m = scene.mapping;
    const double from = m.sampleAtX(dirty.left() - 1);
    const double to = m.sampleAtX(dirty.right() + 2);
    painter.setBrush(Qt::NoBrush);
    for (const UniverseMark &mark : *scene.marks) {
        if (mark.row < rows.first || mark.row >= rows.second || double(mark.end) < from || double(mark.start) > to)
            continue;
        const auto [left, right] =
            spanPixels(m, double(mark.start), double(mark.end), dirty.left() - 1, dirty.right() + 2);
        const QRect bar = barPixels(m, mark.row, left, right);
        if (!mark.outline) {
            painter.fillRect(bar, mark.color);
        } else {
            painter.setPen(mark.color);
            painter.drawRect(bar.adjusted(0, 0, -1, -1));
        }
    }
}

void paintSelection(QPainter &painter, const UniverseScene &scene, const QRect &dirty, std::pair<size_t, size_t> rows)
{
    const UniverseSelection &selection = scene.selection.selection;
    if (selection.empty())
        return;
    const UniverseMapping &m = scene.mapping;
    int left = dirty.left();
    int right = dirty.right() + 1;
    if (selection.timeRange)
        std::tie(left, right) = spanPixels(m, selection.timeRange->lower, selection.timeRange->upper, dirty.left() - 1,
                                           dirty.right() + 2);
    const QColor fill = withAlpha(scene.colors.highlight, 0.28);
    for (size_t row = rows.first; row < rows.second; ++row) {
        if (selection.trackNames.contains(scene.rows.tracks()[row].name))
            painter.fillRect(rowBand(m, row, left, right), fill);
    }
    if (selection.timeRange) {
        const QColor edge = withAlpha(scene.colors.highlight, 0.85);
        for (double sample : {selection.timeRange->lower, selection.timeRange->upper}) {
            const int x = std::min(int(std::floor(m.xForSample(sample))), int(m.width) - 1);
            if (x >= dirty.left() - 1 && x <= dirty.right() + 1)
                painter.fillRect(QRect(x, dirty.top(), 1, dirty.height()), edge);
        }
    }
}

void paintRubberBand(QPainter &painter, const UniverseScene &scene)
{
    if (!scene.rubberBand)
        return;
    const QRectF band = scene.rubberBand->normalized();
    painter.fillRect(band, withAlpha(scene.colors.highlight, 0.15));
    painter.setPen(withAlpha(scene.colors.highlight, 0.9));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(band.adjusted(0.5, 0.5, -0.5, -0.5));
}

void paintPlayhead(QPainter &painter, const UniverseScene &scene, const QRect &dirty)
{
    if (!scene.playheadSample || scene.mapping.visibleLength <= 0)
        return;
    const int x = int(std::floor(scene.mapping.xForSample(*scene.playheadSample)));
    if (x >= dirty.left() && x <= dirty.right())
        painter.fillRect(QRect(x, dirty.top(), 1, dirty.height()), scene.colors.playhead);
}

} // namespace

UniverseColors UniverseColors::fromPalette(const QPalette &palette)
{
    const bool dark = palette.color(QPalette::Window).lightnessF() < 0.5;
    return {palette.color(QPalette::Window), palette.color(QPalette::Active, QPalette::Highlight),
            dark ? QColor(Qt::white) : QColor(Qt::black), QColor(255, 59, 48)};
}

void paintUniverse(QPainter &painter, const UniverseScene &scene, const QRect &dirty)
{
    painter.fillRect(dirty, scene.colors.background);
    const std::pair<size_t, size_t> rows = scene.mapping.rowsBetween(dirty.top(), dirty.bottom() + 1);
    paintBars(painter, scene, dirty, rows);
    paintMarks(painter, scene, dirty, rows);
    paintSelectedTracks(painter, scene, dirty, rows);
    paintClipMarks(painter, scene, dirty);
    paintSelection(painter, scene, dirty, rows);
    paintRubberBand(painter, scene);
    paintPlayhead(painter, scene, dirty);
}

} // namespace kestrix
