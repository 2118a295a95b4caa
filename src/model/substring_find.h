// A substring search for short needles in long texts, vectorised where the
// processor allows. Inline: the search of one keystroke calls it once per
// matching name.
#ifndef KESTRIX_MODEL_SUBSTRING_FIND_H
#define KESTRIX_MODEL_SUBSTRING_FIND_H

#include <bit>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KESTRIX_FIND_SSE2 1
#endif

namespace kestrix {

class SubstringFinder {
public:
    explicit SubstringFinder(std::string_view needle) : needle_(needle)
    {
#ifdef KESTRIX_FIND_SSE2
        if (!needle.empty()) {
            first_ = _mm_set1_epi8(needle.front());
            last_ = _mm_set1_epi8(needle.back());
        }
#endif
    }

    // The first position at or after `from` where the needle starts inside
    // `text`, or npos. An empty needle is found at `from`.
    size_t find(std::string_view text, size_t from) const
    {
        const size_t n = text.size();
        const size_t k = needle_.size();
        if (k == 0)
            return from <= n ? from : std::string_view::npos;
        if (k > n || from > n - k)
            return std::string_view::npos;
        size_t i = from;
#ifdef KESTRIX_FIND_SSE2
        // Sixteen candidate starts at a time: those whose first and last
        // bytes both agree with the needle's are compared in full.
        const char *s = text.data();
        for (; i + k - 1 + 16 <= n; i += 16) {
            const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
            const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i + k - 1));
            unsigned mask = unsigned(
                _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first_), _mm_cmpeq_epi8(ends, last_))));
            while (mask != 0) {
                const size_t at = i + size_t(std::countr_zero(mask));
                if (middleMatches(s + at))
                    return at;
                mask &= mask - 1;
            }
        }
#endif
        return text.find(needle_, i);
    }

private:
    // Whether the bytes between the first and the last agree.
    bool middleMatches(const char *candidate) const
    {
        for (size_t j = 1; j + 1 < needle_.size(); ++j)
            if (candidate[j] != needle_[j])
                return false;
        return true;
    }

    std::string_view needle_;
#ifdef KESTRIX_FIND_SSE2
    __m128i first_{};
    __m128i last_{};
#endif
};

} // namespace kestrix

#endif
