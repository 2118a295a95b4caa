#include "inline_audio_player.h"

#include "audio_file.h"
#include "audio_log.h"
#include "audio_output.h"
#include "audio_playback_log.h"
#include "audio_read.h"
#include "audio_urls.h"
#include "file_player.h"
#include "multi_mono_engine.h"
#include "peaks.h"
#include "temp_clip_file.h"

#include <algorithm>

namespace kestrix {

namespace {

constexpr int kTickMs = 1000 / 30;

QStringList regionLines(uint64_t sampleOffset, uint64_t sampleLength)
{
    return {QStringLiteral("  sampleOffset: %1").arg(sampleOffset), QStringLiteral("  sampleLength: %1").arg(sampleLength)};
}

QStringList channelLines(const QList<PlayableItem::Channel> &channels)
{
    QStringList lines{QStringLiteral("%1 channel(s):").arg(channels.size())};
    for (const PlayableItem::Channel &channel : channels)
        lines << QStringLiteral("  [%1] %2").arg(channel.label, channel.path);
    return lines;
}

} // namespace

InlineAudioPlayer &InlineAudioPlayer::shared()
{
    // Lives as long as the process, like the devices it plays on.
    static InlineAudioPlayer *instance = new InlineAudioPlayer(PlaybackBackend::platform());
    return *instance;
}

InlineAudioPlayer::InlineAudioPlayer(PlaybackBackend backend, QObject *parent)
    : QObject(parent), backend_(std::move(backend))
{
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &InlineAudioPlayer::tick);
}

InlineAudioPlayer::~InlineAudioPlayer()
{
    stop();
}

const std::vector<float> *InlineAudioPlayer::cachedWaveform(const QString &itemId) const
{
    const auto it = waveformCache_.constFind(itemId);
    return it == waveformCache_.cend() ? nullptr : &it.value();
}

std::optional<RoutingDecision> InlineAudioPlayer::routing() const
{
    return engine_ ? engine_->routing() : std::nullopt;
}

QString InlineAudioPlayer::tempFilePath() const
{
    return tempFile_ ? tempFile_->path() : QString();
}

double InlineAudioPlayer::currentTime() const
{
    if (engine_)
        return engine_->currentTime();
    return filePlayer_ ? filePlayer_->currentTime() : 0;
}

void InlineAudioPlayer::toggle(const QString &itemId, const std::function<void(InlineAudioPlayer &)> &loader)
{
    if (currentId_ != itemId || (!filePlayer_ && !engine_)) {
        stop();
        currentId_ = itemId;
        loader(*this);
        return;
    }
    if (engine_) {
        // A group that played to its end starts over.
        if (engine_->hasCompletedPlayback())
            engine_->seek(0);
        engine_->togglePlayPause();
        isPlaying_ = engine_->isPlaying();
    } else if (filePlayer_->isPlaying()) {
        filePlayer_->pause();
        isPlaying_ = false;
    } else if (AudioStatus error = filePlayer_->play()) {
        deviceLost(QStringLiteral("Playback could not start: ") + error->description);
        return;
    } else {
        isPlaying_ = true;
    }
    if (isPlaying_)
        timer_.start();
    else
        timer_.stop();
    emit changed();
}

void InlineAudioPlayer::toggle(const QString &itemId, const PlayableItem &item)
{
    const bool whole = !item.sampleOffset || !item.sampleLength || *item.sampleLength == 0;
    toggle(itemId, [&item, whole](InlineAudioPlayer &player) {
        if (!item.multiMonoChannels.isEmpty()) {
            if (whole)
                player.loadMultiMono(item.multiMonoChannels);
            else
                player.loadMultiMonoClip(item.multiMonoChannels, *item.sampleOffset, *item.sampleLength);
        } else if (whole) {
            player.loadFile(item.path);
        } else {
            player.loadClip(item.path, *item.sampleOffset, *item.sampleLength);
        }
    });
}

