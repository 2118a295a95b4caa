// The PTSL client over gRPC: plaintext HTTP/2 to Pro Tools on the local
// machine.
#ifndef KESTRIX_PTSL_CLIENT_GRPC_CLIENT_H
#define KESTRIX_PTSL_CLIENT_GRPC_CLIENT_H

#include "client.h"
#include "ptsl.grpc.pb.h"

#include <grpcpp/completion_queue.h>

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

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
    // Runs on completionThread_ until the queue is shut down.
    void deliverCompletions();
    void finish(std::unique_ptr<Call> call);

    std::shared_ptr<grpc::Channel> channel_;
    std::unique_ptr<::ptsl::PTSL::Stub> stub_;
    // Our own queue and thread, so that answers arrive independently of
    // any caller and of gRPC's process-wide callback machinery.
    grpc::CompletionQueue completions_;
    std::thread completionThread_;

    std::mutex mutex_;
    std::string sessionId_;  // from RegisterConnection; empty before
    std::map<Call *, std::unique_ptr<Call>> inFlight_;
};

} // namespace kestrix::ptsl

#endif
