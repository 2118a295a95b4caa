#include "session_source.h"

#include "ptx_reader.h"
#include "session_loader.h"

#include <cstdlib>
#include <memory>

namespace kestrix {

Result<PTXSessionInfo, std::string> openForComparison(const std::string &path)
{
    char *error = nullptr;
    const std::unique_ptr<ptx_session, void (*)(ptx_session *)> session(ptx_session_open(path.c_str(), &error),
                                                                        ptx_session_free);
    if (!session) {
        const std::string text = path + ": " + (error ? error : "Failed to parse session");
        std::free(error);
        return text;
    }
    return buildSessionInfo(session.get(), sessionNameFromPath(path));
}

} // namespace kestrix
