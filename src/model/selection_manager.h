// The selection of one file window: which items are selected, which one
// keyboard movement starts from, and the list (scope) they live in.
// Selection lives in one list at a time; clicking into another list starts
// a new selection there.
#ifndef KESTRIX_MODEL_SELECTION_MANAGER_H
#define KESTRIX_MODEL_SELECTION_MANAGER_H

#include "click_scope.h"
#include "multi_mono_grouping.h"
#include "selectable_item.h"
#include "session_info.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kestrix {

class SelectionManager {
public:
    // Bits of the changes an observer is told about, once per operation.
    enum Change : unsigned {
        selectedItemsChanged = 1u << 0,
        focusedItemChanged = 1u << 1,
        activeScopeChanged = 1u << 2,
    };
    using Observer = std::function<void(unsigned changes)>;
    using ObserverId = size_t;

    // Modifier keys of a click; the others are ignored.
    struct Modifiers {
        bool command = false;
        bool shift = false;
    };

    const std::unordered_set<SelectableItem> &selectedItems() const { return selectedItems_; }
    const std::optional<SelectableItem> &focusedItem() const { return focusedItem_; }
    const std::optional<ClickScope> &activeScope() const { return activeScope_; }
    const std::optional<SelectableItem> &anchorItem() const { return anchorItem_; }
    // The items of the active scope in display order.
    const std::vector<SelectableItem> &flatList() const { return flatList_; }

    // The lists as the views show them; rebuildFlatList() picks them up.
    void setCachedTracks(std::vector<PTXTrackInfo> tracks);
    void setCachedAudioFileGroups(std::vector<PTXAudioFileGroup> groups);
    void setCachedClipGroups(std::vector<PTXClipGroup> groups);
    // Names of the tracks whose clip lanes are open.
    void setCachedExpandedTracks(std::unordered_set<std::string> names);

    // Command toggles the item (and wins over Shift); Shift selects from the
    // anchor to the item; a plain click selects only the item.
    void click(std::string_view id, const ClickScope &scope, Modifiers modifiers);
    void selectOnly(std::string_view id, const ClickScope &scope);
    void toggle(std::string_view id, const ClickScope &scope);
    void selectRange(std::string_view id, const ClickScope &scope);
    // Arrow keys; with extend the selection runs from the anchor to the new item.
    void moveDown(bool extend);
    void moveUp(bool extend);
    void rebuildFlatList();

    ObserverId addObserver(Observer observer);
    void removeObserver(ObserverId id);

private:
    // What the flat list is made of: the track list serves the tracks scope
    // and every track's clip-lane scope alike.
    enum class FlatListSource : uint8_t { none, audioFiles, clips, tracks };
    static FlatListSource sourceOf(const std::optional<ClickScope> &scope);

    void changeScope(const ClickScope &scope);
    void selectOnlyItem(const SelectableItem &item);
    void toggleItem(const SelectableItem &item);
    void selectRangeTo(const SelectableItem &item);
    void move(int step, bool extend);
    std::optional<size_t> positionOf(const SelectableItem &item) const;

    void setSelectedItems(std::unordered_set<SelectableItem> items);
    void setFocusedItem(std::optional<SelectableItem> item, std::optional<size_t> position = std::nullopt);
    void notify();

    std::unordered_set<SelectableItem> selectedItems_;
    std::optional<SelectableItem> focusedItem_;
    // Where in the flat list the focus was put by position, so that moving
    // on from one of two equal items does not jump back to the first.
    std::optional<size_t> focusedPosition_;
    std::optional<ClickScope> activeScope_;
    std::optional<SelectableItem> anchorItem_;
    std::vector<SelectableItem> flatList_;
    // The source the flat list was built from, while the cached lists are
    // unchanged; none otherwise.
    FlatListSource flatListSource_ = FlatListSource::none;

    std::vector<PTXTrackInfo> cachedTracks_;
    std::vector<PTXAudioFileGroup> cachedAudioFileGroups_;
    std::vector<PTXClipGroup> cachedClipGroups_;
    std::unordered_set<std::string> cachedExpandedTracks_;

    unsigned pendingChanges_ = 0;
    std::vector<std::pair<ObserverId, Observer>> observers_;
    ObserverId nextObserverId_ = 1;
};

} // namespace kestrix

#endif
