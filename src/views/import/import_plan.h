// One import as the dialogs run it: the names pre-flight looks at, the lines
// of the report and the run itself, built from the dialog's items through
// the import core. No Qt: run() blocks and belongs on a background thread.
#ifndef KESTRIX_VIEWS_IMPORT_IMPORT_PLAN_H
#define KESTRIX_VIEWS_IMPORT_IMPORT_PLAN_H

#include "import_core.h"
#include "import_items.h"

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace kestrix {

struct ImportPlan {
    std::string contextLabel;  // "Import Tracks", "Import Clips", "Import Audio Files"
    std::vector<std::string> trackLines, clipLines, fileLines;  // the report's item sections
    // What the names-exist check compares; the clip names are those after
    // any channel-view rename.
    std::vector<std::string> trackNames, clipNames, filePaths;
    bool runsPreflight = true;  // audio files run none
    std::function<import::ImportOutcome(const import::ImportOptions &, const import::ProgressCallback &,
                                        const std::atomic<bool> *cancel)>
        run;
};

ImportPlan tracksPlan(const std::vector<ImportTrackItem> &tracks, const PTXSessionInfo &session,
                      const import::AudioFileResolution &files, const import::SampleRateScale &scale,
                      bool renameChannelViews);
ImportPlan clipsPlan(const std::vector<ImportClipItem> &clips, const PTXSessionInfo &session,
                     const import::AudioFileResolution &files, const import::SampleRateScale &scale,
                     bool renameChannelViews);
ImportPlan audioPlan(const std::vector<PTXAudioFileGroup> &groups, const import::AudioFileResolution &files);

} // namespace kestrix

#endif
