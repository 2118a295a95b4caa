#include "reveal_match.h"

#include "multi_mono_grouping.h"
#include "ptx_detail_view.h"

#include <QPointer>

#include <algorithm>

namespace kestrix {

namespace {

template <class Group, class Same>
std::optional<std::string> groupHolding(const std::vector<Group> &groups, Same same)
{
    for (const Group &group : groups)
        if (std::any_of(group.channels.begin(), group.channels.end(), same))
            return group.id;
    return std::nullopt;
}

std::optional<std::string> trackWhere(const PTXSessionInfo &session, auto holds)
{
    const auto it = std::find_if(session.tracks.begin(), session.tracks.end(), holds);
    return it == session.tracks.end() ? std::nullopt : std::optional(it->name);
}

} // namespace

std::optional<SelectableItem> itemForMatch(const PTXSessionInfo &session, const archive::SessionMatch &match)
{
    using archive::NameKind;
    std::optional<std::string> id;
    SelectableItemKind kind = SelectableItemKind::track();
    switch (match.kind) {
    case NameKind::track:
        id = trackWhere(session, [&](const PTXTrackInfo &t) { return t.name == match.name; });
        break;
    case NameKind::comment:
        id = trackWhere(session, [&](const PTXTrackInfo &t) { return t.comment == match.name; });
        break;
    case NameKind::plugin:
        id = trackWhere(session, [&](const PTXTrackInfo &t) {
            return std::any_of(t.plugins.begin(), t.plugins.end(),
                               [&](const PTXTrackPlugin &p) { return p.name == match.name; });
        });
        break;
    case NameKind::clip:
        kind = SelectableItemKind::clip();
        id = groupHolding(groupClips(session.clips),
                          [&](const PTXClipGroup::Channel &c) { return c.clip.name == match.name; });
        break;
    case NameKind::file:
        kind = SelectableItemKind::audioFile();
        id = groupHolding(groupAudioFiles(session.audioFiles),
                          [&](const PTXAudioFileGroup::Channel &c) { return c.fileName == match.name; });
        break;
    case NameKind::marker:
        break;
    }
    if (!id)
        return std::nullopt;
    return SelectableItem{*id, kind};
}

void revealMatch(PTXDetailView *view, const archive::SessionMatch &match)
{
    const auto select = [view = QPointer(view), match] {
        if (!view || !view->sessionInfo())
            return;
        if (const std::optional<SelectableItem> item = itemForMatch(*view->sessionInfo(), match))
            view->selectionManager().selectOnly(item->id, scopeOf(item->kind));
    };
    if (!view->isLoading()) {
        select();
        return;
    }
    auto *once = new QObject(view);
    QObject::connect(view, &PTXDetailView::loadFinished, once, [select, once] {
        select();
        once->deleteLater();
    });
}

} // namespace kestrix
