// One selectable row: a track, an audio-file group, a clip group, or a clip
// group in one track's clip lane.
#ifndef KESTRIX_MODEL_SELECTABLE_ITEM_H
#define KESTRIX_MODEL_SELECTABLE_ITEM_H

#include "click_scope.h"
#include "hash_combine.h"

#include <cstdint>
#include <string>

namespace kestrix {

struct SelectableItemKind {
    enum class Kind : uint8_t { trackClip, track, audioFile, clip };

    Kind kind = Kind::track;
    std::string trackName;  // the lane's track for trackClip; "" for the other kinds

    static SelectableItemKind trackClip(std::string trackName) { return {Kind::trackClip, std::move(trackName)}; }
    static SelectableItemKind track() { return {Kind::track, {}}; }
    static SelectableItemKind audioFile() { return {Kind::audioFile, {}}; }
    static SelectableItemKind clip() { return {Kind::clip, {}}; }

    bool operator==(const SelectableItemKind &) const = default;
};

struct SelectableItem {
    std::string id;  // a track name, an audio-file group id or a clip group id
    SelectableItemKind kind;
    bool operator==(const SelectableItem &) const = default;
};

// The list an item of the kind lives in, and the kind of the items of a list.
ClickScope scopeOf(const SelectableItemKind &kind);
SelectableItemKind itemKindIn(const ClickScope &scope);

} // namespace kestrix

template <>
struct std::hash<kestrix::SelectableItemKind> {
    size_t operator()(const kestrix::SelectableItemKind &k) const
    {
        size_t seed = 0;
        kestrix::hashCombine(seed, static_cast<uint8_t>(k.kind));
        kestrix::hashCombine(seed, k.trackName);
        return seed;
    }
};

template <>
struct std::hash<kestrix::SelectableItem> {
    size_t operator()(const kestrix::SelectableItem &item) const
    {
        size_t seed = std::hash<kestrix::SelectableItemKind>{}(item.kind);
        kestrix::hashCombine(seed, item.id);
        return seed;
    }
};

#endif
