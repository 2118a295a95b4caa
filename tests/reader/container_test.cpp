// Loading, descrambling, the block scanner and the index.
#include "ptx_container.h"
#include "session_writer.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

using ptxw::Block;
using ptxw::Bytes;

namespace {

Bytes fileOfSize(size_t n, uint8_t scheme, uint8_t seed)
{
    Bytes b(n, 0);
    if (n > 18)
        b[18] = scheme;
    if (n > 19)
        b[19] = seed;
    return b;
}

// The blocks parsed from the plain bytes of a session file, from offset 20.
struct Tree {
    ptx_block *blocks = nullptr;
    uint32_t count = 0;
    explicit Tree(const Bytes &plain)
    {
        EXPECT_EQ(ptx_parse_blocks(plain.data(), uint32_t(plain.size()), -1, 20, &blocks, &count), PTX_OK);
    }
    explicit Tree(const ptxw::SessionFile &file) : Tree(file.plain()) {}
    ~Tree() { ptx_free_blocks(blocks, count); }
};

} // namespace

TEST(Container, DescrambleKeysAndSchemes)
{
    // Scheme 1, seed 1: step 29, position p is XORed with (p mod 256) * 29; the header is never scrambled.
    // Scheme 5, seed 7: one key byte per 4096-byte run; the first run is untouched.
    const uint8_t step = uint8_t(7 * 93);
    const struct {
        uint8_t scheme, seed;
        size_t size;
        std::vector<std::pair<size_t, uint8_t>> bytes;  // position, key byte
    } keys[] = {
        {1, 1, 600, {{19, 1}, {20, 68}, {255, uint8_t(255 * 29)}, {256, 0}, {257, 29}}},
        {5, 7, 3 * 4096 + 10,
         {{20, 0}, {4095, 0}, {4096, step}, {8191, step}, {8192, uint8_t(2 * step)},
          {3 * 4096 + 9, uint8_t(3 * step)}}},
    };
    for (const auto &k : keys) {
        Bytes b = fileOfSize(k.size, k.scheme, k.seed);
        ASSERT_EQ(ptx_descramble(b.data(), uint32_t(b.size())), PTX_OK);
        for (const auto &[position, key] : k.bytes)
            EXPECT_EQ(b[position], key) << "scheme " << int(k.scheme) << " position " << position;
    }
    // The writer's scrambling is undone for any seed; lengths that end inside a
    // machine word exercise the word-at-a-time paths.
    for (uint8_t scheme : {1, 5}) {
        for (size_t n : {20u, 21u, 27u, 255u, 4097u, 70001u}) {
            Bytes plain(n);
            for (size_t i = 0; i < n; ++i)
                plain[i] = uint8_t(i * 7 + 3);
            plain[18] = scheme;
            plain[19] = uint8_t(n);
            Bytes stored = plain;
            ptxw::scramble(stored);
            ASSERT_EQ(ptx_descramble(stored.data(), uint32_t(n)), PTX_OK);
            EXPECT_EQ(stored, plain) << "scheme " << int(scheme) << " size " << n;
        }
    }

    for (uint8_t scheme : {0, 2, 6, 255}) {
        Bytes b = fileOfSize(64, scheme, 3);
        EXPECT_EQ(ptx_descramble(b.data(), uint32_t(b.size())), PTX_ERR_SCHEME) << int(scheme);
    }
    const Bytes shortFile = fileOfSize(19, 1, 0);
    ptxtest::TempFile f("short.ptx");
    ASSERT_TRUE(ptxw::writeBytes(f.path(), shortFile));
    uint8_t *buf = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(ptx_load_file(f.path().c_str(), &buf, &size), PTX_ERR_SHORT);
    EXPECT_EQ(buf, nullptr);
    Bytes b = shortFile;
    EXPECT_EQ(ptx_descramble(b.data(), 19), PTX_ERR_SHORT);
}

