// How kestrix-index prints search results.
#ifndef KESTRIX_INDEX_SEARCH_OUTPUT_H
#define KESTRIX_INDEX_SEARCH_OUTPUT_H

#include "archive_types.h"

#include <string>
#include <vector>

namespace kestrix::archive {

// "<path>\t<matches>" per session, each followed by its matches indented
// ("  plugin  EQ3 7-Band").
std::string searchText(const std::vector<SessionHit> &hits);

// [{"path": ..., "session": ..., "matches": [{"kind": ..., "name": ...}]}]
std::string searchJson(const std::vector<SessionHit> &hits);

} // namespace kestrix::archive

#endif
