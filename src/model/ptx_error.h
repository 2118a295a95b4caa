// Why a session could not be loaded, with the text shown to the user.
#ifndef KESTRIX_MODEL_PTX_ERROR_H
#define KESTRIX_MODEL_PTX_ERROR_H

#include <cstdint>
#include <string>

namespace kestrix {

struct PTXError {
    enum class Kind { decryptFailed, parseFailed };

    Kind kind = Kind::parseFailed;
    int32_t code = 0;  // the reader's status, for decryptFailed only

    static PTXError decryptFailed(int32_t code) { return {Kind::decryptFailed, code}; }
    static PTXError parseFailed() { return {Kind::parseFailed, 0}; }

    std::string description() const;
    bool operator==(const PTXError &) const = default;
};

} // namespace kestrix

#endif
