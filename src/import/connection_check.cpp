#include "connection_check.h"

#include "ptsl.h"

#include <cstdlib>
#include <memory>
#include <optional>

namespace kestrix::import {

namespace {

std::optional<std::string> take(char *text)
{
    const std::unique_ptr<char, decltype(&std::free)> owned(text, &std::free);
    return text ? std::optional<std::string>(text) : std::nullopt;
}

} // namespace

ConnectionCheck checkConnection()
{
    ConnectionCheck check;
    if (!take(ptsl_get_version_string())) {
        check.state = ConnectionState::noConnection;
        return check;
    }
    char *version = nullptr;
    const int32_t supported = ptsl_check_import_supported(&version);
    check.proToolsVersion = take(version).value_or("");
    if (!supported) {
        check.state = ConnectionState::versionTooOld;
        return check;
    }
    const std::optional<std::string> name = take(ptsl_get_session_name());
    if (!name) {
        check.state = ConnectionState::noSession;
        return check;
    }
    check.sessionName = *name;
    check.proToolsSampleRate = ptsl_get_session_sample_rate();
    check.state = ConnectionState::ready;
    return check;
}

StateView connectionStateView(const ConnectionCheck &check)
{
    switch (check.state) {
    case ConnectionState::checking: return {"", "Connecting to Pro Tools\xE2\x80\xA6"};
    case ConnectionState::noConnection: return {"Cannot Connect to Pro Tools", "Make sure Pro Tools is running."};
    case ConnectionState::versionTooOld:
        return {"Pro Tools Version Not Supported",
                "Import requires Pro Tools 2025.6 or later.\nDetected version: " + check.proToolsVersion};
    case ConnectionState::noSession: return {"", "Open or create a session in Pro Tools, then try again."};
    case ConnectionState::ready: break;
    }
    return {};
}

} // namespace kestrix::import
