// The list an item was clicked in: the scope a selection lives in.
#ifndef KESTRIX_MODEL_CLICK_SCOPE_H
#define KESTRIX_MODEL_CLICK_SCOPE_H

#include "hash_combine.h"

#include <cstdint>
#include <string>

namespace kestrix {

struct ClickScope {
    enum class Kind : uint8_t { trackClips, tracks, audioFiles, clips };

    Kind kind = Kind::tracks;
    std::string trackName;  // the track whose clip lane this is; "" for the other kinds

    static ClickScope trackClips(std::string trackName) { return {Kind::trackClips, std::move(trackName)}; }
    static ClickScope tracks() { return {Kind::tracks, {}}; }
    static ClickScope audioFiles() { return {Kind::audioFiles, {}}; }
    static ClickScope clips() { return {Kind::clips, {}}; }

    bool operator==(const ClickScope &) const = default;
};

} // namespace kestrix

template <>
struct std::hash<kestrix::ClickScope> {
    size_t operator()(const kestrix::ClickScope &s) const
    {
        size_t seed = 0;
        kestrix::hashCombine(seed, static_cast<uint8_t>(s.kind));
        kestrix::hashCombine(seed, s.trackName);
        return seed;
    }
};

#endif
