// For tests only: point the connection logic at a loopback test server and
// shorten its waits. The defaults stay as they are unless a test sets
// these. Programs started by tests (ptsl-query) take the address from the
// environment variable KESTRIX_PTSL_TEST_ADDRESS instead.
#ifndef KESTRIX_PTSL_PTSL_TEST_HOOKS_H
#define KESTRIX_PTSL_PTSL_TEST_HOOKS_H

#include <chrono>
#include <optional>
#include <string>

namespace kestrix::ptsl::testing {

struct SettingsOverride {
    std::optional<std::string> address;
    std::optional<std::chrono::milliseconds> clientConstructionWait;
    std::optional<std::chrono::milliseconds> commandDeadline;
};

// Replaces every earlier override; an empty override restores the defaults.
void overrideSettings(SettingsOverride settings);

} // namespace kestrix::ptsl::testing

#endif
