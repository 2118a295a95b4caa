#include "compare_fixture.h"

#include "inspect_runner.h"
#include "session_source.h"

#include <stdexcept>

namespace comparetest {

std::string writeSession(const Recipe &recipe)
{
    static int counter = 0;
    const std::string path = inspecttest::tempPath("compare-" + std::to_string(counter++) + ".ptx");
    if (!sessionFile(recipe).write(path))
        throw std::runtime_error("cannot write " + path);
    return path;
}

kestrix::PTXSessionInfo readSession(const Recipe &recipe)
{
    auto session = kestrix::openForComparison(writeSession(recipe));
    if (!session)
        throw std::runtime_error("the reader refused a written session: " + session.error());
    return std::move(session).value();
}

Compared compareRecipes(const Recipe &oldRecipe, const Recipe &newRecipe)
{
    kestrix::PTXSessionInfo oldSession = readSession(oldRecipe);
    kestrix::PTXSessionInfo newSession = readSession(newRecipe);
    kestrix::SessionDiff diff = kestrix::compareSessions(oldSession, newSession);
    return {std::move(oldSession), std::move(newSession), std::move(diff)};
}

size_t differenceCount(const kestrix::SessionDiff &d)
{
    return d.properties.size() + d.tracksAdded.size() + d.tracksRemoved.size() + d.tracksChanged.size() +
           d.clipsAdded.size() + d.clipsRemoved.size() + d.clipsMoved.size() + d.clipsTrimmed.size() +
           d.filesAdded.size() + d.filesRemoved.size() + d.pluginsAdded.size() + d.pluginsRemoved.size() +
           d.locationsAdded.size() + d.locationsRemoved.size() + d.locationsChanged.size();
}

} // namespace comparetest
