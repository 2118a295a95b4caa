// The flat interface to Pro Tools over PTSL. Strings cross as NUL-terminated
// UTF-8; every string returned is a heap copy that the caller releases with
// free. No function throws. Status codes: 0 success, negative failure.
#ifndef KESTRIX_PTSL_PTSL_H
#define KESTRIX_PTSL_PTSL_H

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

#ifdef __cplusplus
}
#endif

#endif
