#include "ruler_numbers.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace kestrix {
namespace {

template <typename Number>
std::optional<Number> parseWhole(std::string_view text)
{
    Number value{};
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// The first run of characters from "0123456789.".
std::string_view firstNumberRun(std::string_view text)
{
    constexpr std::string_view kNumberChars = "0123456789.";
    const size_t begin = text.find_first_of(kNumberChars);
    if (begin == std::string_view::npos)
        return {};
    const size_t end = text.find_first_not_of(kNumberChars, begin);
    return text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

std::optional<double> positive(std::optional<double> value)
{
    return value && std::isfinite(*value) && *value > 0 ? value : std::nullopt;
}

} // namespace

std::optional<double> parseSampleRate(std::string_view text)
{
    return positive(parseWhole<double>(text));
}

int parseFramesPerSecond(std::string_view text)
{
    const std::optional<double> rate = positive(parseWhole<double>(firstNumberRun(text)));
    return rate && *rate < 1e6 ? int(std::ceil(*rate)) : 30;
}

std::optional<double> parseTempo(std::string_view text)
{
    return positive(parseWhole<double>(firstNumberRun(text)));
}

std::optional<int> parseBeatsPerBar(std::string_view text)
{
    const std::optional<int> beats = parseWhole<int>(text.substr(0, text.find('/')));
    return beats && *beats >= 1 ? beats : std::nullopt;
}

double parseSessionStartSeconds(std::string_view text, int framesPerSecond)
{
    std::vector<int> parts;
    while (!text.empty()) {
        const size_t colon = text.find(':');
        const std::string_view piece = text.substr(0, colon);
        if (!piece.empty()) {
            const std::optional<int> value = parseWhole<int>(piece);
            if (!value)
                return 0;
            parts.push_back(*value);
        }
        text = colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
    }
    if (parts.size() != 4 || framesPerSecond <= 0)
        return 0;
    return parts[0] * 3600.0 + parts[1] * 60.0 + parts[2] + double(parts[3]) / framesPerSecond;
}

RulerNumbers RulerNumbers::fromSession(const PTXSessionInfo &session)
{
    RulerNumbers n;
    n.sampleRate = parseSampleRate(session.sampleRate);
    n.framesPerSecond = parseFramesPerSecond(session.frameRate);
    n.tempo = parseTempo(session.tempo);
    n.beatsPerBar = parseBeatsPerBar(session.meter);
    n.sessionStartSeconds = parseSessionStartSeconds(session.sessionStart, n.framesPerSecond);
    n.tempoChanges = session.tempoChanges;
    n.meterChanges = session.meterChanges;
    return n;
}

} // namespace kestrix
