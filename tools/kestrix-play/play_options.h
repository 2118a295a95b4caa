// The command line of kestrix-play.
#ifndef KESTRIX_PLAY_PLAY_OPTIONS_H
#define KESTRIX_PLAY_PLAY_OPTIONS_H

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <variant>

namespace kestrix {

struct PlayOptions {
    bool listDevices = false;
    bool verbose = false;
    QString device;  // a device's uid or id; empty for the system default
    std::optional<uint64_t> offset;
    std::optional<uint64_t> length;
    QStringList files;
};

// The options, or the status to exit with: 0 after --help or --version, 2
// after a usage error, which has been printed with the usage on stderr.
std::variant<PlayOptions, int> parsePlayOptions(int argc, const char *const *argv);

} // namespace kestrix

#endif
