#include "import_runs.h"

#include "ptsl.h"

#include <cstdlib>
#include <memory>

namespace kestrix::import {

namespace {

using HeapText = std::unique_ptr<char, decltype(&std::free)>;

HeapText own(char *text)
{
    return HeapText(text, &std::free);
}

std::string failureText(int32_t status, const HeapText &error, const char *whenNone)
{
    if (error)
        return error.get();
    return whenNone ? whenNone : "Error code " + std::to_string(status);
}

// Takes the error and transcript a one-call import handed over and notes
// its failure or, on success, `done`.
void recordResult(ImportOutcome &outcome, int32_t status, char *error, char *transcript, const std::string &done)
{
    const HeapText ownedError = own(error), ownedTranscript = own(transcript);
    outcome.transcript = ownedTranscript ? ownedTranscript.get() : "";
    if (status != 0) {
        outcome.failed = true;
        outcome.errors.push_back(failureText(status, ownedError, "Unknown error"));
    } else {
        outcome.operations.push_back(done);
    }
}

// Closes the batch however the run ends.
struct ImportBatch {
    ImportBatch() { ptsl_begin_import_batch(); }
    ~ImportBatch() { ptsl_end_import_batch(); }
    ImportBatch(const ImportBatch &) = delete;
    ImportBatch &operator=(const ImportBatch &) = delete;
};

} // namespace

ImportOutcome runTracksImport(const std::vector<TrackArguments> &tracks, const ImportOptions &options,
                              const ProgressCallback &progress, const std::atomic<bool> *cancel)
{
    ImportOutcome outcome;
    const ImportBatch batch;
    for (size_t i = 0; i < tracks.size(); ++i) {
        if (cancel && cancel->load()) {
            outcome.cancelled = true;
            break;
        }
        const TrackArguments &track = tracks[i];
        if (progress)
            progress("Importing " + track.name + " (" + std::to_string(i + 1) + "/" + std::to_string(tracks.size()) +
                     ")\xE2\x80\xA6");
        if (track.noResolvableClips) {
            outcome.errors.push_back(track.name + ": No resolvable clips");
            continue;
        }
        const std::vector<ImportClipRecord> records = clipRecords(track.clips);
        char *error = nullptr;
        char *transcript = nullptr;
        const int32_t status = ptsl_import_track(
            track.name.c_str(), track.type.c_str(), track.format.c_str(), track.folder ? track.folder->c_str() : nullptr,
            records.data(), int32_t(records.size()), options.convert, options.link, track.colorIndex, &error,
            &transcript);
        const HeapText ownedError = own(error), ownedTranscript = own(transcript);
        if (ownedTranscript)
            outcome.transcript += "\n----- Track \"" + track.name + "\" -----\n" + ownedTranscript.get();
        if (status != 0)
            outcome.errors.push_back(track.name + ": " + failureText(status, ownedError, nullptr));
        else
            outcome.operations.push_back("Imported track \"" + track.name + "\" with " +
                                         std::to_string(records.size()) + " clip(s)");
    }
    return outcome;
}

ImportOutcome runClipsImport(const std::vector<ClipArgument> &clips, const ImportOptions &options,
                             const ProgressCallback &progress)
{
    ImportOutcome outcome;
    if (progress)
        progress("Importing " + std::to_string(clips.size()) + (clips.size() == 1 ? " clip" : " clips") +
                 "\xE2\x80\xA6");
    const std::vector<ImportClipRecord> records = clipRecords(clips);
    char *error = nullptr;
    char *transcript = nullptr;
    const int32_t status = ptsl_import_clips(records.data(), int32_t(records.size()), nullptr, options.convert,
                                             options.link, &error, &transcript);
    recordResult(outcome, status, error, transcript,
                 "Imported " + std::to_string(records.size()) + " clip channel(s)");
    return outcome;
}

ImportOutcome runAudioImport(const std::vector<std::string> &paths, const ImportOptions &options,
                             const ProgressCallback &progress)
{
    ImportOutcome outcome;
    if (progress)
        progress("Importing " + std::to_string(paths.size()) + (paths.size() == 1 ? " file" : " files") +
                 "\xE2\x80\xA6");
    std::vector<const char *> pointers;
    for (const std::string &path : paths)
        pointers.push_back(path.c_str());
    char *error = nullptr;
    char *transcript = nullptr;
    const int32_t status = ptsl_import_audio_files(pointers.data(), int32_t(pointers.size()), options.convert,
                                                   options.link, &error, &transcript);
    recordResult(outcome, status, error, transcript, "Imported " + std::to_string(paths.size()) + " audio file(s)");
    return outcome;
}

std::string outcomeTitle(const ImportOutcome &outcome)
{
    if (outcome.failed)
        return "Import Failed";
    if (outcome.errors.empty())
        return "Import Complete";
    const size_t n = outcome.errors.size();
    return "Import Completed with " + std::to_string(n) + (n == 1 ? " Warning" : " Warnings");
}

} // namespace kestrix::import
