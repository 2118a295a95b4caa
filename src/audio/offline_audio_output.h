// An output that renders only when asked: the engine's frames, exactly as
// a device would pull them, with no audio server.
#ifndef KESTRIX_AUDIO_OFFLINE_AUDIO_OUTPUT_H
#define KESTRIX_AUDIO_OFFLINE_AUDIO_OUTPUT_H

#include "audio_output.h"

#include <cstdint>
#include <vector>

namespace kestrix {

class OfflineAudioOutput final : public AudioOutput {
public:
    AudioResult<OutputBinding> start(const OutputRequest &request, RenderGraph &graph) override;
    void stop() override;
    bool isRunning() const override { return graph_ != nullptr; }

    // The next `frames` interleaved frames; none while stopped.
    std::vector<float> render(uint32_t frames);
    const OutputRequest &request() const { return request_; }
    // Makes the next start fail with this description, as a device can.
    void failNextStart(QString description) { startError_ = std::move(description); }
    // Stops as a device that went away does, and says so.
    void loseDevice(const QString &reason);

private:
    RenderGraph *graph_ = nullptr;
    OutputRequest request_;
    QString startError_;
};

} // namespace kestrix

#endif
