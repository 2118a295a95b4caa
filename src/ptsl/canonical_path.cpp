#include "canonical_path.h"

#include <cstdlib>
#include <memory>

namespace kestrix {

std::string canonicalPath(const std::string &path)
{
    if (path.empty())
        return path;
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

} // namespace kestrix