void InlineAudioPlayer::loadFile(const QString &path)
{
    backend_.log->logSection(QStringLiteral("InlineAudioPlayer.loadFile — AVAudioPlayer (whole file)"),
                             {QStringLiteral("url: ") + path, backend_.activeDeviceLine()});
    auto read = readWholeFile(resolveAlias(path));
    if (!read.ok())
        return fail(QStringLiteral("loadFile"), read.error().description);
    ReadAudio audio = std::move(read).value();
    duration_ = audio.info.duration;
    backend_.log->log(QStringLiteral("  → file format: %1 Hz, %2 ch, %3s")
                          .arg(qint64(audio.info.sampleRate))
                          .arg(audio.info.channelCount)
                          .arg(audio.info.duration, 0, 'f', 3));
    setWaveform(peaks(audio.buffer.channel(0), audio.buffer.frameLength(), kWaveformBuckets));
    filePlayer_ = backend_.filePlayer();
    filePlayer_->setBuffer(std::move(audio.buffer));
    playFile(QStringLiteral("loadFile"));
}

void InlineAudioPlayer::loadClip(const QString &path, uint64_t sampleOffset, uint64_t sampleLength)
{
    backend_.log->logSection(QStringLiteral("InlineAudioPlayer.loadClip — AVAudioPlayer (clip region)"),
                             QStringList{QStringLiteral("url: ") + path} << regionLines(sampleOffset, sampleLength)
                                                                        << backend_.activeDeviceLine());
    auto file = openAudioFile(resolveAlias(path));
    if (!file.ok())
        return fail(QStringLiteral("loadClip"), file.error().description);
    if (clampRegion(sampleOffset, sampleLength, file.value()->frameLength()).frames == 0) {
        backend_.log->log(QStringLiteral("  ✗ InlineAudioPlayer.loadClip — empty range (sampleOffset≥fileLength?)"));
        stop();
        lastError_ = QString::fromLatin1(kEmptyClipRange);
        emit failed(lastError_);
        return;
    }
    auto read = readRegion(*file.value(), path, sampleOffset, sampleLength);
    if (!read.ok())
        return fail(QStringLiteral("loadClip"), read.error().description);
    const ReadAudio &audio = read.value();
    duration_ = audio.info.duration;
    backend_.log->log(QStringLiteral("  → file format: %1 Hz, %2 ch, %3s")
                          .arg(qint64(audio.info.sampleRate))
                          .arg(audio.info.channelCount)
                          .arg(audio.info.duration, 0, 'f', 3));
    setWaveform(peaks(audio.buffer.channel(0), audio.buffer.frameLength(), kWaveformBuckets));
    if (AudioStatus error = backend_.openClipFile(audio.buffer, tempFile_, filePlayer_))
        return fail(QStringLiteral("loadClip"), error->description);
    playFile(QStringLiteral("loadClip"));
}

void InlineAudioPlayer::playFile(const QString &loader)
{
    connect(filePlayer_.get(), &FilePlayer::failed, this, &InlineAudioPlayer::deviceLost);
    if (AudioStatus error = filePlayer_->play())
        return fail(loader, error->description);
    isPlaying_ = true;
    timer_.start();
    emit changed();
}

void InlineAudioPlayer::loadMultiMono(const QList<PlayableItem::Channel> &channels)
{
    if (channels.size() < 2) {
        if (!channels.isEmpty())
            loadFile(channels.first().path);
        return;
    }
    backend_.log->logSection(QStringLiteral("InlineAudioPlayer.loadMultiMono — MultiMonoEngine (whole files)"),
                             channelLines(channels) << backend_.activeDeviceLine());
    startEngine(QStringLiteral("loadMultiMono"), [&](MultiMonoEngine &engine) {
        QList<MultiMonoEngine::Channel> engineChannels;
        for (const PlayableItem::Channel &channel : channels)
            engineChannels.append({channel.label, channel.path});
        return engine.load(engineChannels);
    });
}

void InlineAudioPlayer::loadMultiMonoClip(const QList<PlayableItem::Channel> &channels, uint64_t sampleOffset,
                                          uint64_t sampleLength)
{
    if (channels.size() < 2) {
        if (!channels.isEmpty())
            loadClip(channels.first().path, sampleOffset, sampleLength);
        return;
    }
    backend_.log->logSection(QStringLiteral("InlineAudioPlayer.loadMultiMonoClip — MultiMonoEngine (clip region)"),
                             channelLines(channels) << regionLines(sampleOffset, sampleLength)
                                                    << backend_.activeDeviceLine());
    startEngine(QStringLiteral("loadMultiMonoClip"), [&](MultiMonoEngine &engine) {
        QList<MultiMonoEngine::Channel> engineChannels;
        for (const PlayableItem::Channel &channel : channels)
            engineChannels.append({channel.label, channel.path});
        return engine.loadSegment(engineChannels, sampleOffset, sampleLength);
    });
}

