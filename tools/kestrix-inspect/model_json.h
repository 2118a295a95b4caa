#ifndef KESTRIX_INSPECT_MODEL_JSON_H
#define KESTRIX_INSPECT_MODEL_JSON_H

#include "multi_mono_grouping.h"
#include "session_info.h"

#include <cstdio>

// Writes the session model as one JSON object: the fields of
// PTXSessionInfo in declaration order, then "audioFileGroups" and
// "clipGroups".
void writeModelJson(const kestrix::PTXSessionInfo &info, std::FILE *out);

#endif
