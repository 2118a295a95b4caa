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

inline constexpr const char *kPlayUsage =
    "usage: kestrix-play [--device ID] [--offset N --length N] [--verbose] FILE...\n"
    "       kestrix-play --list-devices\n"
    "Plays a multi-mono group (Take.L.wav, Take.R.wav, ...) or a single file to\n"
    "its end on the chosen output device; --offset and --length (in samples)\n"
    "play a region as a clip row does (a single file on the system default\n"
    "device); a length of 0 plays the whole file.\n";

// The options, or the reason the arguments (without the program name) are
// not a valid command line.
std::variant<PlayOptions, QString> parsePlayOptions(const QStringList &arguments);

} // namespace kestrix

#endif
