// Lower-casing names and search text with the full Unicode case mapping.
#ifndef KESTRIX_MODEL_LOWER_CASE_H
#define KESTRIX_MODEL_LOWER_CASE_H

#include <string>
#include <string_view>

namespace kestrix {

// Lower-cases every UTF-8 letter of every script with cases, one code point
// at a time: a letter's lower case never depends on its neighbours (a Greek
// capital sigma is always σ), so a name and a term typed on its own agree.
// Bytes that are not well-formed UTF-8 are kept as they are.
void appendLowerCase(std::string_view text, std::string &out);
std::string lowerCase(std::string_view text);

} // namespace kestrix

#endif
