#include "play_options.h"

#include "command_line.h"

#include <charconv>
#include <string>
#include <vector>

namespace kestrix {

std::variant<PlayOptions, int> parsePlayOptions(int argc, const char *const *argv)
{
    CLI::App app{"Plays a multi-mono group (Take.L.wav, Take.R.wav, ...) or a single file to\n"
                 "its end on the chosen output device; --offset and --length (in samples)\n"
                 "play a region as a clip row does (a single file on the system default\n"
                 "device); a length of 0 plays the whole file.",
                 "kestrix-play"};
    app.set_version_flag("--version", "kestrix-play " KESTRIX_VERSION);
    const CLI::Validator sampleCount(
        [](const std::string &text) {
            uint64_t count = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
            const bool whole = error == std::errc() && end == text.data() + text.size();
            return whole ? std::string() : "needs a sample count, not " + text;
        },
        "");
    PlayOptions options;
    std::string device;
    uint64_t offset = 0, length = 0;
    std::vector<std::string> files;
    app.add_flag("--list-devices", options.listDevices, "List the output devices and the system default");
    app.add_flag("--verbose", options.verbose, "Print the engine's diagnostics");
    app.add_option("--device", device, "The output device, by uid or id (see --list-devices)")
        ->type_name("ID")
        ->check(CLI::Validator([](const std::string &id) { return id.empty() ? "needs a device id" : ""; }, ""));
    CLI::Option *offsetOption = app.add_option("--offset", offset, "The region's first sample")
                                    ->type_name("N")
                                    ->check(sampleCount);
    CLI::Option *lengthOption = app.add_option("--length", length, "The region's length in samples; 0 to the end")
                                    ->type_name("N")
                                    ->check(sampleCount);
    offsetOption->needs(lengthOption);
    lengthOption->needs(offsetOption);
    app.add_option("FILE", files, "The audio files: one file or the files of a multi-mono group");
    if (const std::optional<int> status = cli::parse(app, argc, argv))
        return *status;
    if (!options.listDevices && files.empty())
        return cli::usageError(app, "no audio file given");

    options.device = QString::fromLocal8Bit(device);
    if (offsetOption->count() > 0) {
        options.offset = offset;
        options.length = length;
    }
    for (const std::string &file : files)
        options.files << QString::fromLocal8Bit(file);
    return options;
}

} // namespace kestrix
