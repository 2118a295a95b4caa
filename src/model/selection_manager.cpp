#include "selection_manager.h"

#include <algorithm>
#include <utility>

namespace kestrix {

namespace {

SelectableItem itemIn(std::string_view id, const ClickScope &scope)
{
    return {std::string(id), itemKindIn(scope)};
}

template <class Group>
void appendGroupItems(const std::vector<Group> &groups, const SelectableItemKind &kind,
                      std::vector<SelectableItem> &out)
{
    for (const Group &group : groups)
        out.push_back({group.id, kind});
}

} // namespace

void SelectionManager::click(std::string_view id, const ClickScope &scope, Modifiers modifiers)
{
    changeScope(scope);
    const SelectableItem item = itemIn(id, scope);
    if (modifiers.command)
        toggleItem(item);
    else if (modifiers.shift && anchorItem_)
        selectRangeTo(item);
    else
        selectOnlyItem(item);
    notify();
}

void SelectionManager::selectOnly(std::string_view id, const ClickScope &scope)
{
    selectOnlyItem(itemIn(id, scope));
    notify();
}

void SelectionManager::toggle(std::string_view id, const ClickScope &scope)
{
    toggleItem(itemIn(id, scope));
    notify();
}

void SelectionManager::selectRange(std::string_view id, const ClickScope &scope)
{
    selectRangeTo(itemIn(id, scope));
    notify();
}

void SelectionManager::moveDown(bool extend)
{
    move(+1, extend);
    notify();
}

void SelectionManager::moveUp(bool extend)
{
    move(-1, extend);
    notify();
}

void SelectionManager::setCachedTracks(std::vector<PTXTrackInfo> tracks)
{
    cachedTracks_ = std::move(tracks);
    flatListSource_ = FlatListSource::none;
}

void SelectionManager::setCachedAudioFileGroups(std::vector<PTXAudioFileGroup> groups)
{
    cachedAudioFileGroups_ = std::move(groups);
    flatListSource_ = FlatListSource::none;
}

void SelectionManager::setCachedClipGroups(std::vector<PTXClipGroup> groups)
{
    cachedClipGroups_ = std::move(groups);
    flatListSource_ = FlatListSource::none;
}

void SelectionManager::setCachedExpandedTracks(std::unordered_set<std::string> names)
{
    cachedExpandedTracks_ = std::move(names);
    flatListSource_ = FlatListSource::none;
}

SelectionManager::FlatListSource SelectionManager::sourceOf(const std::optional<ClickScope> &scope)
{
    if (!scope)
        return FlatListSource::none;
    switch (scope->kind) {
    case ClickScope::Kind::audioFiles: return FlatListSource::audioFiles;
    case ClickScope::Kind::clips: return FlatListSource::clips;
    case ClickScope::Kind::tracks:
    case ClickScope::Kind::trackClips: return FlatListSource::tracks;
    }
    return FlatListSource::none;
}

void SelectionManager::rebuildFlatList()
{
    flatList_.clear();
    flatListSource_ = sourceOf(activeScope_);
    switch (flatListSource_) {
    case FlatListSource::none:
        return;
    case FlatListSource::audioFiles:
        appendGroupItems(cachedAudioFileGroups_, SelectableItemKind::audioFile(), flatList_);
        return;
    case FlatListSource::clips:
        appendGroupItems(cachedClipGroups_, SelectableItemKind::clip(), flatList_);
        return;
    case FlatListSource::tracks:
        break;
    }
    for (const PTXTrackInfo &track : cachedTracks_) {
        flatList_.push_back({track.name, SelectableItemKind::track()});
        if (!cachedExpandedTracks_.contains(track.name))
            continue;
        const SelectableItemKind lane = SelectableItemKind::trackClip(track.name);
        for (std::string &id : clipGroupIds(track.clips))
            flatList_.push_back({std::move(id), lane});
    }
}

SelectionManager::ObserverId SelectionManager::addObserver(Observer observer)
{
    const ObserverId id = nextObserverId_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void SelectionManager::removeObserver(ObserverId id)
{
    std::erase_if(observers_, [id](const auto &entry) { return entry.first == id; });
}

void SelectionManager::changeScope(const ClickScope &scope)
{
    if (activeScope_ == scope)
        return;
    activeScope_ = scope;
    pendingChanges_ |= activeScopeChanged;
    anchorItem_.reset();
    setSelectedItems({});
    // Stepping between a track and its clip lane keeps the list it walks.
    if (flatListSource_ == FlatListSource::none || flatListSource_ != sourceOf(activeScope_))
        rebuildFlatList();
}

void SelectionManager::selectOnlyItem(const SelectableItem &item)
{
    changeScope(scopeOf(item.kind));
    setSelectedItems({item});
    setFocusedItem(item);
    anchorItem_ = item;
}

void SelectionManager::toggleItem(const SelectableItem &item)
{
    if (selectedItems_.erase(item) == 0)
        selectedItems_.insert(item);
    pendingChanges_ |= selectedItemsChanged;
    setFocusedItem(item);
}

void SelectionManager::selectRangeTo(const SelectableItem &item)
{
    const std::optional<size_t> from = anchorItem_ ? positionOf(*anchorItem_) : std::nullopt;
    const std::optional<size_t> to = positionOf(item);
    if (!from || !to) {
        selectOnlyItem(item);
        return;
    }
    const auto first = flatList_.begin() + std::ptrdiff_t(std::min(*from, *to));
    const auto last = flatList_.begin() + std::ptrdiff_t(std::max(*from, *to)) + 1;
    setSelectedItems(std::unordered_set<SelectableItem>(first, last));
    setFocusedItem(item, to);
}

void SelectionManager::move(int step, bool extend)
{
    if (flatList_.empty())
        return;
    const size_t last = flatList_.size() - 1;
    const std::optional<size_t> focused = focusedItem_ ? positionOf(*focusedItem_) : std::nullopt;
    // Without a focus in the list, down starts at the top and up at the bottom.
    size_t target = step > 0 ? 0 : last;
    if (focused)
        target = step > 0 ? std::min(*focused + 1, last) : (*focused == 0 ? 0 : *focused - 1);
    // A copy: selecting may change the scope, which rebuilds the list.
    const SelectableItem item = flatList_[target];
    if (focused && extend && anchorItem_)
        selectRangeTo(item);
    else
        selectOnlyItem(item);
    // The target's own position, even when an equal item comes earlier.
    if (focusedItem_ == item)
        focusedPosition_ = target;
}

std::optional<size_t> SelectionManager::positionOf(const SelectableItem &item) const
{
    if (focusedPosition_ && *focusedPosition_ < flatList_.size() && focusedItem_ == item
        && flatList_[*focusedPosition_] == item)
        return focusedPosition_;
    const auto it = std::find(flatList_.begin(), flatList_.end(), item);
    if (it == flatList_.end())
        return std::nullopt;
    return size_t(it - flatList_.begin());
}

void SelectionManager::setSelectedItems(std::unordered_set<SelectableItem> items)
{
    if (items == selectedItems_)
        return;
    selectedItems_ = std::move(items);
    pendingChanges_ |= selectedItemsChanged;
}

void SelectionManager::setFocusedItem(std::optional<SelectableItem> item, std::optional<size_t> position)
{
    focusedPosition_ = position;
    if (item == focusedItem_)
        return;
    focusedItem_ = std::move(item);
    pendingChanges_ |= focusedItemChanged;
}

void SelectionManager::notify()
{
    const unsigned changes = std::exchange(pendingChanges_, 0);
    if (changes == 0)
        return;
    // A copy, so that an observer may add or remove observers.
    const auto observers = observers_;
    for (const auto &[id, observer] : observers)
        observer(changes);
}

} // namespace kestrix
