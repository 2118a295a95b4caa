#include "audio_player_model.h"

#include "audio_playback_log.h"
#include "audio_read.h"
#include "audio_urls.h"
#include "file_player.h"
#include "multi_mono_channel.h"
#include "multi_mono_engine.h"
#include "peaks.h"
#include "position_text.h"
#include "temp_clip_file.h"

#include <QFileInfo>

#include <algorithm>

namespace kestrix {

namespace {

constexpr int kTickMs = 1000 / 30;

std::vector<std::vector<float>> bufferPeaks(const AudioBuffer &buffer, int buckets)
{
    std::vector<std::vector<float>> result;
    for (int c = 0; c < buffer.channelCount(); ++c)
        result.push_back(peaks(buffer.channel(c), buffer.frameLength(), buckets));
    return result;
}

QStringList urlLines(const QStringList &paths)
{
    QStringList lines{QStringLiteral("%1 url(s):").arg(paths.size())};
    for (qsizetype i = 0; i < paths.size(); ++i)
        lines << QStringLiteral("  [%1] %2").arg(i).arg(paths[i]);
    return lines;
}

// The channel a clip file's name ends in, else its whole base name.
QString fileChannelLabel(const QString &path)
{
    const QString base = QFileInfo(path).completeBaseName();
    const auto suffix = parseChannelSuffix(base);
    return suffix ? channelLabel(suffix->channel) : base;
}

} // namespace

QStringList channelCountLabels(int channelCount)
{
    if (channelCount == 1)
        return {QStringLiteral("Mono")};
    if (channelCount == 2)
        return {QStringLiteral("L"), QStringLiteral("R")};
    QStringList labels;
    for (int c = 1; c <= channelCount; ++c)
        labels << QStringLiteral("Ch %1").arg(c);
    return labels;
}

AudioPlayerModel::AudioPlayerModel(PlaybackBackend backend, QObject *parent)
    : QObject(parent), backend_(std::move(backend)), positionString_(positionText(0))
{
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &AudioPlayerModel::tick);
}

AudioPlayerModel::~AudioPlayerModel()
{
    stop();
}

QString AudioPlayerModel::tempFilePath() const
{
    return tempFile_ ? tempFile_->path() : QString();
}

void AudioPlayerModel::reset()
{
    timer_.stop();
    // Players first: the file player may still read the temporary file.
    filePlayer_.reset();
    engine_.reset();
    tempFile_.reset();
    fileInfo_.reset();
    channelSamples_.clear();
    channelLabels_.clear();
    isPlaying_ = false;
    positionString_ = positionText(0);
    progress_ = 0;
    error_.clear();
    duration_ = 0;
}

void AudioPlayerModel::fail(const QString &context, const QString &description)
{
    reset();
    error_ = description;
    backend_.log->log(QStringLiteral("  ✗ AudioPlayerModel.%1 ERROR: %2").arg(context, description));
    emit changed();
}

void AudioPlayerModel::load(const QStringList &paths)
{
    reset();
    const QStringList files = resolveAudioURLs(paths);
    if (files.isEmpty()) {
        error_ = QStringLiteral("No audio files provided");
        backend_.log->log(QStringLiteral("  ✗ AudioPlayerModel.load — no audio files in selection"));
        emit changed();
        return;
    }
    backend_.log->logSection(QStringLiteral("AudioPlayerModel.load — WAV player window (whole file)"),
                             urlLines(files) << backend_.activeDeviceLine());
    if (const std::optional<MultiMonoInfo> group = MultiMonoInfo::detectForPlayback(files))
        loadGroup(*group);
    else
        loadSingle(files.first());
    emit changed();
}

void AudioPlayerModel::loadSingle(const QString &path)
{
    auto read = readWholeFile(path);
    if (!read.ok())
        return fail(QStringLiteral("load"), read.error().description);
    fileInfo_ = read.value().info;
    duration_ = fileInfo_->duration;
    channelSamples_ = bufferPeaks(read.value().buffer, kPeakBuckets);
    channelLabels_ = channelCountLabels(read.value().buffer.channelCount());
    filePlayer_ = backend_.filePlayer();
    if (AudioStatus error = filePlayer_->open(path))
        return fail(QStringLiteral("load"), error->description);
    connect(filePlayer_.get(), &FilePlayer::failed, this, &AudioPlayerModel::playbackFailed);
}

