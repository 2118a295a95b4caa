// Writes the bundled demo session into the folder given as the argument:
// "<folder name>.ptx" and its synthesized audio in "Audio Files".
#include "demo_audio.h"
#include "demo_session.h"
#include "demo_time.h"
#include "wav_writer.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

bool fail(const std::string &message)
{
    std::fprintf(stderr, "make-demo-session: %s\n", message.c_str());
    return false;
}

bool writeDemo(const fs::path &dir)
{
    const fs::path audioDir = dir / "Audio Files";
    fs::remove_all(audioDir);  // files of an older demo must not linger
    fs::create_directories(audioDir);

    const std::vector<demo::AudioFile> files = demo::renderDemoAudio();
    for (const demo::AudioFile &file : files)
        if (!demo::writeWav(audioDir / file.name, file.channels, demo::kSampleRate, file.bitDepth))
            return fail("cannot write " + (audioDir / file.name).string());

    const std::string name = dir.filename().string();
    const fs::path session = dir / (name + ".ptx");
    if (!demo::demoSession(files, name).write(session.string()))
        return fail("cannot write " + session.string());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-demo-session OUTPUT_DIR\n");
        return 2;
    }
    fs::path dir = fs::path(argv[1]);
    if (!dir.has_filename())
        dir = dir.parent_path();  // a trailing separator
    try {
        return writeDemo(dir) ? 0 : 1;
    } catch (const std::exception &e) {
        fail(e.what());
        return 1;
    }
}
