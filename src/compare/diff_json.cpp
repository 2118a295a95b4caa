#include "diff_json.h"

#include <nlohmann/json.hpp>

namespace kestrix {

namespace {

using Json = nlohmann::ordered_json;

Json valueJson(const FieldValue &value)
{
    return std::visit([](const auto &v) { return Json(v); }, value);
}

Json fieldsJson(const std::vector<FieldChange> &changes)
{
    Json list = Json::array();
    for (const FieldChange &c : changes)
        list.push_back({{"field", c.field}, {"old", valueJson(c.oldValue)}, {"new", valueJson(c.newValue)}});
    return list;
}

template <class T, class Convert>
Json listJson(const std::vector<T> &items, Convert convert)
{
    Json list = Json::array();
    for (const T &item : items)
        list.push_back(convert(item));
    return list;
}

Json trackJson(const TrackEntry &t) { return {{"name", t.name}}; }

Json clipJson(const ClipEntry &c) { return {{"track", c.track}, {"name", c.name}, {"position", c.position}}; }

Json fileJson(const FileEntry &f) { return {{"name", f.name}, {"path", f.path}}; }

Json pluginJson(const std::string &name) { return {{"name", name}}; }

Json locationJson(const LocationEntry &l) { return {{"number", l.number}, {"name", l.name}, {"start", l.start}}; }

} // namespace

std::string diffJson(const SessionDiff &diff)
{
    Json root;
    root["identical"] = diff.identical();
    root["properties"] = fieldsJson(diff.properties);
    root["tracks"] = {
        {"added", listJson(diff.tracksAdded, trackJson)},
        {"removed", listJson(diff.tracksRemoved, trackJson)},
        {"changed", listJson(diff.tracksChanged, [](const TrackChange &t) {
             return Json{{"name", t.name}, {"fields", fieldsJson(t.fields)}};
         })}};
    root["clips"] = {
        {"added", listJson(diff.clipsAdded, clipJson)},
        {"removed", listJson(diff.clipsRemoved, clipJson)},
        {"moved", listJson(diff.clipsMoved, [](const ClipChange &c) {
             return Json{{"track", c.track}, {"name", c.name}, {"oldPosition", c.oldPosition},
                         {"newPosition", c.newPosition}};
         })},
        {"trimmed", listJson(diff.clipsTrimmed, [](const ClipChange &c) {
             return Json{{"track", c.track},         {"name", c.name},           {"oldOffset", c.oldOffset},
                         {"newOffset", c.newOffset}, {"oldLength", c.oldLength}, {"newLength", c.newLength},
                         {"oldPosition", c.oldPosition}, {"newPosition", c.newPosition}};
         })}};
    root["audioFiles"] = {{"added", listJson(diff.filesAdded, fileJson)},
                          {"removed", listJson(diff.filesRemoved, fileJson)}};
    root["plugins"] = {{"added", listJson(diff.pluginsAdded, pluginJson)},
                       {"removed", listJson(diff.pluginsRemoved, pluginJson)}};
    root["memoryLocations"] = {
        {"added", listJson(diff.locationsAdded, locationJson)},
        {"removed", listJson(diff.locationsRemoved, locationJson)},
        {"changed", listJson(diff.locationsChanged, [](const LocationChange &l) {
             return Json{{"number", l.number}, {"name", l.name}, {"fields", fieldsJson(l.fields)}};
         })}};
    // Names come from the files as bytes: those that are not UTF-8 are shown
    // as U+FFFD instead of stopping the output.
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace kestrix
