// The PTSL client as the connection logic sees it: a configuration with an
// address, a client whose construction connects (and may block or throw), a
// request made of a command number and a JSON body, and SendRequest, which
// returns a future of the response. Nothing here names gRPC, so the
// connection logic can be linked against another implementation (a test
// fake) of constructClient.
#ifndef KESTRIX_PTSL_CLIENT_CLIENT_H
#define KESTRIX_PTSL_CLIENT_CLIENT_H

#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <utility>

namespace kestrix::ptsl {

// The only task status that means success.
inline constexpr int32_t kStatusCompleted = 3;
// Any other status is a failure; this is the one our client reports when
// the call itself failed (no server, cancelled).
inline constexpr int32_t kStatusFailed = 4;

inline constexpr int32_t kCommandRegisterConnection = 70;

// command_error_type of failures that mean the connection is gone: the
// call failed on the way (transport), it never reached a server
// (unavailable: safe to send again), or Pro Tools no longer knows our
// registration (it restarted; the command was not run).
inline constexpr const char *kErrorTransport = "PTSL_TransportError";
inline constexpr const char *kErrorServerUnavailable = "PTSL_ServerUnavailable";
inline constexpr const char *kErrorNotRegistered = "PT_NotRegistered";

struct ClientConfig {
    std::string address;  // host:port of the PTSL server
};

class Request {
public:
    Request(int32_t commandId, std::string bodyJson) : commandId_(commandId), bodyJson_(std::move(bodyJson)) {}
    int32_t commandId() const { return commandId_; }
    const std::string &bodyJson() const { return bodyJson_; }

private:
    int32_t commandId_;
    std::string bodyJson_;
};

class Response {
public:
    Response(int32_t status, std::string bodyJson, std::string errorJson)
        : status_(status), bodyJson_(std::move(bodyJson)), errorJson_(std::move(errorJson))
    {
    }
    int32_t GetStatus() const { return status_; }
    const std::string &GetResponseBodyJson() const { return bodyJson_; }
    const std::string &GetResponseErrorJson() const { return errorJson_; }

private:
    int32_t status_;
    std::string bodyJson_;
    std::string errorJson_;
};

// Called with the response before the future becomes ready, on a thread of
// the client's; may be empty, must not throw.
using ResponseCallback = std::function<void(const Response &)>;

class Client {
public:
    virtual ~Client() = default;
    // Safe to call from several threads at once. The future may be
    // abandoned: dropping it neither blocks nor cancels the call.
    virtual std::future<Response> SendRequest(const Request &request, ResponseCallback callback) = 0;
};

// Connects to the server at config.address and returns the client; throws
// a std::exception when it cannot. Defined by the client implementation
// that is linked in.
std::unique_ptr<Client> constructClient(const ClientConfig &config);

} // namespace kestrix::ptsl

#endif
