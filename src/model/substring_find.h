// A substring search for short needles in long texts, vectorised where the
// processor allows.
#ifndef KESTRIX_MODEL_SUBSTRING_FIND_H
#define KESTRIX_MODEL_SUBSTRING_FIND_H

#include <cstddef>
#include <string_view>

namespace kestrix {

// The first position at or after `from` where `needle` starts inside
// `text`, or npos. An empty needle is found at `from`.
size_t findSubstring(std::string_view text, size_t from, std::string_view needle);

} // namespace kestrix

#endif
