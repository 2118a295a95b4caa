// Session model costs on the large session (1,000 tracks, 100,000 placed
// clips): building the model, searching it (beside a plain memmem scan over
// the same names) and listing it for the keyboard.
#include "bench_sessions.h"
#include "ptx_session.h"
#include "search.h"
#include "selection_manager.h"
#include "session_loader.h"
#include "text_match.h"
#include "visible_lists.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unordered_map>

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

// The window's search state: the session's names lower-cased once.
struct SearchSetup {
    std::vector<kestrix::PTXAudioFileGroup> files;
    std::vector<kestrix::PTXClipGroup> clips;
    kestrix::SessionSearchIndex index;
};

const SearchSetup &searchSetup()
{
    static const SearchSetup setup = [] {
        const kestrix::PTXSessionInfo &info = largeModel();
        SearchSetup s{kestrix::groupAudioFiles(info.audioFiles), kestrix::groupClips(info.clips), {}};
        s.index = kestrix::SessionSearchIndex::make(info.tracks, s.files, s.clips);
        return s;
    }();
    return setup;
}

// One keystroke: the track list (which also reads every placed clip's
// name), the audio-file groups and the clip groups.
size_t searchAllLists(std::string_view text)
{
    const kestrix::SessionSearchIndex &index = searchSetup().index;
    return kestrix::searchTracks(index.tracks, text).size() + kestrix::searchNames(index.audioFileGroups, text).size()
        + kestrix::searchNames(index.clipGroups, text).size();
}

// Every occurrence of the term in the lower-cased names of all three lists.
size_t memmemCount(std::string_view term)
{
    const kestrix::SessionSearchIndex &index = searchSetup().index;
    size_t hits = 0;
    for (std::string_view names : {index.tracks.names.text(), index.audioFileGroups.text(), index.clipGroups.text()}) {
        const char *at = names.data();
        const char *end = names.data() + names.size();
        while (const void *hit = memmem(at, size_t(end - at), term.data(), term.size())) {
            ++hits;
            at = static_cast<const char *>(hit) + 1;
        }
    }
    return hits;
}

// The reference: one plain memmem pass over the same names for the query's
// rarest term (chosen by counting beforehand), the least a scan must do.
size_t memmemAllLists(std::string_view text)
{
    static std::unordered_map<std::string, std::string> rarestTerms;
    auto rarest = rarestTerms.find(std::string(text));
    if (rarest == rarestTerms.end()) {
        const std::vector<std::string> terms = kestrix::searchTerms(text);
        std::string chosen;
        size_t fewest = SIZE_MAX;
        for (const std::string &term : terms)
            if (const size_t hits = memmemCount(term); hits < fewest) {
                fewest = hits;
                chosen = term;
            }
        rarest = rarestTerms.emplace(text, chosen).first;
    }
    return rarest->second.empty() ? 0 : memmemCount(rarest->second);
}

// "take 0004" typed letter by letter: every prefix is one keystroke.
std::vector<std::string> growingQuery()
{
    const std::string text = "take 0004";
    std::vector<std::string> prefixes;
    for (size_t n = 1; n <= text.size(); ++n)
        prefixes.push_back(text.substr(0, n));
    return prefixes;
}

using SearchFunction = size_t (*)(std::string_view);

void BM_Search(benchmark::State &state, SearchFunction search, const char *text)
{
    searchSetup();
    size_t found = 0;
    for (auto _ : state) {
        found = search(text);
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = double(found);
}

// Reported per keystroke.
void BM_SearchGrowingQuery(benchmark::State &state, SearchFunction search)
{
    searchSetup();
    const std::vector<std::string> prefixes = growingQuery();
    for (auto _ : state)
        for (const std::string &prefix : prefixes)
            benchmark::DoNotOptimize(search(prefix));
    state.SetItemsProcessed(int64_t(state.iterations() * prefixes.size()));
    state.counters["ms_per_keystroke"] = benchmark::Counter(
        double(prefixes.size()) * 1e-3, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_BuildSearchIndex(benchmark::State &state)
{
    const SearchSetup &setup = searchSetup();
    for (auto _ : state)
        benchmark::DoNotOptimize(kestrix::SessionSearchIndex::make(largeModel().tracks, setup.files, setup.clips));
    state.counters["bytes"] = double(setup.index.tracks.names.text().size() + setup.index.audioFileGroups.text().size()
                                     + setup.index.clipGroups.text().size());
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
BENCHMARK(BM_BuildSearchIndex)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Search, few_matches, searchAllLists, "take 0004")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, few_matches_memmem, memmemAllLists, "take 0004")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, no_match, searchAllLists, "zz")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, no_match_memmem, memmemAllLists, "zz")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, two_terms, searchAllLists, "take -7")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, two_terms_memmem, memmemAllLists, "take -7")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, every_clip, searchAllLists, "take")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, every_clip_memmem, memmemAllLists, "take")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchGrowingQuery, typed, searchAllLists)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_SearchGrowingQuery, typed_memmem, memmemAllLists)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VisibleLists)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RebuildFlatListAllExpanded)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
