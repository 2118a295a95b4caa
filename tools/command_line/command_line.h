// The command line of every tool, parsed by CLI11 alike: --help and
// --version print to stdout and exit 0; a usage error prints
// "<tool>: <what is wrong>" and the usage on stderr and exits 2.
#ifndef KESTRIX_TOOLS_COMMAND_LINE_H
#define KESTRIX_TOOLS_COMMAND_LINE_H

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace kestrix::cli {

inline constexpr int kUsageError = 2;

// None when the tool goes on; otherwise the status to exit with.
std::optional<int> parse(CLI::App &app, int argc, const char *const *argv);

// Prints a usage error the tool finds after parsing; returns kUsageError.
int usageError(const CLI::App &app, const std::string &what);

} // namespace kestrix::cli

#endif
