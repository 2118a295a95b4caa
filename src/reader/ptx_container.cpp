// Loading, descrambling, block-tree parsing and indexing of session files.
#include "ptx_container.h"
#include "regular_file.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

const uint16_t ptx_indexed_content_types[PTX_INDEXED_TYPE_COUNT] = {
    0x1028, 0x2024, 0x204d, 0x2028, 0x2718, 0x2029, 0x103a, 0x262a,
    0x262b, 0x251a, 0x210c, 0x1054, 0x1017, 0x2624, 0x2077,
};

uint16_t ptx_read_u16(const uint8_t *b, uint32_t o, bool be)
{
    return be ? uint16_t(b[o] << 8 | b[o + 1]) : uint16_t(b[o] | b[o + 1] << 8);
}

uint32_t ptx_read_u32(const uint8_t *b, uint32_t o, bool be)
{
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k)
        v |= uint32_t(b[o + k]) << (be ? 8 * (3 - k) : 8 * k);
    return v;
}

uint64_t ptx_read_u64(const uint8_t *b, uint32_t o, bool be)
{
    uint64_t v = 0;
    for (int k = 0; k < 8; ++k)
        v |= uint64_t(b[o + k]) << (be ? 8 * (7 - k) : 8 * k);
    return v;
}

const uint8_t *ptx_read_counted(const uint8_t *buffer, uint32_t buffer_size, uint32_t offset,
                                bool big_endian, uint32_t *out_length)
{
    if (!buffer || uint64_t(offset) + 4 > buffer_size)
        return nullptr;
    uint32_t len = ptx_read_u32(buffer, offset, big_endian);
    if (uint64_t(offset) + 4 + len > buffer_size)
        return nullptr;
    if (out_length)
        *out_length = len;
    return buffer + offset + 4;
}

bool ptx_is_big_endian(const uint8_t *buffer, uint32_t buffer_size)
{
    return buffer && buffer_size >= 18 && buffer[17] != 0;
}

// XORs [from, to) with a constant byte, a machine word at a time (from <= to).
static void xor_run(uint8_t *buffer, uint32_t from, uint32_t to, uint8_t key)
{
    if (key == 0)
        return;
    uint64_t word;
    std::memset(&word, key, sizeof word);
    uint32_t p = from;
    for (; to - p >= 8; p += 8) {  // p + 8 could wrap at the end of a 4 GiB buffer
        uint64_t v;
        std::memcpy(&v, buffer + p, 8);
        v ^= word;
        std::memcpy(buffer + p, &v, 8);
    }
    for (; p < to; ++p)
        buffer[p] ^= key;
}

// XORs [from, to) with key[p mod 256]; from <= to, neither needs alignment.
static void xor_cycle(uint8_t *buffer, uint32_t from, uint32_t to, const uint8_t key[256])
{
    uint8_t doubled[512];
    std::memcpy(doubled, key, 256);
    std::memcpy(doubled + 256, key, 256);
    uint32_t p = from;
    while (p < to && (p & 7) != 0) {
        buffer[p] ^= key[p & 255];
        ++p;
    }
    for (; to - p >= 8; p += 8) {  // p + 8 could wrap at the end of a 4 GiB buffer
        uint64_t v, k;
        std::memcpy(&v, buffer + p, 8);
        std::memcpy(&k, doubled + (p & 255), 8);
        v ^= k;
        std::memcpy(buffer + p, &v, 8);
    }
    for (; p < to; ++p)
        buffer[p] ^= key[p & 255];
}

// The XOR step of a header's scramble scheme and seed; false for a scheme
// other than 1 or 5.
static bool scramble_step(const uint8_t header[PTX_HEADER_SIZE], uint8_t *step)
{
    const uint8_t scheme = header[18];
    const uint8_t seed = header[19];
    if (scheme == 1)
        *step = uint8_t(seed * 29u);
    else if (scheme == 5)
        *step = uint8_t(seed * 93u);
    else
        return false;
    return true;
}

