#include "ptx_session.h"

#include "log.h"

#include <cstdlib>

namespace kestrix {

std::optional<PTXSession> PTXSession::open(const std::string &path)
{
    char *error = nullptr;
    ptx_session *handle = ptx_session_open(path.c_str(), &error);
    if (error) {
        logLine("PTXSession", std::string("Parse failed: ") + error);
        std::free(error);
    }
    if (!handle)
        return std::nullopt;
    return PTXSession(handle);
}

} // namespace kestrix
