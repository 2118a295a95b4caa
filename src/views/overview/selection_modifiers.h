// The modifier keys of a click as the selection reads them.
#ifndef KESTRIX_VIEWS_OVERVIEW_SELECTION_MODIFIERS_H
#define KESTRIX_VIEWS_OVERVIEW_SELECTION_MODIFIERS_H

#include "selection_manager.h"

#include <Qt>

namespace kestrix {

inline SelectionManager::Modifiers selectionModifiers(Qt::KeyboardModifiers modifiers)
{
    // Qt names the macOS Command key ControlModifier, so this is ⌘ there and Ctrl elsewhere.
    return {modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::ShiftModifier)};
}

} // namespace kestrix

#endif
