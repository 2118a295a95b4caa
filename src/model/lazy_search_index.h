// The session's search index, built on first use or ahead of it on another
// thread, so that opening a window does not wait for it.
#ifndef KESTRIX_MODEL_LAZY_SEARCH_INDEX_H
#define KESTRIX_MODEL_LAZY_SEARCH_INDEX_H

#include "search.h"

#include <memory>
#include <mutex>
#include <optional>

namespace kestrix {

class LazySearchIndex {
public:
    LazySearchIndex(std::shared_ptr<const PTXSessionInfo> session,
                    std::shared_ptr<const std::vector<PTXAudioFileGroup>> audioFileGroups,
                    std::shared_ptr<const std::vector<PTXClipGroup>> clipGroups);

    // Builds the index the first time; a caller on another thread meanwhile
    // waits for that build. Safe from any thread.
    const SessionSearchIndex &get() const;

private:
    std::shared_ptr<const PTXSessionInfo> session_;
    std::shared_ptr<const std::vector<PTXAudioFileGroup>> audioFileGroups_;
    std::shared_ptr<const std::vector<PTXClipGroup>> clipGroups_;
    mutable std::once_flag built_;
    mutable std::optional<SessionSearchIndex> index_;
};

} // namespace kestrix

#endif
