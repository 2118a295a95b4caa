// Files that are not sessions are refused before their bodies are read, and
// paths that are not regular files are refused without blocking on them.
// Each load runs in a child process: a regression that blocks then fails the
// test instead of hanging the suite, and the child's peak memory shows
// whether the body was read.
#include "ptx_container.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uint64_t kGiB = uint64_t(1) << 30;
// Reading a body of gigabytes raises the peak far above this.
constexpr int64_t kSmallGrowth = 64 << 20;
constexpr unsigned kWatchdogSeconds = 20;
// The child's exit code when its peak memory grew by more than kSmallGrowth.
constexpr int kBodyRead = 100;

struct WatchedLoad {
    bool finished = false;
    int status = 0;
    bool bodyRead = false;
};

int64_t peakMemoryBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
#if defined(__APPLE__)
    return usage.ru_maxrss;
#else
    return int64_t(usage.ru_maxrss) * 1024;
#endif
}

// ptx_load_file in a child process, killed by its alarm when it takes longer
// than the watchdog allows.
WatchedLoad loadInChild(const std::string &path)
{
    const pid_t child = fork();
    if (child == 0) {
        alarm(kWatchdogSeconds);
        const int64_t before = peakMemoryBytes();
        uint8_t *buffer = nullptr;
        uint32_t size = 0;
        const int status = ptx_load_file(path.c_str(), &buffer, &size);
        std::free(buffer);
        _exit(peakMemoryBytes() - before < kSmallGrowth ? -status : kBodyRead);
    }
    int waitStatus = 0;
    if (child < 0 || waitpid(child, &waitStatus, 0) != child || !WIFEXITED(waitStatus))
        return {};
    const int code = WEXITSTATUS(waitStatus);
    return code == kBodyRead ? WatchedLoad{true, 0, true} : WatchedLoad{true, -code, false};
}

// A sparse file of `size` bytes (costing no disk) whose header carries the
// scramble scheme; scheme 0 leaves it all zeros.
bool writeSparse(const std::string &path, uint64_t size, uint8_t scheme)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    uint8_t header[PTX_HEADER_SIZE] = {};
    header[18] = scheme;
    header[19] = 0x4B;
    const bool ok = (scheme == 0 || write(fd, header, sizeof header) == ssize_t(sizeof header))
                    && ftruncate(fd, off_t(size)) == 0;
    close(fd);
    return ok;
}
} // namespace

TEST(RefusedFiles, WrongOrOversizedFilesAreRefusedWithoutReadingTheirBodies)
{
    struct Case {
        const char *what;
        uint64_t size;
        uint8_t scheme;
        int status;
    };
    const Case cases[] = {
        {"2 GiB of zeros", 2 * kGiB, 0, PTX_ERR_SCHEME},
        {"2 GiB with scheme 3", 2 * kGiB, 3, PTX_ERR_SCHEME},
        {"4 GiB with scheme 1", 4 * kGiB, 1, PTX_ERR_NOMEM},
        {"4 GiB + 1 with scheme 5", 4 * kGiB + 1, 5, PTX_ERR_NOMEM},
    };
    for (const Case &c : cases) {
        ptxtest::TempFile file("large.ptx");
        ASSERT_TRUE(writeSparse(file.path(), c.size, c.scheme)) << c.what;
        const WatchedLoad load = loadInChild(file.path());
        ASSERT_TRUE(load.finished) << c.what;
        EXPECT_FALSE(load.bodyRead) << c.what;
        EXPECT_EQ(load.status, c.status) << c.what;
    }
}

TEST(RefusedFiles, PathsThatAreNotRegularFilesAreRefusedAtOnce)
{
    ptxtest::TempFile fifo("pipe.ptx");
    ASSERT_EQ(mkfifo(fifo.path().c_str(), 0600), 0);
    const WatchedLoad fromFifo = loadInChild(fifo.path());
    ASSERT_TRUE(fromFifo.finished) << "blocked on a FIFO without a writer";
    EXPECT_EQ(fromFifo.status, PTX_ERR_IO);

    const std::string folder = std::filesystem::path(fifo.path()).parent_path().string();
    EXPECT_EQ(loadInChild(folder).status, PTX_ERR_IO) << "a directory";
    if (std::filesystem::exists("/dev/zero")) {
        EXPECT_EQ(loadInChild("/dev/zero").status, PTX_ERR_IO) << "an endless device";
    }
}
