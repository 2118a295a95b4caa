// An in-process stand-in for the PTSL client with the same call shapes,
// linked instead of the gRPC client: its constructor can hang or throw,
// registration can be refused, sends can throw or answer late. Everything
// here is safe to use from several threads.
#ifndef KESTRIX_TESTS_PTSL_FAKE_CLIENT_H
#define KESTRIX_TESTS_PTSL_FAKE_CLIENT_H

#include <chrono>
#include <cstdint>
#include <string>

namespace fake {

struct Behaviour {
    bool constructorHangs = false;  // until releaseHangingConstructors()
    std::string constructorThrows{};  // when not empty, the constructor throws this text
    int32_t registerStatus = 3;
    bool sendThrows = false;
    std::chrono::milliseconds answerDelay{0};
};

void setBehaviour(Behaviour behaviour);
void releaseHangingConstructors();

// Waits for constructors still running, then counts from zero again.
void resetCounters();

int constructorsStarted();
int constructorsFinished();  // returned or threw
int liveClients();
int requestsSent();

// Polls the condition for up to two seconds.
bool eventually(bool (*condition)());

} // namespace fake

#endif
