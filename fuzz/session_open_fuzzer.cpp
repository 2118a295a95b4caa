// libFuzzer target: any bytes as a session file, opened and read through
// every accessor of the flat interface.
#include "session_replay.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

// The reader opens files by path, so every input is written to one file of
// this process's own, removed when the run ends.
class InputFile {
public:
    InputFile()
        : path_((std::filesystem::temp_directory_path()
                 / ("kestrix-fuzz-" + std::to_string(::getpid()) + ".ptx")).string())
    {
    }
    ~InputFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;

    bool write(const uint8_t *data, size_t size) const
    {
        std::FILE *f = std::fopen(path_.c_str(), "wb");
        if (!f)
            return false;
        const bool written = std::fwrite(data, 1, size, f) == size;
        return std::fclose(f) == 0 && written;
    }
    const char *path() const { return path_.c_str(); }

private:
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
