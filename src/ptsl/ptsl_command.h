// Running one PTSL command on the connection that ptsl_connect made.
#ifndef KESTRIX_PTSL_PTSL_COMMAND_H
#define KESTRIX_PTSL_PTSL_COMMAND_H

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrix {

struct CommandResult {
    std::string body;   // the response body JSON; empty on failure
    std::string error;  // the error text; empty on success
    bool ok = false;
};

} // namespace kestrix

// Sends the command with its JSON body and waits at most 30 seconds for the
// answer. The command is recorded in the calling thread's transcript. Never
// throws; without a connection the result is a failure.
kestrix::CommandResult ptsl_run_command(int32_t command, std::string_view body);

#endif
