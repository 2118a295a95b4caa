// Owns one open reader handle and frees it when destroyed.
#ifndef KESTRIX_MODEL_PTX_SESSION_H
#define KESTRIX_MODEL_PTX_SESSION_H

#include "ptx_reader.h"

#include <memory>
#include <optional>
#include <string>

namespace kestrix {

class PTXSession {
public:
    // Opens and parses the file; none when the reader fails, after logging
    // the reader's error text.
    static std::optional<PTXSession> open(const std::string &path);

    const ptx_session *handle() const { return handle_.get(); }

private:
    struct Free {
        void operator()(ptx_session *s) const { ptx_session_free(s); }
    };
    explicit PTXSession(ptx_session *handle) : handle_(handle) {}
    std::unique_ptr<ptx_session, Free> handle_;
};

} // namespace kestrix

#endif
