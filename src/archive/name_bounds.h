// The name bounds of a session's text: for each column of session_text,
// where each name starts, in tokens, so that a match found at a token offset
// names the name it lies in.
//
// Stored beside the session, per column: the number of names (a varint), the
// width of a start (2 bytes, or 4 when the column holds 65,536 tokens or
// more), then each name's start, little-endian. Two bytes a name keep a
// session's row small enough to share a page with others, and a start is
// found without reading the ones before it.
#ifndef KESTRIX_ARCHIVE_NAME_BOUNDS_H
#define KESTRIX_ARCHIVE_NAME_BOUNDS_H

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace kestrix::archive {

inline constexpr int kBoundsColumnCount = 7;

// `starts` holds, per column, the increasing token offsets at which its names start.
std::string encodeNameBounds(const std::array<std::vector<uint32_t>, kBoundsColumnCount> &starts);

// The bounds as the first schema stored them (per column a 32-bit count and a
// 32-bit start per name, little-endian), in today's form. What cannot be read
// becomes columns without names.
std::string nameBoundsFromFixedWidth(std::string_view fixedWidth);

// Registers bounds_from_fixed_width(blob), nameBoundsFromFixedWidth for SQL.
void registerBoundsConversion(sqlite3 *db);

// The names of one column: the name a token offset lies in.
class NameCursor {
public:
    NameCursor() = default;
    // `starts` holds `count` starts of `width` bytes each.
    NameCursor(const unsigned char *starts, uint32_t count, uint32_t width)
        : starts_(starts), count_(count), width_(width)
    {
    }

    bool empty() const { return count_ == 0; }
    uint32_t count() const { return count_; }
    // The last name starting at or before `offset`. The walk starts from the
    // name found last and goes forward a block of names at a time, so offsets
    // asked in increasing order cost little; an earlier one starts over.
    uint32_t nameAt(uint32_t offset)
    {
        if (last_ >= count_ || (width_ == 2 ? startOf<2>(last_) : startOf<4>(last_)) > offset)
            last_ = 0;
        last_ = width_ == 2 ? walk<2>(offset) : walk<4>(offset);
        return last_;
    }

private:
    template <uint32_t Width>
    uint32_t startOf(uint32_t name) const
    {
        const unsigned char *p = starts_ + size_t(name) * width_;
        const uint32_t low = uint32_t(p[0]) | uint32_t(p[1]) << 8;
        return Width == 2 ? low : low | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }

    // Starts are in increasing order: the names at or before `offset` are
    // the first ones. Whole blocks are skipped by their last start; within
    // the last block they are counted without a branch.
    template <uint32_t Width>
    uint32_t walk(uint32_t offset) const
    {
        constexpr uint32_t kBlock = 16;
        uint32_t at = last_;
        while (at + kBlock < count_ && startOf<Width>(at + kBlock) <= offset)
            at += kBlock;
        const uint32_t end = at + kBlock + 1 < count_ ? at + kBlock + 1 : count_;
        uint32_t before = 0;
        for (uint32_t name = at + 1; name < end; ++name)
            before += startOf<Width>(name) <= offset;
        return at + before;
    }

    const unsigned char *starts_ = nullptr;
    uint32_t count_ = 0;
    uint32_t width_ = 0;
    uint32_t last_ = 0;
};

// The stored bounds of one session, read once for all its columns.
class NameBounds {
public:
    // Columns the bounds are too short for have no names.
    explicit NameBounds(std::span<const unsigned char> bounds);
    // A fresh cursor over the names of `column`.
    NameCursor column(int column) const { return columns_[size_t(column)]; }

private:
    std::array<NameCursor, kBoundsColumnCount> columns_;
};

} // namespace kestrix::archive

#endif
