// Session model costs on the large session (1,000 tracks, 100,000 placed
// clips): building the model, searching it and listing it for the keyboard.
#include "bench_sessions.h"
#include "ptx_session.h"
#include "search.h"
#include "selection_manager.h"
#include "session_loader.h"
#include "visible_lists.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

const kestrix::PTXSessionInfo &largeModel()
{
    static const kestrix::PTXSessionInfo info = [] {
        kestrix::Result<kestrix::PTXSessionInfo, kestrix::PTXError> loaded =
            kestrix::loadSession(bench::largeSessionPath());
        if (!loaded)
            std::abort();
        return std::move(loaded).value();
    }();
    return info;
}

// Open, parse and build, as a window does when it loads a file.
void BM_LoadLargeSession(benchmark::State &state)
{
    const std::string &path = bench::largeSessionPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(kestrix::loadSession(path));
}

// Building the model from an open reader handle.
void BM_BuildLargeSessionModel(benchmark::State &state)
{
    const std::optional<kestrix::PTXSession> session = kestrix::PTXSession::open(bench::largeSessionPath());
    if (!session)
        std::abort();
    for (auto _ : state)
        benchmark::DoNotOptimize(kestrix::buildSessionInfo(session->handle(), "Large"));
}

// The search field's cost: the track search (which also reads every placed
// clip's name) and the clip search.
void BM_SearchTracksAndClips(benchmark::State &state, const char *text)
{
    const kestrix::PTXSessionInfo &info = largeModel();
    size_t found = 0;
    for (auto _ : state) {
        found = kestrix::searchTracks(info.tracks, text).size() + kestrix::searchClips(info.clips, text).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = double(found);
}

// All three lists under a search, as the overview recomputes them.
void BM_VisibleLists(benchmark::State &state)
{
    const kestrix::PTXSessionInfo &info = largeModel();
    const std::vector<kestrix::PTXAudioFileGroup> files = kestrix::groupAudioFiles(info.audioFiles);
    const std::vector<kestrix::PTXClipGroup> clips = kestrix::groupClips(info.clips);
    kestrix::ListFilters filters;
    filters.search.text = "take 0004";
    for (auto _ : state)
        benchmark::DoNotOptimize(kestrix::visibleLists(info, files, clips, filters));
}

void BM_RebuildFlatListAllExpanded(benchmark::State &state)
{
    const kestrix::PTXSessionInfo &info = largeModel();
    kestrix::SelectionManager manager;
    manager.setCachedTracks(info.tracks);
    std::unordered_set<std::string> expanded;
    for (const kestrix::PTXTrackInfo &track : info.tracks)
        expanded.insert(track.name);
    manager.setCachedExpandedTracks(std::move(expanded));
    manager.click(info.tracks.front().name, kestrix::ClickScope::tracks(), {});
    for (auto _ : state) {
        manager.rebuildFlatList();
        benchmark::DoNotOptimize(manager.flatList().data());
    }
    state.counters["items"] = double(manager.flatList().size());
}

} // namespace

BENCHMARK(BM_LoadLargeSession)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildLargeSessionModel)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchTracksAndClips, few_matches, "take 0004")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchTracksAndClips, no_match, "zz")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchTracksAndClips, two_terms, "take -7")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VisibleLists)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildFlatListAllExpanded)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
