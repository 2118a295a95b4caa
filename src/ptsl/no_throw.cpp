#include "no_throw.h"

#include "ptsl_log.h"

#include <exception>

namespace kestrix {

void logUnexpectedException() noexcept
{
    try {
        try {
            throw;
        } catch (const std::exception &e) {
            ptslLog("Unexpected exception: %s", e.what());
        } catch (...) {
            ptslLog("Unexpected exception");
        }
    } catch (...) {
        // Logging itself failed (out of memory); nothing more can be said.
    }
}

} // namespace kestrix
