#include "get_info_section.h"

#include "overview_painting.h"
#include "overview_style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace kestrix {

namespace {

constexpr int kHeaderHeight = 28;
constexpr int kChevronWidth = 14;

} // namespace

GetInfoSection::GetInfoSection(const QString &title, QWidget *parent)
    : QWidget(parent)
    , header_(new SectionHeader(title, this))
    , layout_(new QVBoxLayout(this))
{
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(header_);
    connect(header_, &SectionHeader::clicked, this, [this](Qt::KeyboardModifiers modifiers) {
        setExpanded(!expanded_);
        if (modifiers.testFlag(Qt::AltModifier))
            emit optionToggled(expanded_);
    });
}

QString GetInfoSection::title() const
{
    return header_->title();
}

void GetInfoSection::setTitle(const QString &title)
{
    header_->setTitle(title);
}

void GetInfoSection::setExpanded(bool expanded)
{
    if (expanded == expanded_)
        return;
    expanded_ = expanded;
    header_->setExpanded(expanded);
    if (content_)
        content_->setVisible(expanded);
    emit expandedChanged(expanded);
}

void GetInfoSection::setContent(QWidget *content)
{
    delete content_;
    content_ = content;
    layout_->addWidget(content_);
    content_->setVisible(expanded_);
}

void GetInfoSection::setAccessory(QWidget *accessory)
{
    header_->setAccessory(accessory);
}

SectionHeader::SectionHeader(const QString &title, QWidget *parent)
    : QWidget(parent)
    , title_(new QLabel(title, this))
    , layout_(new QHBoxLayout(this))
{
    setFixedHeight(kHeaderHeight);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    title_->setFont(overview::sectionTitleFont(font()));
    // Clicks on the title belong to the header.
    title_->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout_->setContentsMargins(kChevronWidth + 8, 0, 8, 0);
    layout_->setSpacing(6);
    layout_->addWidget(title_);
    layout_->addStretch();
}

QString SectionHeader::title() const
{
    return title_->text();
}

void SectionHeader::setTitle(const QString &title)
{
    title_->setText(title);
}

void SectionHeader::setExpanded(bool expanded)
{
    expanded_ = expanded;
    update();
}

void SectionHeader::setAccessory(QWidget *accessory)
{
    delete accessory_;
    accessory_ = accessory;
    layout_->addWidget(accessory_);
}

void SectionHeader::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (hovered_)
        painter.fillRect(rect(), overview::hoverColor(palette()));
    drawChevron(painter, QRectF(6, 0, kChevronWidth, height()), expanded_, overview::secondaryTextColor(palette()));
}

void SectionHeader::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked(event->modifiers());
}

void SectionHeader::enterEvent(QEnterEvent *)
{
    hovered_ = true;
    update();
}

void SectionHeader::leaveEvent(QEvent *)
{
    hovered_ = false;
    update();
}

} // namespace kestrix
