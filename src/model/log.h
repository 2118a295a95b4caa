// One diagnostic line per message, prefixed with its component in square
// brackets ("[PTXSession] Parse failed: ..."). Lines go to stderr unless a
// sink is installed (the application routes them to its own log; tests
// capture them).
#ifndef KESTRIX_MODEL_LOG_H
#define KESTRIX_MODEL_LOG_H

#include <functional>
#include <string_view>

namespace kestrix {

using LogSink = std::function<void(std::string_view component, std::string_view message)>;

// Writes one line for the component. Safe to call from any thread.
void logLine(std::string_view component, std::string_view message);

// Replaces the sink and returns the previous one; an empty sink restores
// stderr.
LogSink setLogSink(LogSink sink);

} // namespace kestrix

#endif
