#include "session_info.h"

namespace kestrix {

namespace {

bool hasTimeProperties(const PTXMemoryLocation &location)
{
    return !location.timeProperties.empty() && location.timeProperties != "none";
}

} // namespace

std::string_view PTXMemoryLocation::referenceLabel() const
{
    if (!hasTimeProperties(*this))
        return "";
    switch (reference) {
    case 1: return "Bar | Beat";
    case 3: return "Absolute";
    default: return "";
    }
}

bool PTXMemoryLocation::hasColor() const
{
    return hasTimeProperties(*this) && (colorR != 0 || colorG != 0 || colorB != 0);
}

} // namespace kestrix
