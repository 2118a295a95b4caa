// Hand-built model values for the model tests.
#ifndef KESTRIX_TEST_MODEL_BUILDERS_H
#define KESTRIX_TEST_MODEL_BUILDERS_H

#include "session_info.h"

#include <optional>
#include <string>
#include <vector>

namespace modeltest {

inline kestrix::PTXClipInfo clip(std::string name, uint64_t position = 0, int64_t sourceFile = -1)
{
    kestrix::PTXClipInfo c;
    c.id = name;
    c.name = std::move(name);
    c.timelinePosition = position;
    c.sourceFileIndex = sourceFile;
    return c;
}

inline kestrix::PTXTrackInfo track(std::string name, std::vector<kestrix::PTXClipInfo> clips = {},
                                   std::optional<std::string> parent = std::nullopt,
                                   kestrix::PTXTrackType type = kestrix::PTXTrackType::audio)
{
    kestrix::PTXTrackInfo t;
    t.name = std::move(name);
    t.clips = std::move(clips);
    t.parentName = std::move(parent);
    t.type = type;
    return t;
}

inline kestrix::PTXAudioFile audioFile(std::string name, std::string path = {})
{
    return {std::move(name), std::move(path), "WAVE", false};
}

// The names of the items at the indices.
template <class T>
std::vector<std::string> namesAt(const std::vector<T> &items, const std::vector<size_t> &indices)
{
    std::vector<std::string> names;
    for (size_t i : indices) {
        if constexpr (requires { items[i].name; })
            names.push_back(items[i].name);
        else
            names.push_back(items[i].id);
    }
    return names;
}

using Names = std::vector<std::string>;

} // namespace modeltest

#endif
