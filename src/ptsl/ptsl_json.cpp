#include "ptsl_json.h"

#include <charconv>
#include <cstdio>

namespace kestrix {

namespace {

std::string stringValuePattern(std::string_view key)
{
    std::string pattern;
    pattern.reserve(key.size() + 4);
    pattern.append("\"").append(key).append("\":\"");
    return pattern;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

std::string jsonEscape(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (const char c : text) {
        switch (c) {
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string jsonStringValue(std::string_view json, std::string_view key)
{
    const std::string pattern = stringValuePattern(key);
    const size_t found = json.find(pattern);
    if (found == std::string_view::npos)
        return {};
    const size_t start = found + pattern.size();
    const size_t end = json.find('"', start);
    if (end == std::string_view::npos)
        return {};
    return std::string(json.substr(start, end - start));
}

std::vector<std::string> jsonAllStringValues(std::string_view json, std::string_view key)
{
    const std::string pattern = stringValuePattern(key);
    std::vector<std::string> values;
    size_t from = 0;
    while (true) {
        const size_t found = json.find(pattern, from);
        if (found == std::string_view::npos)
            break;
        const size_t start = found + pattern.size();
        const size_t end = json.find('"', start);
        if (end == std::string_view::npos)
            break;
        values.emplace_back(json.substr(start, end - start));
        from = end + 1;
    }
    return values;
}

int32_t jsonIntAfterKey(std::string_view json, std::string_view quotedKey)
{
    const size_t key = json.find(quotedKey);
    if (key == std::string_view::npos)
        return 0;
    const size_t colon = json.find(':', key + quotedKey.size());
    if (colon == std::string_view::npos)
        return 0;
    size_t at = colon + 1;
    while (at < json.size() && isBlank(json[at]))
        ++at;
    int32_t value = 0;
    // A value that is not a number, or does not fit, reads as 0.
    const auto [end, error] = std::from_chars(json.data() + at, json.data() + json.size(), value);
    (void)end;
    return error == std::errc() ? value : 0;
}

} // namespace kestrix
