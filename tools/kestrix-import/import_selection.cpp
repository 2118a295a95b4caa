#include "import_selection.h"

#include <algorithm>
#include <set>

namespace kestrix::import {

namespace {

template <typename Item, typename NameOf>
Selection<Item> select(const std::vector<Item> &list, const std::vector<std::string> &names, NameOf nameOf)
{
    Selection<Item> selection;
    const std::set<std::string> wanted(names.begin(), names.end());
    std::set<std::string> found;
    for (const Item &item : list) {
        if (wanted.count(nameOf(item))) {
            selection.items.push_back(&item);
            found.insert(nameOf(item));
        }
    }
    for (const std::string &name : names) {
        if (!found.count(name)) {
            selection.unknownName = name;
            break;
        }
    }
    return selection;
}

} // namespace

Selection<PTXTrackInfo> selectTracks(const PTXSessionInfo &session, const std::vector<std::string> &names, bool all)
{
    if (all) {
        Selection<PTXTrackInfo> selection;
        for (const PTXTrackInfo &track : session.tracks)
            selection.items.push_back(&track);
        return selection;
    }
    return select(session.tracks, names, [](const PTXTrackInfo &t) { return t.name; });
}

Selection<PTXClipGroup> selectClips(const std::vector<PTXClipGroup> &groups, const std::vector<std::string> &names)
{
    return select(groups, names, [](const PTXClipGroup &g) { return g.baseName; });
}

Selection<PTXAudioFileGroup> selectFiles(const std::vector<PTXAudioFileGroup> &groups,
                                         const std::vector<std::string> &names)
{
    return select(groups, names, [](const PTXAudioFileGroup &g) { return g.baseName; });
}

} // namespace kestrix::import
