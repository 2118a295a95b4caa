#include "multi_mono_engine.h"

#include "audio_device_manager.h"
#include "audio_file.h"
#include "audio_log.h"
#include "audio_output.h"
#include "audio_playback_log.h"
#include "audio_read.h"
#include "audio_urls.h"
#include "channel_labels.h"
#include "peaks.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace kestrix {

namespace {

// Often enough that a finished schedule is noticed within a frame of video.
constexpr int kCompletionPollMs = 10;

void log(const QString &line)
{
    logAudio(kEngineComponent, line);
}

QString rateText(double sampleRate)
{
    return QString::number(sampleRate, 'f', 0);
}

} // namespace

MultiMonoEngine::MultiMonoEngine(QObject *parent)
    : MultiMonoEngine(AudioDeviceManager::shared(), AudioPlaybackLog::shared(), createDeviceOutput(), parent)
{
}

MultiMonoEngine::MultiMonoEngine(AudioDeviceManager &devices, AudioPlaybackLog &log,
                                 std::unique_ptr<AudioOutput> output, QObject *parent)
    : QObject(parent), devices_(devices), log_(log), output_(std::move(output))
{
    completionTimer_.setInterval(kCompletionPollMs);
    connect(&completionTimer_, &QTimer::timeout, this, &MultiMonoEngine::collectCompletions);
    output_->setFailureHandler([this](const QString &reason) { outputLost(reason); });
}

MultiMonoEngine::~MultiMonoEngine()
{
    // The output must stop pulling before the samples go.
    output_->stop();
}

AudioStatus MultiMonoEngine::load(const QList<Channel> &channels, std::optional<GainMatrix> routing)
{
    log(QStringLiteral("load(channels:) — %1 channel(s):").arg(channels.size()));
    return loadChannels(channels, std::nullopt, std::move(routing));
}

AudioStatus MultiMonoEngine::loadSegment(const QList<Channel> &channels, uint64_t sampleOffset,
                                         uint64_t sampleLength, std::optional<GainMatrix> routing)
{
    log(QStringLiteral("loadSegment(channels:) — %1 channel(s), offset=%2, length=%3 samples:")
            .arg(channels.size())
            .arg(sampleOffset)
            .arg(sampleLength));
    return loadChannels(channels, Region{sampleOffset, sampleLength}, std::move(routing));
}

AudioStatus MultiMonoEngine::loadFile(const QString &path)
{
    log(QStringLiteral("loadFile — %1").arg(path));
    return loadMultichannel(path, std::nullopt);
}

AudioStatus MultiMonoEngine::loadFileSegment(const QString &path, uint64_t sampleOffset, uint64_t sampleLength)
{
    log(QStringLiteral("loadFileSegment — %1, offset=%2, length=%3 samples").arg(path).arg(sampleOffset).arg(sampleLength));
    return loadMultichannel(path, Region{sampleOffset, sampleLength});
}

