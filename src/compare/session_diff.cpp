#include "session_diff.h"

#include "key_pairing.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <tuple>

namespace kestrix {

namespace {

// ---- Properties ------------------------------------------------------------

std::string withChanges(const std::string &value, bool changes)
{
    return changes ? value + " (changes present)" : value;
}

// The properties as the session window shows them, by their labels there.
std::vector<std::pair<std::string, std::string>> propertyTexts(const PTXSessionInfo &s)
{
    return {{"Sample Rate", s.sampleRate},
            {"Bit Depth", s.bitDepth},
            {"Audio Format", s.audioFormat},
            {"Interleaved", s.interleaved},
            {"Pan Depth", s.panDepth},
            {"Session Start", s.sessionStart},
            {"Session Length", s.sessionLength},
            {"Frame Rate", s.frameRate},
            {"Tempo", withChanges(s.tempo, s.tempoChanges)},
            {"Meter", withChanges(s.meter, s.meterChanges)}};
}

std::vector<FieldChange> compareProperties(const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession)
{
    const auto olds = propertyTexts(oldSession);
    const auto news = propertyTexts(newSession);
    std::vector<FieldChange> changes;
    for (size_t i = 0; i < olds.size(); ++i)
        if (olds[i].second != news[i].second)
            changes.push_back({olds[i].first, olds[i].second, news[i].second});
    return changes;
}

// Appends a change of `field` when the values differ.
template <class T>
void noteChange(std::vector<FieldChange> &fields, const char *field, const T &oldValue, const T &newValue)
{
    if (oldValue != newValue)
        fields.push_back({field, FieldValue(oldValue), FieldValue(newValue)});
}

// ---- Tracks ------------------------------------------------------------------

std::string insertsText(const std::vector<PTXTrackPlugin> &plugins)
{
    std::string text;
    for (const PTXTrackPlugin &plugin : plugins) {
        if (!text.empty())
            text += ", ";
        text += plugin.name;
        if (!plugin.active)
            text += " (inactive)";
    }
    return text;
}

std::vector<FieldChange> trackFieldChanges(const PTXTrackInfo &o, const PTXTrackInfo &n)
{
    std::vector<FieldChange> fields;
    noteChange(fields, "type", std::string(o.typeLabel()), std::string(n.typeLabel()));
    noteChange(fields, "format", o.format.name, n.format.name);
    noteChange(fields, "color", uint64_t(o.colorIndex), uint64_t(n.colorIndex));
    noteChange(fields, "comment", o.comment, n.comment);
    noteChange(fields, "inserts", insertsText(o.plugins), insertsText(n.plugins));
    noteChange(fields, "folder", o.parentName.value_or(""), n.parentName.value_or(""));
    return fields;
}

template <class Entry>
std::vector<Entry> trackEntries(const std::vector<PTXTrackInfo> &tracks, std::vector<size_t> indices)
{
    std::sort(indices.begin(), indices.end());
    std::vector<Entry> entries;
    entries.reserve(indices.size());
    for (size_t i : indices)
        entries.push_back({tracks[i].name, i});
    return entries;
}

// ---- Clips -------------------------------------------------------------------

std::string_view fileNameOf(const PTXSessionInfo &session, const PTXClipInfo &clip)
{
    if (clip.sourceFileIndex < 0 || uint64_t(clip.sourceFileIndex) >= session.audioFiles.size())
        return {};
    return session.audioFiles[size_t(clip.sourceFileIndex)].name;
}

// One side of a matched track pair.
struct TrackSide {
    const PTXSessionInfo &session;
    const PTXTrackInfo &track;
    size_t trackIndex;

