// Multi-mono groups: one mono .wav file per channel, named
// "<stem>.<channel>.wav", played as one sound.
#ifndef KESTRIX_AUDIO_MULTI_MONO_INFO_H
#define KESTRIX_AUDIO_MULTI_MONO_INFO_H

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kestrix {

struct MultiMonoInfo {
    struct Sibling {
        QString channel;  // the channel's label
        QString path;
        bool operator==(const Sibling &) const = default;
    };
    QString baseName;
    QList<Sibling> siblings;  // in canonical channel order
    bool operator==(const MultiMonoInfo &) const = default;

    // The group a file belongs to, found by looking for its siblings in its
    // folder; none unless at least two channel files exist.
    static std::optional<MultiMonoInfo> detect(const QString &path);
    // The largest group within a selection; falls back to the folder of the
    // first file when the selection holds no group of two.
    static std::optional<MultiMonoInfo> detect(const QStringList &paths);
    // What the players use for a list of accepted files: only .wav files
    // ever form groups.
    static std::optional<MultiMonoInfo> detectForPlayback(const QStringList &acceptedPaths);
};

} // namespace kestrix

#endif
