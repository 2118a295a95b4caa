#include "thumbnail_input.h"

#include "ptx_container.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kestrix {
namespace {

// The top-level blocks of a whole session follow one another from the end of
// the header to the end of the file; a cut-off file ends inside its last one.
bool topLevelBlocksReachTheEnd(const std::string &path)
{
    uint8_t *buffer = nullptr;
    uint32_t size = 0;
    if (ptx_load_file(path.c_str(), &buffer, &size) != PTX_OK)
        return false;
    const bool bigEndian = ptx_is_big_endian(buffer, size);
    uint32_t position = PTX_HEADER_SIZE;
    bool whole = position < size;
    while (whole && position < size) {
        ptx_block block{};
        whole = ptx_parse_block_at(buffer, position, size, bigEndian, &block);
        if (whole) {
            ptx_free_blocks(block.children, block.child_count);
            position = block.offset + block.size;  // past the block: it fits, so no overflow
        }
    }
    std::free(buffer);
    return whole && position == size;
}

} // namespace

std::optional<std::string> refuseThumbnailInput(const std::string &path)
{
    std::error_code error;
    // status() follows a symbolic link to what it names, as opening does.
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error)
        return path + ": " + error.message();
    if (!std::filesystem::is_regular_file(status))
        return path + ": not a regular file";
    const std::uintmax_t bytes = std::filesystem::file_size(path, error);
    if (error)
        return path + ": " + error.message();
    if (bytes == 0)
        return path + ": empty file";
    if (bytes > kMaxThumbnailInputBytes)
        return path + ": too large for a thumbnail";
    if (!topLevelBlocksReachTheEnd(path))
        return path + ": not a whole Pro Tools session (damaged or cut off)";
    return std::nullopt;
}

} // namespace kestrix
