// Pairs the items of two lists whose keys are equal. Items sharing a key are
// paired in rank order (timeline order for clips, list order otherwise), the
// first with the first, so repeated names pair up predictably.
#ifndef KESTRIX_COMPARE_KEY_PAIRING_H
#define KESTRIX_COMPARE_KEY_PAIRING_H

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace kestrix {

struct Pairing {
    std::vector<std::pair<size_t, size_t>> pairs;  // (old, new)
    std::vector<size_t> oldLeft;                   // unpaired, in rank order within a key
    std::vector<size_t> newLeft;
};

// `oldKey(i)` and `newKey(i)` return comparable keys of the same type (a
// tuple); `oldRank(i)` and `newRank(i)` order the items sharing a key. Ties
// keep the order of the given index lists.
template <class OldKey, class NewKey, class OldRank, class NewRank>
Pairing pairByKey(std::vector<size_t> olds, std::vector<size_t> news, OldKey oldKey, NewKey newKey, OldRank oldRank,
                  NewRank newRank)
{
    const auto sortBy = [](std::vector<size_t> &items, auto key, auto rank) {
        std::stable_sort(items.begin(), items.end(), [&](size_t a, size_t b) {
            const auto ka = key(a), kb = key(b);
            if (ka != kb)
                return ka < kb;
            return rank(a) < rank(b);
        });
    };
    sortBy(olds, oldKey, oldRank);
    sortBy(news, newKey, newRank);

    Pairing result;
    size_t o = 0, n = 0;
    while (o < olds.size() && n < news.size()) {
        const auto ko = oldKey(olds[o]), kn = newKey(news[n]);
        if (ko < kn)
            result.oldLeft.push_back(olds[o++]);
        else if (kn < ko)
            result.newLeft.push_back(news[n++]);
        else
            result.pairs.emplace_back(olds[o++], news[n++]);
    }
    result.oldLeft.insert(result.oldLeft.end(), olds.begin() + o, olds.end());
    result.newLeft.insert(result.newLeft.end(), news.begin() + n, news.end());
    return result;
}

// 0..count-1.
inline std::vector<size_t> allIndices(size_t count)
{
    std::vector<size_t> indices(count);
    for (size_t i = 0; i < count; ++i)
        indices[i] = i;
    return indices;
}

} // namespace kestrix

#endif
