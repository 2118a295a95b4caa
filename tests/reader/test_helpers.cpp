#include "test_helpers.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ptxtest {

static fs::path tempDir()
{
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("kestrix-tests-" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

TempFile::TempFile(const std::string &name)
{
    static std::atomic<int> counter{0};
    path_ = (tempDir() / (std::to_string(counter++) + "-" + name)).string();
}

TempFile::~TempFile()
{
    std::error_code ec;
    fs::remove(path_, ec);
}

SessionPtr openBytes(const ptxw::Bytes &bytes, std::string *error)
{
    TempFile file("session.ptx");
    if (!ptxw::writeBytes(file.path(), bytes))
        return nullptr;
    char *err = nullptr;
    SessionPtr s(ptx_session_open(file.path().c_str(), &err));
    if (error)
        *error = err ? err : "";
    std::free(err);
    return s;
}

SessionPtr openSession(const ptxw::SessionFile &file)
{
    return openBytes(file.scrambled());
}

ptxw::SessionFile sessionWith(const std::vector<ptxw::Block> &blocks, bool bigEndian)
{
    ptxw::SessionFile file;
    file.bigEndian = bigEndian;
    for (const ptxw::Block &b : blocks)
        file.block(b);
    return file;
}

void appendHeader(ptxw::Bytes &out, uint32_t size, uint16_t contentType)
{
    out.insert(out.end(), {'Z', 0, 0, uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24),
                           uint8_t(contentType), uint8_t(contentType >> 8)});
}

ptxw::Bytes nestedDeep(const ptxw::Bytes &inner, size_t depth, uint16_t contentType)
{
    ptxw::Bytes out;
    out.reserve(9 * depth + inner.size());
    for (size_t d = 0; d < depth; ++d) {
        // The size counts from the content type on: 2 bytes, then the rest.
        appendHeader(out, uint32_t(2 + 9 * (depth - 1 - d) + inner.size()), contentType);
    }
    out.insert(out.end(), inner.begin(), inner.end());
    return out;
}

int trackIndex(const ptx_session *s, const std::string &name)
{
    for (int t = 0; t < ptx_track_count(s); ++t)
        if (name == ptx_track_name(s, t))
            return t;
    return -1;
}

std::vector<int32_t> placementIndices(const ptx_session *s, int t)
{
    std::vector<int32_t> indices;
    for (int k = 0; k < ptx_track_placement_count(s, t); ++k)
        indices.push_back(ptx_track_placement_is_group(s, t, k) ? ptx_track_placement_group(s, t, k)
                                                                : ptx_track_placement_clip(s, t, k));
    return indices;
}

std::vector<std::string> pluginSummary(const ptx_session *s, int t)
{
    return rows(ptx_track_plugin_count(s, t), [&](int k) {
        return joined(":", ptx_track_plugin_id(s, t, k), ptx_track_plugin_name(s, t, k),
                      ptx_track_plugin_active(s, t, k) ? "active" : "inactive");
    });
}

} // namespace ptxtest
