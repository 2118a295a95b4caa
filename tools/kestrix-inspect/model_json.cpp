#include "model_json.h"

#include "json_text.h"

using kestrix::Json;
using kestrix::json::setArray;
using kestrix::json::setText;
using kestrix::json::text;

namespace {

// Small integers go out as JSON numbers, not as characters or booleans.
Json number(int64_t v) { return v; }

void clip(Json &j, const kestrix::PTXClipInfo &c)
{
    setText(j["id"], c.id);
    setText(j["name"], c.name);
    j["sourceFileIndex"] = number(c.sourceFileIndex);
    j["sampleOffset"] = c.sampleOffset;
    j["sampleLength"] = c.sampleLength;
    j["timelinePosition"] = c.timelinePosition;
    j["colorIndex"] = number(c.colorIndex);
}

void plugin(Json &j, const kestrix::PTXTrackPlugin &p)
{
    j["id"] = number(p.id);
    setText(j["name"], p.name);
    j["active"] = p.active;
}

void track(Json &j, const kestrix::PTXTrackInfo &t)
{
    setText(j["name"], t.name);
    j["type"] = number(static_cast<uint8_t>(t.type));
    setText(j["format"]["name"], t.format.name);
    j["colorIndex"] = number(t.colorIndex);
    setText(j["comment"], t.comment);
    setArray(j["plugins"], t.plugins, plugin);
    setArray(j["clips"], t.clips, clip);
    j["depth"] = number(t.depth);
    if (t.parentName)
        setText(j["parentName"], *t.parentName);
    else
        j["parentName"] = nullptr;
    j["isFolder"] = t.isFolder;
    j["childCount"] = number(t.childCount);
}

void audioFile(Json &j, const kestrix::PTXAudioFile &f)
{
    setText(j["name"], f.name);
    setText(j["path"], f.path);
    setText(j["typeTag"], f.typeTag);
    j["unhandledType"] = f.unhandledType;
}

void memoryLocation(Json &j, const kestrix::PTXMemoryLocation &m)
{
    j["id"] = number(m.id);
    j["number"] = number(m.number);
    setText(j["name"], m.name);
    setText(j["timeProperties"], m.timeProperties);
    j["type"] = number(m.type);
    j["reference"] = number(m.reference);
    j["startTime"] = m.startTime;
    j["endTime"] = m.endTime;
    j["colorR"] = number(m.colorR);
    j["colorG"] = number(m.colorG);
    j["colorB"] = number(m.colorB);
}

void audioFileGroup(Json &j, const kestrix::PTXAudioFileGroup &g)
{
    setText(j["id"], g.id);
    setText(j["baseName"], g.baseName);
    setArray(j["channels"], g.channels, [](Json &channel, const kestrix::PTXAudioFileGroup::Channel &c) {
        setText(channel["suffix"], c.suffix);
        setText(channel["fileName"], c.fileName);
        setText(channel["path"], c.path);
    });
}

void clipGroup(Json &j, const kestrix::PTXClipGroup &g)
{
    setText(j["id"], g.id);
    setText(j["baseName"], g.baseName);
    setArray(j["channels"], g.channels, [](Json &channel, const kestrix::PTXClipGroup::Channel &c) {
        setText(channel["suffix"], c.suffix);
        clip(channel["clip"], c.clip);
    });
}

void name(Json &j, const std::string &s)
{
    setText(j, s);
}

} // namespace

void writeModelJson(const kestrix::PTXSessionInfo &info, std::FILE *out)
{
    kestrix::json::ObjectWriter w(out);
    w.member("sessionName", text(info.sessionName))
        .member("sampleRate", text(info.sampleRate))
        .member("bitDepth", text(info.bitDepth))
        .member("audioFormat", text(info.audioFormat))
        .member("interleaved", text(info.interleaved))
        .member("panDepth", text(info.panDepth))
        .member("frameRate", text(info.frameRate))
        .member("sessionStart", text(info.sessionStart))
        .member("sessionLength", text(info.sessionLength))
        .member("tempo", text(info.tempo))
        .member("tempoChanges", info.tempoChanges)
        .member("meter", text(info.meter))
        .member("meterChanges", info.meterChanges)
        .member("audioTrackCount", number(info.audioTrackCount))
        .member("clipCount", number(info.clipCount))
        .list("clips", info.clips, clip)
        .list("tracks", info.tracks, track)
        .list("audioFiles", info.audioFiles, audioFile)
        .list("activePlugins", info.activePlugins, name)
        .list("deactivatedPlugins", info.deactivatedPlugins, name)
        .list("memoryLocations", info.memoryLocations, memoryLocation)
        .member("mainCounterFormat", number(info.mainCounterFormat))
        .member("debugInfo", text(info.debugInfo))
        .list("audioFileGroups", kestrix::groupAudioFiles(info.audioFiles), audioFileGroup)
        .list("clipGroups", kestrix::groupClips(info.clips), clipGroup);
    w.finish();
}
