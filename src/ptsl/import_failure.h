#ifndef KESTRIX_PTSL_IMPORT_FAILURE_H
#define KESTRIX_PTSL_IMPORT_FAILURE_H

#include <string_view>

namespace kestrix {

// Stores "Import failed at step: <step>\n\n<detail>" as a heap copy in
// *errorOut when errorOut is given.
void formatImportFailure(char **errorOut, std::string_view step, std::string_view detail);

} // namespace kestrix

#endif
