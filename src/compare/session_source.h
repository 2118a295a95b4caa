// Opening a session for comparison, keeping the reader's own error text.
#ifndef KESTRIX_COMPARE_SESSION_SOURCE_H
#define KESTRIX_COMPARE_SESSION_SOURCE_H

#include "result.h"
#include "session_info.h"

#include <string>

namespace kestrix {

// The model of the file, or "<path>: <the reader's error>". Any thread.
Result<PTXSessionInfo, std::string> openForComparison(const std::string &path);

} // namespace kestrix

#endif
