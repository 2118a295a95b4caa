#include "command_line.h"

#include <cstdio>

namespace kestrix::cli {

std::optional<int> parse(CLI::App &app, int argc, const char *const *argv)
{
    try {
        app.parse(argc, argv);
        return std::nullopt;
    } catch (const CLI::ParseError &error) {
        // --help and --version end here too, with status 0.
        if (error.get_exit_code() == 0)
            return app.exit(error);
        return usageError(app, error.what());
    }
}

int usageError(const CLI::App &app, const std::string &what)
{
    std::fprintf(stderr, "%s: %s\n\n%s", app.get_name().c_str(), what.c_str(), app.help().c_str());
    return kUsageError;
}

} // namespace kestrix::cli