AudioStatus MultiMonoEngine::loadChannels(const QList<Channel> &channels, std::optional<Region> region,
                                          std::optional<GainMatrix> routing)
{
    tearDown();
    for (qsizetype i = 0; i < channels.size(); ++i)
        log(QStringLiteral("  [%1] \"%2\" %3").arg(i).arg(channels[i].label, channels[i].path));

    for (const Channel &channel : channels) {
        const QString path = resolveAlias(channel.path);
        auto opened = openAudioFile(path);
        if (!opened.ok())
            return failLoad(opened.error());
        AudioFile &file = *opened.value();
        uint64_t frames = file.frameLength();
        std::optional<ClampedRegion> clamped;
        if (region) {
            clamped = clampRegion(region->offset, region->length, file.frameLength());
            // A channel with nothing in the region plays nothing, so its
            // rate cannot hold the others up.
            if (clamped->frames == 0)
                continue;
            frames = clamped->frames;
        }
        // Every channel plays at one rate; files of different rates would
        // drift apart.
        if (sampleRate_ > 0 && file.sampleRate() != sampleRate_) {
            return failLoad(engineError(QStringLiteral("The channel files have different sample rates (%1 Hz and %2 Hz)")
                                            .arg(rateText(sampleRate_), rateText(file.sampleRate()))));
        }
        sampleRate_ = file.sampleRate();
        if (clamped) {
            if (AudioStatus error = file.seek(clamped->start))
                return failLoad(*error);
        }
        auto frameCount = checkedFrameCount(frames, path);
        if (!frameCount.ok())
            return failLoad(frameCount.error());
        auto mono = readMonoBuffer(file, frameCount.value(), channel.label, sampleRate_);
        if (!mono.ok())
            return failLoad(mono.error());
        storage_.push_back(std::move(mono).value());
        inputs_.push_back({storage_.back().channel(0), storage_.back().frameLength()});
        // One label per input: a channel whose region is empty has neither.
        channelLabels_ << channel.label;
    }
    return finishLoad(std::move(routing));
}

AudioStatus MultiMonoEngine::loadMultichannel(const QString &path, std::optional<Region> region)
{
    tearDown();
    const QString resolved = resolveAlias(path);
    auto opened = openAudioFile(resolved);
    if (!opened.ok())
        return failLoad(opened.error());
    AudioFile &file = *opened.value();
    // A region past the end leaves nothing to play, as it does for groups.
    if (region && clampRegion(region->offset, region->length, file.frameLength()).frames == 0)
        return finishLoad(std::nullopt);
    auto read = region ? readRegion(file, resolved, region->offset, region->length) : readWholeFile(file, resolved);
    if (!read.ok())
        return failLoad(read.error());
    ReadAudio audio = std::move(read).value();
    const int channels = audio.buffer.channelCount();
    channelLabels_ = file.channelLabels();
    if (channelLabels_.size() != channels)
        channelLabels_ = fallbackDeviceLabels(channels);
    sampleRate_ = audio.info.sampleRate;
    storage_.push_back(std::move(audio.buffer));
    for (int c = 0; c < channels; ++c)
        inputs_.push_back({storage_.back().channel(c), storage_.back().frameLength()});
    return finishLoad(std::nullopt);
}

AudioStatus MultiMonoEngine::finishLoad(std::optional<GainMatrix> customRouting)
{
    if (inputs_.empty()) {
        log(QStringLiteral("Nothing to play: no channel has frames in the requested range"));
        return std::nullopt;
    }
    longestFrames_ = 0;
    for (const RenderGraph::InputBuffer &input : inputs_)
        longestFrames_ = std::max(longestFrames_, input.frames);
    duration_ = double(longestFrames_) / sampleRate_;
    seenCompletions_.assign(inputs_.size(), 0);

    GainMatrix matrix;
    if (customRouting) {
        log(QStringLiteral("(caller supplied a custom gain matrix — defaultGainMatrix bypassed)"));
        matrix = std::move(*customRouting);
    } else {
        routing_ = defaultGainMatrix(channelLabels_, devices_.activeDevice());
        for (const QString &line : routingConsoleLines(*routing_))
            log(line);
        log_.logSection(QStringLiteral("MultiMonoEngine routing decision"), routingLogLines(*routing_));
        matrix = routing_->matrix;
    }
    const int inputs = int(inputs_.size());
    const int outputs = matrix.outputs;
    outputChannelCount_ = outputs;
    if (!(sampleRate_ > 0) || outputs <= 0)
        return failLoad(engineError(QStringLiteral("Invalid audio format (sr=%1, out=%2)").arg(rateText(sampleRate_)).arg(outputs)));

    const std::vector<float> levels = MatrixMixer::levelsFor(matrix, inputs, outputs);
    graph_.configure(inputs_, outputs, levels);
    log(QStringLiteral("Mixer has %1 input channels, %2 output channels").arg(inputs).arg(outputs));
    log(QStringLiteral("Setting MatrixLevels: %1×%2 = %3 floats").arg(inputs + 1).arg(outputs + 1).arg(levels.size()));
    for (int row = 0; row <= inputs; ++row) {
        QStringList values;
        for (int column = 0; column <= outputs; ++column)
            values << QString::number(double(levels[size_t(row) * size_t(outputs + 1) + size_t(column)]), 'f', 3);
        log(QStringLiteral("  Row %1: %2").arg(row).arg(values.join(QLatin1String("  "))));
    }

    if (AudioStatus error = startOutput())
        return failLoad(*error);
    scheduleFrom(0);
    return std::nullopt;
}

