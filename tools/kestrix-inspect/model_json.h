#ifndef KESTRIX_INSPECT_MODEL_JSON_H
#define KESTRIX_INSPECT_MODEL_JSON_H

#include "multi_mono_grouping.h"
#include "session_info.h"

#include <string>

// The session model as one JSON object: the fields of PTXSessionInfo in
// declaration order, then "audioFileGroups" and "clipGroups".
std::string modelJson(const kestrix::PTXSessionInfo &info);

#endif
