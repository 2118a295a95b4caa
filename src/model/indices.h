// Filters over lists answer with the indices of the items they keep.
#ifndef KESTRIX_MODEL_INDICES_H
#define KESTRIX_MODEL_INDICES_H

#include <cstddef>
#include <numeric>
#include <vector>

namespace kestrix {

// 0, 1, ..., count - 1: the answer of a filter that keeps everything.
inline std::vector<size_t> allIndices(size_t count)
{
    std::vector<size_t> indices(count);
    std::iota(indices.begin(), indices.end(), size_t(0));
    return indices;
}

// The indices of the items for which passes(item) holds, in order.
template <class T, class Passes>
std::vector<size_t> indicesWhere(const std::vector<T> &items, Passes passes)
{
    std::vector<size_t> kept;
    for (size_t i = 0; i < items.size(); ++i)
        if (passes(items[i]))
            kept.push_back(i);
    return kept;
}

// The positions of the set flags.
inline std::vector<size_t> indicesOfSetFlags(const std::vector<char> &flags)
{
    std::vector<size_t> kept;
    for (size_t i = 0; i < flags.size(); ++i)
        if (flags[i])
            kept.push_back(i);
    return kept;
}

// The items at the indices, in that order.
template <class T>
std::vector<T> itemsAt(const std::vector<T> &items, const std::vector<size_t> &indices)
{
    std::vector<T> picked;
    picked.reserve(indices.size());
    for (size_t i : indices)
        picked.push_back(items[i]);
    return picked;
}

} // namespace kestrix

#endif
