#include "session_writer.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace ptxw {

void Layout::addField(uint64_t value, int width, bool littleEndian)
{
    items_.push_back({cursor_, width, littleEndian || width == 1, value, {}, nullptr});
    cursor_ += size_t(width);
}

void Layout::addBytes(const Bytes &raw)
{
    items_.push_back({cursor_, 0, true, 0, raw, nullptr});
    cursor_ += raw.size();
}

void Layout::addChild(const Block &block)
{
    items_.push_back({cursor_, 0, true, 0, {}, std::make_shared<const Block>(block)});
    cursor_ += block.encodedLength();
}

size_t Layout::length() const
{
    size_t end = cursor_;
    for (const Item &item : items_) {
        size_t width = item.width ? size_t(item.width)
                       : item.child ? item.child->encodedLength()
                                    : item.raw.size();
        end = std::max(end, item.position + width);
    }
    return end;
}

static void putUint(uint8_t *at, uint64_t value, int width, bool littleEndian)
{
    for (int k = 0; k < width; ++k) {
        const uint8_t byte = uint8_t(value >> (8 * k));
        at[littleEndian ? k : width - 1 - k] = byte;
    }
}

void Layout::serializeInto(Bytes &out, size_t base, bool bigEndian) const
{
    for (const Item &item : items_) {
        uint8_t *at = out.data() + base + item.position;
        if (item.width)
            putUint(at, item.value, item.width, item.littleEndian || !bigEndian);
        else if (item.child) {
            Bytes encoded = item.child->serialize(bigEndian);
            std::copy(encoded.begin(), encoded.end(), at);
        } else
            std::copy(item.raw.begin(), item.raw.end(), at);
    }
}

Block &Block::at(size_t n)
{
    seek(n >= 2 ? n - 2 : 0);
    return *this;
}

Bytes Block::serialize(bool bigEndian) const
{
    Bytes out(encodedLength(), 0);
    out[0] = 'Z';
    putUint(&out[1], blockType_, 2, !bigEndian);
    putUint(&out[3], sizeOverride_.value_or(size()), 4, !bigEndian);
    putUint(&out[7], contentType_, 2, !bigEndian);
    serializeInto(out, 9, bigEndian);
    return out;
}

Bytes SessionFile::plain() const
{
    Bytes out(20 + length(), 0);
    std::memcpy(out.data(), "KestrixTestFile\0\0", 17);
    out[17] = bigEndian ? 1 : 0;
    out[18] = scheme;
    out[19] = seed;
    serializeInto(out, 20, bigEndian);
    return out;
}

Bytes SessionFile::scrambled() const
{
    Bytes out = plain();
    scramble(out);
    return out;
}

bool SessionFile::write(const std::string &path) const
{
    return writeBytes(path, scrambled());
}

void scramble(Bytes &file)
{
    if (file.size() < 20)
        return;
    const uint8_t seed = file[19];
    uint8_t step;
    if (file[18] == 1)
        step = uint8_t(seed * 29u);
    else if (file[18] == 5)
        step = uint8_t(-int(uint8_t(seed * 163u)));
    else
        return;  // unknown schemes are written as they are
    for (size_t p = 20; p < file.size(); ++p) {
        const size_t i = file[18] == 1 ? p % 256 : (p >> 12) % 256;
        file[p] ^= uint8_t(i * step);
    }
}

bool writeBytes(const std::string &path, const Bytes &bytes)
{
    // Written beside the file and renamed over it, so that an interrupted
    // write never leaves a cut-off file under the real name.
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out)
            return false;
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    return !error;
}

} // namespace ptxw
