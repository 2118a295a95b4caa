// Minimal JSON output: exact integers, round-trip doubles and strings whose
// bytes that are not valid UTF-8 are written as \u00XX of the byte.
#ifndef KESTRIX_JSON_TEXT_H
#define KESTRIX_JSON_TEXT_H

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrix::json {

// A quoted JSON string.
std::string quote(std::string_view bytes);
// A JSON number with the shortest text that reads back as the same double;
// "null" for values JSON cannot hold (infinities, NaN).
std::string number(double value);

// Appends values separated by commas; the caller opens and closes brackets.
class Writer {
public:
    Writer &beginObject() { return open('{'); }
    Writer &endObject() { return close('}'); }
    Writer &beginArray() { return open('['); }
    Writer &endArray() { return close(']'); }
    Writer &key(std::string_view name);
    Writer &value(std::string_view text);
    Writer &value(const char *text) { return value(std::string_view(text ? text : "")); }
    Writer &value(uint64_t v);
    Writer &value(int64_t v);
    Writer &value(uint32_t v) { return value(uint64_t(v)); }
    Writer &value(int32_t v) { return value(int64_t(v)); }
    Writer &value(double v);
    Writer &value(bool v);
    Writer &null();
    const std::string &text() const { return out_; }

private:
    Writer &open(char bracket);
    Writer &close(char bracket);
    void separate();
    std::string out_;
    bool first_ = true;
    bool afterKey_ = false;
};

} // namespace kestrix::json

#endif
