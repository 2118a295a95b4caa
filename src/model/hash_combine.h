// Mixing several hashes into one, for the hashable value types.
#ifndef KESTRIX_MODEL_HASH_COMBINE_H
#define KESTRIX_MODEL_HASH_COMBINE_H

#include <cstddef>
#include <functional>

namespace kestrix {

template <class T>
void hashCombine(size_t &seed, const T &value)
{
    seed ^= std::hash<T>{}(value) + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

} // namespace kestrix

#endif
