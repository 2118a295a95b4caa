// The popover the ruler opens on a click: the five formats, a check mark at
// the current one, the ones the session cannot show dimmed and not
// choosable.
#ifndef KESTRIX_VIEWS_RULER_RULER_FORMAT_PICKER_H
#define KESTRIX_VIEWS_RULER_RULER_FORMAT_PICKER_H

#include "ruler_format.h"
#include "ruler_numbers.h"

#include <QWidget>

#include <optional>

namespace kestrix {

class RulerFormatPicker : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 160;
    static constexpr int kPadding = 8;
    static constexpr int kRowSpacing = 4;
    static constexpr int kCheckColumn = 14;
    static constexpr double kUnavailableOpacity = 0.35;

    RulerFormatPicker(RulerFormat current, const RulerNumbers &numbers, QWidget *parent = nullptr);

    // The row under a point, when it is a format that can be chosen.
    std::optional<RulerFormat> formatAt(QPoint point) const;
    QRect rowRect(int row) const;

signals:
    void formatChosen(kestrix::RulerFormat format);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int rowHeight() const;

    RulerFormat current_;
    RulerNumbers numbers_;
};

} // namespace kestrix

#endif
