// The archive index over 10,000 generated sessions of about 500 clips each,
// written into a temporary folder at start and removed at exit: indexing
// throughput, an unchanged re-run, search latency and database size.
//
// Targets: at least 150 sessions per second per core; an unchanged re-run
// under 3 s; search p95 under 10 ms (moonshot 2 ms).
#include "archive_indexer.h"
#include "archive_sessions.h"
#include "sqlite_index_store.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <time.h>

namespace fs = std::filesystem;
using namespace kestrix::archive;

namespace {

constexpr int kSessions = 10000;
constexpr int kClips = 500;

constexpr std::array kWords = {"Door",  "Slam",  "Wind",   "Rain",    "Thunder", "Crowd", "Engine", "Gravel",
                               "Glass", "Metal", "Wood",   "Water",   "Fire",    "Bird",  "Dog",    "Car",
                               "Train", "Phone", "Bell",   "Whoosh",  "Impact",  "Room",  "Tone",   "Hum",
                               "Buzz",  "Click", "Knock",  "Step",    "Cloth",   "Paper", "Chair",  "Table",
                               "Cup",   "Plate", "Spoon",  "Key",     "Lock",    "Latch", "Creak",  "Squeak",
                               "Drip",  "Splash", "Wave",  "Surf",    "Wash",    "Gust",  "Leaves", "Branch"};
constexpr std::array kPlugins = {"EQ3 7-Band", "EQ3 1-Band", "D-Verb",  "ReVibe II",    "Dyn3 Compressor",
                                 "BF-76",      "Pro-Q 3",    "RX De-click", "Altiverb 8", "Pro-L 2",
                                 "Trim",       "Time Shift", "Mod Delay III", "Channel Strip", "Reverb One"};

std::string word(size_t n) { return kWords[n % kWords.size()]; }

archive_test::ArchiveSession generated(int s)
{
    archive_test::ArchiveSession session;
    for (int t = 0; t < 24; ++t)
        session.tracks.push_back((t % 3 == 0 ? "Dialog " : t % 3 == 1 ? "FX " : "Music ") + std::to_string(t) +
                                 " " + word(size_t(s + t)));
    session.comments = {"Cue " + std::to_string(s) + " checked", "", "ADR pass " + std::to_string(s % 40)};
    for (int p = 0; p < 8; ++p)
        session.plugins.push_back(kPlugins[size_t(s * 3 + p) % kPlugins.size()]);
    for (int f = 0; f < 100; ++f)
        session.files.push_back(word(size_t(s + f * 7)) + "_" + word(size_t(s * 13 + f)) + "_" + std::to_string(s) +
                                "_" + std::to_string(f) + ".wav");
    for (int c = 0; c < kClips; ++c)
        session.clips.push_back(word(size_t(s + c * 7)) + " " + word(size_t(s * 13 + c / 5)) + "-" +
                                std::to_string(c % 50));
    for (int m = 0; m < 20; ++m)
        session.markers.push_back("Reel " + std::to_string((s + m) % 6) + (m % 2 ? " LFOA" : " FFOA") + " Scene " +
                                  std::to_string(m));
    return session;
}

struct Archive {
    fs::path folder;
    std::string database;
};

// Removes the generated archive when the program ends.
struct FolderRemover {
    fs::path folder;
    ~FolderRemover()
    {
        if (folder.empty())
            return;
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

// KESTRIX_BENCH_ARCHIVE names a folder that keeps the generated archive
// and its index from one run to the next (for profiling the search alone).
const Archive &archive()
{
    static const char *kept = std::getenv("KESTRIX_BENCH_ARCHIVE");
    static const Archive made = [] {
        Archive a;
        a.folder = kept ? fs::path(kept) : fs::temp_directory_path() / ("kestrix-bench-archive-" + std::to_string(::getpid()));
        a.database = (a.folder / "index.sqlite").string();
        if (kept && fs::exists(a.folder / "sessions"))
            return a;
        for (int s = 0; s < kSessions; ++s)
            archive_test::writeArchiveSession(
                (a.folder / "sessions" / ("Show " + std::to_string(s / 500)) / ("Session " + std::to_string(s) + ".ptx"))
                    .string(),
                generated(s));
        return a;
    }();
    static const FolderRemover remover{kept ? fs::path() : made.folder};
    return made;
}

double seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// CPU seconds of the process on all its threads: what a query costs on every
// core together, without the time it waited for other processes.
double queryCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// CPU seconds the whole process has used, on all its threads. On a machine
// shared with others, sessions per CPU second is what one core would reach.
double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto toSeconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
}

// A fresh index of the whole archive, reading on every core.
void BM_IndexArchive(benchmark::State &state)
{
    const Archive &a = archive();
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    IndexSummary summary;
    double elapsed = 0;
    double cpu = 0;
    for (auto _ : state) {
        fs::remove(a.database);
        fs::remove(a.database + "-wal");
        fs::remove(a.database + "-shm");
        SqliteIndexStore store(a.database);
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = processCpuSeconds();
        summary = indexPaths(store, {(a.folder / "sessions").string()});
        elapsed = seconds(std::chrono::steady_clock::now() - start);
        cpu = processCpuSeconds() - cpuStart;
    }
    SqliteIndexStore store(a.database);
    const IndexStats stats = store.stats();
    state.counters["sessions"] = double(summary.indexed);
    state.counters["sessions_per_s"] = double(summary.indexed) / elapsed;
    state.counters["sessions_per_s_per_core"] = double(summary.indexed) / elapsed / cores;
    state.counters["sessions_per_cpu_s"] = double(summary.indexed) / cpu;
    state.counters["names_per_session"] = double(stats.names) / double(std::max<int64_t>(stats.sessions, 1));
    state.counters["db_bytes_per_session"] = double(stats.databaseBytes) / double(std::max<int64_t>(stats.sessions, 1));
}

// Nothing changed: every file is stamped and skipped.
void BM_UnchangedReRun(benchmark::State &state)
{
    const Archive &a = archive();
    SqliteIndexStore store(a.database);
    IndexSummary summary;
    for (auto _ : state)
        summary = indexPaths(store, {(a.folder / "sessions").string()});
    state.counters["unchanged"] = double(summary.unchanged);
    state.counters["indexed"] = double(summary.indexed);
}

// Names a few sessions hold: a sound file, a cue's comment, a number.
const std::vector<std::string> kSelectiveQueries = {
    "file:cloth_leaves_4711", "\"Cue 4711 checked\"", "comment:\"cue 982\"", "4711 leaves",
    "plugin:altiverb cue 1234", "comment:\"adr pass 17\" cue 17", "file:gust_*_9999", "track:\"music 23\" cue 5023"};
// Names every generated session holds many times: the worst case.
const std::vector<std::string> kBroadQueries = {
    "plugin:altiverb", "marker:\"Reel 3 LFOA\"", "track:dialog thunder", "squeak latch", "knock*",
    "plugin:\"Pro-Q 3\" marker:reel"};

// Latency over the whole index, at most 200 sessions listed as the window
// shows them; p50 and p95 in ms.
void BM_SearchLatency(benchmark::State &state, const std::vector<std::string> *queries)
{
    const Archive &a = archive();
    SqliteIndexStore store(a.database);
    std::vector<double> latencies;
    std::vector<double> cpu;
    size_t found = 0;
    // The window keeps its index open between keystrokes: the first pass
    // brings the pages in, and is reported on its own.
    const auto coldStart = std::chrono::steady_clock::now();
    for (const std::string &query : *queries)
        store.search(parseQuery(query), 200);
    state.counters["first_pass_ms"] = seconds(std::chrono::steady_clock::now() - coldStart) * 1000;
    for (auto _ : state) {
        for (const std::string &query : *queries) {
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = queryCpuSeconds();
            found += store.search(parseQuery(query), 200).size();
            cpu.push_back((queryCpuSeconds() - cpuStart) * 1000);
            latencies.push_back(seconds(std::chrono::steady_clock::now() - start) * 1000);
        }
    }
    std::sort(latencies.begin(), latencies.end());
    std::sort(cpu.begin(), cpu.end());
    state.counters["p50_ms"] = latencies[latencies.size() / 2];
    state.counters["p95_ms"] = latencies[latencies.size() * 95 / 100];
    state.counters["max_ms"] = latencies.back();
    state.counters["cpu_p50_ms"] = cpu[cpu.size() / 2];
    state.counters["cpu_p95_ms"] = cpu[cpu.size() * 95 / 100];
    state.counters["sessions_listed_per_query"] = double(found) / double(latencies.size());
}

} // namespace

BENCHMARK(BM_IndexArchive)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_UnchangedReRun)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SearchLatency, selective, &kSelectiveQueries)->Iterations(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SearchLatency, broad, &kBroadQueries)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
