// Deinterleaved 32-bit float samples: one plane per channel in a single
// allocation, with a 32-bit frame count.
#ifndef KESTRIX_AUDIO_AUDIO_BUFFER_H
#define KESTRIX_AUDIO_AUDIO_BUFFER_H

#include <cstdint>
#include <memory>
#include <optional>

namespace kestrix {

class AudioBuffer {
public:
    AudioBuffer() = default;

    // None when the memory cannot be had. The samples are not cleared.
    static std::optional<AudioBuffer> allocate(int channelCount, uint32_t frameCapacity, double sampleRate);

    int channelCount() const { return channelCount_; }
    uint32_t frameCapacity() const { return frameCapacity_; }
    uint32_t frameLength() const { return frameLength_; }
    void setFrameLength(uint32_t frames) { frameLength_ = frames < frameCapacity_ ? frames : frameCapacity_; }
    double sampleRate() const { return sampleRate_; }

    float *channel(int index) { return samples_.get() + size_t(index) * frameCapacity_; }
    const float *channel(int index) const { return samples_.get() + size_t(index) * frameCapacity_; }

private:
    std::unique_ptr<float[]> samples_;
    int channelCount_ = 0;
    uint32_t frameCapacity_ = 0;
    uint32_t frameLength_ = 0;
    double sampleRate_ = 0;
};

} // namespace kestrix

#endif
