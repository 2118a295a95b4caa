// JSON over nlohmann/json for texts whose bytes may not be UTF-8.
//
// Names in a session file are bytes in whatever encoding the file was
// written with. In JSON, a byte that is not part of valid UTF-8 becomes the
// character of the same number (0xE9 becomes "é"), and stored values keep
// the bytes themselves: dumpJson writes such a byte as \u00XX,
// and parseJson reads \u0080 to \u00ff, and such bytes written raw, back as
// that single byte (bytesOf), while valid UTF-8 is written and read as itself.
#ifndef KESTRIX_MODEL_BYTE_JSON_H
#define KESTRIX_MODEL_BYTE_JSON_H

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

using Json = nlohmann::ordered_json;

// A string value that keeps its bytes through dumpJson and parseJson.
Json byteString(std::string_view bytes);
// Makes slot that string value, reusing its text's memory when it is one.
void assignByteString(Json &slot, std::string_view bytes);
// The bytes of a string value made by byteString or read by parseJson.
std::string bytesOf(const std::string &value);

// Compact text; infinities and NaN are written as null.
std::string dumpJson(const Json &value);
// None for text that is not one JSON value.
std::optional<Json> parseJson(std::string_view text);

} // namespace kestrix

#endif