AudioStatus MultiMonoEngine::startOutput()
{
    const std::optional<AudioOutputDevice> device = devices_.activeDevice();
    if (!device)
        log(QStringLiteral("No active device from AudioDeviceManager — falling back to the system default output"));
    auto started = output_->start({sampleRate_, outputChannelCount_, device}, graph_);
    if (!started.ok()) {
        log_.log(QStringLiteral("  ✗ MultiMonoEngine.engine.start() FAILED: ") + started.error().description);
        log(QStringLiteral("Engine start failed: ") + started.error().description);
        return started.error();
    }
    const OutputBinding &binding = started.value();
    if (device) {
        log(QStringLiteral("Bound output device '%1' (id=%2, %3 ch, %4 Hz, labels=[%5])%6")
                .arg(device->name)
                .arg(device->id)
                .arg(device->outputChannelCount)
                .arg(rateText(device->sampleRate), device->channelLabels.join(QLatin1String(", ")),
                     binding.requestedDevice
                         ? QString()
                         : QStringLiteral("  (FAILED — engine will fall back to system default '%1')").arg(binding.deviceName)));
    }
    log(QStringLiteral("Output format: ") + binding.format);
    log(QStringLiteral("Engine started: %1 inputs → %2 outputs, sampleRate=%3")
            .arg(inputs_.size())
            .arg(outputChannelCount_)
            .arg(rateText(sampleRate_)));
    log_.log(QStringLiteral("  ✓ MultiMonoEngine started: %1 inputs → %2 outputs @ %3 Hz")
                 .arg(inputs_.size())
                 .arg(outputChannelCount_)
                 .arg(qint64(sampleRate_)));
    completionTimer_.start();
    return std::nullopt;
}

void MultiMonoEngine::scheduleFrom(int64_t frame)
{
    ++scheduleGeneration_;
    pendingChannelCompletions_ = 0;
    for (size_t i = 0; i < inputs_.size(); ++i) {
        const auto start = uint32_t(std::min<int64_t>(frame, inputs_[i].frames));
        if (start < inputs_[i].frames) {
            graph_.schedule(int(i), start, scheduleGeneration_);
            ++pendingChannelCompletions_;
        }
    }
    graph_.publish();
    hasSchedule_ = true;
    // Nothing left to play is as good as played to the end.
    if (pendingChannelCompletions_ == 0) {
        hasCompletedPlayback_ = true;
        emit playbackCompleted();
    }
}

void MultiMonoEngine::togglePlayPause()
{
    if (inputs_.empty())
        return;
    if (isPlaying_) {
        graph_.setPlaying(false);
        graph_.publish();
        setPlaying(false);
        return;
    }
    if (!output_->isRunning()) {
        if (AudioStatus error = startOutput()) {
            emit playbackFailed(QStringLiteral("Playback could not start: ") + error->description);
            return;
        }
        if (!hasSchedule_) {
            playheadStartFrame_ = 0;
            scheduleFrom(0);
        }
    }
    graph_.setPlaying(true);
    graph_.publish();
    setPlaying(true);
}

