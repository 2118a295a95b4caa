// Names one placed clip on the timeline overview: the track it sits on and
// its place in that track's clip list. Reported with clicks and used for the
// selected and the playing clip.
#ifndef KESTRIX_VIEWS_UNIVERSE_CLIP_KEY_H
#define KESTRIX_VIEWS_UNIVERSE_CLIP_KEY_H

#include <QHash>
#include <QMetaType>
#include <QString>

namespace kestrix {

struct ClipKey {
    QString trackName;
    int placement = -1;  // index into the track's clips
    bool operator==(const ClipKey &) const = default;
};

inline size_t qHash(const ClipKey &key, size_t seed = 0) { return qHashMulti(seed, key.trackName, key.placement); }

} // namespace kestrix

Q_DECLARE_METATYPE(kestrix::ClipKey)

#endif
