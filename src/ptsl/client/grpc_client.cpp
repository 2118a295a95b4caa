#include "grpc_client.h"

#include "ptsl_json.h"

#include <grpcpp/grpcpp.h>

#include <stdexcept>

namespace kestrix::ptsl {

namespace {

// The protocol version Kestrix speaks: the oldest Pro Tools it supports.
constexpr int32_t kProtocolVersion = 2025;
constexpr int32_t kProtocolVersionMinor = 6;
constexpr int32_t kProtocolVersionRevision = 0;

std::shared_ptr<grpc::Channel> createChannel(const std::string &address)
{
    grpc::ChannelArguments args;
    // Pro Tools is on this machine; a configured HTTP proxy must not get in
    // the way.
    args.SetInt(GRPC_ARG_ENABLE_HTTP_PROXY, 0);
    args.SetMaxReceiveMessageSize(-1);
    return grpc::CreateCustomChannel(address, grpc::InsecureChannelCredentials(), args);
}

// Waits for the channel to be ready. A refused connection fails at once
// instead of being retried until the wait is over.
void waitUntilReady(grpc::Channel &channel, const std::string &address)
{
    const auto deadline = std::chrono::system_clock::now() + GrpcClient::kReadyWait;
    grpc_connectivity_state state = channel.GetState(true);
    while (state != GRPC_CHANNEL_READY) {
        if (state == GRPC_CHANNEL_TRANSIENT_FAILURE || state == GRPC_CHANNEL_SHUTDOWN)
            throw std::runtime_error("PTSL server not reachable at " + address);
        if (!channel.WaitForStateChange(state, deadline))
            throw std::runtime_error("PTSL server at " + address + " did not accept the connection in time");
        state = channel.GetState(true);
    }
}

// UNAVAILABLE means the call never reached a server (nothing listens, or
// the connection went away with Pro Tools); the connection logic may send
// such a command again on a new connection.
std::string transportErrorJson(const grpc::Status &status)
{
    const char *type = status.error_code() == grpc::StatusCode::UNAVAILABLE ? kErrorServerUnavailable
                                                                             : kErrorTransport;
    return "{\"command_error_type\":\"" + std::string(type) + "\",\"command_error_message\":\"" +
           jsonEscape(status.error_message()) + "\",\"is_critical\":true}";
}

} // namespace

struct GrpcClient::Call {
    grpc::ClientContext context;
    ::ptsl::Request request;
    ::ptsl::Response response;
    grpc::Status status;
    std::unique_ptr<grpc::ClientAsyncResponseReader<::ptsl::Response>> reader;
    std::promise<Response> promise;
    ResponseCallback callback;
};

GrpcClient::GrpcClient(const ClientConfig &config)
    : channel_(createChannel(config.address))
{
    waitUntilReady(*channel_, config.address);
    stub_ = ::ptsl::PTSL::NewStub(channel_);
    completionThread_ = std::thread([this] { deliverCompletions(); });
}

GrpcClient::~GrpcClient()
{
    {
        const std::lock_guard lock(mutex_);
        for (const auto &[raw, call] : inFlight_)
            call->context.TryCancel();
    }
    // Cancelled calls still complete; the thread delivers them and ends when
    // the queue is drained.
    completions_.Shutdown();
    completionThread_.join();
}

std::future<Response> GrpcClient::SendRequest(const Request &request, ResponseCallback callback)
{
    auto call = std::make_unique<Call>();
    call->callback = std::move(callback);
    ::ptsl::RequestHeader &header = *call->request.mutable_header();
    header.set_command(static_cast<::ptsl::CommandId>(request.commandId()));
    header.set_version(kProtocolVersion);
    header.set_version_minor(kProtocolVersionMinor);
    header.set_version_revision(kProtocolVersionRevision);
    call->request.set_request_body_json(request.bodyJson());
    std::future<Response> answer = call->promise.get_future();

    Call *const raw = call.get();
    const std::lock_guard lock(mutex_);
    header.set_session_id(sessionId_);
    raw->reader = stub_->AsyncSendGrpcRequest(&raw->context, raw->request, &completions_);
    raw->reader->Finish(&raw->response, &raw->status, raw);
    inFlight_.emplace(raw, std::move(call));
    return answer;
}

void GrpcClient::deliverCompletions()
{
    void *tag = nullptr;
    bool ok = false;
    while (completions_.Next(&tag, &ok)) {
        std::unique_ptr<Call> call;
        {
            const std::lock_guard lock(mutex_);
            const auto found = inFlight_.find(static_cast<Call *>(tag));
            call = std::move(found->second);
            inFlight_.erase(found);
        }
        finish(std::move(call));
    }
}

void GrpcClient::finish(std::unique_ptr<Call> call)
{
    Response response = call->status.ok()
                            ? Response(call->response.header().status(), call->response.response_body_json(),
                                       call->response.response_error_json())
                            : Response(kStatusFailed, {}, transportErrorJson(call->status));
    const bool registered = call->request.header().command() == kCommandRegisterConnection &&
                            response.GetStatus() == kStatusCompleted;
    if (registered) {
        const std::lock_guard lock(mutex_);
        sessionId_ = jsonStringValue(response.GetResponseBodyJson(), "session_id");
    }
    if (call->callback)
        call->callback(response);
    call->promise.set_value(std::move(response));
}

std::unique_ptr<Client> constructClient(const ClientConfig &config)
{
    return std::make_unique<GrpcClient>(config);
}

} // namespace kestrix::ptsl