void MultiMonoEngine::stop()
{
    if (!inputs_.empty()) {
        graph_.stopPlayers();
        graph_.publish();
    }
    output_->stop();
    completionTimer_.stop();
    setPlaying(false);
    hasCompletedPlayback_ = false;
    hasSchedule_ = false;
    pendingChannelCompletions_ = 0;
    ++scheduleGeneration_;
}

void MultiMonoEngine::seek(double fraction)
{
    if (inputs_.empty())
        return;
    const double clamped = std::clamp(std::isfinite(fraction) ? fraction : 0.0, 0.0, 1.0);
    // fraction × duration × rate, from the frame count so that no rounding
    // of the duration moves the target.
    const auto target = int64_t(clamped * double(longestFrames_));
    graph_.stopPlayers();
    playheadStartFrame_ = target;
    hasCompletedPlayback_ = false;
    if (isPlaying_)
        graph_.setPlaying(true);
    // Published together with the new schedule, so that every channel
    // restarts on the same frame.
    scheduleFrom(target);
}

double MultiMonoEngine::currentTime() const
{
    if (sampleRate_ <= 0)
        return 0;
    double time = double(playheadStartFrame_) / sampleRate_;
    if (const std::optional<uint64_t> played = inputs_.empty() ? std::nullopt : graph_.playerFrames())
        time += double(*played) / sampleRate_;
    return time;
}

std::vector<std::vector<float>> MultiMonoEngine::channelPeaks(int bucketCount) const
{
    std::vector<std::vector<float>> result;
    for (const RenderGraph::InputBuffer &input : inputs_)
        result.push_back(peaks(input.samples, input.frames, bucketCount));
    return result;
}

std::vector<float> MultiMonoEngine::mixedPeaks(int bucketCount) const
{
    return mixPeaks(channelPeaks(bucketCount));
}

void MultiMonoEngine::collectCompletions()
{
    for (size_t i = 0; i < inputs_.size(); ++i) {
        const uint64_t generation = graph_.completedGeneration(int(i));
        if (generation == seenCompletions_[i])
            continue;
        seenCompletions_[i] = generation;
        // A schedule that a stop or seek has replaced no longer counts.
        if (generation != scheduleGeneration_ || hasCompletedPlayback_)
            continue;
        if (--pendingChannelCompletions_ <= 0)
            completeAfterDrain();
    }
}

void MultiMonoEngine::completeAfterDrain()
{
    // Rendered is not yet heard: the device still holds its buffer. A stop
    // or seek meanwhile replaces the schedule and cancels this.
    const auto complete = [this, generation = scheduleGeneration_] {
        if (generation != scheduleGeneration_ || hasCompletedPlayback_)
            return;
        hasCompletedPlayback_ = true;
        emit playbackCompleted();
    };
    const double buffered = output_->bufferedSeconds();
    if (buffered > 0)
        QTimer::singleShot(int(buffered * 1000), this, complete);
    else
        complete();
}

void MultiMonoEngine::tearDown()
{
    stop();
    graph_.configure({}, 0, {});
    inputs_.clear();
    storage_.clear();
    seenCompletions_.clear();
    channelLabels_.clear();
    routing_.reset();
    duration_ = 0;
    longestFrames_ = 0;
    sampleRate_ = 0;
    outputChannelCount_ = 0;
    playheadStartFrame_ = 0;
    hasCompletedPlayback_ = false;
}

void MultiMonoEngine::outputLost(const QString &reason)
{
    stop();
    const QString message = QString::fromLatin1(kDeviceLostMessage);
    log(QStringLiteral("%1 (%2)").arg(message, reason));
    log_.log(QStringLiteral("  ✗ MultiMonoEngine: %1 (%2)").arg(message, reason));
    emit playbackFailed(message);
}

AudioStatus MultiMonoEngine::failLoad(AudioError error)
{
    tearDown();
    return error;
}

void MultiMonoEngine::setPlaying(bool playing)
{
    if (isPlaying_ == playing)
        return;
    isPlaying_ = playing;
    emit playingChanged(playing);
}

} // namespace kestrix
