// The one player behind every waveform cell of the session lists: a cell's
// play control plays its item (an audio file, a clip, or a multi-mono
// group of either) in place, a second click pauses and resumes, a click in
// the waveform seeks. One item plays at a time; the mini waveform of every
// item played is kept for the rest of the run. Main thread only.
#ifndef KESTRIX_AUDIO_INLINE_AUDIO_PLAYER_H
#define KESTRIX_AUDIO_INLINE_AUDIO_PLAYER_H

#include "audio_error.h"
#include "playback_backend.h"
#include "routing.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kestrix {

class FilePlayer;
class MultiMonoEngine;
class TempClipFile;

// What a cell plays: a file, or a group's (label, path) channels, and an
// optional clip region.
struct PlayableItem {
    struct Channel {
        QString label;
        QString path;
    };
    QString path;
    QList<Channel> multiMonoChannels;
    std::optional<uint64_t> sampleOffset;
    std::optional<uint64_t> sampleLength;
};

class InlineAudioPlayer : public QObject {
    Q_OBJECT
public:
    static constexpr int kWaveformBuckets = 120;

    static InlineAudioPlayer &shared();
    explicit InlineAudioPlayer(PlaybackBackend backend, QObject *parent = nullptr);
    ~InlineAudioPlayer() override;

    // Plays `itemId` with `loader` when another item (or none) is current;
    // pauses or resumes it when it is.
    void toggle(const QString &itemId, const std::function<void(InlineAudioPlayer &)> &loader);
    // The same with the loader a cell chooses for `item`.
    void toggle(const QString &itemId, const PlayableItem &item);

    // Each starts playback on success and logs and goes idle on failure.
    void loadFile(const QString &path);
    void loadClip(const QString &path, uint64_t sampleOffset, uint64_t sampleLength);
    void loadMultiMono(const QList<PlayableItem::Channel> &channels);
    void loadMultiMonoClip(const QList<PlayableItem::Channel> &channels, uint64_t sampleOffset, uint64_t sampleLength);

    void seek(double fraction);
    void stop();
    // Stops when the current item's id begins with any of `prefixes`.
    void stopIfCurrent(const QStringList &prefixes);

    const QString &currentId() const { return currentId_; }
    bool isPlaying() const { return isPlaying_; }
    double progress() const { return progress_; }
    const std::vector<float> &waveform() const { return waveform_; }
    // The mini waveform of an item played before; null when none.
    const std::vector<float> *cachedWaveform(const QString &itemId) const;
    // What went wrong with the last load or with the device; empty when
    // nothing did.
    const QString &lastError() const { return lastError_; }
    double duration() const { return duration_; }
    double currentTime() const;
    // How the playing group is routed; none for a single file.
    std::optional<RoutingDecision> routing() const;
    QString tempFilePath() const;

    // One position update, as the timer does 30 times a second.
    void tick();

signals:
    // Any of the published values changed.
    void changed();
    // Playback failed or stopped with a message for the user.
    void failed(const QString &message);

private:
    void fail(const QString &loader, const QString &description);
    void setWaveform(std::vector<float> waveform);
    void playFile(const QString &loader);
    void startEngine(const QString &loader, const std::function<AudioStatus(MultiMonoEngine &)> &load);
    void deviceLost(const QString &message);

    PlaybackBackend backend_;
    QString currentId_;
    bool isPlaying_ = false;
    double progress_ = 0;
    std::vector<float> waveform_;
    QHash<QString, std::vector<float>> waveformCache_;
    QString lastError_;
    std::unique_ptr<FilePlayer> filePlayer_;
    std::unique_ptr<MultiMonoEngine> engine_;
    double duration_ = 0;
    QTimer timer_;
    std::unique_ptr<TempClipFile> tempFile_;
};

} // namespace kestrix

#endif
