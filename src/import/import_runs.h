// One import run: the tracks one after another inside one batch, or the
// clips, or the audio files, with progress texts and, between tracks, a
// cancellation flag. Blocks: call on a background thread.
#ifndef KESTRIX_IMPORT_IMPORT_RUNS_H
#define KESTRIX_IMPORT_IMPORT_RUNS_H

#include "import_arguments.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace kestrix::import {

struct ImportOptions {
    bool convert = false;  // copy and convert the sample rate
    bool link = false;     // link to the source media instead of copying
};

struct ImportOutcome {
    // Tracks: "<track>: <message>" per failed track (warnings); clips and
    // audio: the one error of a failed run.
    std::vector<std::string> errors;
    bool failed = false;  // clips and audio: the run failed
    bool cancelled = false;
    std::string transcript;
    std::vector<std::string> operations;  // what was done, one line each
};

// Called before each track ("Importing Drums (1/3)…") or run.
using ProgressCallback = std::function<void(const std::string &)>;

// cancel (may be null) is read before each track; tracks not started are
// not imported.
ImportOutcome runTracksImport(const std::vector<TrackArguments> &tracks, const ImportOptions &options,
                              const ProgressCallback &progress, const std::atomic<bool> *cancel);
ImportOutcome runClipsImport(const std::vector<ClipArgument> &clips, const ImportOptions &options,
                             const ProgressCallback &progress);
ImportOutcome runAudioImport(const std::vector<std::string> &paths, const ImportOptions &options,
                             const ProgressCallback &progress);

// "Import Complete", "Import Completed with <n> Warning(s)" for tracks with
// errors, "Import Failed" for a failed clips or audio run.
std::string outcomeTitle(const ImportOutcome &outcome);

} // namespace kestrix::import

#endif
