// The session properties as label and value pairs. Narrow, the first group
// is one column; from `twoColumnBreakpoint` on it is split into two.
#ifndef KESTRIX_VIEWS_OVERVIEW_SESSION_INFO_GRID_H
#define KESTRIX_VIEWS_OVERVIEW_SESSION_INFO_GRID_H

#include "session_info.h"

#include <QWidget>

class QGridLayout;
class QLabel;

namespace kestrix {

class SessionInfoGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGridLabelWidth = 104;
    static constexpr int kTwoColumnBreakpoint = 560;
    // "Tempo:" and "Meter:" share one line.
    static constexpr int kTempoLabelWidth = 46;
    static constexpr int kTempoMeterGap = 20;

    explicit SessionInfoGrid(QWidget *parent = nullptr);

    void setInfo(const PTXSessionInfo &info);
    bool isTwoColumn() const { return twoColumn_; }
    // The value shown beside a label ("Sample Rate:"), for tests and accessibility.
    QString valueOf(const QString &label) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Pair {
        QLabel *label;
        QLabel *value;
    };
    Pair makePair(const QString &label, int labelWidth);
    void arrange();

    bool twoColumn_ = false;
    QGridLayout *grid_;
    Pair sampleRate_, bitDepth_, audioFormat_, interleaved_, panDepth_;
    Pair sessionStart_, sessionLength_, frameRate_;
    Pair tempo_, meter_;
};

} // namespace kestrix

#endif
