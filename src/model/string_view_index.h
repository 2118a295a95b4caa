// A map from string views to indices with open addressing: two flat arrays
// instead of a node per entry, for the grouping and dedup passes that run
// over every clip of a session. The viewed strings must outlive the index.
#ifndef KESTRIX_MODEL_STRING_VIEW_INDEX_H
#define KESTRIX_MODEL_STRING_VIEW_INDEX_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrix {

class StringViewIndex {
public:
    explicit StringViewIndex(size_t expected = 0)
    {
        entries_.reserve(expected);
        rehash(expected);
    }

    // The index stored for the key, storing `index` first when the key is
    // new; second is true when it was new.
    std::pair<size_t, bool> insert(std::string_view key, size_t index)
    {
        if (2 * (entries_.size() + 1) > slots_.size())
            rehash(entries_.size() + 1);
        uint32_t &slot = slots_[slotOf(key)];
        if (slot != kEmpty)
            return {entries_[slot].second, false};
        slot = uint32_t(entries_.size());
        entries_.emplace_back(key, index);
        return {index, true};
    }

private:
    static constexpr uint32_t kEmpty = UINT32_MAX;

    // The key's slot, or the free slot where it belongs.
    size_t slotOf(std::string_view key) const
    {
        const size_t mask = slots_.size() - 1;
        for (size_t i = std::hash<std::string_view>{}(key) & mask;; i = (i + 1) & mask)
            if (slots_[i] == kEmpty || entries_[slots_[i]].first == key)
                return i;
    }

    // At least twice as many slots as entries, a power of two.
    void rehash(size_t entries)
    {
        size_t capacity = 16;
        while (capacity < 2 * entries)
            capacity *= 2;
        if (capacity <= slots_.size())
            return;
        slots_.assign(capacity, kEmpty);
        for (size_t e = 0; e < entries_.size(); ++e)
            slots_[slotOf(entries_[e].first)] = uint32_t(e);
    }

    std::vector<std::pair<std::string_view, size_t>> entries_;
    std::vector<uint32_t> slots_;
};

} // namespace kestrix

#endif
