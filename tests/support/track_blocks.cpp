#include "track_blocks.h"

namespace ptxw {

namespace {

void appendChildren(Block &b, const std::vector<Block> &children)
{
    for (const Block &c : children)
        b.child(c);
}

// A block whose content is only its children, from offset+2.
Block containerBlock(uint16_t contentType, const std::vector<Block> &children)
{
    Block b(contentType);
    b.at(2);
    appendChildren(b, children);
    return b;
}

Block &identifier(Block &b, TrackIdentifier id)
{
    b.bytes(std::string_view("*\0\0\0", 4)).u64le(id);
    return b;
}

} // namespace

Block trackBlock(const TrackSpec &track)
{
    const size_t L = track.name.size();
    Block b(0x251a);
    b.at(2).u8(track.type);
    b.at(4).counted(track.name);
    if (track.id)
        identifier(b.at(L + 12), *track.id);
    if (track.formatCode) {
        Block format(0x4420);
        format.at(16).u8(*track.formatCode).zeros(6);  // lands at offset+L+63 of the track
        b.at(L + 40).child(format);
    }
    b.at(L + 72).u16le(track.color);
    return b;
}

Block folderBlock(const std::vector<FolderRecord> &records)
{
    Block b(0x210c);
    b.at(2);
    for (const FolderRecord &r : records)
        identifier(b, r.id).u32le(r.childCount);
    return b;
}

Block placementBlock(const PlacementSpec &placement)
{
    Block b(0x104f);
    b.at(4).u32le(placement.index);
    b.at(9).uintle(placement.rawPosition, 5);
    b.at(18).u16le(placement.color).u8(placement.group ? 1 : 0);
    return b;
}

Block placementListBlock(const std::vector<PlacementSpec> &placements, bool hidden)
{
    Block b(0x1050);
    b.at(46).u8(hidden ? 1 : 0);
    for (const PlacementSpec &p : placements)
        b.child(placementBlock(p));
    return b;
}

Block playlistBlock(std::string_view name, const std::vector<Block> &placementLists)
{
    Block b(0x1052);
    b.at(2).counted(name);
    appendChildren(b, placementLists);
    return b;
}

Block playlistsBlock(const std::vector<Block> &playlists)
{
    return containerBlock(0x1054, playlists);
}

Block pluginDefinitionBlock(std::string_view name, const PluginKey &key, uint8_t flag)
{
    Block b(0x1017);
    b.at(2).u8(flag).counted(name).bytes(Bytes(key.begin(), key.end()));
    return b;
}

Block pluginSlotBlock(const PluginKey &key, uint8_t activeByte, uint16_t slotType)
{
    Block keyBlock(0x1038);
    keyBlock.at(18);
    for (size_t group = 0; group < 3; ++group)
        for (size_t k = 4; k > 0; --k)
            keyBlock.u8(key[4 * group + k - 1]);
    Block holder(0x2613);
    holder.at(2).child(keyBlock).u8(activeByte).zeros(2);
    Block slot(slotType);
    slot.at(2).child(holder);
    return slot;
}

Block emptySlotBlock()
{
    Block b(0x2625);
    b.at(2).zeros(4);
    return b;
}

Block insertListBlock(const std::vector<Block> &slots)
{
    return containerBlock(0x2627, slots);
}

Block nestedSettingsBlock(const std::vector<Block> &children)
{
    return containerBlock(0x261b, children);
}

Block commentBlock(std::string_view text)
{
    Block b(0x2015);
    b.at(23).counted(text).zeros(5);
    return b;
}

Block trackSettingsRecord(TrackIdentifier id, const std::vector<Block> &children, uint16_t recordType)
{
    Block b(recordType);
    identifier(b.at(2), id);
    b.at(24).zeros(2);  // the identifier is looked for only 12 bytes before the end
    appendChildren(b, children);
    return b;
}

Block trackSettingsBlock(const std::vector<Block> &records)
{
    return containerBlock(0x2624, records);
}

} // namespace ptxw
