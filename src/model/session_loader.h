// Loading a session file into the model.
#ifndef KESTRIX_MODEL_SESSION_LOADER_H
#define KESTRIX_MODEL_SESSION_LOADER_H

#include "ptx_error.h"
#include "ptx_reader.h"
#include "result.h"
#include "session_info.h"

#include <string>
#include <string_view>

namespace kestrix {

// Reads the file into a fresh PTXSessionInfo. May run on any thread; the
// reader's handle is freed before it returns, and nothing in the result
// refers to it. A file the reader cannot open or parse gives parseFailed.
Result<PTXSessionInfo, PTXError> loadSession(const std::string &path);

// The model of an open reader handle.
PTXSessionInfo buildSessionInfo(const ptx_session *s, std::string sessionName);

// The file name without its extension: "Mix" for "/a/b/Mix.ptx".
std::string sessionNameFromPath(std::string_view path);

} // namespace kestrix

#endif
