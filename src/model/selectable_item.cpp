#include "selectable_item.h"

namespace kestrix {

ClickScope scopeOf(const SelectableItemKind &kind)
{
    switch (kind.kind) {
    case SelectableItemKind::Kind::trackClip: return ClickScope::trackClips(kind.trackName);
    case SelectableItemKind::Kind::track: return ClickScope::tracks();
    case SelectableItemKind::Kind::audioFile: return ClickScope::audioFiles();
    case SelectableItemKind::Kind::clip: return ClickScope::clips();
    }
    return ClickScope::tracks();
}

SelectableItemKind itemKindIn(const ClickScope &scope)
{
    switch (scope.kind) {
    case ClickScope::Kind::trackClips: return SelectableItemKind::trackClip(scope.trackName);
    case ClickScope::Kind::tracks: return SelectableItemKind::track();
    case ClickScope::Kind::audioFiles: return SelectableItemKind::audioFile();
    case ClickScope::Kind::clips: return SelectableItemKind::clip();
    }
    return SelectableItemKind::track();
}

} // namespace kestrix
