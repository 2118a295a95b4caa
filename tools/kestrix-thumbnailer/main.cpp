// kestrix-thumbnailer: the freedesktop thumbnailer of session files. File
// managers run it on every session in a folder they show, so a file it
// cannot read fails fast and leaves no output behind.
#include "session_thumbnail.h"
#include "thumbnail_input.h"

#include "session_loader.h"

#include "command_line.h"
#include <QBuffer>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <string>

#if defined(__unix__)
#include <csignal>
#include <unistd.h>
#endif

using namespace kestrix;

namespace {

// A session no reader check stops but that still takes this long is given
// up: nothing has been written by then, so there is no partial output.
constexpr unsigned kWatchdogSeconds = 20;

#if defined(__unix__)
void giveUp(int)
{
    static const char message[] = "kestrix-thumbnailer: the session takes too long to draw\n";
    [[maybe_unused]] const auto written = write(STDERR_FILENO, message, sizeof message - 1);
    _exit(1);
}
#endif

int fail(const std::string &message)
{
    std::fprintf(stderr, "kestrix-thumbnailer: %s\n", message.c_str());
    return 1;
}

bool writeAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

int main(int argc, char **argv)
{
    CLI::App cli("Draws the timeline overview of a Pro Tools session (.ptx) as a PNG thumbnail.",
                 "kestrix-thumbnailer");
    int size = 0;
    std::string input;
    std::string output;
    cli.add_option("-s,--size", size, "width and height of the thumbnail in pixels")
        ->required()
        ->check(CLI::Range(kMinThumbnailSize, kMaxThumbnailSize));
    cli.add_option("INPUT", input, "the session file")->required();
    cli.add_option("OUTPUT", output, "the PNG file to write")->required();
    cli.set_version_flag("--version", std::string(KESTRIX_VERSION));
    cli.footer("Exit status: 0 when the thumbnail was written, 1 when the session cannot be read or the PNG "
               "cannot be written (no output file then), 2 on a usage error.");
    if (const std::optional<int> status = kestrix::cli::parse(cli, argc, argv))
        return *status;

#if defined(__unix__)
    std::signal(SIGALRM, giveUp);
    alarm(kWatchdogSeconds);
#endif
    if (const std::optional<std::string> refusal = refuseThumbnailInput(input))
        return fail(*refusal);
    const auto session = loadSession(input);
    if (!session)
        return fail(input + ": not a readable Pro Tools session");

    // Drawn offscreen whatever display the caller has: a thumbnailer often
    // runs in a sandbox without one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!drawSessionThumbnail(session.value(), size).save(&buffer, "PNG"))
        return fail("the thumbnail could not be encoded");
    if (!writeAtomically(QString::fromStdString(output), png))
        return fail(output + ": cannot be written");
    return 0;
}
