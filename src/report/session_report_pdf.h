// The session report: a paginated US Letter PDF summary of one session that
// an engineer hands to a client, a mix stage or an archive.
#ifndef KESTRIX_REPORT_SESSION_REPORT_PDF_H
#define KESTRIX_REPORT_SESSION_REPORT_PDF_H

#include "result.h"
#include "session_info.h"

#include <ctime>
#include <string>

namespace kestrix::SessionReportPDF {

inline constexpr const char *kErrorDomain = "SessionReportPDF";

struct Error {
    enum Code { couldNotOpen = 1, couldNotWrite = 2 };
    std::string domain = kErrorDomain;
    int code = couldNotOpen;
    std::string description;
};

// Writes the report of `info` to `destination`, dated `generatedAt`, and
// returns the number of pages. When the file cannot be created nothing is
// written ("Could not open PDF context at <path>"); when writing fails
// part-way the partial file is removed ("Could not write PDF at <path>").
// Safe to call on any thread; one report at a time per thread.
Result<int, Error> write(const PTXSessionInfo &info, const std::string &destination,
                         std::time_t generatedAt = std::time(nullptr));

} // namespace kestrix::SessionReportPDF

#endif
