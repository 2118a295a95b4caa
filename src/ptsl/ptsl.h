// The flat interface to Pro Tools over PTSL. Strings cross as NUL-terminated
// UTF-8; every string returned is a heap copy that the caller releases with
// free. No function throws. Status codes: 0 success, negative failure.
#ifndef KESTRIX_PTSL_PTSL_H
#define KESTRIX_PTSL_PTSL_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Makes sure a client exists and is registered with Pro Tools: 0 or -1.
// Waits at most 10 seconds for the client to be created.
int32_t ptsl_connect(void);

// The calling thread's transcript of commands and notes. Off for a new
// thread; begin switches it on empty, end switches it off and hands over
// the text (never null unless memory runs out).
void ptsl_transcript_begin(void);
void ptsl_transcript_note(const char *text);
char *ptsl_transcript_end(void);

// 1 when the connected Pro Tools is 2025.6 or later, else 0. When
// versionOut is given it receives the version as "<major>.<minor>", or
// null when no version could be read.
int32_t ptsl_check_import_supported(char **versionOut);
// "<major>.<minor>", or null when not connected or the command failed.
char *ptsl_get_version_string(void);

// Within a batch, files imported for one track are reused by the next
// instead of being imported again. Batches nest.
void ptsl_begin_import_batch(void);
void ptsl_end_import_batch(void);

// About the session open in Pro Tools; null or 0 when not available.
char *ptsl_get_session_name(void);
char *ptsl_get_session_path(void);
int32_t ptsl_get_session_sample_rate(void);
// Track and clip names, one per line; empty (not null) for none, null
// when the command failed.
char *ptsl_get_track_names(void);
char *ptsl_get_clip_names(void);
// "Label: value" lines describing the session.
char *ptsl_get_session_info_text(void);

// One clip to recreate in Pro Tools; caller-owned.
typedef struct ImportClipRecord {
    const char *name;      // clip name; channel clips keep their suffix (".L")
    const char *path;      // source audio file; null for none
    uint64_t sourceStart;  // first sample in the file
    uint64_t sourceEnd;    // sample after the last one
    uint64_t position;     // timeline position in samples (tracks only)
    int32_t channel;       // track import: 1 for the right of a stereo pair, else 0;
                           // clip import: index within the clip's group
} ImportClipRecord;

// Imports one track with its clips into the session open in Pro Tools:
// creates the track (inside folderName when given), colours it (colorIndex
// -2 leaves the colour alone), imports the clips' files (once per file in
// an open batch), recreates and spots the clips, selects the track.
// Returns 0, or -1 no connection, -2 Pro Tools too old or negative count,
// -3 track not created, -4 audio not imported, -5 no file id for a clip's
// file, -10 no clip placed, -99 unexpected failure. errorOut and
// transcriptOut (may be null) receive heap copies.
int32_t ptsl_import_track(const char *trackName, const char *trackType, const char *trackFormat,
                          const char *folderName, const ImportClipRecord *clips, int32_t clipCount, bool convert,
                          bool link, int32_t colorIndex, char **errorOut, char **transcriptOut);

// Recreates clips in the clip list, a group of channel clips (Kick.L,
// Kick.R) as one clip. reserved is not read. Statuses as the track import,
// with -3 for a count below 1.
int32_t ptsl_import_clips(const ImportClipRecord *clips, int32_t clipCount, const void *reserved, bool convert,
                          bool link, char **errorOut, char **transcriptOut);

// Imports whole files into the clip list; null paths are skipped and a
// path given twice is sent once. 0, -1, -2, -3 (nothing to import), -4, -99.
int32_t ptsl_import_audio_files(const char *const *paths, int32_t pathCount, bool convert, bool link,
                                char **errorOut, char **transcriptOut);

#ifdef __cplusplus
}
#endif

#endif
