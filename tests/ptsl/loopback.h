// Loopback ports for the tests that need nobody, or somebody silent, on
// the other end.
#ifndef KESTRIX_TESTS_PTSL_LOOPBACK_H
#define KESTRIX_TESTS_PTSL_LOOPBACK_H

#include <string>

// "127.0.0.1:PORT" of a port that was free a moment ago.
std::string unusedLoopbackAddress();

// A listening socket that never accepts: connections to it are made by the
// kernel but never answered, so a client's handshake hangs. Closing it
// resets them.
class SilentListener {
public:
    SilentListener();
    ~SilentListener() { close(); }
    SilentListener(const SilentListener &) = delete;
    SilentListener &operator=(const SilentListener &) = delete;

    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    void close();

private:
    int fd_ = -1;
    int port_ = 0;
};

#endif