void InlineAudioPlayer::startEngine(const QString &loader, const std::function<AudioStatus(MultiMonoEngine &)> &load)
{
    engine_ = backend_.engine();
    if (AudioStatus error = load(*engine_))
        return fail(loader, error->description);
    if (engine_->inputCount() == 0) {
        backend_.log->log(QStringLiteral("  ✗ InlineAudioPlayer.%1 — empty range (sampleOffset≥fileLength?)").arg(loader));
        stop();
        lastError_ = QString::fromLatin1(kEmptyClipRange);
        emit failed(lastError_);
        return;
    }
    connect(engine_.get(), &MultiMonoEngine::playbackFailed, this, &InlineAudioPlayer::deviceLost);
    setWaveform(engine_->mixedPeaks(kWaveformBuckets));
    duration_ = engine_->duration();
    filePlayer_.reset();
    engine_->togglePlayPause();
    if (!engine_->isPlaying())
        return;  // the engine has said why through playbackFailed
    isPlaying_ = true;
    timer_.start();
    emit changed();
}

void InlineAudioPlayer::setWaveform(std::vector<float> waveform)
{
    waveform_ = std::move(waveform);
    waveformCache_.insert(currentId_, waveform_);
}

void InlineAudioPlayer::tick()
{
    if (filePlayer_) {
        progress_ = duration_ > 0 ? filePlayer_->currentTime() / duration_ : 0;
        if (!filePlayer_->isPlaying()) {
            isPlaying_ = false;
            timer_.stop();
        }
    } else if (engine_ && engine_->hasCompletedPlayback()) {
        // Back to idle; the cache keeps the picture the load stored.
        stop();
    } else if (engine_) {
        progress_ = duration_ > 0 ? std::clamp(engine_->currentTime() / duration_, 0.0, 1.0) : 0;
        if (!engine_->isPlaying()) {
            isPlaying_ = false;
            timer_.stop();
        }
    }
    emit changed();
}

void InlineAudioPlayer::seek(double fraction)
{
    if (engine_)
        engine_->seek(fraction);
    else if (filePlayer_ && duration_ > 0)
        filePlayer_->setCurrentTime(std::clamp(fraction, 0.0, 1.0) * duration_);
    else
        return;
    tick();
}

void InlineAudioPlayer::stop()
{
    if (filePlayer_)
        filePlayer_->stop();
    if (engine_)
        engine_->stop();
    timer_.stop();
    // Players first: the file player may still read the temporary file.
    filePlayer_.reset();
    engine_.reset();
    tempFile_.reset();
    isPlaying_ = false;
    progress_ = 0;
    waveform_.clear();
    currentId_.clear();
    duration_ = 0;
    lastError_.clear();
    emit changed();
}

void InlineAudioPlayer::stopIfCurrent(const QStringList &prefixes)
{
    if (currentId_.isEmpty())
        return;
    if (std::any_of(prefixes.begin(), prefixes.end(), [&](const QString &prefix) { return currentId_.startsWith(prefix); }))
        stop();
}

void InlineAudioPlayer::fail(const QString &loader, const QString &description)
{
    logAudio(kInlinePlayerComponent, QStringLiteral("%1 error: %2").arg(loader, description));
    backend_.log->log(QStringLiteral("  ✗ InlineAudioPlayer.%1 ERROR: %2").arg(loader, description));
    stop();
    lastError_ = description;
    emit failed(description);
}

void InlineAudioPlayer::deviceLost(const QString &message)
{
    logAudio(kInlinePlayerComponent, message);
    backend_.log->log(QStringLiteral("  ✗ InlineAudioPlayer: ") + message);
    // Back to idle; the waveform stays in the cache.
    stop();
    lastError_ = message;
    emit failed(message);
}

} // namespace kestrix
