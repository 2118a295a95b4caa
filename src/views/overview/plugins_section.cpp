#include "plugins_section.h"

#include "overview_style.h"
#include "plain_row_delegate.h"
#include "row_list_view.h"
#include "section_titles.h"

#include <QLabel>
#include <QStringListModel>
#include <QVBoxLayout>

namespace kestrix {

NameListSection::NameListSection(const QString &name, QWidget *parent)
    : ListSection(countedTitle(name, 0), nullptr, new PlainRowDelegate, parent)
    , name_(name)
    , model_(new QStringListModel(this))
    , none_(new QLabel(QStringLiteral("None")))
{
    list()->setModel(model_);
    QPalette secondary = none_->palette();
    secondary.setColor(QPalette::WindowText, overview::secondaryTextColor(palette()));
    none_->setPalette(secondary);
    none_->setContentsMargins(overview::kCellPadding, 2, 0, 2);
    body_->addWidget(none_);
}

void NameListSection::setNames(const std::vector<std::string> &names)
{
    QStringList list;
    for (const std::string &name : names)
        list << QString::fromStdString(name);
    model_->setStringList(list);
    setTitle(countedTitle(name_, names.size()));
    none_->setVisible(names.empty());
}

bool NameListSection::showsNone() const
{
    return !none_->isHidden();
}

PluginsSection::PluginsSection(QWidget *parent)
    : GetInfoSection(pluginsTitle(0, 0), parent)
    , active_(new NameListSection(QStringLiteral("Active")))
    , inactive_(new NameListSection(QStringLiteral("Inactive")))
{
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(overview::kSectionIndent - 6, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(active_);
    layout->addWidget(inactive_);
    setContent(content);
    // Alt-clicking one nested list opens or closes both.
    for (NameListSection *section : {active_, inactive_})
        connect(section, &GetInfoSection::optionToggled, this, [this](bool expanded) {
            active_->setExpanded(expanded);
            inactive_->setExpanded(expanded);
        });
}

void PluginsSection::setData(const OverviewData &data)
{
    active_->setNames(data.session->activePlugins);
    inactive_->setNames(data.session->deactivatedPlugins);
    setTitle(pluginsTitle(data.session->activePlugins.size(), data.session->deactivatedPlugins.size()));
}

} // namespace kestrix
