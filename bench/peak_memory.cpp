#include "peak_memory.h"

#include "ptx_reader.h"

#include <cstdio>
#include <cstring>
#include <fstream>

namespace bench {

// A line of /proc/self/status in bytes: VmHWM is the high-water mark of this
// process's own address space (unlike getrusage's maxrss it is not inherited
// from the parent across exec), VmRSS the current resident set.
long long statusBytes(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stoll(line.substr(std::strlen(field))) * 1024;
    return 0;
}

int openOnce(const char *path)
{
    // What the process holds before the open (code, libraries, stdio) is not
    // the open's.
    const long long before = statusBytes("VmRSS:");
    ptx_session *s = ptx_session_open(path, nullptr);
    if (!s)
        return 1;
    ptx_session_free(s);
    std::printf("%lld\n", statusBytes("VmHWM:") - before);
    return 0;
}

std::string shellQuoted(const std::string &text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

long long peakResidentBytesOfOpen(const std::string &self, const std::string &path)
{
    const std::string command = shellQuoted(self) + " " + kOpenOnceFlag + " " + shellQuoted(path);
    std::FILE *child = popen(command.c_str(), "r");
    if (!child)
        return 0;
    long long peak = 0;
    if (std::fscanf(child, "%lld", &peak) != 1)
        peak = 0;
    return pclose(child) == 0 ? peak : 0;
}

} // namespace bench
