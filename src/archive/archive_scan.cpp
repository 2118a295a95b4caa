#include "archive_scan.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace kestrix::archive {

namespace {

// Deeper folders than this are reported instead of walked.
constexpr int kMaxDepth = 128;

using FolderId = std::pair<uint64_t, uint64_t>;  // device, inode

bool folderId(const fs::path &folder, FolderId &id)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return false;
    id = {uint64_t(info.st_dev), uint64_t(info.st_ino)};
    return true;
}

bool isSessionFile(const fs::path &path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
    return extension == ".ptx";
}

class Walker {
public:
    Walker(ScanResult &result, const std::atomic<bool> *cancel) : result_(result), cancel_(cancel) {}

    void addFile(const fs::path &path)
    {
        FileStamp stamp;
        if (!stampOf(path.string(), stamp)) {
            result_.problems.push_back("Cannot read " + path.string());
            return;
        }
        if (seenFiles_.insert(path.string()).second)
            result_.files.push_back({path.string(), stamp});
    }

    void walk(const fs::path &folder, int depth)
    {
        if (cancel_ && cancel_->load())
            return;
        FolderId id;
        if (!folderId(folder, id)) {
            result_.problems.push_back("Cannot read folder " + folder.string());
            return;
        }
        if (ancestors_.count(id)) {
            result_.problems.push_back("Skipped a symbolic-link loop at " + folder.string());
            return;
        }
        if (depth > kMaxDepth) {
            result_.problems.push_back("Skipped folders nested too deep at " + folder.string());
            return;
        }
        if (!walked_.insert(id).second)
            return;

        std::error_code error;
        fs::directory_iterator entries(folder, error);
        if (error) {
            result_.problems.push_back("Cannot read folder " + folder.string() + ": " + error.message());
            return;
        }
        std::vector<fs::path> folders;
        std::vector<fs::path> files;
        for (auto end = fs::directory_iterator(); entries != end; entries.increment(error)) {
            if (error) {
                result_.problems.push_back("Cannot read folder " + folder.string() + ": " + error.message());
                break;
            }
            const fs::path path = entries->path();
            std::error_code typeError;
            if (fs::is_directory(path, typeError))  // follows links
                folders.push_back(path);
            else if (isSessionFile(path) && fs::is_regular_file(path, typeError))
                files.push_back(path);
        }
        // A stable order, so that progress and results repeat from run to run.
        std::sort(files.begin(), files.end());
        std::sort(folders.begin(), folders.end());
        for (const fs::path &file : files)
            addFile(file);
        ancestors_.insert(id);
        for (const fs::path &child : folders)
            walk(child, depth + 1);
        ancestors_.erase(id);
    }

private:
    ScanResult &result_;
    const std::atomic<bool> *cancel_;
    std::set<FolderId> ancestors_;
    std::set<FolderId> walked_;
    std::set<std::string> seenFiles_;
};

} // namespace

bool stampOf(const std::string &path, FileStamp &stamp)
{
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error)
        return false;
    const auto modified = fs::last_write_time(path, error);
    if (error)
        return false;
    stamp.size = int64_t(size);
    stamp.modified = int64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count());
    return true;
}

ScanResult scanForSessions(const std::vector<std::string> &paths, const std::atomic<bool> *cancel)
{
    ScanResult result;
    Walker walker(result, cancel);
    for (const std::string &given : paths) {
        std::error_code error;
        const fs::path path = fs::absolute(given, error).lexically_normal();
        if (error || !fs::exists(path, error)) {
            result.problems.push_back("No such file or folder: " + given);
        } else if (fs::is_directory(path, error)) {
            // "a/b/" and "a/b" name the same folder.
            const fs::path folder = path.has_filename() ? path : path.parent_path();
            result.folders.push_back(folder.string());
            walker.walk(folder, 0);
        } else {
            walker.addFile(path);
        }
    }
    return result;
}

} // namespace kestrix::archive
