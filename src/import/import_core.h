// The import core: everything of an import into Pro Tools below the
// dialogs, shared by the dialogs and kestrix-import. No Qt, no threads of
// its own: the caller runs the blocking calls on its background thread and
// posts what they report to its UI thread.
//
// The road of one import, and the functions for each step:
//   1. checkConnection()            -> ConnectionCheck: checking ends in
//      noConnection | versionTooOld | noSession | ready; connectionStateView()
//      gives the title and text to show.
//   2. resolveSessionAudioFiles()   which files are on disk, which offline;
//      trackArguments() / clipGroupRecords() / audioFileGroupPaths() build
//      the arguments from the session model (SampleRateScale when rates
//      differ; mediaOptions() says whether linking is possible).
//   3. channelViewAlert(), then queryExistingNames() + namesExistAlert():
//      the pre-flight alerts as data (title, text, buttons); none when
//      nothing needs asking. A cancelled alert imports nothing.
//   4. runTracksImport() / runClipsImport() / runAudioImport(): one import
//      with progress callbacks and, between tracks, a cancellation flag;
//      ImportOutcome holds the errors, the transcript and the operations.
//      outcomeTitle() names the result.
//   5. importReport() and reportFileName() for the report and Report A
//      Problem; parseTranscript() and commandHeader() for the transcript
//      view.
#ifndef KESTRIX_IMPORT_IMPORT_CORE_H
#define KESTRIX_IMPORT_IMPORT_CORE_H

#include "connection_check.h"
#include "import_arguments.h"
#include "import_report.h"
#include "import_runs.h"
#include "preflight.h"
#include "transcript_entries.h"

#endif
