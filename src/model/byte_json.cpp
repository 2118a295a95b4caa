#include "byte_json.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>

namespace kestrix {

namespace {

// U+FDD0, a noncharacter no text is meant to hold, marks a byte that was
// not UTF-8 while a value is inside nlohmann/json: the marker followed by
// the character of the byte's number. A marker in the text itself is
// doubled.
constexpr std::string_view kMarker = "\xEF\xB7\x90";

// Length of the valid UTF-8 sequence starting at s[i], or 0 when invalid.
size_t utf8SequenceLength(std::string_view s, size_t i)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    size_t len;
    uint32_t cp;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (overlong || surrogate || cp > 0x10FFFF)
        return 0;
    return len;
}

// The UTF-8 of the character U+0080 to U+00FF.
void appendLatin1(std::string &out, unsigned char c)
{
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
}

// The byte of a marked character at s[i] (after the marker), if it is one.
std::optional<unsigned char> markedByte(std::string_view s, size_t i)
{
    if (i + 1 >= s.size())
        return std::nullopt;
    const unsigned char lead = static_cast<unsigned char>(s[i]);
    if (lead != 0xC2 && lead != 0xC3)
        return std::nullopt;
    return static_cast<unsigned char>(((lead & 0x03) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3F));
}

// The value of the escape "\uXXXX" at s[i], if there is one.
std::optional<uint32_t> unicodeEscape(std::string_view s, size_t i)
{
    if (s.size() - i < 6 || s[i] != '\\' || s[i + 1] != 'u')
        return std::nullopt;
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(s.data() + i + 2, s.data() + i + 6, value, 16);
    if (error != std::errc() || end != s.data() + i + 6)
        return std::nullopt;
    return value;
}

// Undoes byteString's marking: a doubled marker becomes one, and a marked
// character goes to writeByte with its number.
template <class WriteByte>
std::string unmarked(std::string_view s, WriteByte writeByte)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const size_t marker = s.find(kMarker, i);
        out.append(s.substr(i, marker - i));
        if (marker == std::string_view::npos)
            break;
        i = marker + kMarker.size();
        if (s.substr(i, kMarker.size()) == kMarker) {
            out += kMarker;
            i += kMarker.size();
        } else if (const std::optional<unsigned char> byte = markedByte(s, i)) {
            writeByte(out, *byte);
            i += 2;
        } else {
            out += kMarker;
        }
    }
    return out;
}

} // namespace

void assignByteString(Json &slot, std::string_view bytes)
{
    if (!slot.is_string())
        slot = std::string();
    std::string &out = slot.get_ref<std::string &>();
    out.clear();
    for (size_t i = 0; i < bytes.size();) {
        // Runs of ASCII, the most of any name, are copied whole.
        const size_t ascii = std::find_if(bytes.begin() + i, bytes.end(), [](char c) { return c & 0x80; }) - bytes.begin();
        out.append(bytes.substr(i, ascii - i));
        i = ascii;
        if (i == bytes.size())
            break;
        const size_t len = utf8SequenceLength(bytes, i);
        if (len == 0) {
            out += kMarker;
            appendLatin1(out, static_cast<unsigned char>(bytes[i++]));
            continue;
        }
        if (bytes.substr(i, len) == kMarker)
            out += kMarker;
        out.append(bytes.substr(i, len));
        i += len;
    }
}

Json byteString(std::string_view bytes)
{
    Json value;
    assignByteString(value, bytes);
    return value;
}

std::string bytesOf(const std::string &value)
{
    return unmarked(value, [](std::string &out, unsigned char byte) { out += char(byte); });
}

std::string dumpJson(const Json &value)
{
    // Strings made by byteString are valid UTF-8; anything else is replaced
    // rather than thrown on.
    std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
    if (text.find(kMarker) == std::string::npos)
        return text;
    return unmarked(text, [](std::string &out, unsigned char byte) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", byte);
        out += escape;
    });
}

std::optional<Json> parseJson(std::string_view text)
{
    // Marks the bytes written as \u0080 to \u00ff or raw, and doubles the
    // markers already there, before nlohmann/json decodes the escapes.
    std::string marked;
    marked.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            // Raw bytes that are not UTF-8 are taken as themselves too.
            const size_t len = utf8SequenceLength(text, i);
            if (len == 0) {
                marked += kMarker;
                appendLatin1(marked, static_cast<unsigned char>(text[i++]));
                continue;
            }
            if (text.substr(i, len) == kMarker)
                marked += kMarker;
            marked.append(text.substr(i, len));
            i += len;
        } else if (text[i] != '\\' || i + 1 == text.size()) {
            marked += text[i++];
        } else if (const std::optional<uint32_t> unit = unicodeEscape(text, i)) {
            if (*unit >= 0x80 && *unit <= 0xFF)
                marked += kMarker;
            marked.append(text.substr(i, 6));
            if (*unit == 0xFDD0)
                marked.append(text.substr(i, 6));
            i += 6;
        } else {
            marked.append(text.substr(i, 2));
            i += 2;
        }
    }
    Json value = Json::parse(marked, nullptr, false);
    if (value.is_discarded())
        return std::nullopt;
    return value;
}

} // namespace kestrix
