#include "ptx_error.h"

namespace kestrix {

std::string PTXError::description() const
{
    switch (kind) {
    case Kind::decryptFailed:
        return "Failed to decrypt .ptx file (error " + std::to_string(code) + ")";
    case Kind::parseFailed:
        break;
    }
    return "Failed to parse session blocks";
}

} // namespace kestrix
