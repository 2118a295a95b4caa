#include "sim_process.h"

#include <cerrno>
#include <chrono>
#include <fstream>
#include <poll.h>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

std::filesystem::path freshFolder()
{
    std::random_device random;
    const auto folder = std::filesystem::temp_directory_path() /
                        ("kestrix-ptsl-sim-" + std::to_string(getpid()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
    return folder;
}

// The port from "ptsl-sim listening on 127.0.0.1:PORT", read within 10 s.
int readListeningPort(int fd)
{
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (line.find('\n') == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd readable{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0)
            throw std::runtime_error("ptsl-sim did not start listening");
        char buf[256];
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0)
            throw std::runtime_error("ptsl-sim exited before listening");
        line.append(buf, static_cast<size_t>(n));
    }
    const size_t colon = line.rfind(':');
    return std::stoi(line.substr(colon + 1));
}

} // namespace

SimProcess::SimProcess(const std::vector<std::string> &options) : folder_(freshFolder())
{
    std::vector<std::string> args = {PTSL_SIM_PATH,
                                     "--port", "0",
                                     "--request-log", (folder_ / "requests.log").string(),
                                     "--state-file", (folder_ / "state.json").string()};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const int spawned = posix_spawn(&pid_, PTSL_SIM_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    stdoutFd_ = pipeFds[0];
    if (spawned != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " PTSL_SIM_PATH);
    }
    try {
        port_ = readListeningPort(stdoutFd_);
    } catch (...) {
        stop();
        throw;
    }
}

SimProcess::~SimProcess()
{
    stop();
}

void SimProcess::stop()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    pid_ = -1;
    if (stdoutFd_ >= 0)
        close(stdoutFd_);
    stdoutFd_ = -1;
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::vector<std::string> SimProcess::requests() const
{
    std::ifstream in(folder_ / "requests.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string SimProcess::stateJson() const
{
    std::ifstream in(folder_ / "state.json");
    std::string text;
    std::getline(in, text);
    return text;
}
