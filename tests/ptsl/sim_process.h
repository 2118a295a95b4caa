// A ptsl-sim process on a free loopback port, stopped when this goes.
#ifndef KESTRIX_TESTS_PTSL_SIM_PROCESS_H
#define KESTRIX_TESTS_PTSL_SIM_PROCESS_H

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

// A loopback address where nothing listens: port 1 is privileged, so no test
// process can take it.
inline const std::string kNobodyListens = "127.0.0.1:1";

class SimProcess {
public:
    // Starts ptsl-sim with the options (besides --port, --request-log and
    // --state-file, which this sets) and waits until it listens. Throws
    // std::runtime_error when it does not start.
    explicit SimProcess(const std::vector<std::string> &options = {});
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    // The requests received so far, one line each: "CMD session_id=ID
    // version=M.m.r body=JSON".
    std::vector<std::string> requests() const;
    // The session state the sim wrote after its last command.
    std::string stateJson() const;

private:
    void stop();

    std::filesystem::path folder_;
    pid_t pid_ = -1;
    int stdoutFd_ = -1;
    int port_ = 0;
};

#endif
