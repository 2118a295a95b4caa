#include "json_text.h"

#include "json_value.h"

namespace kestrix::json {

std::string quote(std::string_view s)
{
    return quoteJson(s);
}

std::string number(double value)
{
    return jsonNumberText(value);
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

Writer &Writer::null()
{
    separate();
    out_ += "null";
    return *this;
}

} // namespace kestrix::json
