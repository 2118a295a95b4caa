// The four track-type visibility switches of the track list.
#ifndef KESTRIX_MODEL_TRACK_TYPE_FILTER_H
#define KESTRIX_MODEL_TRACK_TYPE_FILTER_H

#include "hash_combine.h"
#include "track_type.h"

namespace kestrix {

struct TrackTypeFilter {
    bool audio = true;
    bool instrument = true;
    bool aux = true;
    bool vca = true;

    // Types without a switch of their own (MIDI, master, video, folders,
    // unknown) are always shown.
    bool shows(PTXTrackType type) const
    {
        switch (type) {
        case PTXTrackType::audio: return audio;
        case PTXTrackType::instrument: return instrument;
        case PTXTrackType::aux: return aux;
        case PTXTrackType::vca: return vca;
        default: return true;
        }
    }

    bool operator==(const TrackTypeFilter &) const = default;
};

} // namespace kestrix

template <>
struct std::hash<kestrix::TrackTypeFilter> {
    size_t operator()(const kestrix::TrackTypeFilter &f) const
    {
        return size_t(f.audio) | size_t(f.instrument) << 1 | size_t(f.aux) << 2 | size_t(f.vca) << 3;
    }
};

#endif
