// kestrix-inspect --json and --reader-json of the large session (1,000
// tracks, 100,000 clips), one process per run with the output thrown away:
// wall time of the whole process, start-up included. With
// KESTRIX_INSPECT_BASELINE naming another build's kestrix-inspect, the same
// runs of that program are timed beside it, interleaved at random with
// --benchmark_enable_random_interleaving=true.
#include "bench_sessions.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

std::string quoted(const std::string &text)
{
    return "'" + text + "'";
}

void inspect(benchmark::State &state, const std::string &program, const char *option)
{
    const std::string command = quoted(program) + " " + option + " " + quoted(bench::largeSessionPath()) + " >/dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("kestrix-inspect failed");
            break;
        }
    }
}

void registerPrograms(const std::string &name, const std::string &program)
{
    for (const char *option : {"--json", "--reader-json"})
        benchmark::RegisterBenchmark((name + "/" + option).c_str(),
                                     [program, option](benchmark::State &state) { inspect(state, program, option); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(1);
}

} // namespace

int main(int argc, char **argv)
{
    bench::largeSessionPath();  // written before any run is timed
    registerPrograms("Inspect", KESTRIX_INSPECT);
    if (const char *baseline = std::getenv("KESTRIX_INSPECT_BASELINE"))
        registerPrograms("InspectBaseline", baseline);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
