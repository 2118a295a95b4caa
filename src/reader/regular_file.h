// A session file opened for reading. Only regular files are accepted: a FIFO,
// a directory or a device is refused at open, without blocking on it or
// reading from it (a path on a hung share or a pipe must not stall a load).
#ifndef KESTRIX_REGULAR_FILE_H
#define KESTRIX_REGULAR_FILE_H

#include <cstddef>
#include <cstdint>

namespace ptx {

class RegularFile {
public:
    RegularFile() = default;
    ~RegularFile();
    RegularFile(const RegularFile &) = delete;
    RegularFile &operator=(const RegularFile &) = delete;

    // False when the path cannot be opened or is not a regular file.
    bool open(const char *path);
    // The size the file had when it was opened.
    uint64_t size() const { return size_; }
    // Reads exactly `length` bytes from the current position; false on an
    // error or when the file ends first.
    bool read_exact(void *into, uint64_t length);

private:
    int fd_ = -1;
    uint64_t size_ = 0;
};

} // namespace ptx

#endif
