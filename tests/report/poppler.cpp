#include "poppler.h"

#include "inspect_runner.h"

#include <filesystem>
#include <unistd.h>

namespace reporttest {

namespace {

std::string quoted(const std::string &path)
{
    std::string out = "'";
    for (char c : path)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace

std::string pdfInfo(const std::string &pdf)
{
    return inspecttest::runProgram("pdfinfo", quoted(pdf)).out;
}

std::string pageText(const std::string &pdf, int page)
{
    const std::string n = std::to_string(page);
    return inspecttest::runProgram("pdftotext", "-layout -f " + n + " -l " + n + " " + quoted(pdf) + " -").out;
}

std::string documentText(const std::string &pdf)
{
    return inspecttest::runProgram("pdftotext", quoted(pdf) + " -").out;
}

std::string pdfFonts(const std::string &pdf)
{
    return inspecttest::runProgram("pdffonts", quoted(pdf)).out;
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
