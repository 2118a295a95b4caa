// Writes the bundled demo session into the folder given as the argument.
#include "property_blocks.h"
#include "session_writer.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-demo-session OUTPUT_DIR\n");
        return 2;
    }
    const fs::path dir = argv[1];
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "cannot create %s: %s\n", dir.string().c_str(), ec.message().c_str());
        return 1;
    }

    ptxw::SessionFile file;
    file.scheme = 5;
    file.seed = 0x4b;
    file.block(ptxw::sessionFormatBlock(48000, 3, {2, 0, 24}))
        .block(ptxw::counterFormatBlock(1))
        .block(ptxw::timecodeBlock(5, 86400, "00:03:12:00"))
        .block(ptxw::tempoMapBlock({{112.0, 0}}))
        .block(ptxw::fixedTempoBlock(112.0, false))
        .block(ptxw::meterMapBlock({{0, 4, 4}}));

    const fs::path session = dir / (dir.filename().string() + ".ptx");
    if (!file.write(session.string())) {
        std::fprintf(stderr, "cannot write %s\n", session.string().c_str());
        return 1;
    }
    return 0;
}
