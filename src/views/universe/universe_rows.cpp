#include "universe_rows.h"

#include "track_color.h"

namespace kestrix {

UniverseRows::UniverseRows(std::vector<PTXTrackInfo> tracks)
    : tracks_(std::move(tracks))
    , index_(tracks_)
{
    colors_.reserve(tracks_.size());
    for (size_t row = 0; row < tracks_.size(); ++row) {
        colors_.push_back(trackColor(tracks_[row]));
        rowByName_.try_emplace(tracks_[row].name, row);
    }
}

std::optional<size_t> UniverseRows::rowNamed(std::string_view name) const
{
    const auto found = rowByName_.find(std::string(name));
    return found == rowByName_.end() ? std::nullopt : std::optional(found->second);
}

std::optional<std::pair<size_t, const PTXClipInfo *>> UniverseRows::find(const ClipKey &key) const
{
    const std::optional<size_t> row = rowNamed(key.trackName.toStdString());
    if (!row || key.placement < 0 || size_t(key.placement) >= tracks_[*row].clips.size())
        return std::nullopt;
    return std::pair{*row, &tracks_[*row].clips[size_t(key.placement)]};
}

} // namespace kestrix
