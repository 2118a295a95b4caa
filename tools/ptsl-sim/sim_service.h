// The gRPC side of ptsl-sim: registration and session ids, the scripted
// delays, hangs, failures and canned answers, and the request log. The
// commands themselves are answered by SimProTools.
#ifndef KESTRIX_PTSL_SIM_SERVICE_H
#define KESTRIX_PTSL_SIM_SERVICE_H

#include "ptsl.grpc.pb.h"
#include "sim_options.h"
#include "sim_pro_tools.h"

#include <condition_variable>
#include <fstream>
#include <mutex>
#include <set>
#include <string>

namespace kestrix::sim {

class SimService final : public ::ptsl::PTSL::Service {
public:
    explicit SimService(const SimOptions &options);

    grpc::Status SendGrpcRequest(grpc::ServerContext *context, const ::ptsl::Request *request,
                                 ::ptsl::Response *response) override;

    // Ends every delayed or hanging call; called before the server shuts
    // down.
    void stop();

private:
    // False when the call was cancelled or the service stopped meanwhile.
    bool waitFor(grpc::ServerContext &context, const CommandScript &script);
    SimAnswer answer(int32_t command, const ::ptsl::Request &request, const CommandScript &script);
    SimAnswer registerConnection();
    void logRequest(const ::ptsl::Request &request);
    void writeStateFile();

    const SimOptions options_;

    std::mutex stateMutex_;  // guards everything below it up to logMutex_
    SimProTools proTools_;
    std::set<std::string> sessionIds_;
    int registrations_ = 0;

    std::mutex logMutex_;
    std::ofstream requestLog_;

    std::mutex stopMutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
};

} // namespace kestrix::sim

#endif
