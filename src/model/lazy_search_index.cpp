#include "lazy_search_index.h"

namespace kestrix {

LazySearchIndex::LazySearchIndex(std::shared_ptr<const PTXSessionInfo> session,
                                 std::shared_ptr<const std::vector<PTXAudioFileGroup>> audioFileGroups,
                                 std::shared_ptr<const std::vector<PTXClipGroup>> clipGroups)
    : session_(std::move(session))
    , audioFileGroups_(std::move(audioFileGroups))
    , clipGroups_(std::move(clipGroups))
{
}

const SessionSearchIndex &LazySearchIndex::get() const
{
    std::call_once(built_,
                   [this] { index_ = SessionSearchIndex::make(session_->tracks, *audioFileGroups_, *clipGroups_); });
    return *index_;
}

} // namespace kestrix
