// kestrix-diff: compares two session files. Exits as diff(1) does: 0 when
// the sessions are the same, 1 when they differ, 2 on a usage or read error.
#include "diff_json.h"
#include "diff_text.h"
#include "session_diff.h"
#include "session_source.h"

#include "command_line.h"

#include <cstdio>
#include <string>

namespace {

constexpr int kSame = 0, kDifferent = 1, kTrouble = 2;

void print(const std::string &text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

} // namespace

int main(int argc, char **argv)
{
    CLI::App app{"Shows what changed between two versions of a Pro Tools session.", "kestrix-diff"};
    app.set_version_flag("--version", "kestrix-diff " KESTRIX_VERSION);
    bool json = false;
    std::string oldPath, newPath;
    app.add_flag("--json", json, "Print the differences as one JSON object");
    app.add_option("OLD.ptx", oldPath, "The older session")->required();
    app.add_option("NEW.ptx", newPath, "The newer session")->required();
    if (const std::optional<int> status = kestrix::cli::parse(app, argc, argv))
        return *status;

    const auto oldSession = kestrix::openForComparison(oldPath);
    const auto newSession = kestrix::openForComparison(newPath);
    for (const auto *loaded : {&oldSession, &newSession})
        if (!*loaded) {
            std::fprintf(stderr, "kestrix-diff: %s\n", loaded->error().c_str());
            return kTrouble;
        }

    const kestrix::SessionDiff diff = kestrix::compareSessions(oldSession.value(), newSession.value());
    print(json ? kestrix::diffJson(diff) : kestrix::diffText(diff, oldSession.value(), newSession.value()));
    return diff.identical() ? kSame : kDifferent;
}
