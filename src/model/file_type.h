// The file-type badge of an audio file, from its four-character type tag.
#ifndef KESTRIX_MODEL_FILE_TYPE_H
#define KESTRIX_MODEL_FILE_TYPE_H

#include <string>
#include <string_view>

namespace kestrix {

struct PTXFileTypeInfo {
    std::string label;
    bool playbackUnavailable = false;
    bool operator==(const PTXFileTypeInfo &) const = default;
};

// Known tags (stored in either byte order) get their format name; an
// unknown tag is shown reversed, as it reads in the file's own byte order.
PTXFileTypeInfo fileTypeInfo(std::string_view typeTag);

} // namespace kestrix

#endif
