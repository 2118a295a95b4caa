#include "poppler.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace reporttest {

namespace {

std::string quoted(const std::string &text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace

std::string output(const std::string &command)
{
    std::string text;
    std::FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return text;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        text.append(buffer.data(), n);
    pclose(pipe);
    return text;
}

std::string pdfInfo(const std::string &pdf)
{
    return output("pdfinfo " + quoted(pdf) + " 2>&1");
}

std::string pageText(const std::string &pdf, int page)
{
    const std::string n = std::to_string(page);
    return output("pdftotext -layout -f " + n + " -l " + n + " " + quoted(pdf) + " - 2>&1");
}

std::string documentText(const std::string &pdf)
{
    return output("pdftotext " + quoted(pdf) + " - 2>&1");
}

std::string pdfFonts(const std::string &pdf)
{
    return output("pdffonts " + quoted(pdf) + " 2>&1");
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
