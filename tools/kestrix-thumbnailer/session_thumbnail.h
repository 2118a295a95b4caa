// The picture a file manager shows for a session: its name above the
// timeline overview (tracks as rows, clips in their track's colour), drawn
// by the same painter as the session window's overview.
#ifndef KESTRIX_TOOLS_THUMBNAILER_SESSION_THUMBNAIL_H
#define KESTRIX_TOOLS_THUMBNAILER_SESSION_THUMBNAIL_H

#include "session_info.h"

#include <QImage>

namespace kestrix {

// Sizes a file manager may ask for, in pixels (freedesktop asks for 128 to
// 1024; smaller ones serve list views).
inline constexpr int kMinThumbnailSize = 16;
inline constexpr int kMaxThumbnailSize = 2048;

// A square image `size` pixels wide and high; needs a QGuiApplication for
// the name's font.
QImage drawSessionThumbnail(const PTXSessionInfo &session, int size);

} // namespace kestrix

#endif
