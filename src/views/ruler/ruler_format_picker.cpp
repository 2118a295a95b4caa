#include "ruler_format_picker.h"

#include "ruler_labels.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace kestrix {

RulerFormatPicker::RulerFormatPicker(RulerFormat current, const RulerNumbers &numbers, QWidget *parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    , current_(current)
    , numbers_(numbers)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    const int rows = int(kPickerFormats.size());
    setFixedSize(kWidth, 2 * kPadding + rows * rowHeight() + (rows - 1) * kRowSpacing);
}

int RulerFormatPicker::rowHeight() const
{
    return fontMetrics().height();
}

QRect RulerFormatPicker::rowRect(int row) const
{
    return QRect(kPadding, kPadding + row * (rowHeight() + kRowSpacing), width() - 2 * kPadding, rowHeight());
}

std::optional<RulerFormat> RulerFormatPicker::formatAt(QPoint point) const
{
    for (int row = 0; row < int(kPickerFormats.size()); ++row) {
        // A row's spacing belongs to it, so no click falls between rows.
        if (rowRect(row).adjusted(0, -kRowSpacing / 2, 0, kRowSpacing / 2).contains(point))
            return isAvailable(kPickerFormats[size_t(row)], numbers_) ? std::optional(kPickerFormats[size_t(row)])
                                                                      : std::nullopt;
    }
    return std::nullopt;
}

void RulerFormatPicker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath background;
    background.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    painter.fillPath(background, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawPath(background);

    painter.setPen(palette().color(QPalette::WindowText));
    for (int row = 0; row < int(kPickerFormats.size()); ++row) {
        const RulerFormat format = kPickerFormats[size_t(row)];
        const QRect r = rowRect(row);
        painter.setOpacity(isAvailable(format, numbers_) ? 1.0 : kUnavailableOpacity);
        if (format == current_)
            painter.drawText(QRect(r.left(), r.top(), kCheckColumn, r.height()), Qt::AlignCenter, QStringLiteral("✓"));
        painter.drawText(r.adjusted(kCheckColumn + 4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromUtf8(formatText(format).data(), qsizetype(formatText(format).size())));
    }
}

void RulerFormatPicker::mouseReleaseEvent(QMouseEvent *event)
{
    if (const std::optional<RulerFormat> format = formatAt(event->position().toPoint())) {
        emit formatChosen(*format);
        close();
    }
}

} // namespace kestrix
