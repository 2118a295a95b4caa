#include "peaks.h"

#include <algorithm>
#include <cmath>

namespace kestrix {

std::vector<float> peaks(const float *samples, uint32_t frames, int bucketCount)
{
    std::vector<float> result;
    if (bucketCount <= 0 || !samples)
        return result;
    const uint32_t step = std::max<uint32_t>(1, frames / uint32_t(bucketCount));
    result.reserve(size_t(std::min<uint64_t>(uint64_t(bucketCount), frames)));
    for (int b = 0; b < bucketCount; ++b) {
        const uint64_t start = uint64_t(b) * step;
        const uint64_t end = std::min<uint64_t>(start + step, frames);
        if (end <= start)
            break;
        float peak = 0;
        for (uint64_t f = start; f < end; ++f)
            peak = std::max(peak, std::fabs(samples[f]));
        result.push_back(peak);
    }
    return result;
}

std::vector<float> mixPeaks(const std::vector<std::vector<float>> &lists)
{
    if (lists.empty())
        return {};
    std::vector<float> mixed = lists.front();
    for (size_t l = 1; l < lists.size(); ++l) {
        const size_t shared = std::min(mixed.size(), lists[l].size());
        for (size_t i = 0; i < shared; ++i)
            mixed[i] = std::max(mixed[i], lists[l][i]);
    }
    return mixed;
}

} // namespace kestrix
