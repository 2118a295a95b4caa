#include "json_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kestrix::json {

namespace {

// Length of the valid UTF-8 sequence starting at s[i], or 0 when invalid.
size_t utf8_sequence_length(std::string_view s, size_t i)
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

void append_escaped_byte(std::string &out, unsigned char c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", c);
    out += buf;
}

} // namespace

std::string quote(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + 2);
    out += '"';
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        switch (c) {
        case '"': out += "\\\""; ++i; continue;
        case '\\': out += "\\\\"; ++i; continue;
        case '\n': out += "\\n"; ++i; continue;
        case '\r': out += "\\r"; ++i; continue;
        case '\t': out += "\\t"; ++i; continue;
        default: break;
        }
        if (c < 0x20 || c == 0x7F) {
            append_escaped_byte(out, c);
            ++i;
            continue;
        }
        const size_t len = utf8_sequence_length(s, i);
        if (len == 0) {
            append_escaped_byte(out, c);
            ++i;
            continue;
        }
        out.append(s.substr(i, len));
        i += len;
    }
    out += '"';
    return out;
}

std::string number(double value)
{
    if (!std::isfinite(value))
        return "null";
    char buf[64];
    auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}

void Writer::separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_)
        out_ += ',';
    first_ = false;
}

Writer &Writer::open(char bracket)
{
    separate();
    out_ += bracket;
    first_ = true;
    return *this;
}

Writer &Writer::close(char bracket)
{
    out_ += bracket;
    first_ = false;
    return *this;
}

Writer &Writer::key(std::string_view name)
{
    separate();
    out_ += quote(name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

Writer &Writer::value(std::string_view text)
{
    separate();
    out_ += quote(text);
    return *this;
}

Writer &Writer::value(uint64_t v)
{
    separate();
    out_ += std::to_string(v);
    return *this;
}

Writer &Writer::value(int64_t v)
{
    separate();
    out_ += std::to_string(v);
    return *this;
}

Writer &Writer::value(double v)
{
    separate();
    out_ += number(v);
    return *this;
}

Writer &Writer::value(bool v)
{
    separate();
    out_ += v ? "true" : "false";
    return *this;
}

} // namespace kestrix::json
