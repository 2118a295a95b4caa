// The import-batch cache: file identifiers that Pro Tools gave earlier in
// the current batch, so that a source file that several tracks share is
// imported once, and the names Pro Tools gave the tracks it created, so
// that tracks go into the folder created for them even when Pro Tools
// renamed it. Guarded by connectionMutex.
#ifndef KESTRIX_PTSL_IMPORT_BATCH_H
#define KESTRIX_PTSL_IMPORT_BATCH_H

#include <optional>
#include <string>
#include <vector>

namespace kestrix {

struct ImportedFileId {
    std::string fileId;    // the identifier Pro Tools gave the imported file
    std::string filePath;  // the file Pro Tools created or linked; may be empty
};

// The identifiers stored for the canonical path in the open batch; none
// when no batch is open or the file was not imported in it.
std::optional<std::vector<ImportedFileId>> batchFileIds(const std::string &canonicalPath);

// Stores (or replaces) the identifiers of a file while a batch is open;
// does nothing otherwise.
void rememberBatchFileIds(const std::string &canonicalPath, std::vector<ImportedFileId> ids);

// The name Pro Tools gave the track last created in the open batch under
// the requested name; none when no batch is open or no such track was
// created in it.
std::optional<std::string> batchCreatedTrackName(const std::string &requestedName);

// Remembers the name a track was created under while a batch is open;
// does nothing otherwise.
void rememberBatchCreatedTrack(const std::string &requestedName, const std::string &createdName);

// Empties the file identifiers but keeps the batch open. Called when the
// connection is dropped: a Pro Tools that restarted knows none of the old
// identifiers, so the rest of the batch imports its files again. The track
// names stay: they name tracks of the session, not of the connection.
void forgetBatchFileIds();

} // namespace kestrix

#endif
