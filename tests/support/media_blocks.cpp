#include "media_blocks.h"

#include <algorithm>
#include <utility>

namespace ptxw {

AudioListEntry folderEntry(std::string name)
{
    return {std::move(name)};
}

AudioListEntry fileEntry(std::string name, std::string typeTag, uint8_t kind, uint32_t link)
{
    return {std::move(name), std::move(typeTag), kind, link};
}

AudioListEntry locationEntry(std::string name)
{
    return {std::move(name), std::string("\x01\0\0\0", 4)};
}

Block audioFileListBlock(const std::vector<AudioListEntry> &entries, uint32_t base)
{
    Block b(0x103a);
    b.at(7).u32le(base);
    for (const AudioListEntry &e : entries) {
        std::string type = e.type;
        type.resize(4, '\0');
        b.counted(e.name);
        b.bytes(type);
        b.u8(e.kind).u32le(e.link);
    }
    return b;
}

// The low `width` bytes of value, little-endian; bytes beyond the eighth are zero.
static void writeLittleEndian(Block &b, uint64_t value, int width)
{
    const int written = std::min(width, 8);
    if (written > 0)
        b.uintle(value, written);
    b.zeros(size_t(width - written));
}

Block clipBlock(const ClipSpec &clip)
{
    const size_t n = clip.name.size();
    Block b(0x2629);
    b.at(11).counted(clip.name);
    b.at(n + 16).u8(clip.offsetWidth).u8(clip.lengthWidth);
    b.at(n + 20);
    writeLittleEndian(b, clip.sampleOffset, clip.offsetWidth >> 4);
    writeLittleEndian(b, clip.sampleLength, clip.lengthWidth >> 4);
    if (clip.fileIndex)
        b.child(Block(0x2628)).u32le(*clip.fileIndex);
    return b;
}

Block clipListBlock(const std::vector<ClipSpec> &clips)
{
    Block b(0x262a);
    b.at(4);
    for (const ClipSpec &clip : clips)
        b.child(clipBlock(clip));
    return b;
}

Block clipGroupNameBlock(std::string_view name)
{
    Block nameBlock(0x2628);
    nameBlock.at(2).counted(name);
    Block b(0x262b);
    b.at(4).child(nameBlock);
    return b;
}

Block groupMemberBlock(const GroupMember &member)
{
    Block b(0x104f);
    b.at(4).u32le(member.clipIndex);
    b.at(9).uintle(member.offset, 5);
    return b;
}

Block clipGroupMembersBlock(const std::vector<GroupMember> &members, std::string_view name)
{
    Block list(0x1050);
    for (const GroupMember &m : members)
        list.child(groupMemberBlock(m));
    Block b(0x1052);
    b.at(2).counted(name).child(list);
    return b;
}

} // namespace ptxw
