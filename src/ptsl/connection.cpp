#include "connection.h"

#include "import_batch.h"
#include "ptsl.h"
#include "ptsl_log.h"
#include "ptsl_settings.h"

#include <chrono>
#include <exception>
#include <future>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

namespace kestrix {

namespace {

constexpr const char *kRegisterConnectionBody =
    "{\"company_name\": \"Tarnwell Audio\", \"application_name\": \"Quorvix\"}";

struct ConnectionState {
    std::recursive_mutex mutex;  // connectionMutex
    // Held only for copying or swapping the pointer, never while waiting,
    // so that commands can pick up the client while another thread is
    // connecting.
    std::mutex clientSlotMutex;
    std::shared_ptr<ptsl::Client> client;
    bool registered = false;
};

ConnectionState &state()
{
    // Never destroyed: the client lives until the process ends, and a
    // constructor thread that is still running may outlive main.
    static ConnectionState *const connection = new ConnectionState;
    return *connection;
}

// Caller holds connectionMutex.
void replaceClient(std::shared_ptr<ptsl::Client> client)
{
    ConnectionState &s = state();
    std::shared_ptr<ptsl::Client> previous;
    {
        const std::lock_guard slot(s.clientSlotMutex);
        previous = std::exchange(s.client, std::move(client));
    }
    // The previous client is destroyed here, outside the slot lock, unless a
    // running command still holds it.
}

// What the constructor thread hands over: the client, or the text of what
// the constructor threw. Only the text crosses threads, so the exception
// object itself is never shared.
struct Construction {
    std::unique_ptr<ptsl::Client> client;
    std::optional<std::string> failure;
};

Construction construct(const ptsl::ClientConfig &config)
{
    try {
        return Construction{ptsl::constructClient(config), std::nullopt};
    } catch (const std::exception &e) {
        return Construction{nullptr, std::string(e.what())};
    } catch (...) {
        return Construction{nullptr, std::string("unknown exception")};
    }
}

// Constructs the client on a detached thread so that a constructor that
// hangs cannot block the caller for longer than the wait. Returns null on
// time-out; throws when the constructor threw. A client that arrives after
// the time-out is dropped with the promise.
std::unique_ptr<ptsl::Client> constructClientWithin(const ptsl::ClientConfig &config,
                                                    std::chrono::milliseconds wait)
{
    std::promise<Construction> promise;
    std::future<Construction> constructed = promise.get_future();
    const auto deadline = std::chrono::steady_clock::now() + wait;
    try {
        std::thread([promise = std::move(promise), config]() mutable {
            promise.set_value(construct(config));
        }).detach();
    } catch (const std::system_error &e) {
        throw std::system_error(e.code(), "thread constructor failed");
    }
    if (constructed.wait_until(deadline) == std::future_status::timeout) {
        ptslLog("Client constructor timed out");
        return nullptr;
    }
    Construction result = constructed.get();
    if (result.failure)
        throw std::runtime_error(*result.failure);
    return std::move(result.client);
}

// Caller holds connectionMutex.
int32_t connectLocked()
{
    ConnectionState &s = state();
    if (s.client && s.registered)
        return 0;
    if (!s.client) {
        const ptsl::ClientConfig config{ptsl::serverAddress()};
        ptslLog("Creating client on %s...", config.address.c_str());
        std::unique_ptr<ptsl::Client> client = constructClientWithin(config, ptsl::clientConstructionWait());
        if (!client)
            return -1;
        replaceClient(std::move(client));
        ptslLog("Client created");
    }

    // Registration is not a transcript command and has no deadline: it
    // takes as long as Pro Tools takes.
    ptslLog("Sending RegisterConnection...");
    const ptsl::Response response =
        s.client->SendRequest(ptsl::Request(ptsl::kCommandRegisterConnection, kRegisterConnectionBody), {}).get();
    if (response.GetStatus() == ptsl::kStatusCompleted) {
        s.registered = true;
        ptslLog("Registered with Pro Tools");
        return 0;
    }
    ptslLog("RegisterConnection failed: %s", response.GetResponseErrorJson().c_str());
    replaceClient(nullptr);
    return -1;
}

} // namespace

std::recursive_mutex &connectionMutex()
{
    return state().mutex;
}

std::shared_ptr<ptsl::Client> currentClient()
{
    ConnectionState &s = state();
    const std::lock_guard slot(s.clientSlotMutex);
    return s.client;
}

void dropConnection()
{
    const std::lock_guard lock(connectionMutex());
    state().registered = false;
    replaceClient(nullptr);
    // File identifiers belong to the Pro Tools we were connected to.
    forgetBatchFileIds();
}

} // namespace kestrix

int32_t ptsl_connect(void)
{
    using namespace kestrix;
    const std::lock_guard lock(connectionMutex());
    try {
        return connectLocked();
    } catch (const std::exception &e) {
        ptslLog("Connection exception: %s", e.what());
    } catch (...) {
        ptslLog("Connection exception: unknown");
    }
    dropConnection();
    return -1;
}
