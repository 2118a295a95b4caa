#ifndef KESTRIX_INSPECT_MODEL_SUMMARY_H
#define KESTRIX_INSPECT_MODEL_SUMMARY_H

#include "session_info.h"

#include <string>

// A readable overview of a session: properties as they are displayed, then
// counts and lists of tracks, clips, audio files, plug-ins and memory locations.
std::string modelSummary(const kestrix::PTXSessionInfo &info);

#endif
