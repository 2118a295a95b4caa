// JSON as text. PTSL request bodies are assembled by concatenation and
// answers are read by substring search on the raw bytes; Pro Tools writes
// compact JSON (no blank after a colon), which the searches rely on.
#ifndef KESTRIX_PTSL_PTSL_JSON_H
#define KESTRIX_PTSL_PTSL_JSON_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// The text escaped for use inside a JSON string. Bytes of 0x80 and above
// pass unchanged.
std::string jsonEscape(std::string_view text);

// The value of the first "key":"value" (written exactly so, without
// blanks); empty when absent or unterminated. Escaped quotes inside a
// value are not understood.
std::string jsonStringValue(std::string_view json, std::string_view key);

// Every value of "key":"value", in order.
std::vector<std::string> jsonAllStringValues(std::string_view json, std::string_view key);

// The decimal integer after the first ':' that follows the first
// occurrence of quotedKey (which includes its quotes); 0 when the key or
// the colon is missing or no number follows.
int32_t jsonIntAfterKey(std::string_view json, std::string_view quotedKey);

} // namespace kestrix

#endif
