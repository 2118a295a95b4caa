// A small JSON document model for the view settings stored per file.
//
// Text is handled as bytes: quoteJson writes a byte that is not part of
// valid UTF-8 as \u00XX, and parseJson reads \u0080 to \u00ff back as that
// single byte, so names in any encoding survive a round trip unchanged.
#ifndef KESTRIX_MODEL_JSON_VALUE_H
#define KESTRIX_MODEL_JSON_VALUE_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace kestrix {

class JsonValue {
public:
    using Array = std::vector<JsonValue>;
    using Object = std::vector<std::pair<std::string, JsonValue>>;  // in key order as written

    JsonValue() = default;  // null
    JsonValue(bool b) : value_(b) {}
    JsonValue(double d) : value_(d) {}
    JsonValue(std::string s) : value_(std::move(s)) {}
    JsonValue(const char *s) : value_(std::string(s)) {}
    JsonValue(Array a) : value_(std::move(a)) {}
    JsonValue(Object o) : value_(std::move(o)) {}

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(value_); }
    // Null when the value is of another type.
    const bool *asBool() const { return std::get_if<bool>(&value_); }
    const double *asNumber() const { return std::get_if<double>(&value_); }
    const std::string *asString() const { return std::get_if<std::string>(&value_); }
    const Array *asArray() const { return std::get_if<Array>(&value_); }
    const Object *asObject() const { return std::get_if<Object>(&value_); }
    // The member of an object with the key; null when absent or not an object.
    const JsonValue *find(std::string_view key) const;

    bool operator==(const JsonValue &) const = default;

private:
    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> value_ = nullptr;
};

// None for text that is not one JSON value (or nests deeper than 256 levels).
std::optional<JsonValue> parseJson(std::string_view text);
// Compact text.
std::string toJsonText(const JsonValue &value);

// A quoted JSON string of the bytes.
std::string quoteJson(std::string_view bytes);
// The shortest text that reads back as the same double; "null" for
// infinities and NaN, which JSON cannot hold.
std::string jsonNumberText(double value);

} // namespace kestrix

#endif
