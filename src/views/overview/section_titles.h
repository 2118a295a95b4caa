// The titles of the overview's sections.
#ifndef KESTRIX_VIEWS_OVERVIEW_SECTION_TITLES_H
#define KESTRIX_VIEWS_OVERVIEW_SECTION_TITLES_H

#include <QString>

#include <cstddef>

namespace kestrix {

// " (12)" when nothing is filtered out, " (3 of 12)" otherwise.
QString countSuffix(size_t shown, size_t total);
// "Plugins (4 active, 1 inactive)".
QString pluginsTitle(size_t active, size_t inactive);
// "Active (4)", "Memory Locations (9)".
QString countedTitle(const QString &name, size_t count);

} // namespace kestrix

#endif
