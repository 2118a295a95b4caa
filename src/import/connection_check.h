// Whether Pro Tools is there, new enough and has a session open.
#ifndef KESTRIX_IMPORT_CONNECTION_CHECK_H
#define KESTRIX_IMPORT_CONNECTION_CHECK_H

#include <cstdint>
#include <string>

namespace kestrix::import {

enum class ConnectionState { checking, noConnection, versionTooOld, noSession, ready };

struct ConnectionCheck {
    ConnectionState state = ConnectionState::checking;
    std::string proToolsVersion;  // "2025.10"; empty before it is known
    std::string sessionName;      // when ready
    int32_t proToolsSampleRate = 0;  // Hz, when ready; 0 when unknown
};

// Blocks for up to the connection time-out: call on a background thread.
ConnectionCheck checkConnection();

struct StateView {
    std::string title;  // may be empty
    std::string text;
};

// What the dialog shows for a state (ready shows nothing of its own).
StateView connectionStateView(const ConnectionCheck &check);

} // namespace kestrix::import

#endif