int ptx_descramble(uint8_t *buffer, uint32_t buffer_size)
{
    if (!buffer || buffer_size < PTX_HEADER_SIZE)
        return PTX_ERR_SHORT;
    uint8_t step;
    if (!scramble_step(buffer, &step))
        return PTX_ERR_SCHEME;

    uint8_t key[256];
    for (unsigned i = 0; i < 256; ++i)
        key[i] = uint8_t(i * step);

    if (buffer[18] == 1) {
        xor_cycle(buffer, PTX_HEADER_SIZE, buffer_size, key);
    } else {
        // One key byte per 4096-byte run: key[(p >> 12) mod 256].
        for (uint64_t run = 0; run * 4096 < buffer_size; ++run) {
            const uint64_t start = run * 4096;
            const uint64_t from = start < uint64_t(PTX_HEADER_SIZE) ? uint64_t(PTX_HEADER_SIZE) : start;
            const uint64_t to = start + 4096 < buffer_size ? start + 4096 : buffer_size;
            xor_run(buffer, uint32_t(from), uint32_t(to), key[run & 255]);
        }
    }
    return PTX_OK;
}

int ptx_load_file(const char *path, uint8_t **out_buffer, uint32_t *out_size)
{
    if (!path || !out_buffer || !out_size)
        return PTX_ERR_IO;
    // A FIFO, a directory or a device is refused here, before any read.
    ptx::RegularFile file;
    if (!file.open(path))
        return PTX_ERR_IO;
    if (file.size() < PTX_HEADER_SIZE)
        return PTX_ERR_SHORT;
    // Offsets and sizes are 32-bit, so the largest file the buffer can hold
    // is UINT32_MAX bytes; anything larger is refused before it is read.
    if (file.size() > UINT32_MAX)
        return PTX_ERR_NOMEM;
    // The header alone decides whether the file is scrambled as a session,
    // so a wrong file costs 20 bytes of reading, not its whole size.
    uint8_t header[PTX_HEADER_SIZE];
    if (!file.read_exact(header, sizeof header))
        return PTX_ERR_IO;
    uint8_t step;
    if (!scramble_step(header, &step))
        return PTX_ERR_SCHEME;

    const uint32_t size = uint32_t(file.size());
    auto *buffer = static_cast<uint8_t *>(std::malloc(size));
    if (!buffer)
        return PTX_ERR_NOMEM;
    std::memcpy(buffer, header, sizeof header);
    if (!file.read_exact(buffer + PTX_HEADER_SIZE, size - PTX_HEADER_SIZE)) {
        std::free(buffer);
        return PTX_ERR_IO;
    }
    const int status = ptx_descramble(buffer, size);
    if (status != PTX_OK) {
        std::free(buffer);
        return status;
    }
    *out_buffer = buffer;
    *out_size = size;
    return PTX_OK;
}

// Checks and reads the 9-byte header of a block at o that must end by `end`.
static bool parse_header(const uint8_t *b, uint32_t o, uint32_t end, bool be, ptx_block *out)
{
    if (uint64_t(o) + PTX_BLOCK_HEADER_SIZE > end || b[o] != 'Z')
        return false;
    const uint16_t block_type = ptx_read_u16(b, o + 1, be);
    const uint32_t size = ptx_read_u32(b, o + 3, be);
    if (size > end - (o + 7) || block_type > 255)
        return false;
    out->content_type = ptx_read_u16(b, o + 7, be);
    out->block_type = block_type;
    out->size = size;
    out->offset = o + 7;
    out->children = nullptr;
    out->child_count = 0;
    return true;
}

namespace {

// One block whose content is being scanned for children.
struct ScanFrame {
    uint32_t o;         // position of the block's 'Z'
    uint32_t size;      // the block's size field
    uint32_t i;         // scan position relative to o
    uint32_t index;     // the block's number in discovery (pre-order)
    ptx_block *block;   // its record, when records are being filled
};

// The tree is built in two walks over the same bytes. The first numbers the
// blocks in discovery order and counts each one's children; the second
// fills one exactly sized array in which every block's children lie side by
// side. One allocation holds the whole tree, without per-array overhead or
// spare room; whoever frees the top array frees every descendant with it.
class TreeBuilder {
public:
    TreeBuilder(const uint8_t *b, bool be) : b_(b), be_(be) {}

    // First walk: numbers the block at o (already checked) and its descendants.
    void count(uint32_t o, const ptx_block &header)
    {
        const uint32_t index = number_block();
        walk(o, header, index, nullptr);
    }

