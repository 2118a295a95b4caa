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

ptxw::SessionFile sessionWith(std::initializer_list<ptxw::Block> blocks, bool bigEndian)
{
    ptxw::SessionFile file;
    file.bigEndian = bigEndian;
    for (const ptxw::Block &b : blocks)
        file.block(b);
    return file;
}

} // namespace ptxtest
