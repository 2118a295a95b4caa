#include "json_value.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace kestrix {

namespace {

constexpr int kMaxDepth = 256;

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

void appendEscapedByte(std::string &out, unsigned char c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", c);
    out += buf;
}

void appendUtf8(std::string &out, uint32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

void writeValue(const JsonValue &value, std::string &out)
{
    if (const bool *b = value.asBool()) {
        out += *b ? "true" : "false";
    } else if (const double *d = value.asNumber()) {
        out += jsonNumberText(*d);
    } else if (const std::string *s = value.asString()) {
        out += quoteJson(*s);
    } else if (const JsonValue::Array *a = value.asArray()) {
        out += '[';
        for (size_t i = 0; i < a->size(); ++i) {
            if (i > 0)
                out += ',';
            writeValue((*a)[i], out);
        }
        out += ']';
    } else if (const JsonValue::Object *o = value.asObject()) {
        out += '{';
        for (size_t i = 0; i < o->size(); ++i) {
            if (i > 0)
                out += ',';
            out += quoteJson((*o)[i].first);
            out += ':';
            writeValue((*o)[i].second, out);
        }
        out += '}';
    } else {
        out += "null";
    }
}

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    std::optional<JsonValue> document()
    {
        std::optional<JsonValue> value = parseValue(0);
        skipBlanks();
        if (!value || i_ != s_.size())
            return std::nullopt;
        return value;
    }

private:
    std::optional<JsonValue> parseValue(int depth)
    {
        if (depth > kMaxDepth)
            return std::nullopt;
        skipBlanks();
        if (i_ >= s_.size())
            return std::nullopt;
        switch (s_[i_]) {
        case '{': return parseObject(depth);
        case '[': return parseArray(depth);
        case '"': {
            std::string text;
            if (!parseString(text))
                return std::nullopt;
            return JsonValue(std::move(text));
        }
        case 't': return literal("true", JsonValue(true));
        case 'f': return literal("false", JsonValue(false));
        case 'n': return literal("null", JsonValue());
        default: return parseNumber();
        }
    }

    std::optional<JsonValue> parseObject(int depth)
    {
        ++i_;  // '{'
        JsonValue::Object members;
        skipBlanks();
        if (consume('}'))
            return JsonValue(std::move(members));
        do {
            skipBlanks();
            std::string key;
            if (!parseString(key))
                return std::nullopt;
            skipBlanks();
            if (!consume(':'))
                return std::nullopt;
            std::optional<JsonValue> value = parseValue(depth + 1);
            if (!value)
                return std::nullopt;
            members.emplace_back(std::move(key), std::move(*value));
            skipBlanks();
        } while (consume(','));
        if (!consume('}'))
            return std::nullopt;
        return JsonValue(std::move(members));
    }

    std::optional<JsonValue> parseArray(int depth)
    {
        ++i_;  // '['
        JsonValue::Array elements;
        skipBlanks();
        if (consume(']'))
            return JsonValue(std::move(elements));
        do {
            std::optional<JsonValue> value = parseValue(depth + 1);
            if (!value)
                return std::nullopt;
            elements.push_back(std::move(*value));
            skipBlanks();
        } while (consume(','));
        if (!consume(']'))
            return std::nullopt;
        return JsonValue(std::move(elements));
    }

    bool parseString(std::string &out)
    {
        if (!consume('"'))
            return false;
        while (i_ < s_.size()) {
            const unsigned char c = static_cast<unsigned char>(s_[i_++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return false;
            if (c != '\\') {
                out += char(c);
                continue;
            }
            if (i_ >= s_.size())
                return false;
            switch (s_[i_++]) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u':
                if (!parseUnicodeEscape(out))
                    return false;
                break;
            default: return false;
            }
        }
        return false;
    }

    // After "\u": four hex digits, a surrogate pair, or a single byte.
    bool parseUnicodeEscape(std::string &out)
    {
        std::optional<uint32_t> unit = hex4();
        if (!unit)
            return false;
        if (*unit >= 0x80 && *unit <= 0xFF) {
            out += char(*unit);  // a byte that was not UTF-8 when written
            return true;
        }
        if (*unit >= 0xDC00 && *unit <= 0xDFFF)
            return false;
        if (*unit >= 0xD800 && *unit <= 0xDBFF) {
            if (!consume('\\') || !consume('u'))
                return false;
            const std::optional<uint32_t> low = hex4();
            if (!low || *low < 0xDC00 || *low > 0xDFFF)
                return false;
            appendUtf8(out, 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00));
            return true;
        }
        appendUtf8(out, *unit);
        return true;
    }

    std::optional<uint32_t> hex4()
    {
        if (s_.size() - i_ < 4)
            return std::nullopt;
        uint32_t value = 0;
        const auto [end, error] = std::from_chars(s_.data() + i_, s_.data() + i_ + 4, value, 16);
        if (error != std::errc() || end != s_.data() + i_ + 4)
            return std::nullopt;
        i_ += 4;
        return value;
    }

    // -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
    std::optional<JsonValue> parseNumber()
    {
        const size_t start = i_;
        consume('-');
        if (consume('0')) {
        } else if (!digits()) {
            return std::nullopt;
        }
        if (consume('.') && !digits())
            return std::nullopt;
        if (consume('e') || consume('E')) {
            if (!consume('+'))
                consume('-');
            if (!digits())
                return std::nullopt;
        }
        double value = 0;
        const auto [end, error] = std::from_chars(s_.data() + start, s_.data() + i_, value);
        if (error != std::errc() || end != s_.data() + i_)
            return std::nullopt;
        return JsonValue(value);
    }

    bool digits()
    {
        const size_t start = i_;
        while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9')
            ++i_;
        return i_ > start;
    }

    std::optional<JsonValue> literal(std::string_view word, JsonValue value)
    {
        if (s_.substr(i_, word.size()) != word)
            return std::nullopt;
        i_ += word.size();
        return value;
    }

    bool consume(char c)
    {
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }

    void skipBlanks()
    {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
            ++i_;
    }

    std::string_view s_;
    size_t i_ = 0;
};

} // namespace

const JsonValue *JsonValue::find(std::string_view key) const
{
    const Object *object = asObject();
    if (!object)
        return nullptr;
    for (const auto &[name, value] : *object)
        if (name == key)
            return &value;
    return nullptr;
}

std::optional<JsonValue> parseJson(std::string_view text)
{
    return Parser(text).document();
}

std::string toJsonText(const JsonValue &value)
{
    std::string out;
    writeValue(value, out);
    return out;
}

std::string quoteJson(std::string_view s)
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
        const size_t len = (c < 0x20 || c == 0x7F) ? 0 : utf8SequenceLength(s, i);
        if (len == 0) {
            appendEscapedByte(out, c);
            ++i;
            continue;
        }
        out.append(s.substr(i, len));
        i += len;
    }
    out += '"';
    return out;
}

std::string jsonNumberText(double value)
{
    if (!std::isfinite(value))
        return "null";
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}

} // namespace kestrix
