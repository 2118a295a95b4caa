#include "model_json.h"

#include "json_text.h"

using kestrix::json::Writer;

namespace {

// Small integers go out as JSON numbers, not as characters or booleans.
Writer &number(Writer &w, int64_t v) { return w.value(v); }

template <class T, class WriteOne>
void array(Writer &w, const std::vector<T> &items, WriteOne writeOne)
{
    w.beginArray();
    for (const T &item : items)
        writeOne(w, item);
    w.endArray();
}

void strings(Writer &w, const std::vector<std::string> &items)
{
    array(w, items, [](Writer &w, const std::string &s) { w.value(s); });
}

void clip(Writer &w, const kestrix::PTXClipInfo &c)
{
    w.beginObject();
    w.key("id").value(c.id);
    w.key("name").value(c.name);
    number(w.key("sourceFileIndex"), c.sourceFileIndex);
    w.key("sampleOffset").value(c.sampleOffset);
    w.key("sampleLength").value(c.sampleLength);
    w.key("timelinePosition").value(c.timelinePosition);
    number(w.key("colorIndex"), c.colorIndex);
    w.endObject();
}

void plugin(Writer &w, const kestrix::PTXTrackPlugin &p)
{
    w.beginObject();
    number(w.key("id"), p.id);
    w.key("name").value(p.name);
    w.key("active").value(p.active);
    w.endObject();
}

void track(Writer &w, const kestrix::PTXTrackInfo &t)
{
    w.beginObject();
    w.key("name").value(t.name);
    number(w.key("type"), static_cast<uint8_t>(t.type));
    w.key("format").beginObject().key("name").value(t.format.name).endObject();
    number(w.key("colorIndex"), t.colorIndex);
    w.key("comment").value(t.comment);
    array(w.key("plugins"), t.plugins, plugin);
    array(w.key("clips"), t.clips, clip);
    number(w.key("depth"), t.depth);
    w.key("parentName");
    if (t.parentName)
        w.value(*t.parentName);
    else
        w.null();
    w.key("isFolder").value(t.isFolder);
    number(w.key("childCount"), t.childCount);
    w.endObject();
}

void audioFile(Writer &w, const kestrix::PTXAudioFile &f)
{
    w.beginObject();
    w.key("name").value(f.name);
    w.key("path").value(f.path);
    w.key("typeTag").value(f.typeTag);
    w.key("unhandledType").value(f.unhandledType);
    w.endObject();
}

void memoryLocation(Writer &w, const kestrix::PTXMemoryLocation &m)
{
    w.beginObject();
    number(w.key("id"), m.id);
    number(w.key("number"), m.number);
    w.key("name").value(m.name);
    w.key("timeProperties").value(m.timeProperties);
    number(w.key("type"), m.type);
    number(w.key("reference"), m.reference);
    w.key("startTime").value(m.startTime);
    w.key("endTime").value(m.endTime);
    number(w.key("colorR"), m.colorR);
    number(w.key("colorG"), m.colorG);
    number(w.key("colorB"), m.colorB);
    w.endObject();
}

void audioFileGroup(Writer &w, const kestrix::PTXAudioFileGroup &g)
{
    w.beginObject();
    w.key("id").value(g.id);
    w.key("baseName").value(g.baseName);
    array(w.key("channels"), g.channels, [](Writer &w, const kestrix::PTXAudioFileGroup::Channel &c) {
        w.beginObject();
        w.key("suffix").value(c.suffix);
        w.key("fileName").value(c.fileName);
        w.key("path").value(c.path);
        w.endObject();
    });
    w.endObject();
}

void clipGroup(Writer &w, const kestrix::PTXClipGroup &g)
{
    w.beginObject();
    w.key("id").value(g.id);
    w.key("baseName").value(g.baseName);
    array(w.key("channels"), g.channels, [](Writer &w, const kestrix::PTXClipGroup::Channel &c) {
        w.beginObject();
        w.key("suffix").value(c.suffix);
        clip(w.key("clip"), c.clip);
        w.endObject();
    });
    w.endObject();
}

} // namespace

std::string modelJson(const kestrix::PTXSessionInfo &info)
{
    Writer w;
    w.beginObject();
    w.key("sessionName").value(info.sessionName);
    w.key("sampleRate").value(info.sampleRate);
    w.key("bitDepth").value(info.bitDepth);
    w.key("audioFormat").value(info.audioFormat);
    w.key("interleaved").value(info.interleaved);
    w.key("panDepth").value(info.panDepth);
    w.key("frameRate").value(info.frameRate);
    w.key("sessionStart").value(info.sessionStart);
    w.key("sessionLength").value(info.sessionLength);
    w.key("tempo").value(info.tempo);
    w.key("tempoChanges").value(info.tempoChanges);
    w.key("meter").value(info.meter);
    w.key("meterChanges").value(info.meterChanges);
    number(w.key("audioTrackCount"), info.audioTrackCount);
    number(w.key("clipCount"), info.clipCount);
    array(w.key("clips"), info.clips, clip);
    array(w.key("tracks"), info.tracks, track);
    array(w.key("audioFiles"), info.audioFiles, audioFile);
    strings(w.key("activePlugins"), info.activePlugins);
    strings(w.key("deactivatedPlugins"), info.deactivatedPlugins);
    array(w.key("memoryLocations"), info.memoryLocations, memoryLocation);
    number(w.key("mainCounterFormat"), info.mainCounterFormat);
    w.key("debugInfo").value(info.debugInfo);
    array(w.key("audioFileGroups"), kestrix::groupAudioFiles(info.audioFiles), audioFileGroup);
    array(w.key("clipGroups"), kestrix::groupClips(info.clips), clipGroup);
    w.endObject();
    return w.text();
}
