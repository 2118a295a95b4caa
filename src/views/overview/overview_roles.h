// Item data roles shared by the overview's list models, their delegates and
// the list view.
#ifndef KESTRIX_VIEWS_OVERVIEW_OVERVIEW_ROLES_H
#define KESTRIX_VIEWS_OVERVIEW_OVERVIEW_ROLES_H

#include <Qt>

namespace kestrix::OverviewRole {

enum : int {
    // bool: the row is part of the window's selection.
    isSelected = Qt::UserRole + 1,
    // bool: the row stands for an item that can be clicked and selected.
    isSelectable,
    // The texts of the columns; what each holds is up to the list.
    formatText,
    typeLabel,
    typeUnavailable,
    pathText,
    // QString: the file on disk, empty when none was found.
    resolvedPath,
    isOffline,
    // QStringList: channel suffixes of a multi-mono row ("L", "R").
    channelSuffixes,
    // int: what kind of row a mixed list shows here.
    rowKind,
    depth,
    isExpanded,
    isFolder,
    // QColor: the track's or location's colour, invalid for none.
    color,
    typeText,
    insertsText,
    commentText,
    numberText,
    timePropertyText,
    referenceText,
    // bool: an insert that is switched off.
    isInactive,
    // QString: the id of the item a file or clip row stands for.
    itemId,
    // QString: the file region the row's mini waveform is read from.
    waveformRegion,
};

} // namespace kestrix::OverviewRole

#endif
