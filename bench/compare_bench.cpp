// Comparing two versions of the large session (1,000 tracks, 100,000 placed
// clips each, 1 % of the clips moved) once both are open. Target 300 ms.
#include "bench_sessions.h"
#include "session_diff.h"
#include "session_loader.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

kestrix::PTXSessionInfo largeModel()
{
    kestrix::Result<kestrix::PTXSessionInfo, kestrix::PTXError> loaded = kestrix::loadSession(bench::largeSessionPath());
    if (!loaded)
        std::abort();
    return std::move(loaded).value();
}

// Every hundredth placed clip a second later.
kestrix::PTXSessionInfo withMovedClips(kestrix::PTXSessionInfo session, size_t &moved)
{
    size_t n = 0;
    for (kestrix::PTXTrackInfo &track : session.tracks)
        for (kestrix::PTXClipInfo &clip : track.clips)
            if (n++ % 100 == 0) {
                clip.timelinePosition += 48000;
                ++moved;
            }
    return session;
}

void BM_CompareLargeSessions(benchmark::State &state)
{
    const kestrix::PTXSessionInfo before = largeModel();
    size_t moved = 0;
    const kestrix::PTXSessionInfo after = withMovedClips(before, moved);
    size_t reported = 0;
    for (auto _ : state) {
        const kestrix::SessionDiff diff = kestrix::compareSessions(before, after);
        reported = diff.clipsMoved.size();
        benchmark::DoNotOptimize(reported);
    }
    state.counters["moved"] = double(moved);
    state.counters["reported"] = double(reported);
}

} // namespace

BENCHMARK(BM_CompareLargeSessions)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
