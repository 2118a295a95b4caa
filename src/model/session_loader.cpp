#include "session_loader.h"

#include "ptx_session.h"
#include "session_readers.h"

#include <filesystem>

namespace kestrix {

std::string sessionNameFromPath(std::string_view path)
{
    return std::filesystem::path(path).stem().string();
}

PTXSessionInfo buildSessionInfo(const ptx_session *s, std::string sessionName)
{
    PTXSessionInfo info;
    info.sessionName = std::move(sessionName);
    readSessionProperties(s, info);
    readSessionRecords(s, info);
    return info;
}

Result<PTXSessionInfo, PTXError> loadSession(const std::string &path)
{
    const std::optional<PTXSession> session = PTXSession::open(path);
    if (!session)
        return PTXError::parseFailed();
    return buildSessionInfo(session->handle(), sessionNameFromPath(path));
}

} // namespace kestrix
