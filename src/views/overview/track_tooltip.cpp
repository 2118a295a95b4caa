#include "track_tooltip.h"

#include "overview_style.h"
#include "popover_background.h"
#include "track_color.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrix {

namespace {

constexpr int kMaxTextWidth = 300;

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

QString insertsText(const PTXTrackInfo &track)
{
    if (track.plugins.empty())
        return QStringLiteral("None");
    QStringList names;
    for (const PTXTrackPlugin &plugin : track.plugins)
        names << (plugin.active ? text(plugin.name) : text(plugin.name) + QStringLiteral(" (inactive)"));
    return names.join(QLatin1Char('\n'));
}

QList<QPair<QString, QString>> trackDetails(const PTXTrackInfo &track)
{
    QList<QPair<QString, QString>> details{
        {QStringLiteral("Type"), text(std::string(track.typeLabel()))},
        {QStringLiteral("Format"), text(track.format.name)},
    };
    if (track.parentName)
        details.append({QStringLiteral("Folder"), text(*track.parentName)});
    if (track.isFolder)
        details.append({QStringLiteral("Tracks inside"), QString::number(track.childCount)});
    details.append({QStringLiteral("Clips"), QString::number(track.clips.size())});
    details.append({QStringLiteral("Inserts"), insertsText(track)});
    if (!track.comment.empty())
        details.append({QStringLiteral("Comment"), text(track.comment)});
    return details;
}

} // namespace

TrackTooltip::TrackTooltip(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint)
    , title_(new QLabel)
    , swatch_(new QWidget)
    , form_(new QFormLayout)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);

    // Names and comments come from the session file: shown as they are.
    title_->setTextFormat(Qt::PlainText);
    title_->setFont(overview::sectionTitleFont(font()));
    swatch_->setFixedSize(10, 10);
    swatch_->setAutoFillBackground(true);
    auto *titleLine = new QHBoxLayout;
    titleLine->setSpacing(6);
    titleLine->addWidget(swatch_);
    titleLine->addWidget(title_, 1);

    form_->setLabelAlignment(Qt::AlignRight | Qt::AlignTop);
    form_->setHorizontalSpacing(10);
    form_->setVerticalSpacing(3);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(int(PopoverBackground::kArrowWidth) + 12, 10, 12, 10);
    layout->setSpacing(8);
    layout->addLayout(titleLine);
    layout->addLayout(form_);
}

void TrackTooltip::setTrack(const PTXTrackInfo &track)
{
    title_->setText(text(track.name));
    QPalette swatchPalette = swatch_->palette();
    swatchPalette.setColor(QPalette::Window, trackColor(track));
    swatch_->setPalette(swatchPalette);

    while (form_->rowCount() > 0)
        form_->removeRow(0);
    details_ = trackDetails(track);
    const QFont small = overview::gridFont(font());
    for (const auto &[label, value] : details_) {
        auto *labelWidget = new QLabel(label + QLatin1Char(':'));
        labelWidget->setFont(small);
        QPalette secondary = labelWidget->palette();
        secondary.setColor(QPalette::WindowText, overview::secondaryTextColor(palette()));
        labelWidget->setPalette(secondary);
        auto *valueWidget = new QLabel(value);
        valueWidget->setTextFormat(Qt::PlainText);
        valueWidget->setFont(small);
        valueWidget->setWordWrap(true);
        valueWidget->setMaximumWidth(kMaxTextWidth);
        form_->addRow(labelWidget, valueWidget);
    }
    adjustSize();
}

void TrackTooltip::showBeside(const QRect &anchor)
{
    adjustSize();
    QPoint topLeft(anchor.right() + 4, anchor.center().y() - height() / 2);
    if (const QScreen *screen = QGuiApplication::screenAt(anchor.center())) {
        const QRect area = screen->availableGeometry();
        topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - height())));
        topLeft.setX(std::min(topLeft.x(), std::max(area.left(), area.right() - width())));
    }
    arrowY_ = anchor.center().y() - topLeft.y();
    move(topLeft);
    show();
    update();
}

void TrackTooltip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PopoverBackground{palette().color(QPalette::Base), overview::separatorColor(palette()).darker(140), arrowY_}.paint(
        painter, rect());
}

} // namespace kestrix
