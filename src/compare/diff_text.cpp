#include "diff_text.h"

#include <charconv>
#include <cstdio>

namespace kestrix {

std::string minSecText(uint64_t samples, std::string_view sampleRateText)
{
    uint64_t rate = 0;
    const auto [end, error] = std::from_chars(sampleRateText.data(), sampleRateText.data() + sampleRateText.size(), rate);
    if (error != std::errc() || end != sampleRateText.data() + sampleRateText.size() || rate == 0)
        return std::to_string(samples) + " samples";
    const uint64_t seconds = samples / rate;
    // The remainder is below the rate (at most 32 bits), so this cannot overflow.
    const uint64_t millis = (samples % rate) * 1000 / rate;
    char text[64];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%llu:%02llu:%02llu.%03llu", (unsigned long long)(seconds / 3600),
                      (unsigned long long)(seconds / 60 % 60), (unsigned long long)(seconds % 60),
                      (unsigned long long)millis);
    else
        std::snprintf(text, sizeof text, "%llu:%02llu.%03llu", (unsigned long long)(seconds / 60),
                      (unsigned long long)(seconds % 60), (unsigned long long)millis);
    return text;
}

namespace {

class TextWriter {
public:
    TextWriter(const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession)
        : oldRate_(oldSession.sampleRate), newRate_(newSession.sampleRate) {}

    void section(std::string_view title, bool hasLines)
    {
        if (!hasLines)
            return;
        if (!text_.empty())
            text_ += '\n';
        line(title);
    }
    void line(std::string_view a, std::string_view b = {}, std::string_view c = {}, std::string_view d = {})
    {
        text_.append(a).append(b).append(c).append(d) += '\n';
    }
    std::string oldTime(uint64_t samples) const { return minSecText(samples, oldRate_); }
    std::string newTime(uint64_t samples) const { return minSecText(samples, newRate_); }
    std::string value(const FieldValue &v, bool old) const;
    std::string fields(const std::vector<FieldChange> &changes) const;
    std::string take() { return std::move(text_); }

private:
    std::string oldRate_, newRate_;
    std::string text_;
};

// Sample positions are timed; texts are quoted so that an empty one shows.
std::string TextWriter::value(const FieldValue &v, bool old) const
{
    if (const auto *text = std::get_if<std::string>(&v))
        return '"' + *text + '"';
    if (const auto *number = std::get_if<int64_t>(&v))
        return std::to_string(*number);
    const uint64_t samples = std::get<uint64_t>(v);
    return old ? oldTime(samples) : newTime(samples);
}

std::string TextWriter::fields(const std::vector<FieldChange> &changes) const
{
    std::string text;
    for (const FieldChange &change : changes) {
        if (!text.empty())
            text += ", ";
        // Colour indices are numbers, not times.
        const bool plainNumber = change.field == "color";
        const auto show = [&](const FieldValue &v, bool old) {
            return plainNumber ? std::to_string(std::get<uint64_t>(v)) : value(v, old);
        };
        text += change.field + " " + show(change.oldValue, true) + " -> " + show(change.newValue, false);
    }
    return text;
}

std::string pathSuffix(const FileEntry &file)
{
    return file.path.empty() ? std::string() : " (" + file.path + ")";
}

} // namespace

std::string diffText(const SessionDiff &diff, const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession)
{
    TextWriter out(oldSession, newSession);

    out.section("Properties", !diff.properties.empty());
    for (const FieldChange &p : diff.properties)
        out.line("~ ", p.field + ": ", std::get<std::string>(p.oldValue), " -> " + std::get<std::string>(p.newValue));

    out.section("Tracks", !diff.tracksAdded.empty() || !diff.tracksRemoved.empty() || !diff.tracksChanged.empty());
    for (const TrackEntry &t : diff.tracksAdded)
        out.line("+ ", t.name);
    for (const TrackEntry &t : diff.tracksRemoved)
        out.line("- ", t.name);
    for (const TrackChange &t : diff.tracksChanged)
        out.line("~ ", t.name, ": ", out.fields(t.fields));

    out.section("Clips", !diff.clipsAdded.empty() || !diff.clipsRemoved.empty() || !diff.clipsMoved.empty() ||
                             !diff.clipsTrimmed.empty());
    for (const ClipEntry &c : diff.clipsAdded)
        out.line("+ ", c.track + ": " + c.name, " at ", out.newTime(c.position));
    for (const ClipEntry &c : diff.clipsRemoved)
        out.line("- ", c.track + ": " + c.name, " at ", out.oldTime(c.position));
    for (const ClipChange &c : diff.clipsMoved)
        out.line("~ ", c.track + ": " + c.name, " moved ", out.oldTime(c.oldPosition) + " -> " + out.newTime(c.newPosition));
    for (const ClipChange &c : diff.clipsTrimmed) {
        std::string what = " trimmed at " + out.newTime(c.newPosition) + ": offset " + out.oldTime(c.oldOffset) +
                           " -> " + out.newTime(c.newOffset) + ", length " + out.oldTime(c.oldLength) + " -> " +
                           out.newTime(c.newLength);
        if (c.oldPosition != c.newPosition)
            what += ", moved from " + out.oldTime(c.oldPosition);
        out.line("~ ", c.track + ": " + c.name, what);
    }

    out.section("Audio Files", !diff.filesAdded.empty() || !diff.filesRemoved.empty());
    for (const FileEntry &f : diff.filesAdded)
        out.line("+ ", f.name, pathSuffix(f));
    for (const FileEntry &f : diff.filesRemoved)
        out.line("- ", f.name, pathSuffix(f));

    out.section("Plug-ins", !diff.pluginsAdded.empty() || !diff.pluginsRemoved.empty());
    for (const std::string &p : diff.pluginsAdded)
        out.line("+ ", p);
    for (const std::string &p : diff.pluginsRemoved)
        out.line("- ", p);

    out.section("Memory Locations",
                !diff.locationsAdded.empty() || !diff.locationsRemoved.empty() || !diff.locationsChanged.empty());
    for (const LocationEntry &l : diff.locationsAdded)
        out.line("+ ", std::to_string(l.number) + " " + l.name, " at ", out.newTime(l.start));
    for (const LocationEntry &l : diff.locationsRemoved)
        out.line("- ", std::to_string(l.number) + " " + l.name, " at ", out.oldTime(l.start));
    for (const LocationChange &l : diff.locationsChanged)
        out.line("~ ", std::to_string(l.number) + " " + l.name, ": ", out.fields(l.fields));
    return out.take();
}

} // namespace kestrix
