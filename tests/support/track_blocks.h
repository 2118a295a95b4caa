// Builders for the blocks that describe tracks and what hangs off them:
// tracks, folder nesting, playlists with clip placements, plug-in
// definitions, per-track insert lists and comments.
//
// They compose: a settings record holds an insert list and a comment, a
// playlist holds placement lists, and so on. The returned blocks can still be
// edited with at() to plant odd bytes.
#ifndef KESTRIX_TEST_TRACK_BLOCKS_H
#define KESTRIX_TEST_TRACK_BLOCKS_H

#include "session_writer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ptxw {

// A track identifier as the reader holds it: the little-endian integer of the
// 8 bytes after the marker '*' 0 0 0.
using TrackIdentifier = uint64_t;

struct TrackSpec {
    std::string name;
    uint8_t type = 0;                      // 0 audio; 12 and above read as unknown
    std::optional<uint8_t> formatCode;     // writes the 0x4420 format child
    std::optional<TrackIdentifier> id;
    uint16_t color = 65534;
};

// 0x251a: type at offset+2, name counted at offset+4, the identifier marker
// at offset+L+12 (L = name length; found only while L <= 76), the 0x4420
// child at offset+L+40 with the format code at offset+L+63, and the colour
// (u16 LE) in the block's last two bytes.
Block trackBlock(const TrackSpec &track);

struct FolderRecord {
    TrackIdentifier id;
    uint32_t childCount;
};
// 0x210c: from offset+2, 16-byte records '*' 0 0 0, identifier, count (u32 LE).
Block folderBlock(const std::vector<FolderRecord> &records);

// Positions at or above this are musical (ticks, 960 000 per quarter note).
inline constexpr uint64_t kMusicalPosition = 1000000000000ULL;

struct PlacementSpec {
    uint32_t index = 0;        // clip index, or group index when `group`
    uint64_t rawPosition = 0;  // written as 5 bytes LE
    uint16_t color = 65534;
    bool group = false;
};
// 0x104f: index (u32 LE) at offset+4, position at offset+9..13, colour (u16
// LE) at offset+18, group flag at offset+20.
Block placementBlock(const PlacementSpec &placement);
// 0x1050: the placements as children after offset+47; `hidden` sets the byte
// at offset+46 to 1, which hides the whole list from its track.
Block placementListBlock(const std::vector<PlacementSpec> &placements, bool hidden = false);
// 0x1052: the playlist name counted at offset+2, then the placement lists.
Block playlistBlock(std::string_view name, const std::vector<Block> &placementLists);
// 0x1054: a block of playlists.
Block playlistsBlock(const std::vector<Block> &playlists);

using PluginKey = std::array<uint8_t, 12>;
// 0x1017: flag byte at offset+2 (0xFF marks no definition), name counted at
// offset+3, the 12-byte key right after the name.
Block pluginDefinitionBlock(std::string_view name, const PluginKey &key, uint8_t flag = 0);

// A plug-in slot (0x2616, 0x2617 or 0x2618) holding 0x2613 > 0x1038, which
// keeps the key as three 4-byte groups at offset+18, each byte-reversed; the
// active byte (1 active, anything else inactive) follows the 0x1038 block.
Block pluginSlotBlock(const PluginKey &key, uint8_t activeByte, uint16_t slotType = 0x2616);
// 0x2625: a slot without a plug-in.
Block emptySlotBlock();
// 0x2627: the slots of one insert list, in order.
Block insertListBlock(const std::vector<Block> &slots);
// 0x261b: nested settings whose insert lists join the enclosing record's.
Block nestedSettingsBlock(const std::vector<Block> &children);

// 0x2015: the comment counted at offset+23, followed by 5 bytes of padding.
Block commentBlock(std::string_view text);

// A settings record (0x261c, 0x261e, 0x2620 or 0x2621) naming its track by
// the identifier at offset+2, its children from offset+26.
Block trackSettingsRecord(TrackIdentifier id, const std::vector<Block> &children, uint16_t recordType = 0x261c);
// 0x2624: a block of settings records.
Block trackSettingsBlock(const std::vector<Block> &records);

} // namespace ptxw

#endif
