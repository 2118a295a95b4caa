#include "json_text.h"

#include <cmath>

namespace kestrix::json {

Json text(std::string_view bytes)
{
    return byteString(bytes);
}

void setText(Json &slot, std::string_view bytes)
{
    assignByteString(slot, bytes);
}

Json number(double value)
{
    constexpr double kExactIntegers = 9007199254740992.0;  // 2^53
    if (std::trunc(value) == value && std::fabs(value) < kExactIntegers && !(value == 0 && std::signbit(value)))
        return static_cast<int64_t>(value);
    return value;
}

void ObjectWriter::writeKey(std::string_view key)
{
    if (!firstMember_)
        buffer_ += ',';
    firstMember_ = false;
    buffer_ += '"';
    buffer_ += key;
    buffer_ += "\":";
}

ObjectWriter &ObjectWriter::member(std::string_view key, const Json &value)
{
    writeKey(key);
    buffer_ += dumpJson(value);
    return *this;
}

void ObjectWriter::flush()
{
    std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
    buffer_.clear();
}

void ObjectWriter::finish()
{
    buffer_ += '}';
    flush();
}

} // namespace kestrix::json
