// Backs the player window: loads a selection of audio files, or a clip
// region of them, and shows the file's information, one waveform per
// channel with its label, the position and the progress; plays and pauses.
// Single files play on the system default output, multi-mono groups
// through the engine on the chosen device. Main thread only.
#ifndef KESTRIX_AUDIO_AUDIO_PLAYER_MODEL_H
#define KESTRIX_AUDIO_AUDIO_PLAYER_MODEL_H

#include "playback_backend.h"
#include "wav_info.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kestrix {

class FilePlayer;
class MultiMonoEngine;
class TempClipFile;

class AudioPlayerModel : public QObject {
    Q_OBJECT
public:
    static constexpr int kPeakBuckets = 800;

    explicit AudioPlayerModel(PlaybackBackend backend = PlaybackBackend::platform(), QObject *parent = nullptr);
    ~AudioPlayerModel() override;

    void load(const QStringList &paths);
    void loadClip(const QStringList &paths, uint64_t sampleOffset, uint64_t sampleLength);
    void togglePlayPause();
    void stop();

    const std::optional<WAVInfo> &fileInfo() const { return fileInfo_; }
    const std::vector<std::vector<float>> &channelSamples() const { return channelSamples_; }
    const QStringList &channelLabels() const { return channelLabels_; }
    bool isPlaying() const { return isPlaying_; }
    const QString &positionString() const { return positionString_; }
    double progress() const { return progress_; }
    const QString &error() const { return error_; }
    double duration() const { return duration_; }
    // The temporary WAV of a loaded clip region; empty otherwise.
    QString tempFilePath() const;

    // One position update, as the timer does 30 times a second.
    void tick();

signals:
    // Any of the shown values changed.
    void changed();

private:
    void reset();
    void fail(const QString &context, const QString &description);
    void setPlaying(bool playing);
    void playbackFailed(const QString &message);
    void loadGroup(const MultiMonoInfo &group);
    void loadSingle(const QString &path);

    PlaybackBackend backend_;
    std::optional<WAVInfo> fileInfo_;
    std::vector<std::vector<float>> channelSamples_;
    QStringList channelLabels_;
    bool isPlaying_ = false;
    QString positionString_;
    double progress_ = 0;
    QString error_;
    std::unique_ptr<FilePlayer> filePlayer_;
    std::unique_ptr<MultiMonoEngine> engine_;
    double duration_ = 0;
    QTimer timer_;
    std::unique_ptr<TempClipFile> tempFile_;
};

// "Mono" for one channel, "L", "R" for two, else "Ch 1" … "Ch <n>".
QStringList channelCountLabels(int channelCount);

} // namespace kestrix

#endif
