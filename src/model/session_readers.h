// The steps of building a PTXSessionInfo from the reader's accessors.
#ifndef KESTRIX_MODEL_SESSION_READERS_H
#define KESTRIX_MODEL_SESSION_READERS_H

#include "ptx_reader.h"
#include "session_info.h"

namespace kestrix {

// Every display text and flag derived from the session scalars.
void readSessionProperties(const ptx_session *s, PTXSessionInfo &info);

// Audio files, clips, tracks with their placed clips and plug-ins, the
// plug-in name lists and the memory locations sorted by number.
void readSessionRecords(const ptx_session *s, PTXSessionInfo &info);

} // namespace kestrix

#endif
