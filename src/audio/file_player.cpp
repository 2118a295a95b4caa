#include "file_player.h"

#include "audio_output.h"
#include "audio_read.h"

#include <algorithm>
#include <cmath>

namespace kestrix {

namespace {

// Often enough that the end is noticed within a frame of video.
constexpr int kEndPollMs = 10;

} // namespace

FilePlayer::FilePlayer(std::unique_ptr<AudioOutput> output, QObject *parent)
    : QObject(parent), output_(std::move(output))
{
    endTimer_.setInterval(kEndPollMs);
    connect(&endTimer_, &QTimer::timeout, this, &FilePlayer::checkFinished);
    output_->setFailureHandler([this](const QString &) {
        stop();
        emit failed(QString::fromLatin1(kDeviceLostMessage));
    });
}

FilePlayer::~FilePlayer()
{
    // The output must stop pulling before the samples go.
    output_->stop();
}

AudioStatus FilePlayer::open(const QString &path)
{
    auto read = readWholeFile(path);
    if (!read.ok())
        return read.error();
    setBuffer(std::move(read).value().buffer);
    return std::nullopt;
}

void FilePlayer::setBuffer(AudioBuffer buffer)
{
    stop();
    graph_.configure({}, 0, {});
    buffer_ = std::move(buffer);
    const int channels = buffer_.channelCount();
    std::vector<RenderGraph::InputBuffer> inputs;
    GainMatrix identity(channels, channels);
    for (int c = 0; c < channels; ++c) {
        inputs.push_back({buffer_.channel(c), buffer_.frameLength()});
        identity.gain(c, c) = 1.0f;
    }
    graph_.configure(std::move(inputs), channels, MatrixMixer::levelsFor(identity, channels, channels));
    startFrame_ = 0;
}

AudioStatus FilePlayer::play()
{
    if (buffer_.channelCount() == 0 || playing_)
        return std::nullopt;
    if (!output_->isRunning()) {
        auto started = output_->start({buffer_.sampleRate(), buffer_.channelCount(), std::nullopt}, graph_);
        if (!started.ok())
            return started.error();
        scheduleFrom(startFrame_);
    }
    graph_.setPlaying(true);
    graph_.publish();
    playing_ = true;
    endTimer_.start();
    return std::nullopt;
}

void FilePlayer::pause()
{
    if (!playing_)
        return;
    graph_.setPlaying(false);
    graph_.publish();
    playing_ = false;
    endTimer_.stop();
}

void FilePlayer::stop()
{
    const double position = currentTime();
    output_->stop();
    endTimer_.stop();
    playing_ = false;
    // Playing again resumes where it stopped, as a file player does.
    startFrame_ = uint32_t(std::min<double>(position * buffer_.sampleRate(), buffer_.frameLength()));
    if (graph_.inputCount() > 0) {
        graph_.stopPlayers();
        graph_.publish();
    }
    ++generation_;
}

double FilePlayer::duration() const
{
    return buffer_.sampleRate() > 0 ? double(buffer_.frameLength()) / buffer_.sampleRate() : 0;
}

double FilePlayer::currentTime() const
{
    if (!(buffer_.sampleRate() > 0))
        return 0;
    uint64_t frames = startFrame_;
    if (output_->isRunning())
        frames += graph_.playerFrames().value_or(0);
    return double(std::min<uint64_t>(frames, buffer_.frameLength())) / buffer_.sampleRate();
}

void FilePlayer::setCurrentTime(double seconds)
{
    if (!(buffer_.sampleRate() > 0))
        return;
    const double frames = std::isfinite(seconds) ? seconds * buffer_.sampleRate() : 0;
    const auto frame = uint32_t(std::clamp<double>(frames, 0, buffer_.frameLength()));
    if (!output_->isRunning()) {
        startFrame_ = frame;
        return;
    }
    graph_.stopPlayers();
    graph_.setPlaying(playing_);
    scheduleFrom(frame);
}

void FilePlayer::scheduleFrom(uint32_t frame)
{
    startFrame_ = frame;
    ++generation_;
    for (int c = 0; c < graph_.inputCount(); ++c)
        graph_.schedule(c, frame, generation_);
    graph_.publish();
}

void FilePlayer::checkFinished()
{
    if (graph_.inputCount() == 0 || graph_.completedGeneration(0) != generation_)
        return;
    // Rendered is not yet heard: the device still holds its buffer.
    if (!drainClock_.isValid() || drainGeneration_ != generation_) {
        drainClock_.start();
        drainGeneration_ = generation_;
    }
    if (drainClock_.elapsed() < qint64(output_->bufferedSeconds() * 1000))
        return;
    output_->stop();
    endTimer_.stop();
    playing_ = false;
    startFrame_ = 0;
    graph_.stopPlayers();
    graph_.publish();
    ++generation_;
    emit finished();
}

} // namespace kestrix
