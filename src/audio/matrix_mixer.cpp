#include "matrix_mixer.h"

#include <algorithm>

namespace kestrix {

void MatrixMixer::configure(int inputs, int outputs)
{
    inputs_ = std::max(inputs, 0);
    outputs_ = std::max(outputs, 0);
    levels_.assign(size_t(inputs_ + 1) * size_t(outputs_ + 1), 0.0f);
    effectiveGains_.assign(size_t(inputs_) * size_t(outputs_), 0.0f);
    planes_.assign(size_t(outputs_) * kBlockFrames, 0.0f);
}

std::vector<float> MatrixMixer::levelsFor(const GainMatrix &routing, int inputs, int outputs)
{
    const size_t columns = size_t(outputs) + 1;
    std::vector<float> levels(size_t(inputs + 1) * columns, 0.0f);
    for (int i = 0; i < std::min(inputs, routing.inputs); ++i) {
        for (int o = 0; o < std::min(outputs, routing.outputs); ++o)
            levels[size_t(i) * columns + size_t(o)] = routing.gain(i, o);
    }
    for (int i = 0; i <= inputs; ++i)
        levels[size_t(i) * columns + size_t(outputs)] = 1.0f;
    for (int o = 0; o < outputs; ++o)
        levels[size_t(inputs) * columns + size_t(o)] = 1.0f;
    return levels;
}

bool MatrixMixer::setLevels(std::span<const float> levels)
{
    if (levels.size() != levels_.size())
        return false;
    std::copy(levels.begin(), levels.end(), levels_.begin());
    const size_t columns = size_t(outputs_) + 1;
    const float master = levels_[size_t(inputs_) * columns + size_t(outputs_)];
    for (int i = 0; i < inputs_; ++i) {
        const float inputVolume = levels_[size_t(i) * columns + size_t(outputs_)];
        for (int o = 0; o < outputs_; ++o) {
            const float outputVolume = levels_[size_t(inputs_) * columns + size_t(o)];
            effectiveGains_[size_t(i) * size_t(outputs_) + size_t(o)] =
                levels_[size_t(i) * columns + size_t(o)] * inputVolume * outputVolume * master;
        }
    }
    return true;
}

void MatrixMixer::beginBlock(uint32_t frames)
{
    for (int o = 0; o < outputs_; ++o)
        std::fill_n(planes_.data() + size_t(o) * kBlockFrames, frames, 0.0f);
}

void MatrixMixer::add(int input, const float *samples, uint32_t frames)
{
    const float *gains = effectiveGains_.data() + size_t(input) * size_t(outputs_);
    for (int o = 0; o < outputs_; ++o) {
        const float gain = gains[o];
        if (gain == 0.0f)
            continue;
        float *plane = planes_.data() + size_t(o) * kBlockFrames;
        for (uint32_t f = 0; f < frames; ++f)
            plane[f] += gain * samples[f];
    }
}

void MatrixMixer::endBlock(float *interleaved, uint32_t frames) const
{
    const size_t stride = size_t(outputs_);
    for (int o = 0; o < outputs_; ++o) {
        const float *plane = planes_.data() + size_t(o) * kBlockFrames;
        float *out = interleaved + o;
        for (uint32_t f = 0; f < frames; ++f)
            out[f * stride] = plane[f];
    }
}

} // namespace kestrix
