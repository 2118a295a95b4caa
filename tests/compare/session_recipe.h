// Sessions for the comparison tests, described by what they hold and
// written with the session-file writer, so that every comparison runs on
// what the reader makes of real bytes; and recipe pairs compared through
// the reader.
#ifndef KESTRIX_TEST_COMPARE_SESSION_RECIPE_H
#define KESTRIX_TEST_COMPARE_SESSION_RECIPE_H

#include "marker_blocks.h"
#include "session_diff.h"
#include "session_writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace comparetest {

struct Clip {
    std::string name;
    std::string file;  // one of the recipe's files
    uint64_t offset = 0;
    uint64_t length = 48000;
};

struct Placement {
    std::string clip;
    uint32_t position = 0;
    // Above 0: the clip sits this far into a clip group placed at `position`,
    // which is how a clip lands past 2^32 samples.
    uint64_t groupOffset = 0;
};

struct Insert {
    std::string plugin;
    bool active = true;
};

// Without more than a name: a mono audio track with nothing on it.
struct Track {
    std::string name;
    uint8_t type = 0;    // audio
    uint8_t format = 0;  // mono
    uint16_t color = 65534;
    std::string comment{};
    std::vector<Insert> inserts{};
    std::vector<Placement> placements{};
    std::string folder{};  // the name of an earlier track that holds this one
};

struct Recipe {
    uint32_t sampleRate = 48000;
    std::vector<std::string> files;
    std::vector<Clip> clips;
    std::vector<Track> tracks;
    std::vector<ptxw::MemoryLocation> locations;
};

ptxw::SessionFile sessionFile(const Recipe &recipe);

// A small session with a bit of everything, the starting point of each test.
Recipe baseRecipe();

// The path of the written session; each call writes a new file.
std::string writeSession(const Recipe &recipe);

// The session as the reader gives it.
kestrix::PTXSessionInfo readSession(const Recipe &recipe);

// The differences between the sessions as the reader gives them.
kestrix::SessionDiff compareRecipes(const Recipe &oldRecipe, const Recipe &newRecipe);

// How many differences the diff lists in all its sections.
size_t differenceCount(const kestrix::SessionDiff &diff);

} // namespace comparetest

#endif
