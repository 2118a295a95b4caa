// Mini waveforms of the rows in view, computed before they are played: one
// worker thread reads each file region once, the results are kept for the
// rest of the run by region (so two rows of the same region share one), and
// work asked for by rows that have since left the view is dropped before it
// starts. Requests and results live on the main thread.
#ifndef KESTRIX_AUDIO_WAVEFORM_LOADER_H
#define KESTRIX_AUDIO_WAVEFORM_LOADER_H

#include "inline_audio_player.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QThreadPool>

#include <deque>
#include <functional>
#include <vector>

namespace kestrix {

// The mini waveform of an item read from its files: the first channel of a
// file, the mixed first channels of a multi-mono group; empty when nothing
// could be read.
std::vector<float> miniWaveformOf(const PlayableItem &item);

class WaveformLoader : public QObject {
    Q_OBJECT
public:
    using Compute = std::function<std::vector<float>(const PlayableItem &)>;

    static WaveformLoader &shared();
    // `compute` runs on the worker thread.
    explicit WaveformLoader(Compute compute = miniWaveformOf, QObject *parent = nullptr);
    ~WaveformLoader() override;

    // The files and region an item reads: the cache key.
    static QString regionKey(const PlayableItem &item);

    // What `owner` (a list) shows now, in order. Items already computed or
    // under way are skipped; what the owner asked for before and no longer
    // does is dropped unless it has started.
    void request(const void *owner, const std::vector<PlayableItem> &items);
    // The computed waveform of a region; null while it is not there.
    const std::vector<float> *waveform(const QString &regionKey) const;

signals:
    void waveformReady(const QString &regionKey);

private:
    struct Job {
        QList<const void *> owners;  // the lists that show it
        QString key;
        PlayableItem item;
    };
    void startNext();
    void finish(const QString &key, std::vector<float> waveform);

    Compute compute_;
    QHash<QString, std::vector<float>> done_;
    std::deque<Job> pending_;
    QString running_;
    bool busy_ = false;
    QThreadPool worker_;
};

} // namespace kestrix

#endif
