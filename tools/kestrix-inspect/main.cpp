// kestrix-inspect: prints what a session file holds.
#include "model_json.h"
#include "model_summary.h"
#include "ptx_reader.h"
#include "reader_json.h"
#include "session_loader.h"
#include "session_report_pdf.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

enum class Output { summary, modelJson, readerJson, report };

int usage()
{
    std::fprintf(stderr, "usage: kestrix-inspect [--json | --reader-json | --report OUT.pdf] FILE.ptx\n");
    return 2;
}

int print(const std::string &text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

// Every value of the reader's interface, straight from the handle.
int printReaderJson(const char *path)
{
    char *error = nullptr;
    ptx_session *s = ptx_session_open(path, &error);
    if (!s) {
        std::fprintf(stderr, "%s: %s\n", path, error ? error : "Failed to parse session");
        std::free(error);
        return 1;
    }
    const std::string text = reader_json(s) + "\n";
    ptx_session_free(s);
    return print(text);
}

int printModel(const char *path, Output output, const char *reportPath)
{
    const kestrix::Result<kestrix::PTXSessionInfo, kestrix::PTXError> loaded = kestrix::loadSession(path);
    if (!loaded) {
        std::fprintf(stderr, "%s: %s\n", path, loaded.error().description().c_str());
        return 1;
    }
    if (output == Output::report) {
        const auto written = kestrix::SessionReportPDF::write(loaded.value(), reportPath);
        if (written)
            return 0;
        std::fprintf(stderr, "kestrix-inspect: Could not export session report: %s\n",
                     written.error().description.c_str());
        return 1;
    }
    return print(output == Output::modelJson ? modelJson(loaded.value()) + "\n" : modelSummary(loaded.value()));
}

} // namespace

int main(int argc, char **argv)
{
    Output output = Output::summary;
    const char *path = nullptr;
    const char *reportPath = nullptr;
    int outputsChosen = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--report") == 0) {
            if (i + 1 == argc)
                return usage();
            output = Output::report;
            reportPath = argv[++i];
            ++outputsChosen;
        } else if (std::strcmp(argv[i], "--reader-json") == 0) {
            output = Output::readerJson;
            ++outputsChosen;
        } else if (std::strcmp(argv[i], "--json") == 0) {
            output = Output::modelJson;
            ++outputsChosen;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0')
            return usage();
        else if (!path)
            path = argv[i];
        else
            return usage();
    }
    // One output at a time.
    if (!path || outputsChosen > 1)
        return usage();
    return output == Output::readerJson ? printReaderJson(path) : printModel(path, output, reportPath);
}
