// Collects the diagnostic lines logged while it lives, from any thread.
#ifndef KESTRIX_TESTS_PTSL_LOG_CAPTURE_H
#define KESTRIX_TESTS_PTSL_LOG_CAPTURE_H

#include "log.h"

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    // Lines as "[Component] message".
    std::vector<std::string> lines() const;
    int count(std::string_view line) const;
    bool contains(std::string_view line) const { return count(line) > 0; }
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    kestrix::LogSink previous_;
};

#endif
