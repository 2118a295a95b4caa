#include "memory_locations_section.h"

#include "list_header.h"
#include "memory_location_delegate.h"
#include "memory_location_model.h"
#include "row_list_view.h"
#include "section_titles.h"

namespace kestrix {

MemoryLocationsSection::MemoryLocationsSection(QWidget *parent)
    : ListSection(countedTitle(QStringLiteral("Memory Locations"), 0),
                  new ListHeader(memoryLocationColumns, std::nullopt), new MemoryLocationDelegate, parent)
    , model_(new MemoryLocationModel(this))
{
    list()->setModel(model_);
}

void MemoryLocationsSection::setData(const OverviewData &data)
{
    model_->setSession(data.session);
    setTitle(countedTitle(QStringLiteral("Memory Locations"), data.session->memoryLocations.size()));
}

} // namespace kestrix
