#include "import_call.h"

#include "connection.h"
#include "heap_string.h"
#include "import_failure.h"
#include "ptsl.h"
#include "ptsl_log.h"
#include "ptsl_settings.h"

#include <cstdlib>
#include <exception>

namespace kestrix {

ImportCall::ImportCall(char **errorOut, char **transcriptOut) : errorOut_(errorOut), transcriptOut_(transcriptOut)
{
    if (errorOut_)
        *errorOut_ = nullptr;
    if (transcriptOut_)
        *transcriptOut_ = nullptr;
    ptsl_transcript_begin();
}

ImportCall::~ImportCall()
{
    char *text = ptsl_transcript_end();
    if (transcriptOut_)
        *transcriptOut_ = text;
    else
        std::free(text);
}

int32_t ImportCall::fail(int32_t status, std::string_view step, std::string_view detail)
{
    if (errorOut_) {
        std::free(*errorOut_);
        *errorOut_ = nullptr;
    }
    formatImportFailure(errorOut_, step, detail);
    return status;
}

int32_t ImportCall::connectAndCheckVersion(std::string_view connectDetail)
{
    if (ptsl_connect() != 0)
        return fail(-1, "Connect", connectDetail);
    char *version = nullptr;
    if (ptsl_check_import_supported(&version) != 0) {
        std::free(version);
        return 0;
    }
    std::string detail = "Import requires Pro Tools 2025.6 or later.";
    if (version)
        detail += std::string(" Detected version: ") + version + ".";
    std::free(version);
    return fail(-2, "Version Check", detail);
}

int32_t ImportCall::failWithException(const char *logFormat)
{
    std::string what = "unknown exception";
    try {
        throw;
    } catch (const std::exception &e) {
        what = e.what();
    } catch (...) {
    }
    ptslLog(logFormat, what.c_str());
    dropConnection();
    return fail(-99, "Exception", what);
}

std::string cannotConnectText()
{
    return "Cannot connect to Pro Tools on " + ptsl::serverAddress() + ".";
}

void transcriptNote(const std::string &text)
{
    ptsl_transcript_note(text.c_str());
}

} // namespace kestrix
