#include "name_bounds.h"

#include <sqlite3.h>

#include <algorithm>
#include <limits>

namespace kestrix::archive {

namespace {

void appendVarint(std::string &out, uint32_t v)
{
    while (v >= 0x80) {
        out += char((v & 0x7f) | 0x80);
        v >>= 7;
    }
    out += char(v);
}

// Reads a varint at `at`, moving past it; false when it runs past `end` or
// holds more than 32 bits.
bool readVarint(const unsigned char *&at, const unsigned char *end, uint32_t &value)
{
    uint64_t v = 0;
    for (int shift = 0; at < end && shift < 35; shift += 7) {
        const unsigned char byte = *at++;
        v |= uint64_t(byte & 0x7f) << shift;
        if (!(byte & 0x80)) {
            value = uint32_t(v);
            return v <= std::numeric_limits<uint32_t>::max();
        }
    }
    return false;
}

uint32_t readLittleEndian(const unsigned char *p, uint32_t width)
{
    uint32_t v = 0;
    for (uint32_t b = 0; b < width; ++b)
        v |= uint32_t(p[b]) << (8 * b);
    return v;
}

void convertBounds(sqlite3_context *context, int, sqlite3_value **argv)
{
    const auto *blob = static_cast<const char *>(sqlite3_value_blob(argv[0]));
    const std::string bounds = nameBoundsFromFixedWidth({blob, size_t(sqlite3_value_bytes(argv[0]))});
    sqlite3_result_blob64(context, bounds.data(), bounds.size(), SQLITE_TRANSIENT);
}

} // namespace

std::string encodeNameBounds(const std::array<std::vector<uint32_t>, kBoundsColumnCount> &starts)
{
    std::string out;
    for (const std::vector<uint32_t> &column : starts) {
        const bool narrow = column.empty() || column.back() <= std::numeric_limits<uint16_t>::max();
        const uint32_t width = narrow ? 2 : 4;
        appendVarint(out, uint32_t(column.size()));
        out += char(width);
        for (uint32_t start : column)
            for (uint32_t b = 0; b < width; ++b)
                out += char((start >> (8 * b)) & 0xff);
    }
    return out;
}

std::string nameBoundsFromFixedWidth(std::string_view fixedWidth)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(fixedWidth.data());
    std::array<std::vector<uint32_t>, kBoundsColumnCount> starts;
    size_t at = 0;
    for (std::vector<uint32_t> &column : starts) {
        if (at + 4 > fixedWidth.size())
            break;
        const uint32_t n = readLittleEndian(bytes + at, 4);
        if (n > (fixedWidth.size() - at - 4) / 4)
            break;
        for (uint32_t i = 0; i < n; ++i)
            column.push_back(readLittleEndian(bytes + at + 4 + size_t(i) * 4, 4));
        at += 4 + size_t(n) * 4;
    }
    return encodeNameBounds(starts);
}

void registerBoundsConversion(sqlite3 *db)
{
    sqlite3_create_function_v2(db, "bounds_from_fixed_width", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               convertBounds, nullptr, nullptr, nullptr);
}

NameBounds::NameBounds(std::span<const unsigned char> bounds)
{
    const unsigned char *at = bounds.data();
    const unsigned char *end = at + bounds.size();
    for (NameCursor &column : columns_) {
        uint32_t count = 0;
        if (!readVarint(at, end, count) || at == end)
            return;
        const uint32_t width = *at++;
        if ((width != 2 && width != 4) || count > size_t(end - at) / width)
            return;
        column = NameCursor(at, count, width);
        at += size_t(count) * width;
    }
}

} // namespace kestrix::archive
