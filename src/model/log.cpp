#include "log.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace kestrix {

namespace {

std::mutex &sinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

LogSink &currentSink()
{
    static LogSink sink;
    return sink;
}

void writeToStderr(std::string_view component, std::string_view message)
{
    std::string line;
    line.reserve(component.size() + message.size() + 4);
    line.append("[").append(component).append("] ").append(message).append("\n");
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace

void logLine(std::string_view component, std::string_view message)
{
    // Called outside the lock, so a sink may itself log or replace the sink.
    LogSink sink;
    {
        const std::lock_guard lock(sinkMutex());
        sink = currentSink();
    }
    if (sink)
        sink(component, message);
    else
        writeToStderr(component, message);
}

LogSink setLogSink(LogSink sink)
{
    const std::lock_guard lock(sinkMutex());
    LogSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

} // namespace kestrix
