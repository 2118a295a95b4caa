// Loading, descrambling, block-tree parsing and indexing of session files.
#include "ptx_container.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// XORs [from, to) with a constant byte, a machine word at a time.
static void xor_run(uint8_t *buffer, uint32_t from, uint32_t to, uint8_t key)
{
    if (key == 0)
        return;
    uint64_t word;
    std::memset(&word, key, sizeof word);
    uint32_t p = from;
    for (; p + 8 <= to; p += 8) {
        uint64_t v;
        std::memcpy(&v, buffer + p, 8);
        v ^= word;
        std::memcpy(buffer + p, &v, 8);
    }
    for (; p < to; ++p)
        buffer[p] ^= key;
}

// XORs [from, to) with key[p mod 256]; from and to need no alignment.
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
    for (; p + 8 <= to; p += 8) {
        uint64_t v, k;
        std::memcpy(&v, buffer + p, 8);
        std::memcpy(&k, doubled + (p & 255), 8);
        v ^= k;
        std::memcpy(buffer + p, &v, 8);
    }
    for (; p < to; ++p)
        buffer[p] ^= key[p & 255];
}

int ptx_descramble(uint8_t *buffer, uint32_t buffer_size)
{
    if (!buffer || buffer_size < PTX_HEADER_SIZE)
        return PTX_ERR_SHORT;
    const uint8_t scheme = buffer[18];
    const uint8_t seed = buffer[19];
    uint8_t step;
    if (scheme == 1)
        step = uint8_t(seed * 29u);
    else if (scheme == 5)
        step = uint8_t(seed * 93u);
    else
        return PTX_ERR_SCHEME;

    uint8_t key[256];
    for (unsigned i = 0; i < 256; ++i)
        key[i] = uint8_t(i * step);

    if (scheme == 1) {
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
    std::FILE *f = std::fopen(path, "rb");
    if (!f)
        return PTX_ERR_IO;
#if defined(_WIN32)
    const bool seek_ok = _fseeki64(f, 0, SEEK_END) == 0;
    const long long end = seek_ok ? _ftelli64(f) : -1;
#else
    const bool seek_ok = fseeko(f, 0, SEEK_END) == 0;
    const long long end = seek_ok ? static_cast<long long>(ftello(f)) : -1;
#endif
    if (end < 0 || std::fseek(f, 0, SEEK_SET) != 0) {
        std::fclose(f);
        return PTX_ERR_IO;
    }
    if (end < PTX_HEADER_SIZE) {
        std::fclose(f);
        return PTX_ERR_SHORT;
    }
    // Offsets in the format are 32-bit; a larger file cannot be held.
    if (static_cast<unsigned long long>(end) > UINT32_MAX) {
        std::fclose(f);
        return PTX_ERR_NOMEM;
    }
    const uint32_t size = uint32_t(end);
    auto *buffer = static_cast<uint8_t *>(std::malloc(size));
    if (!buffer) {
        std::fclose(f);
        return PTX_ERR_NOMEM;
    }
    const size_t got = std::fread(buffer, 1, size, f);
    std::fclose(f);
    if (got != size) {
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

// Appends a slot to a growable block array, doubling its room. Most blocks
// have one or two children, so growth starts at one record: a larger start
// would leave a hole behind every small array once it is trimmed.
static ptx_block *append_slot(ptx_block **array, uint32_t *count, uint32_t *capacity)
{
    if (*count == *capacity) {
        const uint32_t grown = *capacity ? *capacity * 2 : 1;
        if (grown < *capacity)
            return nullptr;
        auto *bigger = static_cast<ptx_block *>(std::realloc(*array, sizeof(ptx_block) * grown));
        if (!bigger)
            return nullptr;
        *array = bigger;
        *capacity = grown;
    }
    return &(*array)[(*count)++];
}

// A finished block keeps exactly its children: most blocks have one or two,
// and the room for eight that growth starts with would triple the tree's size.
static void release_spare_capacity(ptx_block *block, uint32_t capacity)
{
    if (block->child_count == 0) {
        std::free(block->children);
        block->children = nullptr;
    } else if (block->child_count < capacity) {
        auto *exact = static_cast<ptx_block *>(
            std::realloc(block->children, sizeof(ptx_block) * block->child_count));
        if (exact)
            block->children = exact;
    }
}

namespace {

// One block whose content is being scanned for children. Blocks are only
// appended to the array of the frame on top, so the pointers held by frames
// below stay valid.
struct ScanFrame {
    ptx_block *block;
    uint32_t o;         // position of the block's 'Z'
    uint32_t i;         // scan position relative to o
    uint32_t capacity;  // room in block->children while it grows
};

struct FrameStack {
    ScanFrame *frames = nullptr;
    size_t count = 0, capacity = 0;
    ~FrameStack() { std::free(frames); }
    bool push(ScanFrame f)
    {
        if (count == capacity) {
            size_t grown = capacity ? capacity * 2 : 64;
            auto *bigger = static_cast<ScanFrame *>(std::realloc(frames, sizeof(ScanFrame) * grown));
            if (!bigger)
                return false;
            frames = bigger;
            capacity = grown;
        }
        frames[count++] = f;
        return true;
    }
};

} // namespace

// Scans every byte of a block from o+1 up to (not including) o+size for
// children bounded by the block's own end, depth first, without recursion so
// that deeply nested damaged input cannot exhaust the stack.
static void scan_children(const uint8_t *b, ptx_block *root, uint32_t root_o, bool be)
{
    if (root->size < 2)
        return;
    FrameStack stack;
    if (!stack.push({root, root_o, 1, 0}))
        return;
    while (stack.count) {
        ScanFrame &top = stack.frames[stack.count - 1];
        ptx_block *block = top.block;
        const uint32_t o = top.o;
        const uint32_t bound = block->offset + block->size;
        bool descended = false;
        while (top.i < block->size) {
            const auto *from = b + o + top.i;
            const auto *z = static_cast<const uint8_t *>(std::memchr(from, 'Z', block->size - top.i));
            if (!z) {
                top.i = block->size;
                break;
            }
            top.i = uint32_t(z - (b + o));
            ptx_block child;
            if (!parse_header(b, o + top.i, bound, be, &child)) {
                ++top.i;
                continue;
            }
            ptx_block *slot = append_slot(&block->children, &block->child_count, &top.capacity);
            if (!slot) {
                top.i = block->size;  // out of memory: keep the children found so far
                break;
            }
            *slot = child;
            const uint32_t child_o = o + top.i;
            top.i += child.size + 7;
            if (child.size >= 2) {
                if (!stack.push({slot, child_o, 1, 0}))
                    break;
                descended = true;
                break;
            }
        }
        if (!descended) {
            release_spare_capacity(block, top.capacity);
            --stack.count;
        }
    }
}

bool ptx_parse_block_at(const uint8_t *buffer, uint32_t offset, uint32_t end, bool big_endian,
                        ptx_block *out_block)
{
    if (!buffer || !out_block || !parse_header(buffer, offset, end, big_endian, out_block))
        return false;
    scan_children(buffer, out_block, offset, big_endian);
    return true;
}

int ptx_parse_blocks(const uint8_t *buffer, uint32_t buffer_size, int byte_order,
                     uint32_t start_offset, ptx_block **out_blocks, uint32_t *out_count)
{
    if (!buffer || !out_blocks || !out_count || buffer_size < start_offset)
        return PTX_ERR_SHORT;
    const bool be = byte_order < 0 ? ptx_is_big_endian(buffer, buffer_size) : byte_order != 0;
    ptx_block *blocks = nullptr;
    uint32_t count = 0, capacity = 0;
    uint32_t pos = start_offset;
    while (pos < buffer_size) {
        const auto *z = static_cast<const uint8_t *>(std::memchr(buffer + pos, 'Z', buffer_size - pos));
        if (!z)
            break;
        pos = uint32_t(z - buffer);
        ptx_block block;
        if (!parse_header(buffer, pos, buffer_size, be, &block)) {
            ++pos;
            continue;
        }
        ptx_block *slot = append_slot(&blocks, &count, &capacity);
        if (!slot)
            break;
        *slot = block;
        scan_children(buffer, slot, pos, be);
        pos += block.size + 7;
    }
    if (count == 0) {
        std::free(blocks);
        blocks = nullptr;
    }
    *out_blocks = blocks;
    *out_count = count;
    return PTX_OK;
}

void ptx_free_blocks(ptx_block *blocks, uint32_t count)
{
    if (!blocks)
        return;
    // Post-order release with an explicit stack of arrays still to free.
    struct Pending { ptx_block *array; uint32_t count; uint32_t next; };
    Pending *stack = nullptr;
    size_t depth = 0, capacity = 0;
    auto push = [&](ptx_block *array, uint32_t n) {
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
    if (!push(blocks, count)) {
        std::free(blocks);
        return;
    }
    while (depth) {
        Pending &top = stack[depth - 1];
        if (top.next < top.count) {
            ptx_block &b = top.array[top.next++];
            if (b.children && !push(b.children, b.child_count))
                std::free(b.children);  // cannot descend: leak its grandchildren rather than crash
            continue;
        }
        std::free(top.array);
        --depth;
    }
    std::free(stack);
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
