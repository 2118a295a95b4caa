// The rows of the timeline overview, prepared once when they change: the
// tracks, their clips sorted for lookups, their colours and a row per name.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_ROWS_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_ROWS_H

#include "clip_key.h"
#include "session_info.h"
#include "universe_row_index.h"

#include <QColor>

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace kestrix {

class UniverseRows {
public:
    UniverseRows() = default;
    explicit UniverseRows(std::vector<PTXTrackInfo> tracks);

    const std::vector<PTXTrackInfo> &tracks() const { return tracks_; }
    size_t count() const { return tracks_.size(); }
    const UniverseRowIndex &index() const { return index_; }
    const QColor &color(size_t row) const { return colors_[row]; }
    std::optional<size_t> rowNamed(std::string_view name) const;
    // The row and clip a key names, when that clip is shown.
    std::optional<std::pair<size_t, const PTXClipInfo *>> find(const ClipKey &key) const;

private:
    std::vector<PTXTrackInfo> tracks_;
    UniverseRowIndex index_;
    std::vector<QColor> colors_;
    std::unordered_map<std::string, size_t> rowByName_;  // the first row of each name
};

} // namespace kestrix

#endif
