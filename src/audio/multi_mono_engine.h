// Plays a multi-mono group (one mono file per channel) or the channels of
// one multichannel file as one sound on the active output device: every
// channel is held in memory, played by its own player into one input of a
// matrix mixer, and routed to the device's outputs by its label. Plays a
// whole group or a region of it, pauses, resumes, seeks and reports its
// position. Main thread only.
#ifndef KESTRIX_AUDIO_MULTI_MONO_ENGINE_H
#define KESTRIX_AUDIO_MULTI_MONO_ENGINE_H

#include "audio_buffer.h"
#include "audio_error.h"
#include "render_graph.h"
#include "routing.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kestrix {

class AudioDeviceManager;
class AudioOutput;
class AudioPlaybackLog;

class MultiMonoEngine : public QObject {
    Q_OBJECT
public:
    struct Channel {
        QString label;
        QString path;
    };

    // On the shared devices and playback log, playing through QAudioSink.
    explicit MultiMonoEngine(QObject *parent = nullptr);
    MultiMonoEngine(AudioDeviceManager &devices, AudioPlaybackLog &log, std::unique_ptr<AudioOutput> output,
                    QObject *parent = nullptr);
    ~MultiMonoEngine() override;

    // Load whole files, or the region offset … offset + length (samples) of
    // each, routed by `routing` when given, else by label to the active
    // device. Loading does not start playback. A segment that lies beyond
    // every file's end loads nothing and starts nothing.
    AudioStatus load(const QList<Channel> &channels, std::optional<GainMatrix> routing = {});
    AudioStatus loadSegment(const QList<Channel> &channels, uint64_t sampleOffset, uint64_t sampleLength,
                            std::optional<GainMatrix> routing = {});
    // Every channel of one file is an input, labelled by the file's channel
    // map or else by its channel count.
    AudioStatus loadFile(const QString &path);
    AudioStatus loadFileSegment(const QString &path, uint64_t sampleOffset, uint64_t sampleLength);

    void togglePlayPause();
    // Stops the output; playing again starts from the beginning, or from
    // where a later seek put the playhead.
    void stop();
    // Moves to `fraction` (0 … 1) of the duration, keeping playing or paused.
    void seek(double fraction);
    double currentTime() const;

    // Peaks of every input, and their maximum across inputs.
    std::vector<std::vector<float>> channelPeaks(int bucketCount) const;
    std::vector<float> mixedPeaks(int bucketCount) const;

    double duration() const { return duration_; }
    double sampleRate() const { return sampleRate_; }
    bool isPlaying() const { return isPlaying_; }
    bool hasCompletedPlayback() const { return hasCompletedPlayback_; }
    int inputCount() const { return int(inputs_.size()); }
    int outputChannelCount() const { return outputChannelCount_; }
    const QStringList &channelLabels() const { return channelLabels_; }
    uint64_t scheduleGeneration() const { return scheduleGeneration_; }
    int pendingChannelCompletions() const { return pendingChannelCompletions_; }
    int64_t playheadStartFrame() const { return playheadStartFrame_; }
    // The default routing of the last load; none for a caller's matrix.
    const std::optional<RoutingDecision> &routing() const { return routing_; }
    const MatrixMixer &mixer() const { return graph_.mixer(); }

public slots:
    // Takes up the schedules the render thread has finished; runs on a
    // timer while the output runs.
    void collectCompletions();

signals:
    void playingChanged(bool playing);
    void playbackCompleted();
    // Playback could not start again, or the device stopped under it; the
    // engine has stopped and `message` is what the user is told.
    void playbackFailed(const QString &message);

private:
    struct Region {
        uint64_t offset;
        uint64_t length;
    };

    AudioStatus loadChannels(const QList<Channel> &channels, std::optional<Region> region,
                             std::optional<GainMatrix> routing);
    AudioStatus loadMultichannel(const QString &path, std::optional<Region> region);
    AudioStatus finishLoad(std::optional<GainMatrix> customRouting);
    AudioStatus startOutput();
    void scheduleFrom(int64_t frame);
    void tearDown();
    void setPlaying(bool playing);
    AudioStatus failLoad(AudioError error);
    void outputLost(const QString &reason);
    void completeAfterDrain();

    AudioDeviceManager &devices_;
    AudioPlaybackLog &log_;
    std::unique_ptr<AudioOutput> output_;
    RenderGraph graph_;
    QTimer completionTimer_;

    std::vector<AudioBuffer> storage_;             // the samples the inputs point into
    std::vector<RenderGraph::InputBuffer> inputs_;  // one per mixer input
    std::vector<uint64_t> seenCompletions_;
    QStringList channelLabels_;
    std::optional<RoutingDecision> routing_;
    double duration_ = 0;
    uint32_t longestFrames_ = 0;
    double sampleRate_ = 0;
    bool isPlaying_ = false;
    int outputChannelCount_ = 0;
    int64_t playheadStartFrame_ = 0;
    bool hasCompletedPlayback_ = false;
    bool hasSchedule_ = false;
    int pendingChannelCompletions_ = 0;
    uint64_t scheduleGeneration_ = 0;
};

} // namespace kestrix

#endif