    // Descendants numbered so far (every block but the top-level ones).
    size_t descendant_count(size_t top_level) const { return counts_.size() - top_level; }

    // Second walk: the first walk must have seen the same blocks in the same
    // order. `record` receives the header and its children from `pool`.
    void fill(uint32_t o, ptx_block *record, ptx_block *pool)
    {
        pool_ = pool;
        const uint32_t index = next_fill_index_++;
        walk(o, *record, index, record);
    }

    void start_filling(size_t first_free) { cursor_ = first_free; }

private:
    uint32_t number_block()
    {
        counts_.push_back(0);
        return uint32_t(counts_.size() - 1);
    }

    // Gives a record its share of the pool before its children are found.
    void place_children(ptx_block *record, uint32_t index)
    {
        record->child_count = 0;
        record->children = counts_[index] ? pool_ + cursor_ : nullptr;
        cursor_ += counts_[index];
    }

    // Depth first, without recursion: deeply nested damaged input must not
    // exhaust the stack. Every byte from o+1 up to (not including) o+size
    // that no accepted child covers is tried as the start of a child bounded
    // by this block's own end.
    void walk(uint32_t root_o, const ptx_block &root, uint32_t root_index, ptx_block *root_record)
    {
        if (root_record)
            place_children(root_record, root_index);
        if (root.size < 2)
            return;
        frames_.clear();
        frames_.push_back({root_o, root.size, 1, root_index, root_record});
        while (!frames_.empty()) {
            ScanFrame &top = frames_.back();
            const uint32_t o = top.o;
            const uint32_t bound = o + 7 + top.size;
            bool descended = false;
            while (top.i < top.size) {
                const auto *z = static_cast<const uint8_t *>(std::memchr(b_ + o + top.i, 'Z', top.size - top.i));
                if (!z) {
                    top.i = top.size;
                    break;
                }
                top.i = uint32_t(z - (b_ + o));
                ptx_block child;
                if (!parse_header(b_, o + top.i, bound, be_, &child)) {
                    ++top.i;
                    continue;
                }
                const uint32_t child_o = o + top.i;
                top.i += child.size + 7;
                ptx_block *child_record = nullptr;
                uint32_t child_index;
                if (top.block) {
                    child_index = next_fill_index_++;
                    child_record = &top.block->children[top.block->child_count++];
                    *child_record = child;
                    place_children(child_record, child_index);
                } else {
                    child_index = number_block();
                    ++counts_[top.index];
                }
                if (child.size >= 2) {
                    frames_.push_back({child_o, child.size, 1, child_index, child_record});  // `top` is stale now
                    descended = true;
                    break;
                }
            }
            if (!descended)
                frames_.pop_back();
        }
    }

    const uint8_t *b_;
    bool be_;
    std::vector<uint32_t> counts_;  // children per block, in discovery order
    std::vector<ScanFrame> frames_;
    ptx_block *pool_ = nullptr;
    size_t cursor_ = 0;
    uint32_t next_fill_index_ = 0;
};

} // namespace

