#include "offline_audio_output.h"

#include "render_graph.h"

namespace kestrix {

AudioResult<OutputBinding> OfflineAudioOutput::start(const OutputRequest &request, RenderGraph &graph)
{
    if (!startError_.isEmpty())
        return engineError(std::exchange(startError_, QString()));
    request_ = request;
    graph_ = &graph;
    return OutputBinding{request.device ? request.device->name : QStringLiteral("offline"), request.device.has_value(),
                         QStringLiteral("%1-channel float @ %2 Hz (offline)")
                             .arg(request.channels)
                             .arg(request.sampleRate, 0, 'f', 0)};
}

void OfflineAudioOutput::stop()
{
    graph_ = nullptr;
}

void OfflineAudioOutput::loseDevice(const QString &reason)
{
    if (!graph_)
        return;
    stop();
    reportFailure(reason);
}

std::vector<float> OfflineAudioOutput::render(uint32_t frames)
{
    if (!graph_)
        return {};
    std::vector<float> interleaved(size_t(frames) * size_t(request_.channels));
    graph_->render(interleaved.data(), frames);
    return interleaved;
}

} // namespace kestrix
