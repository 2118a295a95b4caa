// The texts of the session report that are computed rather than read:
// times, the generation date, the proposed file name.
#ifndef KESTRIX_REPORT_REPORT_TEXT_H
#define KESTRIX_REPORT_REPORT_TEXT_H

#include "session_info.h"

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace kestrix::report {

// The session's sample rate as a number, at least 1 (its display text may be
// "Unknown" or anything a damaged file holds).
double samplesPerSecond(const PTXSessionInfo &info);

// Whole seconds as "1:05", or "1:02:05" from an hour on.
std::string clockText(uint64_t samples, double samplesPerSecond);

// A length with milliseconds: "0:01.250", or "1:02:05.000" from an hour on.
std::string lengthText(uint64_t samples, double samplesPerSecond);

// "Marker", "Selection" or "None".
std::string_view memoryLocationTypeText(const PTXMemoryLocation &location);

// The session's name, or "(unnamed session)" when it has none.
std::string sessionDisplayName(const PTXSessionInfo &info);

// "Dec 7, 2026 at 2:41 AM" in local time.
std::string generatedDateText(std::time_t when);

// "Mix Report.pdf" for ".../Mix.ptx": the file name without its extension
// followed by " Report.pdf".
std::string proposedReportFileName(std::string_view sessionFilePath);

} // namespace kestrix::report

#endif
