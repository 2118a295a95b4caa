// What the thumbnailer refuses before drawing: anything but a regular file of
// a size a session can have, and a session whose blocks do not reach its end.
// The application shows what a cut-off session still holds; a thumbnail of
// one (a file still being copied, a damaged download) would be cached by the
// file manager as if it were the session's picture.
#ifndef KESTRIX_TOOLS_THUMBNAILER_THUMBNAIL_INPUT_H
#define KESTRIX_TOOLS_THUMBNAILER_THUMBNAIL_INPUT_H

#include <cstdint>
#include <optional>
#include <string>

namespace kestrix {

// Large sessions are around 100 MB; reading a far larger file would keep a
// file manager waiting for a picture nobody asked for.
inline constexpr std::uintmax_t kMaxThumbnailInputBytes = std::uintmax_t(512) << 20;

// The reason `path` is not read, or nothing when it may be.
std::optional<std::string> refuseThumbnailInput(const std::string &path);

} // namespace kestrix

#endif
