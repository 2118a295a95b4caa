#include "import_batch.h"

#include "connection.h"
#include "no_throw.h"
#include "ptsl.h"

#include <cstdint>
#include <map>

namespace kestrix {

namespace {

struct BatchState {
    int32_t depth = 0;
    std::map<std::string, std::vector<ImportedFileId>> fileIds;
    std::map<std::string, std::string> createdTrackNames;  // requested name -> name given
};

void clearBatch(BatchState &b)
{
    b.fileIds.clear();
    b.createdTrackNames.clear();
}

// Guarded by connectionMutex; never destroyed, like the connection.
BatchState &batch()
{
    static BatchState *const state = new BatchState;
    return *state;
}

} // namespace

std::optional<std::vector<ImportedFileId>> batchFileIds(const std::string &canonicalPath)
{
    const std::lock_guard lock(connectionMutex());
    const BatchState &b = batch();
    if (b.depth < 1)
        return std::nullopt;
    const auto found = b.fileIds.find(canonicalPath);
    if (found == b.fileIds.end())
        return std::nullopt;
    return found->second;
}

void rememberBatchFileIds(const std::string &canonicalPath, std::vector<ImportedFileId> ids)
{
    const std::lock_guard lock(connectionMutex());
    BatchState &b = batch();
    if (b.depth >= 1)
        b.fileIds[canonicalPath] = std::move(ids);
}

std::optional<std::string> batchCreatedTrackName(const std::string &requestedName)
{
    const std::lock_guard lock(connectionMutex());
    const BatchState &b = batch();
    if (b.depth < 1)
        return std::nullopt;
    const auto found = b.createdTrackNames.find(requestedName);
    if (found == b.createdTrackNames.end())
        return std::nullopt;
    return found->second;
}

void rememberBatchCreatedTrack(const std::string &requestedName, const std::string &createdName)
{
    const std::lock_guard lock(connectionMutex());
    BatchState &b = batch();
    if (b.depth >= 1)
        b.createdTrackNames[requestedName] = createdName;
}

void forgetBatchFileIds()
{
    const std::lock_guard lock(connectionMutex());
    batch().fileIds.clear();
}

} // namespace kestrix

void ptsl_begin_import_batch(void)
{
    using namespace kestrix;
    noThrow([] {
        const std::lock_guard lock(connectionMutex());
        BatchState &b = batch();
        if (b.depth == 0)
            clearBatch(b);
        ++b.depth;
    });
}

void ptsl_end_import_batch(void)
{
    using namespace kestrix;
    noThrow([] {
        const std::lock_guard lock(connectionMutex());
        BatchState &b = batch();
        if (b.depth >= 1)
            --b.depth;
        if (b.depth == 0)
            clearBatch(b);
    });
}
