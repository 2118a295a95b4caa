// The 14-point strip above the timeline overview: the visible part of the
// timeline labelled in one of five counter formats. A click opens the
// format picker.
#ifndef KESTRIX_VIEWS_RULER_OVERVIEW_RULER_H
#define KESTRIX_VIEWS_RULER_OVERVIEW_RULER_H

#include "ruler_format.h"
#include "ruler_format_picker.h"
#include "ruler_labels.h"
#include "ruler_numbers.h"
#include "universe_layout.h"
#include "universe_state.h"

#include <QPointer>
#include <QWidget>

#include <optional>
#include <vector>

namespace kestrix {

class OverviewRuler : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 14;
    static constexpr int kLabelPixelSize = 10;

    explicit OverviewRuler(QWidget *parent = nullptr);

    // The session's texts; the format starts as the session's main counter
    // format, or Min:Sec when the session cannot be shown in it.
    void setSession(const PTXSessionInfo &session, const std::optional<SessionExtent> &extent);
    void setViewport(const UniverseViewport &viewport);
    void setFormat(RulerFormat format);

    RulerFormat format() const { return format_; }
    // The format the labels are drawn in: the chosen one while the session
    // can be shown in it, else Min:Sec.
    RulerFormat shownFormat() const;
    // Built when one of their inputs changes, not on every paint.
    const std::vector<LabelEntry> &labels() const;
    // Open while the user picks a format.
    RulerFormatPicker *picker() const { return picker_; }

signals:
    void formatChanged(kestrix::RulerFormat format);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Labels {
        int width = 0;
        std::optional<RulerSpan> span;
        std::vector<LabelEntry> entries;
    };

    void showPicker();
    // Drops the labels and repaints; they are built again when next needed.
    void labelsChanged();
    // The labels for the current inputs and width.
    const Labels &currentLabels() const;

    RulerNumbers numbers_;
    std::optional<SessionExtent> extent_;
    UniverseViewport viewport_;
    RulerFormat format_ = RulerFormat::minutesSeconds;
    QPointer<RulerFormatPicker> picker_;
    mutable std::optional<Labels> labels_;
};

} // namespace kestrix

#endif