TEST(Container, PrimitiveReaders)
{
    const uint8_t b[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(ptx_read_u16(b, 1, false), 0x0302);
    EXPECT_EQ(ptx_read_u16(b, 1, true), 0x0203);
    EXPECT_EQ(ptx_read_u32(b, 0, true), 0x01020304u);
    EXPECT_EQ(ptx_read_u64(b, 1, false), 0x0908070605040302ull);
    EXPECT_EQ(ptx_read_u64(b, 1, true), 0x0203040506070809ull);

    const uint8_t counted[] = {3, 0, 0, 0, 'a', 'b', 'c', 9};
    uint32_t len = 77;
    EXPECT_EQ(ptx_read_counted(counted, 7, 0, false, &len), counted + 4);
    EXPECT_EQ(len, 3u);
    len = 77;
    EXPECT_EQ(ptx_read_counted(counted, 6, 0, false, &len), nullptr);
    EXPECT_EQ(len, 77u) << "nothing is stored on failure";
    EXPECT_EQ(ptx_read_counted(counted, 8, 5, false, &len), nullptr);
    EXPECT_EQ(ptx_read_counted(counted, 8, 0, true, &len), nullptr) << "0x03000000 bytes do not fit";

    EXPECT_FALSE(ptx_is_big_endian(b, 9));
    Bytes header(18, 0);
    header[17] = 2;
    EXPECT_TRUE(ptx_is_big_endian(header.data(), 18));
}

TEST(Container, BlockBoundsAndTypes)
{
    const Block inner = Block(0x1111).u32(7);
    const Bytes enc = inner.serialize(false);  // 9 + 4 bytes
    ptx_block block;
    // A block reaching exactly to its bound is taken; one byte short of room is not.
    EXPECT_TRUE(ptx_parse_block_at(enc.data(), 0, uint32_t(enc.size()), false, &block));
    EXPECT_EQ(block.offset, 7u);
    EXPECT_EQ(block.size, 6u);
    EXPECT_EQ(block.content_type, 0x1111);
    EXPECT_FALSE(ptx_parse_block_at(enc.data(), 0, uint32_t(enc.size() - 1), false, &block));
    EXPECT_FALSE(ptx_parse_block_at(enc.data(), 0, 8, false, &block)) << "the 9-byte header must fit";

    const Bytes wideType = Block(0x1111).blockTypeField(0x0100).u32(7).serialize(false);
    EXPECT_FALSE(ptx_parse_block_at(wideType.data(), 0, uint32_t(wideType.size()), false, &block));
    const Bytes maxType = Block(0x1111).blockTypeField(0x00FF).u32(7).serialize(true);
    ASSERT_TRUE(ptx_parse_block_at(maxType.data(), 0, uint32_t(maxType.size()), true, &block));
    EXPECT_EQ(block.block_type, 255);
    // Read in the wrong byte order the size is absurd and the block is refused.
    EXPECT_FALSE(ptx_parse_block_at(maxType.data(), 0, uint32_t(maxType.size()), false, &block));
}

TEST(Container, TopLevelScanSkipsDamageByOneByte)
{
    const Tree tree(ptxtest::sessionWith({
        Block(0x0001).u32(1),
        Block(0x0002).sizeField(1000).u32(2),  // too large: skipped, scan resumes after its 'Z'
        Block(0x0003).u32(3),
    }));
    // The oversized block's own bytes hold no 'Z', so the next real block is found.
    ASSERT_EQ(tree.count, 2u);
    EXPECT_EQ(tree.blocks[0].content_type, 0x0001);
    EXPECT_EQ(tree.blocks[1].content_type, 0x0003);

    // A too-large size whose block covers the next one: that one is still found.
    const Tree tree2(ptxtest::sessionWith({Block(0x0002).sizeField(40), Block(0x0004).u16(0x5A5A)}, true));
    ASSERT_EQ(tree2.count, 1u);
    EXPECT_EQ(tree2.blocks[0].content_type, 0x0004);
}

TEST(Container, ChildScanTriesEveryByteFromAfterTheMarker)
{
    // A stray 'Z' in the fixed fields with plausible header bytes is a child.
    Block parent(0x2000);
    parent.at(2).bytes("Z").u16(0).u32(2).u16(0x0BAD);  // a 9-byte block with no content
    parent.at(20).child(Block(0x3000).u32(5));
    const Tree tree(ptxtest::sessionWith({parent}));
    ASSERT_EQ(tree.count, 1u);
    const ptx_block &p = tree.blocks[0];
    ASSERT_EQ(p.child_count, 2u);
    EXPECT_EQ(p.children[0].content_type, 0x0BAD);
    EXPECT_EQ(p.children[0].offset, p.offset + 2 + 7);
    EXPECT_EQ(p.children[1].content_type, 0x3000);

    // The scan begins at o+1, inside the block's own header: with block type
    // 0x5A ('Z'), size 256 and a content type whose low byte is 0, the header
    // bytes themselves form a 1-byte child at o+1.
    Block header(0x1200, 0x5A);
    header.zeros(254);
    ASSERT_EQ(header.size(), 256u);
    const Tree tree2(ptxtest::sessionWith({header}));
    ASSERT_EQ(tree2.count, 1u);
    ASSERT_EQ(tree2.blocks[0].child_count, 1u);
    EXPECT_EQ(tree2.blocks[0].children[0].offset, 20u + 8);
    EXPECT_EQ(tree2.blocks[0].children[0].size, 1u);
}

TEST(Container, ChildMustFitItsParentOrItsBytesAreScannedAgain)
{
    // C claims one byte more than its parent has: it is refused, the scan
    // moves on byte by byte and C's own child G becomes P's child.
    const auto parentOf = [](std::optional<int> sizeChange) {
        Block c(0xC000);
        c.at(4).child(Block(0x6000).u32(1));
        if (sizeChange)
            c.sizeField(uint32_t(int(c.size()) + *sizeChange));
        Block p(0xB000);
        p.at(2).child(c);
        return p;
    };
    const Tree tree(ptxtest::sessionWith({parentOf(1)}, true));
    ASSERT_EQ(tree.count, 1u);
    ASSERT_EQ(tree.blocks[0].child_count, 1u);
    EXPECT_EQ(tree.blocks[0].children[0].content_type, 0x6000);
    EXPECT_EQ(tree.blocks[0].children[0].child_count, 0u);

    // With the true size, C holds G.
    const Tree tree2(ptxtest::sessionWith({parentOf(std::nullopt)}));
    ASSERT_EQ(tree2.blocks[0].child_count, 1u);
    ASSERT_EQ(tree2.blocks[0].children[0].child_count, 1u);
    EXPECT_EQ(tree2.blocks[0].children[0].children[0].content_type, 0x6000);
}

TEST(Container, IndexListsEveryIndexedBlockInPreOrder)
{
    Block track1(0x251a);
    track1.at(4).child(Block(0x251a).u32(2)).child(Block(0x9999).child(Block(0x251a).u32(3)));
    const Tree tree(ptxtest::sessionWith({Block(0x2077).u32(0), track1, Block(0x251a).u32(4)}));
    ptx_block_index index{};
    ASSERT_TRUE(ptx_index_blocks(&index, tree.blocks, tree.count));
    const ptx_block_list *tracks = ptx_block_index_list(&index, 0x251a);
    ASSERT_NE(tracks, nullptr);
    ASSERT_EQ(tracks->count, 4u);
    // Pre-order: a block before its own descendants, siblings in file order.
    for (uint32_t k = 1; k < tracks->count; ++k)
        EXPECT_LT(tracks->items[k - 1]->offset, tracks->items[k]->offset);
    EXPECT_EQ(tracks->items[0], &tree.blocks[1]);
    EXPECT_EQ(ptx_block_index_list(&index, 0x2077)->count, 1u);
    EXPECT_EQ(ptx_block_index_list(&index, 0x9999), nullptr);
    EXPECT_EQ(ptx_block_index_list(&index, 0x1028)->count, 0u);
    ptx_block_index_free(&index);
}
