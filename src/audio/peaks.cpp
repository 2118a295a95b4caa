#include "peaks.h"

#include "audio_file.h"
#include "audio_read.h"

#include <algorithm>
#include <cmath>

namespace kestrix {

namespace {

// Eight independent maxima, so that the compiler can keep them in one
// vector register: a plain running maximum is a chain it cannot split.
float largestMagnitude(const float *samples, size_t count)
{
    float lanes[8] = {};
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        for (int lane = 0; lane < 8; ++lane) {
            const float magnitude = std::fabs(samples[i + size_t(lane)]);
            lanes[lane] = magnitude > lanes[lane] ? magnitude : lanes[lane];
        }
    }
    float peak = 0;
    for (; i < count; ++i)
        peak = std::max(peak, std::fabs(samples[i]));
    for (float lane : lanes)
        peak = std::max(peak, lane);
    return peak;
}

} // namespace

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
        result.push_back(largestMagnitude(samples + start, size_t(end - start)));
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

AudioResult<std::vector<std::vector<float>>> filePeaks(const QString &path, uint64_t sampleOffset,
                                                       uint64_t sampleLength, int bucketCount)
{
    auto opened = openAudioFile(path);
    if (!opened.ok())
        return opened.error();
    AudioFile &file = *opened.value();
    const ClampedRegion region = sampleLength == 0 ? clampRegion(sampleOffset, file.frameLength(), file.frameLength())
                                                   : clampRegion(sampleOffset, sampleLength, file.frameLength());
    if (region.frames == 0)
        return fileError(QString::fromLatin1(kEmptyClipRange));
    const auto frames = checkedFrameCount(region.frames, path);
    if (!frames.ok())
        return frames.error();
    const int channels = file.channelCount();
    std::vector<std::vector<float>> result(size_t(std::max(channels, 0)));
    if (bucketCount <= 0 || channels <= 0)
        return result;
    const uint32_t step = std::max<uint32_t>(1, frames.value() / uint32_t(bucketCount));
    const uint64_t buckets = std::min<uint64_t>(uint64_t(bucketCount), frames.value() / step);
    if (AudioStatus error = file.seek(region.start))
        return *error;

    // Whole buckets per chunk, about a second of audio at a time.
    const uint32_t bucketsPerChunk = std::max<uint32_t>(1, 65536 / step);
    std::vector<float> scratch(size_t(bucketsPerChunk) * step * size_t(channels));
    std::vector<float *> planes(static_cast<size_t>(channels));
    for (auto &list : result)
        list.reserve(size_t(buckets));
    for (uint64_t done = 0; done < buckets;) {
        const auto chunkBuckets = uint32_t(std::min<uint64_t>(bucketsPerChunk, buckets - done));
        const uint32_t chunkFrames = chunkBuckets * step;
        for (int c = 0; c < channels; ++c)
            planes[size_t(c)] = scratch.data() + size_t(c) * size_t(bucketsPerChunk) * step;
        auto read = file.read(planes, chunkFrames);
        if (!read.ok())
            return read.error();
        for (int c = 0; c < channels; ++c) {
            std::vector<float> chunkPeaks = peaks(planes[size_t(c)], read.value(), int(chunkBuckets));
            result[size_t(c)].insert(result[size_t(c)].end(), chunkPeaks.begin(), chunkPeaks.end());
        }
        if (read.value() < chunkFrames)
            break;  // the file was shorter than it said
        done += chunkBuckets;
    }
    return result;
}

} // namespace kestrix
