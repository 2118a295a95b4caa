#include "ptsl_log.h"

#include "log.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace kestrix {

void ptslLog(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    std::string message(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(message.data(), message.size() + 1, format, args);
    va_end(args);
    logLine("PTSL", message);
}

} // namespace kestrix
