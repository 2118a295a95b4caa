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

class SectionWriter {
public:
    SectionWriter(const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession)
        : oldRate_(oldSession.sampleRate), newRate_(newSession.sampleRate) {}

    // Lines go to the last section; a section left without lines is dropped.
    void section(std::string title)
    {
        dropEmptySection();
        sections_.push_back({std::move(title), {}});
    }
    void line(char sign, std::string text, DiffTarget target = {})
    {
        sections_.back().lines.push_back({sign, std::move(text), std::move(target)});
    }
    std::string oldTime(uint64_t samples) const { return minSecText(samples, oldRate_); }
    std::string newTime(uint64_t samples) const { return minSecText(samples, newRate_); }
    std::string value(const FieldValue &v, bool old) const;
    std::string fields(const std::vector<FieldChange> &changes) const;
    std::vector<DiffSection> take()
    {
        dropEmptySection();
        return std::move(sections_);
    }

private:
    void dropEmptySection()
    {
        if (!sections_.empty() && sections_.back().lines.empty())
            sections_.pop_back();
    }

    std::string oldRate_, newRate_;
    std::vector<DiffSection> sections_;
};

// Sample positions are timed; texts are quoted so that an empty one shows.
std::string SectionWriter::value(const FieldValue &v, bool old) const
{
    if (const auto *text = std::get_if<std::string>(&v))
        return '"' + *text + '"';
    if (const auto *number = std::get_if<int64_t>(&v))
        return std::to_string(*number);
    const uint64_t samples = std::get<uint64_t>(v);
    return old ? oldTime(samples) : newTime(samples);
}

std::string SectionWriter::fields(const std::vector<FieldChange> &changes) const
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

DiffTarget clipTarget(const std::string &track, const ClipPlace &place)
{
    return {track, int64_t(place.clip)};
}

} // namespace

std::vector<DiffSection> diffSections(const SessionDiff &diff, const PTXSessionInfo &oldSession,
                                      const PTXSessionInfo &newSession)
{
    SectionWriter out(oldSession, newSession);

    out.section("Properties");
    for (const FieldChange &p : diff.properties)
        out.line('~', p.field + ": " + std::get<std::string>(p.oldValue) + " -> " + std::get<std::string>(p.newValue));

    out.section("Tracks");
    for (const TrackEntry &t : diff.tracksAdded)
        out.line('+', t.name);
    for (const TrackEntry &t : diff.tracksRemoved)
        out.line('-', t.name, {t.name});
    for (const TrackChange &t : diff.tracksChanged)
        out.line('~', t.name + ": " + out.fields(t.fields), {t.name});

    // Clips sit on tracks both sessions have, so an added clip's track is there too.
    out.section("Clips");
    for (const ClipEntry &c : diff.clipsAdded)
        out.line('+', c.track + ": " + c.name + " at " + out.newTime(c.position), {c.track});
    for (const ClipEntry &c : diff.clipsRemoved)
        out.line('-', c.track + ": " + c.name + " at " + out.oldTime(c.position), clipTarget(c.track, c.place));
    for (const ClipChange &c : diff.clipsMoved)
        out.line('~', c.track + ": " + c.name + " moved " + out.oldTime(c.oldPosition) + " -> " + out.newTime(c.newPosition),
                 clipTarget(c.track, c.oldPlace));
    for (const ClipChange &c : diff.clipsTrimmed) {
        std::string text = c.track + ": " + c.name + " trimmed at " + out.newTime(c.newPosition) + ": offset " +
                           out.oldTime(c.oldOffset) + " -> " + out.newTime(c.newOffset) + ", length " +
                           out.oldTime(c.oldLength) + " -> " + out.newTime(c.newLength);
        if (c.oldPosition != c.newPosition)
            text += ", moved from " + out.oldTime(c.oldPosition);
        out.line('~', std::move(text), clipTarget(c.track, c.oldPlace));
    }

    out.section("Audio Files");
    for (const FileEntry &f : diff.filesAdded)
        out.line('+', f.name + pathSuffix(f));
    for (const FileEntry &f : diff.filesRemoved)
        out.line('-', f.name + pathSuffix(f));

    out.section("Plug-ins");
    for (const std::string &p : diff.pluginsAdded)
        out.line('+', p);
    for (const std::string &p : diff.pluginsRemoved)
        out.line('-', p);

    out.section("Memory Locations");
    for (const LocationEntry &l : diff.locationsAdded)
        out.line('+', std::to_string(l.number) + " " + l.name + " at " + out.newTime(l.start));
    for (const LocationEntry &l : diff.locationsRemoved)
        out.line('-', std::to_string(l.number) + " " + l.name + " at " + out.oldTime(l.start));
    for (const LocationChange &l : diff.locationsChanged)
        out.line('~', std::to_string(l.number) + " " + l.name + ": " + out.fields(l.fields));
    return out.take();
}

std::string diffText(const SessionDiff &diff, const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession)
{
    std::string text;
    for (const DiffSection &section : diffSections(diff, oldSession, newSession)) {
        if (!text.empty())
            text += '\n';
        text += section.title + '\n';
        for (const DiffLine &line : section.lines)
            text.append(1, line.sign).append(" ").append(line.text) += '\n';
    }
    return text;
}

} // namespace kestrix
