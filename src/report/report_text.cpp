#include "report_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kestrix::report {

double samplesPerSecond(const PTXSessionInfo &info)
{
    const double rate = std::strtod(info.sampleRate.c_str(), nullptr);
    return std::isfinite(rate) && rate >= 1 ? rate : 1;
}

namespace {

// Hours, minutes and seconds of a whole number of seconds.
std::string hoursMinutesSeconds(uint64_t seconds, const char *fraction = "")
{
    char text[64];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%llu:%02u:%02u%s", static_cast<unsigned long long>(seconds / 3600),
                      unsigned(seconds / 60 % 60), unsigned(seconds % 60), fraction);
    else
        std::snprintf(text, sizeof text, "%u:%02u%s", unsigned(seconds / 60), unsigned(seconds % 60), fraction);
    return text;
}

} // namespace

std::string clockText(uint64_t samples, double samplesPerSecond)
{
    return hoursMinutesSeconds(static_cast<uint64_t>(std::llround(double(samples) / samplesPerSecond)));
}

std::string lengthText(uint64_t samples, double samplesPerSecond)
{
    const uint64_t milliseconds = static_cast<uint64_t>(std::llround(double(samples) / samplesPerSecond * 1000));
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%03u", unsigned(milliseconds % 1000));
    return hoursMinutesSeconds(milliseconds / 1000, fraction);
}

std::string_view memoryLocationTypeText(const PTXMemoryLocation &location)
{
    if (location.timeProperties == "marker")
        return "Marker";
    if (location.timeProperties == "selection")
        return "Selection";
    return "None";
}

std::string sessionDisplayName(const PTXSessionInfo &info)
{
    return info.sessionName.empty() ? "(unnamed session)" : info.sessionName;
}

std::string generatedDateText(std::time_t when)
{
    static constexpr const char *kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    char text[64];
    std::snprintf(text, sizeof text, "%s %d, %d at %d:%02d %s", kMonths[local.tm_mon % 12], local.tm_mday,
                  local.tm_year + 1900, hour12, local.tm_min, local.tm_hour < 12 ? "AM" : "PM");
    return text;
}

std::string proposedReportFileName(std::string_view sessionFilePath)
{
    const size_t slash = sessionFilePath.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? sessionFilePath : sessionFilePath.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    return std::string(name) + " Report.pdf";
}

} // namespace kestrix::report
