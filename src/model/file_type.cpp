#include "file_type.h"

#include <array>
#include <utility>

namespace kestrix {

namespace {

struct TagLabel {
    std::string_view tag;
    std::string_view label;
};

constexpr std::array kTagLabels = {
    TagLabel{"WAVE", "WAV"},  TagLabel{"EVAW", "WAV"},  TagLabel{"AIFF", "AIFF"}, TagLabel{"FFIA", "AIFF"},
    TagLabel{"AIFC", "AIFC"}, TagLabel{"CFIA", "AIFC"}, TagLabel{"fFXM", "MXF"},  TagLabel{"MXFf", "MXF"},
    TagLabel{"MooV", "MOV"},  TagLabel{"VooM", "MOV"},  TagLabel{"mpg4", "MP4"},  TagLabel{"4gpm", "MP4"},
    TagLabel{"FM4A", "MP4"},  TagLabel{"A4MF", "MP4"},
};

constexpr std::array<std::string_view, 5> kPlayableLabels = {"WAV", "AIFF", "AIFC", "MP4", ""};

std::string labelFor(std::string_view tag)
{
    for (const TagLabel &entry : kTagLabels)
        if (entry.tag == tag)
            return std::string(entry.label);
    // The reader's tags are printable ASCII, so reversing bytes reverses characters.
    return std::string(tag.rbegin(), tag.rend());
}

} // namespace

PTXFileTypeInfo fileTypeInfo(std::string_view typeTag)
{
    PTXFileTypeInfo info{labelFor(typeTag), true};
    for (std::string_view playable : kPlayableLabels)
        if (info.label == playable)
            info.playbackUnavailable = false;
    return info;
}

} // namespace kestrix
