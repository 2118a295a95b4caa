// Channel suffixes of multi-mono clip and file names (".L", ".Ls", ...).
#ifndef KESTRIX_PTSL_CHANNEL_SUFFIX_H
#define KESTRIX_PTSL_CHANNEL_SUFFIX_H

#include "import_batch.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// The name without its channel suffix ("Kick" for "Kick.L"); a name that is
// nothing but a suffix, or has none, stays as it is.
std::string stripChannelSuffix(std::string_view name);

// Which of the identifiers Pro Tools gave a split source file serves
// channel k: the one whose file name (without folder and extension) ends
// with the channel's suffix (".L", ".R", ".C", ".LFE", ".Ls", ".Rs" for
// k = 0..5), else the one at index k, else the last. ids is not empty.
const ImportedFileId &splitSourceFileId(const std::vector<ImportedFileId> &ids, int k);

} // namespace kestrix

#endif
