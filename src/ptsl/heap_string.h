// Strings handed across the flat interface are malloc'ed copies that the
// receiver releases with free.
#ifndef KESTRIX_PTSL_HEAP_STRING_H
#define KESTRIX_PTSL_HEAP_STRING_H

#include <string_view>

namespace kestrix {

// A NUL-terminated copy; null only when memory runs out.
char *heapCopy(std::string_view text);

// Null for empty text, which the queries report as "not available".
char *heapCopyUnlessEmpty(std::string_view text);

} // namespace kestrix

#endif
