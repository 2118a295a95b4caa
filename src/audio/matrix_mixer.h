// An N×M matrix mixer. Its levels are (N + 1) × (M + 1) floats, row-major
// by input: [i][o] is the gain from input i to output o, [i][M] input i's
// volume, [N][o] output o's volume and [N][M] the master volume, so that
//   out[o] = master · volume(o) · Σ_i volume(i) · gain(i, o) · in[i].
#ifndef KESTRIX_AUDIO_MATRIX_MIXER_H
#define KESTRIX_AUDIO_MATRIX_MIXER_H

#include "routing.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kestrix {

class MatrixMixer {
public:
    // The most frames mixed at once.
    static constexpr uint32_t kBlockFrames = 512;

    // Allocates; never while rendering. All levels start at 0.
    void configure(int inputs, int outputs);
    int inputCount() const { return inputs_; }
    int outputCount() const { return outputs_; }

    // Levels for a routing: its gains where both have the crosspoint, and
    // every volume at 1.
    static std::vector<float> levelsFor(const GainMatrix &routing, int inputs, int outputs);
    // False, and nothing changes, when the size is not (N + 1) × (M + 1).
    bool setLevels(std::span<const float> levels);
    const std::vector<float> &levels() const { return levels_; }

    // Render thread, no allocation: one block of at most kBlockFrames frames.
    void beginBlock(uint32_t frames);
    // Adds an input's samples from the block's first frame on.
    void add(int input, const float *samples, uint32_t frames);
    void endBlock(float *interleaved, uint32_t frames) const;

private:
    int inputs_ = 0;
    int outputs_ = 0;
    std::vector<float> levels_;
    std::vector<float> effectiveGains_;  // inputs × outputs, all volumes applied
    std::vector<float> planes_;          // outputs × kBlockFrames
};

} // namespace kestrix

#endif
