// The differences as one JSON object, keys in a fixed order; positions,
// offsets, lengths and starts are exact sample counts.
#ifndef KESTRIX_COMPARE_DIFF_JSON_H
#define KESTRIX_COMPARE_DIFF_JSON_H

#include "session_diff.h"

#include <string>

namespace kestrix {

std::string diffJson(const SessionDiff &diff);

} // namespace kestrix

#endif
