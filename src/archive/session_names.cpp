#include "session_names.h"

#include "ptx_reader.h"
#include "session_loader.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <memory>
#include <set>
#include <tuple>
#include <utility>

namespace kestrix::archive {

namespace {

struct SessionCloser {
    void operator()(ptx_session *s) const { ptx_session_free(s); }
};

// Collects names, each distinct (kind, name, detail) once, in first-seen order.
class NameList {
public:
    void add(NameKind kind, const std::string &name, const std::string &detail = {})
    {
        if (name.empty() && detail.empty())
            return;
        if (seen_.emplace(kind, name, detail).second)
            names_.push_back({kind, name, detail});
    }
    std::vector<IndexedName> take() { return std::move(names_); }

private:
    std::set<std::tuple<NameKind, std::string, std::string>> seen_;
    std::vector<IndexedName> names_;
};

std::string propertiesJson(const PTXSessionInfo &info)
{
    nlohmann::ordered_json properties = {
        {"sampleRate", info.sampleRate},   {"bitDepth", info.bitDepth},         {"audioFormat", info.audioFormat},
        {"interleaved", info.interleaved}, {"panDepth", info.panDepth},         {"frameRate", info.frameRate},
        {"sessionStart", info.sessionStart}, {"sessionLength", info.sessionLength}, {"tempo", info.tempo},
        {"meter", info.meter},             {"tracks", info.tracks.size()},      {"clips", info.clipCount},
        {"audioFiles", info.audioFiles.size()},
    };
    // Names come from anywhere; invalid UTF-8 is replaced, never thrown.
    return properties.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace

Result<IndexedSession, std::string> readIndexedSession(const std::string &path, const FileStamp &stamp)
{
    char *error = nullptr;
    std::unique_ptr<ptx_session, SessionCloser> handle(ptx_session_open(path.c_str(), &error));
    if (!handle) {
        std::string message = error ? error : "Failed to parse session";
        std::free(error);
        return message;
    }
    const PTXSessionInfo info = buildSessionInfo(handle.get(), sessionNameFromPath(path));

    NameList names;
    for (const PTXTrackInfo &track : info.tracks) {
        names.add(NameKind::track, track.name);
        names.add(NameKind::comment, track.comment);
        for (const PTXTrackPlugin &plugin : track.plugins)
            names.add(NameKind::plugin, plugin.name);
    }
    for (const PTXClipInfo &clip : info.clips)
        names.add(NameKind::clip, clip.name);
    for (const PTXAudioFile &file : info.audioFiles)
        names.add(NameKind::file, file.name, file.path);
    for (const std::string &plugin : info.activePlugins)
        names.add(NameKind::plugin, plugin);
    for (const std::string &plugin : info.deactivatedPlugins)
        names.add(NameKind::plugin, plugin);
    for (const PTXMemoryLocation &location : info.memoryLocations)
        names.add(NameKind::marker, location.name);

    return IndexedSession{path, stamp, info.sessionName, propertiesJson(info), names.take()};
}

} // namespace kestrix::archive
