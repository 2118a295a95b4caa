// Builders for the blocks that hold the audio file list, the clips and the
// clip groups. Each returns a Block that can still be extended with the
// Layout calls (for example to append a cut-off entry or an extra child), so
// a test states the exact bytes it needs in a few lines.
#ifndef KESTRIX_TEST_MEDIA_BLOCKS_H
#define KESTRIX_TEST_MEDIA_BLOCKS_H

#include "session_writer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ptxw {

// ---- Audio file list -------------------------------------------------------

// One entry of an audio file list, written as: u32 name length (session
// byte order), the name, four type bytes, the kind byte, u32 link (LE).
// The type bytes decide what the entry is: all zero for a folder, four
// printable characters for a file (its type tag), anything else for a
// component of the files' storage location.
struct AudioListEntry {
    std::string name;
    std::string type = std::string(4, '\0');  // written as exactly 4 bytes
    uint8_t kind = 0;
    uint32_t link = 0xffffffff;
};

inline constexpr uint32_t kNoLink = 0xffffffff;

AudioListEntry folderEntry(std::string name);
// kind 1 with a link below 2^31: the next folder entry is stored at the
// location ending at entry `link`. kind 2: the file lies in entry `link`.
AudioListEntry fileEntry(std::string name, std::string typeTag = "WAVE", uint8_t kind = 0,
                         uint32_t link = kNoLink);
// A storage location component (type bytes 01 00 00 00).
AudioListEntry locationEntry(std::string name);

// 0x103a: the base (u32 LE) at offset+7 and the entries from offset+11,
// ending right after the last entry.
Block audioFileListBlock(const std::vector<AudioListEntry> &entries, uint32_t base);

// ---- Clips ------------------------------------------------------------------

struct ClipSpec {
    std::string name;
    uint64_t sampleOffset = 0;
    uint64_t sampleLength = 0;
    // The width bytes after the name: the high nibble of each is the number
    // of bytes (little-endian) of the sample offset and of the sample length;
    // the low nibble is written as given.
    uint8_t offsetWidth = 0x50;
    uint8_t lengthWidth = 0x50;
    // When set: a 0x2628 child followed by this index (u32 LE).
    std::optional<uint32_t> fileIndex = std::nullopt;
};

// 0x2629: the name counted at offset+11, the width bytes at offset+L+16 and
// offset+L+17, the offset and then the length from offset+L+20, then the
// optional 0x2628 child and the file index. At least L+20 bytes long.
Block clipBlock(const ClipSpec &clip);
// 0x262a holding one clipBlock child per clip.
Block clipListBlock(const std::vector<ClipSpec> &clips);

// ---- Clip groups ------------------------------------------------------------

// 0x262b with one 0x2628 child holding the name counted at its offset+2.
Block clipGroupNameBlock(std::string_view name);

struct GroupMember {
    uint32_t clipIndex;
    uint64_t offset;  // the low 5 bytes are written
};

// 0x104f: the clip index (u32 LE) at offset+4 and the offset (5 bytes LE)
// at offset+9; 14 bytes, the smallest member the reader accepts.
Block groupMemberBlock(const GroupMember &member);
// 0x1052 with its name counted at offset+2 (the reader takes the block named
// "?" as the members of the next group) and one 0x1050 child holding a
// groupMemberBlock per member.
Block clipGroupMembersBlock(const std::vector<GroupMember> &members, std::string_view name = "?");

} // namespace ptxw

#endif
