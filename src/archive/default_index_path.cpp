#include "default_index_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace kestrix::archive {

std::string defaultIndexPath()
{
    const char *dataHome = std::getenv("XDG_DATA_HOME");
    fs::path base;
    if (dataHome && fs::path(dataHome).is_absolute()) {
        base = dataHome;
    } else if (const char *home = std::getenv("HOME"); home && *home) {
        base = fs::path(home) / ".local" / "share";
    } else {
        return {};
    }
    return (base / "kestrix" / "index.sqlite").string();
}

bool makeIndexFolder(const std::string &databasePath, std::string &error)
{
    const fs::path folder = fs::absolute(databasePath).parent_path();
    std::error_code code;
    fs::create_directories(folder, code);
    if (code) {
        error = "Cannot create the folder " + folder.string() + ": " + code.message();
        return false;
    }
    return true;
}

} // namespace kestrix::archive
