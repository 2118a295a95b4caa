// Shared helpers for reader tests: write a session to a temporary file and
// open it through the flat interface.
#ifndef KESTRIX_TEST_READER_HELPERS_H
#define KESTRIX_TEST_READER_HELPERS_H

#include "ptx_reader.h"
#include "session_writer.h"

#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace ptxtest {

struct SessionCloser {
    void operator()(ptx_session *s) const { ptx_session_free(s); }
};
using SessionPtr = std::unique_ptr<ptx_session, SessionCloser>;

// A file in a per-process temporary folder, removed when destroyed.
class TempFile {
public:
    explicit TempFile(const std::string &name);
    ~TempFile();
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

// Writes the session (scrambled) and opens it; null when the open fails.
SessionPtr openSession(const ptxw::SessionFile &file);
// Writes raw file bytes and opens them, returning the error text (or "").
SessionPtr openBytes(const ptxw::Bytes &bytes, std::string *error = nullptr);

// A session file in the given byte order holding the given blocks.
ptxw::SessionFile sessionWith(const std::vector<ptxw::Block> &blocks, bool bigEndian = false);

// Appends a little-endian block header: 'Z', block type 0, the size and the content type.
void appendHeader(ptxw::Bytes &out, uint32_t size, uint16_t contentType);

// `inner` (little-endian bytes) inside `depth` levels of blocks of the
// content type that hold nothing else, written directly so that a very deep
// tree stays cheap to build.
ptxw::Bytes nestedDeep(const ptxw::Bytes &inner, size_t depth, uint16_t contentType = 0x3000);

// The values as one text joined by `separator`; integers (bytes too) in decimal.
template <class... Values>
std::string joined(const char *separator, const Values &...values)
{
    std::ostringstream out;
    const char *before = "";
    const auto put = [&](const auto &value) {
        out << before;
        if constexpr (std::is_integral_v<std::decay_t<decltype(value)>>)
            out << +value;
        else
            out << value;
        before = separator;
    };
    (put(values), ...);
    return out.str();
}

// rowAt(i) for each i below count.
template <class RowAt>
std::vector<std::string> rows(int count, RowAt rowAt)
{
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        out.push_back(rowAt(i));
    return out;
}

// The index of the track with the name, or -1.
int trackIndex(const ptx_session *s, const std::string &name);
// The clip (or, for group placements, the group) index of each placement.
std::vector<int32_t> placementIndices(const ptx_session *s, int t);
// Each plug-in of the track as "<id>:<name>:<active or inactive>".
std::vector<std::string> pluginSummary(const ptx_session *s, int t);

} // namespace ptxtest

#endif
