#include "log_capture.h"

#include <algorithm>

LogCapture::LogCapture()
{
    previous_ = kestrix::setLogSink([this](std::string_view component, std::string_view message) {
        std::string line = "[" + std::string(component) + "] " + std::string(message);
        const std::lock_guard lock(mutex_);
        lines_.push_back(std::move(line));
    });
}

LogCapture::~LogCapture()
{
    kestrix::setLogSink(std::move(previous_));
}

std::vector<std::string> LogCapture::lines() const
{
    const std::lock_guard lock(mutex_);
    return lines_;
}

int LogCapture::count(std::string_view line) const
{
    const std::lock_guard lock(mutex_);
    return static_cast<int>(std::count(lines_.begin(), lines_.end(), line));
}

void LogCapture::clear()
{
    const std::lock_guard lock(mutex_);
    lines_.clear();
}
