#include "fake_client.h"

#include "client/client.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace fake {

namespace {

std::mutex behaviourMutex;
std::condition_variable hangReleased;
Behaviour current;
bool hangGateOpen = true;

std::atomic<int> started{0};
std::atomic<int> finished{0};
std::atomic<int> live{0};
std::atomic<int> requests{0};

Behaviour snapshot()
{
    const std::lock_guard lock(behaviourMutex);
    return current;
}

class FakeClient final : public kestrix::ptsl::Client {
public:
    FakeClient() { ++live; }
    ~FakeClient() override { --live; }

    std::future<kestrix::ptsl::Response> SendRequest(const kestrix::ptsl::Request &request,
                                                     kestrix::ptsl::ResponseCallback callback) override
    {
        ++requests;
        const Behaviour behaviour = snapshot();
        if (behaviour.sendThrows)
            throw std::runtime_error("fake send failure");
        kestrix::ptsl::Response response =
            request.commandId() == kestrix::ptsl::kCommandRegisterConnection
                ? kestrix::ptsl::Response(behaviour.registerStatus, "{\"session_id\":\"fake\"}",
                                          behaviour.registerStatus == 3 ? "" : "{\"command_error_type\":\"PT_Refused\"}")
                : kestrix::ptsl::Response(3, request.bodyJson(), {});
        std::promise<kestrix::ptsl::Response> promise;
        std::future<kestrix::ptsl::Response> answer = promise.get_future();
        const auto deliver = [](std::promise<kestrix::ptsl::Response> &p, kestrix::ptsl::Response r,
                                const kestrix::ptsl::ResponseCallback &cb) {
            if (cb)
                cb(r);
            p.set_value(std::move(r));
        };
        if (behaviour.answerDelay.count() == 0) {
            deliver(promise, std::move(response), callback);
        } else {
            // Answers later on a thread of its own, like a server would.
            std::thread([promise = std::move(promise), response = std::move(response), callback = std::move(callback),
                         delay = behaviour.answerDelay, deliver]() mutable {
                std::this_thread::sleep_for(delay);
                deliver(promise, std::move(response), callback);
            }).detach();
        }
        return answer;
    }
};

} // namespace

void setBehaviour(Behaviour behaviour)
{
    const std::lock_guard lock(behaviourMutex);
    if (behaviour.constructorHangs)
        hangGateOpen = false;
    current = std::move(behaviour);
}

void releaseHangingConstructors()
{
    const std::lock_guard lock(behaviourMutex);
    hangGateOpen = true;
    hangReleased.notify_all();
}

void resetCounters()
{
    eventually([] { return finished == started; });
    started = 0;
    finished = 0;
    requests = 0;
}

int constructorsStarted() { return started; }
int constructorsFinished() { return finished; }
int liveClients() { return live; }
int requestsSent() { return requests; }

bool eventually(bool (*condition)())
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace fake

namespace kestrix::ptsl {

std::unique_ptr<Client> constructClient(const ClientConfig &)
{
    ++fake::started;
    struct Finished {
        ~Finished() { ++fake::finished; }
    } countWhenDone;
    std::unique_lock lock(fake::behaviourMutex);
    fake::hangReleased.wait(lock, [] { return fake::hangGateOpen; });
    if (!fake::current.constructorThrows.empty())
        throw std::runtime_error(fake::current.constructorThrows);
    return std::make_unique<fake::FakeClient>();
}

} // namespace kestrix::ptsl
