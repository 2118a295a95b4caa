// kestrix-thumbnailer as a file manager runs it, one process per file: the
// large session (1,000 tracks, 100,000 clips) and a 100 MB session drawn at
// 256 pixels, and the refusals of files that are not whole sessions, which must end within a
// second. Wall time of the whole process, start-up included.
#include "bench_sessions.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path &workFolder()
{
    static const fs::path folder = [] {
        const fs::path path = fs::temp_directory_path() / "kestrix-bench-thumbnailer";
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

std::string quoted(const std::string &text)
{
    return "'" + text + "'";
}

// Exit status of one thumbnailer run.
int thumbnail(const fs::path &input, const fs::path &output)
{
    const std::string command = quoted(KESTRIX_THUMBNAILER) + " -s 256 " + quoted(input.string()) + " " +
                                quoted(output.string()) + " 2>/dev/null";
    return std::system(command.c_str());
}

fs::path writeFile(const std::string &name, const std::vector<char> &bytes)
{
    const fs::path path = workFolder() / name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

std::vector<char> largeSessionBytes()
{
    std::ifstream in(bench::largeSessionPath(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void run(benchmark::State &state, const fs::path &input, bool shouldSucceed)
{
    const fs::path output = workFolder() / "out.png";
    for (auto _ : state) {
        fs::remove(output);
        const bool succeeded = thumbnail(input, output) == 0;
        if (succeeded != shouldSucceed || fs::exists(output) != shouldSucceed) {
            state.SkipWithError("unexpected thumbnailer result");
            return;
        }
    }
}

void BM_LargeSession(benchmark::State &state)
{
    run(state, bench::largeSessionPath(), true);
}

void BM_100MBSession(benchmark::State &state)
{
    run(state, bench::bulkSessionPath(), true);
}

void BM_LargeSessionCutInHalf(benchmark::State &state)
{
    const std::vector<char> bytes = largeSessionBytes();
    run(state, writeFile("Half.ptx", {bytes.begin(), bytes.begin() + std::ptrdiff_t(bytes.size() / 2)}), false);
}

void BM_LargeNoise(benchmark::State &state)
{
    std::vector<char> noise(largeSessionBytes().size());
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 2654435761u) >> 13);
    run(state, writeFile("Noise.ptx", noise), false);
}

} // namespace

BENCHMARK(BM_LargeSession)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_100MBSession)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LargeSessionCutInHalf)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LargeNoise)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
