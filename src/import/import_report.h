// The import report: what was imported from where into which Pro Tools
// session, the outcome, the operations and the PTSL transcript.
#ifndef KESTRIX_IMPORT_IMPORT_REPORT_H
#define KESTRIX_IMPORT_IMPORT_REPORT_H

#include "import_runs.h"
#include "session_info.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace kestrix::import {

struct ReportInput {
    std::string contextLabel;  // "Import Tracks", "Import Clips", "Import Audio Files"
    std::string sessionFilePath;             // the viewed session; may be empty
    const PTXSessionInfo *session = nullptr;  // may be null
    // ptsl_get_session_info_text; none when Pro Tools gave none.
    std::optional<std::string> destinationInfo;
    bool connected = true;
    std::vector<std::string> tracks, audioFiles, clips;  // the items imported, one line each
    const ImportOutcome *outcome = nullptr;
    std::time_t time = 0;
};

std::string importReport(const ReportInput &input);

// "Kestrix_Import_<session file name without extension, blanks as _>_<seconds>.txt";
// "session" for the name when there is no session file.
std::string reportFileName(const std::string &sessionFilePath, std::time_t time);

} // namespace kestrix::import

#endif
