// Waveform peaks: the largest absolute sample of each equal-length bucket.
#ifndef KESTRIX_AUDIO_PEAKS_H
#define KESTRIX_AUDIO_PEAKS_H

#include "audio_error.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace kestrix {

// At most `bucketCount` peaks of frames / bucketCount frames each (one per
// frame for shorter buffers); frames past the last whole bucket are not
// looked at. No peaks for a bucket count of 0.
std::vector<float> peaks(const float *samples, uint32_t frames, int bucketCount);

// The larger of the lists' entries at each position they share; as long as
// the first list.
std::vector<float> mixPeaks(const std::vector<std::vector<float>> &lists);

// Per-channel peaks of a file region (the whole file for a length of 0),
// with the buckets of peaks(), read in chunks so that memory stays small
// whatever the file's length. An empty region fails with "Clip range is empty".
AudioResult<std::vector<std::vector<float>>> filePeaks(const QString &path, uint64_t sampleOffset,
                                                       uint64_t sampleLength, int bucketCount);

} // namespace kestrix

#endif
