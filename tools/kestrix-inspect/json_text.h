// The values of kestrix-inspect's JSON outputs.
#ifndef KESTRIX_INSPECT_JSON_TEXT_H
#define KESTRIX_INSPECT_JSON_TEXT_H

#include "byte_json.h"

#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

namespace kestrix::json {

// A text from the session: bytes that are not UTF-8 are written as the
// character of the same number (\u00XX) by dumpJson.
Json text(std::string_view bytes);
inline Json text(const char *bytes) { return text(std::string_view(bytes ? bytes : "")); }
// Makes slot that text, reusing its memory: the lists' records are refilled
// for every element.
void setText(Json &slot, std::string_view bytes);
inline void setText(Json &slot, const char *bytes) { setText(slot, std::string_view(bytes ? bytes : "")); }
// A whole number below 2^53 is written without a fraction ("120", not
// "120.0"); infinities and NaN, which JSON cannot hold, as null.
Json number(double value);

// Makes slot an array of the items, each element filled in by
// fill(element, item). Elements already there are refilled, keeping their
// memory, so fill sets every member each time.
template <class Items, class Fill>
void setArray(Json &slot, const Items &items, Fill fill)
{
    if (!slot.is_array())
        slot = Json::array();
    Json::array_t &elements = slot.get_ref<Json::array_t &>();
    elements.resize(std::size(items));
    auto element = elements.begin();
    for (const auto &item : items)
        fill(*element++, item);
}

// One JSON object written to a file member by member, its lists element by
// element, so that a large session's output (tens of MB) is never held as
// one document: building and freeing that would take longer than reading
// the session. fill(record, item) sets every member of one element; the
// record is reused from element to element, so its keys are made once.
class ObjectWriter {
public:
    explicit ObjectWriter(std::FILE *out) : out_(out) {}
    // Keys are plain ASCII names that need no escaping.
    ObjectWriter &member(std::string_view key, const Json &value);
    template <class Items, class Fill>
    ObjectWriter &list(std::string_view key, const Items &items, Fill fill)
    {
        writeKey(key);
        buffer_ += '[';
        Json record;
        bool first = true;
        for (const auto &item : items) {
            if (!first)
                buffer_ += ',';
            first = false;
            fill(record, item);
            buffer_ += dumpJson(record);
            if (buffer_.size() >= kFlushBytes)
                flush();
        }
        buffer_ += ']';
        return *this;
    }
    // Closes the object and writes what is left.
    void finish();

private:
    static constexpr size_t kFlushBytes = 1 << 20;
    void writeKey(std::string_view key);
    void flush();
    std::FILE *out_;
    std::string buffer_ = "{";
    bool firstMember_ = true;
};

} // namespace kestrix::json

#endif
