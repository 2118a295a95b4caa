// The plug-ins the session uses: "Active (n)" and "Inactive (n)", each a
// list of names or "None".
#ifndef KESTRIX_VIEWS_OVERVIEW_PLUGINS_SECTION_H
#define KESTRIX_VIEWS_OVERVIEW_PLUGINS_SECTION_H

#include "get_info_section.h"
#include "list_section.h"
#include "overview_data.h"

class QLabel;
class QStringListModel;

namespace kestrix {

// One of the two nested lists.
class NameListSection : public ListSection {
    Q_OBJECT
public:
    NameListSection(const QString &name, QWidget *parent = nullptr);

    void setNames(const std::vector<std::string> &names);
    // "None" stands in for an empty list.
    bool showsNone() const;

private:
    QString name_;
    QStringListModel *model_;
    QLabel *none_;
};

class PluginsSection : public GetInfoSection {
    Q_OBJECT
public:
    explicit PluginsSection(QWidget *parent = nullptr);

    void setData(const OverviewData &data);
    NameListSection *active() const { return active_; }
    NameListSection *inactive() const { return inactive_; }

private:
    NameListSection *active_;
    NameListSection *inactive_;
};

} // namespace kestrix

#endif
