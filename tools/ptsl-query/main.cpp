// ptsl-query: prints the version of the running Pro Tools and a description
// of its open session, so that a user can check the PTSL connection from a
// terminal. Exit status 1 when Pro Tools is not reachable or describes no
// session.
#include "command_line.h"
#include "ptsl.h"
#include "ptsl_settings.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using HeapText = std::unique_ptr<char, decltype(&std::free)>;

HeapText take(char *text)
{
    return HeapText(text, &std::free);
}

} // namespace

int main(int argc, char **argv)
{
    CLI::App app{"Connects to Pro Tools over PTSL and prints its version and a description\n"
                 "of the session open in it.",
                 "ptsl-query"};
    app.set_version_flag("--version", "ptsl-query " KESTRIX_VERSION);
    if (const std::optional<int> status = kestrix::cli::parse(app, argc, argv))
        return *status;
    if (ptsl_connect() != 0) {
        std::fprintf(stderr, "Pro Tools is not reachable on %s. Make sure Pro Tools is running.\n",
                     kestrix::ptsl::serverAddress().c_str());
        return 1;
    }
    const HeapText version = take(ptsl_get_version_string());
    if (version)
        std::printf("Pro Tools version: %s\n", version.get());
    const HeapText description = take(ptsl_get_session_info_text());
    if (!description) {
        std::fputs("Pro Tools describes no session. Is a session open?\n", stderr);
        return 1;
    }
    std::fputs(description.get(), stdout);
    return 0;
}
