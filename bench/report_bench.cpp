// The session report of the large session (1,000 tracks, 100,000 clips):
// how long it takes to write, and how much memory writing it adds to the
// open session's.
#include "bench_sessions.h"
#include "peak_memory.h"
#include "session_loader.h"
#include "session_report_pdf.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

constexpr const char *kReportOnceFlag = "--report-once";

std::string reportPath()
{
    return (std::filesystem::temp_directory_path() / "kestrix-bench-report.pdf").string();
}

kestrix::PTXSessionInfo loadLarge(const std::string &path)
{
    kestrix::Result<kestrix::PTXSessionInfo, kestrix::PTXError> loaded = kestrix::loadSession(path);
    if (!loaded)
        std::abort();
    return std::move(loaded).value();
}

// In a fresh process: what the open session holds, then how far writing its
// report raises the peak above that. Prints both in bytes.
int reportOnce(const char *sessionPath)
{
    const long long before = bench::statusBytes("VmRSS:");
    const kestrix::PTXSessionInfo info = loadLarge(sessionPath);
    const long long open = bench::statusBytes("VmRSS:");
    // Resets the peak to the current resident set, so the load's own peak
    // (the reader's buffers) is not counted as the report's.
    std::ofstream("/proc/self/clear_refs") << "5";
    if (!kestrix::SessionReportPDF::write(info, reportPath()))
        return 1;
    std::printf("%lld %lld\n", open - before, bench::statusBytes("VmHWM:") - open);
    return 0;
}

void BM_WriteLargeSessionReport(benchmark::State &state, const char *self)
{
    const kestrix::PTXSessionInfo info = loadLarge(bench::largeSessionPath());
    int pages = 0;
    for (auto _ : state) {
        const auto written = kestrix::SessionReportPDF::write(info, reportPath());
        if (!written)
            state.SkipWithError(written.error().description.c_str());
        else
            pages = written.value();
    }
    state.counters["pages"] = pages;
    state.counters["file_MB"] = double(std::filesystem::file_size(reportPath())) / 1e6;

    const std::string command = bench::shellQuoted(self) + " " + kReportOnceFlag + " " +
                                bench::shellQuoted(bench::largeSessionPath());
    long long sessionBytes = 0, reportBytes = 0;
    if (std::FILE *child = popen(command.c_str(), "r")) {
        if (std::fscanf(child, "%lld %lld", &sessionBytes, &reportBytes) != 2)
            sessionBytes = reportBytes = 0;
        pclose(child);
    }
    state.counters["session_MB"] = double(sessionBytes) / 1e6;
    state.counters["report_peak_MB"] = double(reportBytes) / 1e6;
    // The target: below 2.
    state.counters["report_per_session"] = sessionBytes > 0 ? double(reportBytes) / double(sessionBytes) : 0;
    std::filesystem::remove(reportPath());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], kReportOnceFlag) == 0)
        return reportOnce(argv[2]);
    benchmark::RegisterBenchmark("BM_WriteLargeSessionReport", BM_WriteLargeSessionReport, argv[0])
        ->Unit(benchmark::kSecond)
        ->Iterations(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
