// The clips of each overview row sorted by position, so that drawing and
// hit-testing look only at the clips inside the visible time range.
#ifndef KESTRIX_VIEWS_UNIVERSE_UNIVERSE_ROW_INDEX_H
#define KESTRIX_VIEWS_UNIVERSE_UNIVERSE_ROW_INDEX_H

#include "session_info.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kestrix {

struct RowClip {
    double start = 0;  // absolute samples
    double end = 0;
    uint32_t placement = 0;  // index into the track's clips
};

class UniverseRowIndex {
public:
    UniverseRowIndex() = default;
    explicit UniverseRowIndex(const std::vector<PTXTrackInfo> &rows);

    size_t rowCount() const { return rows_.size(); }
    // Every clip of the row that overlaps [from, to), in position order,
    // possibly with a few before `from` that callers skip.
    std::span<const RowClip> candidates(size_t row, double from, double to) const;
    // The clip under `sample`, or else the one nearest to it within
    // `tolerance` samples.
    std::optional<uint32_t> clipNear(size_t row, double sample, double tolerance) const;

private:
    struct Row {
        std::vector<RowClip> clips;
        std::vector<double> endSoFar;  // the latest end among clips[0..i]
    };
    std::vector<Row> rows_;
};

} // namespace kestrix

#endif
