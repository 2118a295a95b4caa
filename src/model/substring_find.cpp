#include "substring_find.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KESTRIX_FIND_SSE2 1
#endif

namespace kestrix {

size_t findSubstring(std::string_view text, size_t from, std::string_view needle)
{
    const size_t n = text.size();
    const size_t k = needle.size();
    if (k == 0)
        return from <= n ? from : std::string_view::npos;
    if (k > n || from > n - k)
        return std::string_view::npos;
    size_t i = from;
#ifdef KESTRIX_FIND_SSE2
    // Sixteen candidate starts at a time: those whose first and last bytes
    // both agree with the needle's are compared in full.
    const char *s = text.data();
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i last = _mm_set1_epi8(needle.back());
    for (; i + k - 1 + 16 <= n; i += 16) {
        const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
        const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i + k - 1));
        unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
        while (mask != 0) {
            const size_t at = i + size_t(std::countr_zero(mask));
            if (k <= 2 || std::memcmp(s + at + 1, needle.data() + 1, k - 2) == 0)
                return at;
            mask &= mask - 1;
        }
    }
#endif
    return text.find(needle, i);
}

} // namespace kestrix
