// Peak memory of one ptx_session_open, measured in a fresh process so that
// nothing the benchmark itself holds is counted.
#ifndef KESTRIX_BENCH_PEAK_MEMORY_H
#define KESTRIX_BENCH_PEAK_MEMORY_H

#include <string>

namespace bench {

// The flag that makes the benchmark executable open one file and exit.
inline constexpr const char *kOpenOnceFlag = "--open-once";

// Opens `path` once and prints how far the open raised the process's peak
// resident set, in bytes; returns 0 on success. Run in the child.
int openOnce(const char *path);

// A size line of /proc/self/status ("VmHWM:", "VmRSS:") in bytes.
long long statusBytes(const char *field);

// `text` quoted for the shell.
std::string shellQuoted(const std::string &text);

// Runs `self --open-once path` and returns the peak memory of the open it
// reports, in bytes, or 0 when it could not be measured.
long long peakResidentBytesOfOpen(const std::string &self, const std::string &path);

} // namespace bench

#endif
