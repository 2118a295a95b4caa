#include "audio_buffer.h"

#include <new>

namespace kestrix {

std::optional<AudioBuffer> AudioBuffer::allocate(int channelCount, uint32_t frameCapacity, double sampleRate)
{
    if (channelCount < 0)
        return std::nullopt;
    AudioBuffer buffer;
    // Not value-initialised: a whole file is read over it at once.
    const size_t count = size_t(channelCount) * frameCapacity;
    if (count > 0) {
        buffer.samples_.reset(new (std::nothrow) float[count]);
        if (!buffer.samples_)
            return std::nullopt;
    }
    buffer.channelCount_ = channelCount;
    buffer.frameCapacity_ = frameCapacity;
    buffer.sampleRate_ = sampleRate;
    return buffer;
}

} // namespace kestrix
