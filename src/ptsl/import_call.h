// The frame every import operation shares: out strings cleared and the
// transcript started on entry, the transcript handed over on every way out,
// the connection and version checks, and failures as
// "Import failed at step: ...".
#ifndef KESTRIX_PTSL_IMPORT_CALL_H
#define KESTRIX_PTSL_IMPORT_CALL_H

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrix {

class ImportCall {
public:
    ImportCall(char **errorOut, char **transcriptOut);
    ~ImportCall();
    ImportCall(const ImportCall &) = delete;
    ImportCall &operator=(const ImportCall &) = delete;

    // Stores the failure message and returns status.
    int32_t fail(int32_t status, std::string_view step, std::string_view detail);

    // 0 when connected to a Pro Tools that can import; else the failure
    // (-1 with connectDetail, -2 with the version found).
    int32_t connectAndCheckVersion(std::string_view connectDetail);

    // An exception escaped the operation: logged with logFormat, the
    // connection dropped, status -99.
    int32_t failWithException(const char *logFormat);

private:
    char **errorOut_;
    char **transcriptOut_;
};

// "Cannot connect to Pro Tools on <address>.", where Pro Tools is looked for.
std::string cannotConnectText();

void transcriptNote(const std::string &text);

} // namespace kestrix

#endif
