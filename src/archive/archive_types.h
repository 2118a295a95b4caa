// The values the archive index stores and returns.
#ifndef KESTRIX_ARCHIVE_TYPES_H
#define KESTRIX_ARCHIVE_TYPES_H

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix::archive {

// The kinds of names a session holds; the order is the column order of the index.
enum class NameKind { track, clip, file, plugin, marker, comment };
inline constexpr int kNameKindCount = 6;

std::string_view nameKindText(NameKind kind);
std::optional<NameKind> nameKindFromText(std::string_view text);

struct IndexedName {
    NameKind kind = NameKind::track;
    std::string name;
    std::string detail;  // an audio file's path; empty for other kinds
};

// What tells a changed file from an unchanged one.
struct FileStamp {
    int64_t size = 0;
    int64_t modified = 0;  // nanoseconds since the epoch
    bool operator==(const FileStamp &) const = default;
};

struct IndexedSession {
    std::string path;
    FileStamp stamp;
    std::string sessionName;
    std::string propertiesJson;  // the session's display properties as a JSON object
    std::vector<IndexedName> names;
};

struct SessionMatch {
    NameKind kind = NameKind::track;
    std::string name;
};

struct SessionHit {
    std::string path;
    std::string sessionName;
    std::vector<SessionMatch> matches;
};

struct FailedFile {
    std::string path;
    std::string error;
};

struct IndexStats {
    int64_t sessions = 0;
    int64_t names = 0;
    int64_t databaseBytes = 0;
    std::vector<FailedFile> failed;
};

// A database that cannot be opened, read or written.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kestrix::archive

#endif
