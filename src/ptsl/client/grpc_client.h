// The PTSL client over gRPC: plaintext HTTP/2 to Pro Tools on the local
// machine.
#ifndef KESTRIX_PTSL_CLIENT_GRPC_CLIENT_H
#define KESTRIX_PTSL_CLIENT_GRPC_CLIENT_H

#include "client.h"
#include "ptsl.grpc.pb.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace kestrix::ptsl {

class GrpcClient final : public Client {
public:
    // How long the constructor waits for the channel to become ready.
    static constexpr std::chrono::seconds kReadyWait{5};

    // Connects; throws std::runtime_error when nothing answers at the
    // address or the connection is not ready within kReadyWait.
    explicit GrpcClient(const ClientConfig &config);
    // Cancels the calls still in flight and waits for them to end.
    ~GrpcClient() override;

    std::future<Response> SendRequest(const Request &request, ResponseCallback callback) override;

private:
    struct Call;
    void finish(const std::shared_ptr<Call> &call, const grpc::Status &status);

    std::shared_ptr<grpc::Channel> channel_;
    std::unique_ptr<::ptsl::PTSL::Stub> stub_;

    std::mutex mutex_;
    std::string sessionId_;  // from RegisterConnection; empty before
    std::set<std::shared_ptr<Call>> inFlight_;
    std::condition_variable allFinished_;
};

} // namespace kestrix::ptsl

#endif
