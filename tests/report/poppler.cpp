#include "poppler.h"

#include "inspect_runner.h"

#include <filesystem>
#include <unistd.h>

namespace reporttest {

using inspecttest::shellQuoted;

std::string pdfInfo(const std::string &pdf)
{
    return inspecttest::runProgram("pdfinfo", shellQuoted(pdf)).out;
}

std::string pageText(const std::string &pdf, int page)
{
    const std::string n = std::to_string(page);
    return inspecttest::runProgram("pdftotext", "-layout -f " + n + " -l " + n + " " + shellQuoted(pdf) + " -").out;
}

std::string documentText(const std::string &pdf)
{
    return inspecttest::runProgram("pdftotext", shellQuoted(pdf) + " -").out;
}

std::string pdfFonts(const std::string &pdf)
{
    return inspecttest::runProgram("pdffonts", shellQuoted(pdf)).out;
}

std::string tempFolder()
{
    // One root per test process, removed when it ends.
    static const struct Root {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("kestrix-report-" + std::to_string(::getpid()));
        ~Root()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } root;
    static int count = 0;
    const auto dir = root.path / std::to_string(++count);
    std::filesystem::create_directories(dir);
    return dir.string();
}

} // namespace reporttest