bool ptx_parse_block_at(const uint8_t *buffer, uint32_t offset, uint32_t end, bool big_endian,
                        ptx_block *out_block)
{
    if (!buffer || !out_block || !parse_header(buffer, offset, end, big_endian, out_block))
        return false;
    try {
        TreeBuilder tree(buffer, big_endian);
        tree.count(offset, *out_block);
        const size_t descendants = tree.descendant_count(1);
        ptx_block *pool = nullptr;
        if (descendants) {
            pool = static_cast<ptx_block *>(std::malloc(sizeof(ptx_block) * descendants));
            if (!pool)
                return false;
        }
        tree.start_filling(0);
        tree.fill(offset, out_block, pool);
        return true;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

// The positions of the top-level blocks: from pos, each valid block is
// taken and skipped whole; anything else moves the scan on by one byte.
template <class Visit>
static void for_each_top_level_block(const uint8_t *buffer, uint32_t buffer_size, uint32_t pos, bool be,
                                     Visit &&visit)
{
    while (pos < buffer_size) {
        const auto *z = static_cast<const uint8_t *>(std::memchr(buffer + pos, 'Z', buffer_size - pos));
        if (!z)
            return;
        pos = uint32_t(z - buffer);
        ptx_block block;
        if (!parse_header(buffer, pos, buffer_size, be, &block)) {
            ++pos;
            continue;
        }
        visit(pos, block);
        pos += block.size + 7;
    }
}

int ptx_parse_blocks(const uint8_t *buffer, uint32_t buffer_size, int byte_order,
                     uint32_t start_offset, ptx_block **out_blocks, uint32_t *out_count)
{
    if (!buffer || !out_blocks || !out_count || buffer_size < start_offset)
        return PTX_ERR_SHORT;
    const bool be = byte_order < 0 ? ptx_is_big_endian(buffer, buffer_size) : byte_order != 0;
    try {
        TreeBuilder tree(buffer, be);
        size_t top_level = 0;
        for_each_top_level_block(buffer, buffer_size, start_offset, be, [&](uint32_t o, const ptx_block &block) {
            tree.count(o, block);
            ++top_level;
        });
        ptx_block *blocks = nullptr;
        if (top_level) {
            // The top-level records first, then every descendant.
            const size_t total = top_level + tree.descendant_count(top_level);
            blocks = static_cast<ptx_block *>(std::malloc(sizeof(ptx_block) * total));
            if (!blocks)
                return PTX_ERR_NOMEM;
            tree.start_filling(top_level);
            size_t k = 0;
            for_each_top_level_block(buffer, buffer_size, start_offset, be, [&](uint32_t o, const ptx_block &block) {
                blocks[k] = block;
                tree.fill(o, &blocks[k++], blocks);
            });
        }
        *out_blocks = blocks;
        *out_count = uint32_t(top_level);
        return PTX_OK;
    } catch (const std::bad_alloc &) {
        return PTX_ERR_NOMEM;
    }
}

void ptx_free_blocks(ptx_block *blocks, uint32_t count)
{
    // A tree is one allocation that starts with its top array.
    (void)count;
    std::free(blocks);
}

static int indexed_slot(uint16_t content_type)
{
    for (int k = 0; k < PTX_INDEXED_TYPE_COUNT; ++k)
        if (ptx_indexed_content_types[k] == content_type)
            return k;
    return -1;
}

static bool list_append(ptx_block_list *list, const ptx_block *block)
{
    if (list->count == list->capacity) {
        uint32_t grown = list->capacity ? list->capacity * 2 : 16;
        auto *bigger = static_cast<const ptx_block **>(
            std::realloc(static_cast<void *>(list->items), sizeof(ptx_block *) * grown));
        if (!bigger)
            return false;
        list->items = bigger;
        list->capacity = grown;
    }
    list->items[list->count++] = block;
    return true;
}

bool ptx_index_blocks(ptx_block_index *index, const ptx_block *blocks, uint32_t count)
{
    if (!index || !blocks)
        return true;
    // Pre-order walk with an explicit stack of (array, next position).
    struct Pending { const ptx_block *array; uint32_t count; uint32_t next; };
    Pending *stack = nullptr;
    size_t depth = 0, capacity = 0;
    bool ok = true;
    auto push = [&](const ptx_block *array, uint32_t n) {
        if (depth == capacity) {
            size_t grown = capacity ? capacity * 2 : 64;
            auto *bigger = static_cast<Pending *>(std::realloc(stack, sizeof(Pending) * grown));
            if (!bigger)
                return false;
            stack = bigger;
            capacity = grown;
        }
        stack[depth++] = {array, n, 0};
        return true;
    };
    if (!push(blocks, count))
        return false;
    while (depth && ok) {
        Pending &top = stack[depth - 1];
        if (top.next == top.count) {
            --depth;
            continue;
        }
        const ptx_block *b = &top.array[top.next++];
        const int slot = indexed_slot(b->content_type);
        if (slot >= 0)
            ok = list_append(&index->lists[slot], b);
        if (ok && b->child_count)
            ok = push(b->children, b->child_count);
    }
    std::free(stack);
    return ok;
}

const ptx_block_list *ptx_block_index_list(const ptx_block_index *index, uint16_t content_type)
{
    const int slot = indexed_slot(content_type);
    return index && slot >= 0 ? &index->lists[slot] : nullptr;
}

void ptx_block_index_free(ptx_block_index *index)
{
    if (!index)
        return;
    for (auto &list : index->lists) {
        std::free(static_cast<void *>(list.items));
        list = {};
    }
}
