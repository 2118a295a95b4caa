// libFuzzer target: any bytes as a session file, opened and read through
// every accessor of the flat interface.
#include "session_replay.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The reader opens files by path. Each input goes into one anonymous
// in-memory file, opened by its /proc path: a file on disk costs a flush per
// input on some file systems. (libFuzzer runs on Linux, where memfd is.)
class InputFile {
public:
    InputFile() : fd_(::memfd_create("kestrix-fuzz-input", 0))
    {
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~InputFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;

    bool write(const uint8_t *data, size_t size) const
    {
        if (fd_ < 0 || ::ftruncate(fd_, off_t(size)) != 0)
            return false;
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(fd_, data + done, size - done, off_t(done));
            if (n <= 0)
                return false;
            done += size_t(n);
        }
        return true;
    }
    const char *path() const { return path_.c_str(); }

private:
    int fd_;
    std::string path_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const InputFile input;
    if (!input.write(data, size)) {
        std::perror(input.path());
        std::abort();  // nothing can be tested without the file
    }
    const std::string fault = ptxtest::replaySession(input.path());
    if (!fault.empty()) {
        std::fprintf(stderr, "reader interface fault: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
