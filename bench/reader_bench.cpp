// Reader throughput: descrambling, block parsing and whole opens, each
// beside memcpy of the same buffer for scale.
#include "bench_sessions.h"
#include "peak_memory.h"
#include "ptx_container.h"
#include "ptx_reader.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string g_self;

// The bulk session as stored on disk. Each benchmark loads its own copy and
// releases it when done, so no benchmark runs beside another one's buffers.
ptxw::Bytes storedBulk()
{
    std::ifstream in(bench::bulkSessionPath(), std::ios::binary);
    return ptxw::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ptxw::Bytes plainBulk()
{
    ptxw::Bytes b = storedBulk();
    ptx_descramble(b.data(), uint32_t(b.size()));
    return b;
}

void BM_Memcpy(benchmark::State &state)
{
    const ptxw::Bytes src = storedBulk();
    ptxw::Bytes dst(src.size());
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}

void BM_Descramble(benchmark::State &state)
{
    ptxw::Bytes buf = storedBulk();
    buf[18] = uint8_t(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ptx_descramble(buf.data(), uint32_t(buf.size())));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(buf.size()));
}

void BM_ParseBlocks(benchmark::State &state)
{
    const ptxw::Bytes plain = plainBulk();
    for (auto _ : state) {
        ptx_block *blocks = nullptr;
        uint32_t count = 0;
        ptx_parse_blocks(plain.data(), uint32_t(plain.size()), -1, 20, &blocks, &count);
        benchmark::DoNotOptimize(count);
        ptx_free_blocks(blocks, count);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plain.size()));
}

// Opens the file at `path` in a loop and reports throughput and the peak
// memory of one open relative to the file size.
void measureOpen(benchmark::State &state, const std::string &path)
{
    const auto size = int64_t(std::filesystem::file_size(path));
    for (auto _ : state) {
        ptx_session *s = ptx_session_open(path.c_str(), nullptr);
        if (!s) {
            state.SkipWithError("open failed");
            break;
        }
        ptx_session_free(s);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * size);
    const long long peak = bench::peakResidentBytesOfOpen(g_self, path);
    state.counters["file_MB"] = double(size) / 1e6;
    state.counters["peak_MB"] = double(peak) / 1e6;
    state.counters["peak_per_file_size"] = double(peak) / double(size);
}

void BM_SessionOpen(benchmark::State &state)
{
    measureOpen(state, bench::bulkSessionPath());
}

// 1,000 tracks, 100,000 placed clips, 5,000 audio files, 2,000 plug-in slots
// and 1,000 memory locations.
void BM_LargeSessionOpen(benchmark::State &state)
{
    const std::string &path = bench::largeSessionPath();
    ptx_session *s = ptx_session_open(path.c_str(), nullptr);
    int placements = 0;
    for (int t = 0; t < ptx_track_count(s); ++t)
        placements += ptx_track_placement_count(s, t);
    state.counters["tracks"] = ptx_track_count(s);
    state.counters["placements"] = placements;
    ptx_session_free(s);
    measureOpen(state, path);
}

} // namespace

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Descramble)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseBlocks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SessionOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeSessionOpen)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], bench::kOpenOnceFlag) == 0)
        return bench::openOnce(argv[2]);
    g_self = std::filesystem::canonical("/proc/self/exe").string();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
