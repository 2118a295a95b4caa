#include "session_info_grid.h"

#include "overview_style.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QResizeEvent>

namespace kestrix {

namespace {

QString withChanges(const std::string &value, bool changes)
{
    QString text = QString::fromStdString(value);
    if (changes)
        text += QStringLiteral(" (changes present)");
    return text;
}

constexpr int kGroupGap = 8;

} // namespace

SessionInfoGrid::SessionInfoGrid(QWidget *parent)
    : QWidget(parent)
    , grid_(new QGridLayout(this))
{
    grid_->setContentsMargins(overview::kSectionIndent, 4, 12, 10);
    grid_->setHorizontalSpacing(8);
    grid_->setVerticalSpacing(3);
    sampleRate_ = makePair(QStringLiteral("Sample Rate:"), kGridLabelWidth);
    bitDepth_ = makePair(QStringLiteral("Bit Depth:"), kGridLabelWidth);
    audioFormat_ = makePair(QStringLiteral("Audio Format:"), kGridLabelWidth);
    interleaved_ = makePair(QStringLiteral("Interleaved:"), kGridLabelWidth);
    panDepth_ = makePair(QStringLiteral("Pan Depth:"), kGridLabelWidth);
    sessionStart_ = makePair(QStringLiteral("Session Start:"), kGridLabelWidth);
    sessionLength_ = makePair(QStringLiteral("Session Length:"), kGridLabelWidth);
    frameRate_ = makePair(QStringLiteral("Frame Rate:"), kGridLabelWidth);
    tempo_ = makePair(QStringLiteral("Tempo:"), kTempoLabelWidth);
    meter_ = makePair(QStringLiteral("Meter:"), kTempoLabelWidth);
    arrange();
}

SessionInfoGrid::Pair SessionInfoGrid::makePair(const QString &label, int labelWidth)
{
    Pair pair{new QLabel(label, this), new QLabel(this)};
    pair.label->setFont(overview::gridFont(font()));
    pair.value->setFont(overview::gridFont(font()));
    pair.label->setFixedWidth(labelWidth);
    pair.label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette secondary = pair.label->palette();
    secondary.setColor(QPalette::WindowText, overview::secondaryTextColor(palette()));
    pair.label->setPalette(secondary);
    // The values are the session file's texts, shown as they are.
    pair.value->setTextFormat(Qt::PlainText);
    pair.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return pair;
}

void SessionInfoGrid::setInfo(const PTXSessionInfo &info)
{
    sampleRate_.value->setText(QString::fromStdString(info.sampleRate));
    bitDepth_.value->setText(QString::fromStdString(info.bitDepth));
    audioFormat_.value->setText(QString::fromStdString(info.audioFormat));
    interleaved_.value->setText(QString::fromStdString(info.interleaved));
    panDepth_.value->setText(QString::fromStdString(info.panDepth));
    sessionStart_.value->setText(QString::fromStdString(info.sessionStart));
    sessionLength_.value->setText(QString::fromStdString(info.sessionLength));
    frameRate_.value->setText(QString::fromStdString(info.frameRate));
    tempo_.value->setText(withChanges(info.tempo, info.tempoChanges));
    meter_.value->setText(withChanges(info.meter, info.meterChanges));
}

QString SessionInfoGrid::valueOf(const QString &label) const
{
    for (const Pair &pair : {sampleRate_, bitDepth_, audioFormat_, interleaved_, panDepth_, sessionStart_,
                             sessionLength_, frameRate_, tempo_, meter_})
        if (pair.label->text() == label)
            return pair.value->text();
    return {};
}

void SessionInfoGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const bool twoColumn = event->size().width() >= kTwoColumnBreakpoint;
    if (twoColumn != twoColumn_) {
        twoColumn_ = twoColumn;
        arrange();
    }
}

void SessionInfoGrid::arrange()
{
    for (QLayoutItem *item = grid_->takeAt(0); item; item = grid_->takeAt(0))
        delete item; // the pairs' labels stay; only the layout items go
    int row = 0;
    const auto place = [this](const Pair &pair, int row, int column) {
        grid_->addWidget(pair.label, row, column * 2);
        grid_->addWidget(pair.value, row, column * 2 + 1);
    };
    if (twoColumn_) {
        const Pair left[] = {sampleRate_, bitDepth_, panDepth_};
        const Pair right[] = {audioFormat_, interleaved_};
        for (int r = 0; r < 3; ++r) {
            place(left[r], row + r, 0);
            if (r < 2)
                place(right[r], row + r, 1);
        }
        row += 3;
    } else {
        for (const Pair &pair : {sampleRate_, bitDepth_, audioFormat_, interleaved_, panDepth_})
            place(pair, row++, 0);
    }
    grid_->setRowMinimumHeight(row++, kGroupGap);
    for (const Pair &pair : {sessionStart_, sessionLength_, frameRate_})
        place(pair, row++, 0);
    grid_->setRowMinimumHeight(row++, kGroupGap);

    // Tempo and meter on one line: two short labels 20 apart.
    auto *line = new QHBoxLayout;
    line->setSpacing(8);
    line->addSpacing(kGridLabelWidth - kTempoLabelWidth); // colons in line with the labels above
    line->addWidget(tempo_.label);
    line->addWidget(tempo_.value);
    line->addSpacing(kTempoMeterGap);
    line->addWidget(meter_.label);
    line->addWidget(meter_.value);
    line->addStretch();
    grid_->addLayout(line, row, 0, 1, -1);
    for (int column = 0; column < grid_->columnCount(); ++column)
        grid_->setColumnStretch(column, 0);
    grid_->setColumnStretch(grid_->columnCount() - 1, 1);
}

} // namespace kestrix
