// Imports against ptsl-sim: a folder of WAV files of silence written by sox,
// and the request bodies the sim received.
#ifndef KESTRIX_TESTS_IMPORT_IMPORT_FIXTURE_H
#define KESTRIX_TESTS_IMPORT_IMPORT_FIXTURE_H

#include "sim_fixture.h"

#include <cstdlib>
#include <string>
#include <vector>

class ImportTest : public PtslSimTest {
protected:
    // `frames` frames at 48 kHz; `format` holds sox's channel and bit options.
    std::string wav(const std::string &name, int frames, const std::string &format = "-c 1 -b 16")
    {
        const std::string file = path(name);
        const std::string command =
            "sox -n -r 48000 " + format + " '" + file + "' trim 0 " + std::to_string(frames) + "s 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return file;
    }

    // The bodies of the requests of one command the sim received, in order.
    std::vector<std::string> bodies(int command) const
    {
        std::vector<std::string> found;
        const std::string prefix = std::to_string(command) + " ";
        for (const std::string &line : sim_->requests()) {
            const size_t body = line.find(" body=");
            if (line.starts_with(prefix) && body != std::string::npos)
                found.push_back(line.substr(body + 6));
        }
        return found;
    }
};

#endif
