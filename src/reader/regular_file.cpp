#include "regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace ptx {

namespace {

// Some systems refuse a single read of more than INT_MAX bytes (macOS) or
// take the count as an int (Windows), so large reads go in pieces.
constexpr uint64_t kMaxReadChunk = uint64_t(1) << 30;

#if defined(_WIN32)
int open_read_only(const char *path) { return ::_open(path, _O_RDONLY | _O_BINARY); }
bool is_regular(int fd, uint64_t *size)
{
    struct _stat64 st;
    if (::_fstat64(fd, &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG || st.st_size < 0)
        return false;
    *size = uint64_t(st.st_size);
    return true;
}
long long read_some(int fd, void *into, uint64_t length) { return ::_read(fd, into, unsigned(length)); }
void close_fd(int fd) { ::_close(fd); }
#else
// O_NONBLOCK keeps the open itself from waiting for a FIFO's writer; reads
// from a regular file ignore it.
int open_read_only(const char *path)
{
    int fd;
    do
        fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    while (fd < 0 && errno == EINTR);
    return fd;
}
bool is_regular(int fd, uint64_t *size)
{
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0)
        return false;
    *size = uint64_t(st.st_size);
    return true;
}
long long read_some(int fd, void *into, uint64_t length) { return ::read(fd, into, size_t(length)); }
void close_fd(int fd) { ::close(fd); }
#endif

} // namespace

RegularFile::~RegularFile()
{
    if (fd_ >= 0)
        close_fd(fd_);
}

bool RegularFile::open(const char *path)
{
    if (fd_ >= 0 || !path)
        return false;
    const int fd = open_read_only(path);
    if (fd < 0)
        return false;
    if (!is_regular(fd, &size_)) {
        close_fd(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

bool RegularFile::read_exact(void *into, uint64_t length)
{
    if (fd_ < 0)
        return false;
    auto *at = static_cast<unsigned char *>(into);
    while (length > 0) {
        const uint64_t chunk = length < kMaxReadChunk ? length : kMaxReadChunk;
        const long long got = read_some(fd_, at, chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        at += got;
        length -= uint64_t(got);
    }
    return true;
}

} // namespace ptx
