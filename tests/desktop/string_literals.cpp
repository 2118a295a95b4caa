#include "string_literals.h"

#include <cctype>

namespace kestrix::test {
namespace {

class Scanner {
public:
    explicit Scanner(std::string_view source) : s_(source) {}

    std::vector<StringLiteral> run()
    {
        while (i_ < s_.size()) {
            if (startsWith("//"))
                skipPast("\n");
            else if (startsWith("/*"))
                skipPast("*/");
            else if (startsWith("R\"") && !identifierBefore())
                rawString();
            else if (s_[i_] == '"')
                quoted('"', true);
            else if (s_[i_] == '\'' && !digitBefore())  // 1'000 is a number, not a character
                quoted('\'', false);
            else
                advance(1);
        }
        return std::move(found_);
    }

private:
    bool startsWith(std::string_view text) const { return s_.substr(i_).starts_with(text); }
    bool identifierBefore() const
    {
        return i_ > 0 && (std::isalnum(static_cast<unsigned char>(s_[i_ - 1])) || s_[i_ - 1] == '_');
    }
    bool digitBefore() const { return i_ > 0 && std::isxdigit(static_cast<unsigned char>(s_[i_ - 1])); }

    void advance(size_t n)
    {
        for (; n > 0 && i_ < s_.size(); --n, ++i_)
            line_ += s_[i_] == '\n' ? 1 : 0;
    }
    void skipPast(std::string_view end)
    {
        const size_t at = s_.find(end, i_);
        advance(at == std::string_view::npos ? s_.size() - i_ : at - i_ + end.size());
    }
    void quoted(char quote, bool keep)
    {
        const int line = line_;
        advance(1);
        std::string text;
        while (i_ < s_.size() && s_[i_] != quote && s_[i_] != '\n') {
            const size_t n = s_[i_] == '\\' ? 2 : 1;
            text += s_.substr(i_, n);
            advance(n);
        }
        advance(1);
        if (keep)
            found_.push_back({std::move(text), line});
    }
    void rawString()
    {
        const int line = line_;
        advance(2);
        const size_t open = s_.find('(', i_);
        if (open == std::string_view::npos)
            return advance(s_.size() - i_);
        const std::string end = ")" + std::string(s_.substr(i_, open - i_)) + "\"";
        advance(open + 1 - i_);
        const size_t close = s_.find(end, i_);
        const size_t length = close == std::string_view::npos ? s_.size() - i_ : close - i_;
        found_.push_back({std::string(s_.substr(i_, length)), line});
        advance(length + end.size());
    }

    std::string_view s_;
    size_t i_ = 0;
    int line_ = 1;
    std::vector<StringLiteral> found_;
};

} // namespace

std::vector<StringLiteral> stringLiterals(std::string_view source)
{
    return Scanner(source).run();
}

} // namespace kestrix::test
