// Waveform peaks: the largest absolute sample of each equal-length bucket.
#ifndef KESTRIX_AUDIO_PEAKS_H
#define KESTRIX_AUDIO_PEAKS_H

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

} // namespace kestrix

#endif
