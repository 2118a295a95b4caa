#ifndef KESTRIX_PTSL_CANONICAL_PATH_H
#define KESTRIX_PTSL_CANONICAL_PATH_H

#include <string>

namespace kestrix {

// The path with symbolic links and "." / ".." resolved, so that two
// spellings of one file meet in the import-batch cache. An empty path stays
// empty; a path that cannot be resolved (a missing file) stays as given.
std::string canonicalPath(const std::string &path);

} // namespace kestrix

#endif
