#include "inspect_runner.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace inspecttest {

namespace {

std::string slurp(std::FILE *f)
{
    std::string text;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0)
        text.append(buf.data(), n);
    return text;
}

} // namespace

std::string tempPath(const std::string &name)
{
    const auto dir = std::filesystem::temp_directory_path() / ("kestrix-tools-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

InspectRun inspect(const std::string &args)
{
    return runProgram(KESTRIX_INSPECT, args);
}

InspectRun runProgram(const std::string &program, const std::string &args)
{
    const std::string errPath = tempPath("stderr.txt");
    const std::string command = program + " " + args + " 2>'" + errPath + "'";
    InspectRun run;
    std::FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    run.out = slurp(pipe);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (std::FILE *err = std::fopen(errPath.c_str(), "rb")) {
        run.err = slurp(err);
        std::fclose(err);
    }
    std::filesystem::remove(errPath);
    return run;
}

std::string shellQuoted(const std::string &text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace inspecttest
