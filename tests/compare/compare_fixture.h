// Writes recipe pairs to files and compares them through the reader.
#ifndef KESTRIX_TEST_COMPARE_FIXTURE_H
#define KESTRIX_TEST_COMPARE_FIXTURE_H

#include "session_diff.h"
#include "session_recipe.h"

#include <string>

namespace comparetest {

// The path of the written session; each call writes a new file.
std::string writeSession(const Recipe &recipe);

// The session as the reader gives it.
kestrix::PTXSessionInfo readSession(const Recipe &recipe);

// Both sessions as the reader gives them.
struct Compared {
    kestrix::PTXSessionInfo oldSession;
    kestrix::PTXSessionInfo newSession;
    kestrix::SessionDiff diff;
};
Compared compareRecipes(const Recipe &oldRecipe, const Recipe &newRecipe);

// How many differences the diff lists in all its sections.
size_t differenceCount(const kestrix::SessionDiff &diff);

} // namespace comparetest

#endif
