// The memory locations of the session, in number order.
#ifndef KESTRIX_VIEWS_OVERVIEW_MEMORY_LOCATIONS_SECTION_H
#define KESTRIX_VIEWS_OVERVIEW_MEMORY_LOCATIONS_SECTION_H

#include "list_section.h"

namespace kestrix {

class MemoryLocationModel;

class MemoryLocationsSection : public ListSection {
    Q_OBJECT
public:
    explicit MemoryLocationsSection(QWidget *parent = nullptr);

    void setData(const OverviewData &data);
    MemoryLocationModel *model() const { return model_; }

private:
    MemoryLocationModel *model_;
};

} // namespace kestrix

#endif
