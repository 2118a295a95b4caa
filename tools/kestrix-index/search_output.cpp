#include "search_output.h"

#include <nlohmann/json.hpp>

namespace kestrix::archive {

std::string searchText(const std::vector<SessionHit> &hits)
{
    std::string out;
    for (const SessionHit &hit : hits) {
        out += hit.path + '\t' + std::to_string(hit.matches.size()) + '\n';
        for (const SessionMatch &match : hit.matches)
            out += "  " + std::string(nameKindText(match.kind)) + "  " + match.name + '\n';
    }
    return out;
}

std::string searchJson(const std::vector<SessionHit> &hits)
{
    nlohmann::ordered_json sessions = nlohmann::ordered_json::array();
    for (const SessionHit &hit : hits) {
        nlohmann::ordered_json matches = nlohmann::ordered_json::array();
        for (const SessionMatch &match : hit.matches)
            matches.push_back({{"kind", nameKindText(match.kind)}, {"name", match.name}});
        sessions.push_back({{"path", hit.path}, {"session", hit.sessionName}, {"matches", std::move(matches)}});
    }
    // Names come from session files; bytes that are not UTF-8 are replaced.
    return sessions.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + '\n';
}

} // namespace kestrix::archive
