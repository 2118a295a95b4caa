// Where the engine's frames go. The application plays them on a device
// through QAudioSink; tests and benchmarks render them offline.
#ifndef KESTRIX_AUDIO_AUDIO_OUTPUT_H
#define KESTRIX_AUDIO_AUDIO_OUTPUT_H

#include "audio_error.h"
#include "audio_output_device.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace kestrix {

class RenderGraph;

struct OutputRequest {
    double sampleRate = 0;
    int channels = 0;
    std::optional<AudioOutputDevice> device;  // none: the system default
};

struct OutputBinding {
    QString deviceName;     // the device that plays
    bool requestedDevice;   // false when the requested one could not be had
    QString format;         // e.g. "6-channel float @ 48000 Hz"
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Starts pulling interleaved frames of `request.channels` channels from
    // the graph, which must stay alive until stop().
    virtual AudioResult<OutputBinding> start(const OutputRequest &request, RenderGraph &graph) = 0;
    // Once it returns the graph is no longer rendered.
    virtual void stop() = 0;
    // How long the frames already pulled take to be heard: what is left to
    // hear once the graph has rendered its last frame.
    virtual double bufferedSeconds() const { return 0; }
    // False once stopped, and once the device has failed or gone away.
    virtual bool isRunning() const = 0;
    // Called on the main thread, at most once per start, when the device
    // disappears or its stream stops with an error; the output has stopped
    // by then. The text says why.
    void setFailureHandler(std::function<void(const QString &)> handler) { failureHandler_ = std::move(handler); }

protected:
    void reportFailure(const QString &reason)
    {
        if (failureHandler_)
            failureHandler_(reason);
    }

private:
    std::function<void(const QString &)> failureHandler_;
};

// What the players show when the output device stops under them.
inline constexpr const char *kDeviceLostMessage = "Playback stopped: the output device is no longer available";

// Plays on a device through QAudioSink in pull mode.
std::unique_ptr<AudioOutput> createDeviceOutput();

} // namespace kestrix

#endif
