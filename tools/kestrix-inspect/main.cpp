// kestrix-inspect: prints what a session file holds.
#include "command_line.h"
#include "model_json.h"
#include "model_summary.h"
#include "ptx_reader.h"
#include "reader_json.h"
#include "session_loader.h"
#include "session_report_pdf.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

enum class Output { summary, modelJson, readerJson, report };

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
    write_reader_json(s, stdout);
    std::fputc('\n', stdout);
    ptx_session_free(s);
    return 0;
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
    if (output == Output::summary)
        return print(modelSummary(loaded.value()));
    writeModelJson(loaded.value(), stdout);
    std::fputc('\n', stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    CLI::App app{"Prints what a session file holds.", "kestrix-inspect"};
    app.set_version_flag("--version", std::string(KESTRIX_VERSION));
    bool modelJsonWanted = false;
    bool readerJsonWanted = false;
    std::string reportPath;
    std::string path;
    CLI::Option *json = app.add_flag("--json", modelJsonWanted, "Print the session model as JSON");
    CLI::Option *readerJson =
        app.add_flag("--reader-json", readerJsonWanted, "Print every value of the reader's interface as JSON");
    CLI::Option *report =
        app.add_option("--report", reportPath, "Write the session report PDF without a window")->type_name("OUT.pdf");
    // One output at a time.
    json->excludes(readerJson)->excludes(report);
    readerJson->excludes(report);
    app.add_option("FILE.ptx", path, "The session file")->required();
    if (const std::optional<int> status = kestrix::cli::parse(app, argc, argv))
        return *status;
    if (readerJsonWanted)
        return printReaderJson(path.c_str());
    const Output output = !reportPath.empty() ? Output::report : modelJsonWanted ? Output::modelJson : Output::summary;
    return printModel(path.c_str(), output, reportPath.c_str());
}
