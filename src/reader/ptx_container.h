/* The session-file container: loading, descrambling, the block tree and the
 * block index, plus the primitive readers every extraction uses.
 *
 * A .ptx file is a 20-byte plain header and a body scrambled by a
 * position-dependent XOR key. The plain body is a sequence of nested blocks:
 *   o+0 'Z', o+1 block type (u16), o+3 size (u32, bytes from o+7 to the end),
 *   o+7 content type (u16), o+9 content and child blocks.
 * All offsets are absolute positions in the whole file buffer.
 */
#ifndef KESTRIX_PTX_CONTAINER_H
#define KESTRIX_PTX_CONTAINER_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    PTX_OK = 0,
    PTX_ERR_SHORT = -1,      /* shorter than the header, or bad arguments */
    PTX_ERR_SCHEME = -2,     /* unknown scramble scheme */
    PTX_ERR_NOMEM = -3,      /* no file buffer: out of memory, or the file is
                                larger than 32-bit offsets reach (UINT32_MAX) */
    PTX_ERR_IO = -4          /* cannot open, not a regular file, or short read */
};

enum { PTX_HEADER_SIZE = 20, PTX_BLOCK_HEADER_SIZE = 9 };

typedef struct ptx_block {
    uint16_t content_type;
    uint16_t block_type;
    uint32_t size;     /* bytes from offset to the block's end */
    uint32_t offset;   /* absolute position of the content type (o+7) */
    struct ptx_block *children;  /* exactly child_count records, or NULL */
    uint32_t child_count;
} ptx_block;

/* The fifteen content types the extractions read. */
enum { PTX_INDEXED_TYPE_COUNT = 15 };
extern const uint16_t ptx_indexed_content_types[PTX_INDEXED_TYPE_COUNT];

typedef struct ptx_block_list {
    const ptx_block **items;
    uint32_t count;
    uint32_t capacity;
} ptx_block_list;

/* Non-owning references into a block tree, one list per indexed content
 * type, in pre-order. Zero-initialise before the first ptx_index_blocks. */
typedef struct ptx_block_index {
    ptx_block_list lists[PTX_INDEXED_TYPE_COUNT];
} ptx_block_index;

uint16_t ptx_read_u16(const uint8_t *buffer, uint32_t offset, bool big_endian);
uint32_t ptx_read_u32(const uint8_t *buffer, uint32_t offset, bool big_endian);
uint64_t ptx_read_u64(const uint8_t *buffer, uint32_t offset, bool big_endian);

/* A u32 length L at offset followed by L bytes. Returns the bytes (not
 * terminated) and stores L, or NULL when they do not fit in the buffer. */
const uint8_t *ptx_read_counted(const uint8_t *buffer, uint32_t buffer_size, uint32_t offset,
                                bool big_endian, uint32_t *out_length);

bool ptx_is_big_endian(const uint8_t *buffer, uint32_t buffer_size);
int ptx_descramble(uint8_t *buffer, uint32_t buffer_size);

/* Checks the file's type, size and 20-byte header before reading the rest,
 * so a file that is not a session is refused without reading its body.
 * On PTX_OK the caller owns *out_buffer and releases it with free(). */
int ptx_load_file(const char *path, uint8_t **out_buffer, uint32_t *out_size);

/* byte_order: 1 big, 0 little, negative to take it from the header. */
int ptx_parse_blocks(const uint8_t *buffer, uint32_t buffer_size, int byte_order,
                     uint32_t start_offset, ptx_block **out_blocks, uint32_t *out_count);
bool ptx_parse_block_at(const uint8_t *buffer, uint32_t offset, uint32_t end, bool big_endian,
                        ptx_block *out_block);
/* A parsed tree is one allocation starting with the array handed out (the
 * top-level blocks, or the children of the block from ptx_parse_block_at);
 * freeing that array releases every descendant. Accepts NULL. */
void ptx_free_blocks(ptx_block *blocks, uint32_t count);

/* Returns false when memory ran out (the index then holds what fitted). */
bool ptx_index_blocks(ptx_block_index *index, const ptx_block *blocks, uint32_t count);
const ptx_block_list *ptx_block_index_list(const ptx_block_index *index, uint16_t content_type);
void ptx_block_index_free(ptx_block_index *index);

#ifdef __cplusplus
}
#endif

#endif
