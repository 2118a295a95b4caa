// A writer for session files, so that tests state the exact bytes they need.
//
// A Block is a content type, a block type and a content laid out with a
// cursor: every field is written at the cursor and moves it on; at(N) moves
// the cursor so that the next field lands at offset+N, where offset is the
// position of the block's content type (padding with zeros, or going back to
// overwrite). Children are placed the same way. Fields marked "le" are always
// little-endian; the others follow the session byte order chosen when the
// file is written.
#ifndef KESTRIX_TEST_SESSION_WRITER_H
#define KESTRIX_TEST_SESSION_WRITER_H

#include <bit>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ptxw {

using Bytes = std::vector<uint8_t>;

class Block;

// The laid-out fields and children of a block or of a file body.
class Layout {
public:
    // The length the laid-out content occupies, in bytes.
    size_t length() const;

protected:
    void addField(uint64_t value, int width, bool littleEndian);
    void addBytes(const Bytes &raw);
    void addChild(const Block &block);
    // Moves the cursor to a position relative to the start of the layout.
    void seek(size_t position) { cursor_ = position; }
    void serializeInto(Bytes &out, size_t base, bool bigEndian) const;

private:
    struct Item {
        size_t position = 0;
        int width = 0;            // field width, 0 for raw bytes or a child
        bool littleEndian = true;
        uint64_t value = 0;
        Bytes raw;
        std::shared_ptr<const Block> child;
    };
    std::vector<Item> items_;
    size_t cursor_ = 0;
};

// The chainable field writers, returning the concrete type.
template <class Self>
class Fields : public Layout {
public:
    // Session byte order.
    Self &u8(uint8_t v) { return field(v, 1, true); }
    Self &u16(uint16_t v) { return field(v, 2, false); }
    Self &u32(uint32_t v) { return field(v, 4, false); }
    Self &u64(uint64_t v) { return field(v, 8, false); }
    // Always little-endian; uintle writes the low `width` bytes (1 to 8).
    Self &u16le(uint16_t v) { return field(v, 2, true); }
    Self &u32le(uint32_t v) { return field(v, 4, true); }
    Self &u64le(uint64_t v) { return field(v, 8, true); }
    Self &uintle(uint64_t v, int width) { return field(v, width, true); }
    Self &f64le(double v) { return field(std::bit_cast<uint64_t>(v), 8, true); }
    Self &bytes(std::string_view raw) { return bytes(Bytes(raw.begin(), raw.end())); }
    Self &bytes(const Bytes &raw) { addBytes(raw); return self(); }
    Self &zeros(size_t n) { return bytes(Bytes(n, 0)); }
    // u32 length (session byte order) followed by the bytes.
    Self &counted(std::string_view text) { u32(uint32_t(text.size())); return bytes(text); }
    Self &child(const Block &block) { addChild(block); return self(); }

private:
    Self &self() { return static_cast<Self &>(*this); }
    Self &field(uint64_t value, int width, bool littleEndian)
    {
        addField(value, width, littleEndian);
        return self();
    }
};

class Block : public Fields<Block> {
public:
    explicit Block(uint16_t contentType, uint16_t blockType = 0)
        : contentType_(contentType), blockType_(blockType) {}

    // Places the next field or child at offset+n (n >= 2).
    Block &at(size_t n);
    // Writes `size` into the block header instead of the true size.
    Block &sizeField(uint32_t size) { sizeOverride_ = size; return *this; }
    // Writes a raw block-type value (the reader rejects values above 255).
    Block &blockTypeField(uint16_t type) { blockType_ = type; return *this; }

    // The block's size field: bytes from the content type to the end.
    uint32_t size() const { return uint32_t(2 + length()); }
    // Total bytes on disk: 'Z', block type, size, then size bytes.
    size_t encodedLength() const { return 7 + size(); }
    Bytes serialize(bool bigEndian) const;

private:
    friend class Layout;
    uint16_t contentType_;
    uint16_t blockType_;
    std::optional<uint32_t> sizeOverride_;
};

// A whole file: the 20-byte header and a body of top-level blocks and junk.
class SessionFile : public Fields<SessionFile> {
public:
    bool bigEndian = false;
    uint8_t scheme = 1;
    uint8_t seed = 0;

    SessionFile &block(const Block &b) { child(b); return *this; }
    // The plain (descrambled) file.
    Bytes plain() const;
    // The file as stored: the body scrambled with scheme and seed.
    Bytes scrambled() const;
    // Writes the scrambled file; returns false when it cannot be written.
    bool write(const std::string &path) const;
};

// XORs the body with the key stream of the scheme and seed in bytes 18, 19.
// Applying it twice gives the input back.
void scramble(Bytes &file);

bool writeBytes(const std::string &path, const Bytes &bytes);

} // namespace ptxw

#endif