    const PTXClipInfo &clip(size_t i) const { return track.clips[i]; }
    std::string_view file(size_t i) const { return fileNameOf(session, track.clips[i]); }
    uint64_t position(size_t i) const { return track.clips[i].timelinePosition; }
};

// Runs one pairing pass over the clips still unpaired on both sides and
// leaves the unpaired ones in `olds` and `news`.
template <class Key>
std::vector<std::pair<size_t, size_t>> clipPass(const TrackSide &o, const TrackSide &n, std::vector<size_t> &olds,
                                                std::vector<size_t> &news, Key key)
{
    Pairing pairing = pairByKey(
        std::move(olds), std::move(news), [&](size_t i) { return key(o, i); }, [&](size_t i) { return key(n, i); },
        [&](size_t i) { return o.position(i); }, [&](size_t i) { return n.position(i); });
    olds = std::move(pairing.oldLeft);
    news = std::move(pairing.newLeft);
    return std::move(pairing.pairs);
}

ClipChange clipChange(const TrackSide &o, const TrackSide &n, std::pair<size_t, size_t> pair)
{
    const PTXClipInfo &oc = o.clip(pair.first), &nc = n.clip(pair.second);
    return {n.track.name,      nc.name,           oc.timelinePosition, nc.timelinePosition,
            oc.sampleOffset,   nc.sampleOffset,   oc.sampleLength,     nc.sampleLength,
            {o.trackIndex, pair.first}, {n.trackIndex, pair.second}};
}

void compareClips(const TrackSide &o, const TrackSide &n, SessionDiff &diff)
{
    std::vector<size_t> olds = allIndices(o.track.clips.size());
    std::vector<size_t> news = allIndices(n.track.clips.size());

    // Unchanged clips first, so that only what is left can have moved.
    clipPass(o, n, olds, news, [](const TrackSide &s, size_t i) {
        const PTXClipInfo &c = s.clip(i);
        return std::tuple(std::string_view(c.name), s.file(i), c.sampleOffset, c.sampleLength, c.timelinePosition);
    });
    const auto moved = clipPass(o, n, olds, news, [](const TrackSide &s, size_t i) {
        const PTXClipInfo &c = s.clip(i);
        return std::tuple(std::string_view(c.name), s.file(i), c.sampleOffset, c.sampleLength);
    });
    // A trim at the end keeps the position; one at the start moves it too.
    auto trimmed = clipPass(o, n, olds, news, [](const TrackSide &s, size_t i) {
        return std::tuple(std::string_view(s.clip(i).name), s.file(i), s.position(i));
    });
    const auto trimmedAndMoved = clipPass(o, n, olds, news, [](const TrackSide &s, size_t i) {
        return std::tuple(std::string_view(s.clip(i).name), s.file(i));
    });
    trimmed.insert(trimmed.end(), trimmedAndMoved.begin(), trimmedAndMoved.end());

    const auto byNewPosition = [](const ClipChange &a, const ClipChange &b) {
        return std::tie(a.newPosition, a.newPlace.clip) < std::tie(b.newPosition, b.newPlace.clip);
    };
    const auto appendChanges = [&](const auto &pairs, std::vector<ClipChange> &out) {
        const size_t first = out.size();
        for (const auto &pair : pairs)
            out.push_back(clipChange(o, n, pair));
        std::sort(out.begin() + ptrdiff_t(first), out.end(), byNewPosition);
    };
    appendChanges(moved, diff.clipsMoved);
    appendChanges(trimmed, diff.clipsTrimmed);

    const auto appendEntries = [](const TrackSide &side, std::vector<size_t> &indices, std::vector<ClipEntry> &out) {
        std::sort(indices.begin(), indices.end(), [&](size_t a, size_t b) {
            return std::tie(side.clip(a).timelinePosition, a) < std::tie(side.clip(b).timelinePosition, b);
        });
        for (size_t i : indices)
            out.push_back({side.track.name, side.clip(i).name, side.position(i), {side.trackIndex, i}});
    };
    appendEntries(o, olds, diff.clipsRemoved);
    appendEntries(n, news, diff.clipsAdded);
}

void compareTracks(const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession, SessionDiff &diff)
{
    const auto &olds = oldSession.tracks;
    const auto &news = newSession.tracks;
    Pairing pairing = pairByKey(
        allIndices(olds.size()), allIndices(news.size()),
        [&](size_t i) { return std::string_view(olds[i].name); }, [&](size_t i) { return std::string_view(news[i].name); },
        [](size_t i) { return i; }, [](size_t i) { return i; });
    diff.tracksAdded = trackEntries<TrackEntry>(news, pairing.newLeft);
    diff.tracksRemoved = trackEntries<TrackEntry>(olds, pairing.oldLeft);

    std::sort(pairing.pairs.begin(), pairing.pairs.end(),
              [](const auto &a, const auto &b) { return a.second < b.second; });
    for (const auto &[o, n] : pairing.pairs) {
        std::vector<FieldChange> fields = trackFieldChanges(olds[o], news[n]);
        if (!fields.empty())
            diff.tracksChanged.push_back({news[n].name, o, n, std::move(fields)});
        compareClips({oldSession, olds[o], o}, {newSession, news[n], n}, diff);
    }
}

// ---- Audio files and plug-ins ------------------------------------------------

// Lists the unpaired items of a by-name pairing in their session's order.
template <class T, class Name>
Pairing pairByName(const std::vector<T> &olds, const std::vector<T> &news, Name name)
{
    Pairing pairing = pairByKey(
        allIndices(olds.size()), allIndices(news.size()), [&](size_t i) { return name(olds[i]); },
        [&](size_t i) { return name(news[i]); }, [](size_t i) { return i; }, [](size_t i) { return i; });
    std::sort(pairing.oldLeft.begin(), pairing.oldLeft.end());
    std::sort(pairing.newLeft.begin(), pairing.newLeft.end());
    return pairing;
}

void compareAudioFiles(const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession, SessionDiff &diff)
{
    const Pairing pairing = pairByName(oldSession.audioFiles, newSession.audioFiles,
                                       [](const PTXAudioFile &f) { return std::string_view(f.name); });
    for (size_t i : pairing.oldLeft)
        diff.filesRemoved.push_back({oldSession.audioFiles[i].name, oldSession.audioFiles[i].path});
    for (size_t i : pairing.newLeft)
        diff.filesAdded.push_back({newSession.audioFiles[i].name, newSession.audioFiles[i].path});
}

// Active and inactive plug-ins alike, each name once: switching a plug-in
// off is not removing it.
std::vector<std::string> pluginNames(const PTXSessionInfo &session)
{
    std::vector<std::string> names;
    for (const auto *list : {&session.activePlugins, &session.deactivatedPlugins})
        for (const std::string &name : *list)
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
    return names;
}

void comparePlugins(const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession, SessionDiff &diff)
{
    const std::vector<std::string> olds = pluginNames(oldSession), news = pluginNames(newSession);
    const Pairing pairing = pairByName(olds, news, [](const std::string &name) { return std::string_view(name); });
    for (size_t i : pairing.oldLeft)
        diff.pluginsRemoved.push_back(olds[i]);
    for (size_t i : pairing.newLeft)
        diff.pluginsAdded.push_back(news[i]);
}

// ---- Memory locations --------------------------------------------------------

std::string colourText(const PTXMemoryLocation &location)
{
    if (!location.hasColor())
        return {};
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", location.colorR, location.colorG, location.colorB);
    return text;
}

std::vector<FieldChange> locationFieldChanges(const PTXMemoryLocation &o, const PTXMemoryLocation &n)
{
    std::vector<FieldChange> fields;
    noteChange(fields, "number", o.number, n.number);
    noteChange(fields, "name", o.name, n.name);
    noteChange(fields, "start", o.startTime, n.startTime);
    noteChange(fields, "end", o.endTime, n.endTime);
    noteChange(fields, "type", o.timeProperties, n.timeProperties);
    noteChange(fields, "reference", std::string(o.referenceLabel()), std::string(n.referenceLabel()));
    noteChange(fields, "color", colourText(o), colourText(n));
    return fields;
}

void compareLocations(const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession, SessionDiff &diff)
{
    const auto &olds = oldSession.memoryLocations;
    const auto &news = newSession.memoryLocations;
    const auto rank = [](size_t i) { return i; };
    Pairing byNumber = pairByKey(
        allIndices(olds.size()), allIndices(news.size()), [&](size_t i) { return olds[i].number; },
        [&](size_t i) { return news[i].number; }, rank, rank);
    // A location given another number is still found by its name.
    Pairing byName = pairByKey(
        byNumber.oldLeft, byNumber.newLeft, [&](size_t i) { return std::string_view(olds[i].name); },
        [&](size_t i) { return std::string_view(news[i].name); }, rank, rank);

    std::vector<std::pair<size_t, size_t>> pairs = byNumber.pairs;
    pairs.insert(pairs.end(), byName.pairs.begin(), byName.pairs.end());
    std::sort(pairs.begin(), pairs.end(), [](const auto &a, const auto &b) { return a.second < b.second; });
    for (const auto &[o, n] : pairs) {
        std::vector<FieldChange> fields = locationFieldChanges(olds[o], news[n]);
        if (!fields.empty())
            diff.locationsChanged.push_back({news[n].number, news[n].name, std::move(fields)});
    }
    // The lists are sorted by number, so index order is number order.
    std::sort(byName.oldLeft.begin(), byName.oldLeft.end());
    std::sort(byName.newLeft.begin(), byName.newLeft.end());
    for (size_t i : byName.oldLeft)
        diff.locationsRemoved.push_back({olds[i].number, olds[i].name, olds[i].startTime});
    for (size_t i : byName.newLeft)
        diff.locationsAdded.push_back({news[i].number, news[i].name, news[i].startTime});
}

} // namespace

bool SessionDiff::identical() const
{
    return *this == SessionDiff{};
}

SessionDiff compareSessions(const PTXSessionInfo &oldSession, const PTXSessionInfo &newSession)
{
    SessionDiff diff;
    diff.properties = compareProperties(oldSession, newSession);
    compareTracks(oldSession, newSession, diff);
    compareAudioFiles(oldSession, newSession, diff);
    comparePlugins(oldSession, newSession, diff);
    compareLocations(oldSession, newSession, diff);
    return diff;
}

} // namespace kestrix
