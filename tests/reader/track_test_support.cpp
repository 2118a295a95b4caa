#include "track_test_support.h"

namespace ptxtest {

int trackIndex(const ptx_session *s, const std::string &name)
{
    for (int t = 0; t < ptx_track_count(s); ++t)
        if (name == ptx_track_name(s, t))
            return t;
    return -1;
}

std::vector<std::string> trackNames(const ptx_session *s)
{
    std::vector<std::string> names;
    for (int t = 0; t < ptx_track_count(s); ++t)
        names.emplace_back(ptx_track_name(s, t));
    return names;
}

std::vector<int32_t> placementIndices(const ptx_session *s, int t)
{
    std::vector<int32_t> indices;
    for (int k = 0; k < ptx_track_placement_count(s, t); ++k)
        indices.push_back(ptx_track_placement_is_group(s, t, k) ? ptx_track_placement_group(s, t, k)
                                                                : ptx_track_placement_clip(s, t, k));
    return indices;
}

std::vector<std::string> pluginSummary(const ptx_session *s, int t)
{
    std::vector<std::string> out;
    for (int k = 0; k < ptx_track_plugin_count(s, t); ++k)
        out.push_back(std::to_string(ptx_track_plugin_id(s, t, k)) + ":" + ptx_track_plugin_name(s, t, k) + ":"
                      + (ptx_track_plugin_active(s, t, k) ? "active" : "inactive"));
    return out;
}

static std::vector<std::string> namesOf(const ptx_session *s, int (*count)(const ptx_session *),
                                        const char *(*name)(const ptx_session *, int))
{
    std::vector<std::string> out;
    for (int i = 0; i < count(s); ++i)
        out.emplace_back(name(s, i));
    return out;
}

std::vector<std::string> activePluginNames(const ptx_session *s)
{
    return namesOf(s, ptx_active_plugin_count, ptx_active_plugin_name);
}

std::vector<std::string> inactivePluginNames(const ptx_session *s)
{
    return namesOf(s, ptx_inactive_plugin_count, ptx_inactive_plugin_name);
}

} // namespace ptxtest
