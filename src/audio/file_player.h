// Plays one file from memory on the system default output, with its own
// channel count: play, pause, a settable position, and the end noticed by
// itself. Main thread only.
#ifndef KESTRIX_AUDIO_FILE_PLAYER_H
#define KESTRIX_AUDIO_FILE_PLAYER_H

#include "audio_buffer.h"
#include "audio_error.h"
#include "render_graph.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>

namespace kestrix {

class AudioOutput;

class FilePlayer : public QObject {
    Q_OBJECT
public:
    explicit FilePlayer(std::unique_ptr<AudioOutput> output, QObject *parent = nullptr);
    ~FilePlayer() override;

    // Reads the whole file; nothing plays yet.
    AudioStatus open(const QString &path);
    // Plays these samples instead.
    void setBuffer(AudioBuffer buffer);
    // Starts or resumes; fails when the output cannot start.
    AudioStatus play();
    void pause();
    void stop();

    bool isPlaying() const { return playing_; }
    double duration() const;
    double currentTime() const;
    // Moves the playhead, playing or paused.
    void setCurrentTime(double seconds);

signals:
    // Played to the end: the player has stopped.
    void finished();
    // The device stopped under it; the player has stopped.
    void failed(const QString &message);

private:
    void scheduleFrom(uint32_t frame);
    void checkFinished();

    std::unique_ptr<AudioOutput> output_;
    RenderGraph graph_;
    AudioBuffer buffer_;
    QTimer endTimer_;
    uint32_t startFrame_ = 0;
    uint64_t generation_ = 0;
    bool playing_ = false;
    QElapsedTimer drainClock_;  // since the last frame was rendered
    uint64_t drainGeneration_ = 0;
};

} // namespace kestrix

#endif