void AudioPlayerModel::loadGroup(const MultiMonoInfo &group)
{
    auto first = openAudioFile(group.siblings.first().path);
    if (!first.ok())
        return fail(QStringLiteral("load"), first.error().description);
    WAVInfo info;
    info.fileName = QFileInfo(group.siblings.first().path).completeBaseName();
    info.sampleRate = first.value()->sampleRate();
    info.channelCount = first.value()->channelCount();
    info.duration = info.sampleRate > 0 ? double(first.value()->frameLength()) / info.sampleRate : 0;
    info.bitDepth = kProcessingBitDepth;
    info.multiMono = group;
    fileInfo_ = info;

    QList<MultiMonoEngine::Channel> channels;
    for (const MultiMonoInfo::Sibling &sibling : group.siblings)
        channels.append({sibling.channel, sibling.path});
    engine_ = backend_.engine();
    if (AudioStatus error = engine_->load(channels))
        return fail(QStringLiteral("load"), error->description);
    connect(engine_.get(), &MultiMonoEngine::playbackFailed, this, &AudioPlayerModel::playbackFailed);
    duration_ = engine_->duration();
    channelSamples_ = engine_->channelPeaks(kPeakBuckets);
    // A channel that holds no frames has no peaks and no label.
    channelLabels_ = engine_->channelLabels();
}

void AudioPlayerModel::loadClip(const QStringList &paths, uint64_t sampleOffset, uint64_t sampleLength)
{
    reset();
    const QStringList files = resolveAudioURLs(paths);
    if (files.isEmpty()) {
        error_ = QStringLiteral("No audio files provided");
        backend_.log->log(QStringLiteral("  ✗ AudioPlayerModel.loadClip — no audio files in selection"));
        emit changed();
        return;
    }
    backend_.log->logSection(QStringLiteral("AudioPlayerModel.loadClip — WAV player window (clip region)"),
                             urlLines(files) << QStringLiteral("  sampleOffset: %1").arg(sampleOffset)
                                             << QStringLiteral("  sampleLength: %1").arg(sampleLength)
                                             << backend_.activeDeviceLine());
    auto regions = readMultiFileRegion(files, sampleOffset, sampleLength);
    if (!regions.ok())
        return fail(QStringLiteral("loadClip"), regions.error().description);
    const ReadAudio &first = regions.value().front().audio;
    fileInfo_ = first.info;
    duration_ = first.info.duration;
    if (files.size() == 1) {
        channelSamples_ = bufferPeaks(first.buffer, kPeakBuckets);
        channelLabels_ = channelCountLabels(first.buffer.channelCount());
    } else {
        for (const FileRegion &region : regions.value()) {
            for (std::vector<float> &list : bufferPeaks(region.audio.buffer, kPeakBuckets))
                channelSamples_.push_back(std::move(list));
            channelLabels_ << fileChannelLabel(region.path);
        }
    }
    // Only the first file of a multi-file clip plays here; the waveform
    // shows them all.
    if (AudioStatus error = backend_.openClipFile(first.buffer, tempFile_, filePlayer_))
        return fail(QStringLiteral("loadClip"), error->description);
    connect(filePlayer_.get(), &FilePlayer::failed, this, &AudioPlayerModel::playbackFailed);
    emit changed();
}

void AudioPlayerModel::togglePlayPause()
{
    if (engine_) {
        // A group that played to its end starts over from the beginning.
        if (engine_->hasCompletedPlayback()) {
            engine_->seek(0);
            if (!engine_->isPlaying())
                engine_->togglePlayPause();
        } else {
            engine_->togglePlayPause();
        }
        setPlaying(engine_->isPlaying());
        return;
    }
    if (!filePlayer_)
        return;
    if (filePlayer_->isPlaying()) {
        filePlayer_->pause();
        setPlaying(false);
        return;
    }
    if (AudioStatus error = filePlayer_->play()) {
        playbackFailed(QStringLiteral("Playback could not start: ") + error->description);
        return;
    }
    error_.clear();
    setPlaying(true);
}

void AudioPlayerModel::setPlaying(bool playing)
{
    isPlaying_ = playing;
    if (playing)
        timer_.start();
    else
        timer_.stop();
    emit changed();
}

void AudioPlayerModel::playbackFailed(const QString &message)
{
    timer_.stop();
    isPlaying_ = false;
    error_ = message;
    backend_.log->log(QStringLiteral("  ✗ AudioPlayerModel: ") + message);
    emit changed();
}

void AudioPlayerModel::tick()
{
    double time = 0;
    if (engine_) {
        time = engine_->currentTime();
        progress_ = duration_ > 0 ? std::clamp(time / duration_, 0.0, 1.0) : 0;
        if (!engine_->isPlaying() || engine_->hasCompletedPlayback()) {
            isPlaying_ = false;
            timer_.stop();
        }
    } else if (filePlayer_) {
        time = filePlayer_->currentTime();
        progress_ = duration_ > 0 ? time / duration_ : 0;
        if (!filePlayer_->isPlaying()) {
            isPlaying_ = false;
            timer_.stop();
        }
    }
    positionString_ = positionText(time);
    emit changed();
}

void AudioPlayerModel::stop()
{
    if (filePlayer_)
        filePlayer_->stop();
    timer_.stop();
    isPlaying_ = false;
    engine_.reset();
    filePlayer_.reset();
    tempFile_.reset();
}

} // namespace kestrix
