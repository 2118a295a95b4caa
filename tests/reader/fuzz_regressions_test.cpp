// Replays every input the fuzzers saved in fuzz/regressions/: each must open
// or fail to open as the interface promises, and give every value without a
// fault (the sanitizer build is the one that sees memory faults).
#include "session_replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

TEST(FuzzRegressions, EverySavedInputIsReadSafely)
{
    const fs::path dir = fs::path(KESTRIX_SOURCE_DIR) / "fuzz" / "regressions";
    std::vector<fs::path> inputs;
    for (const fs::directory_entry &entry : fs::directory_iterator(dir))
        if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
            inputs.push_back(entry.path());
    if (inputs.empty())
        GTEST_SKIP() << "no saved inputs in " << dir;

    std::sort(inputs.begin(), inputs.end());
    for (const fs::path &input : inputs)
        EXPECT_EQ(ptxtest::replaySession(input.string().c_str()), "") << input.filename();
}
