// The timeline selection and viewport as they are stored in a file's view
// settings: {"trackNames":[...],"timeRange":[lower,upper]} (timeRange left
// out when there is none) and {"horizontalZoom":..,"verticalZoom":..,
// "horizontalSampleOffset":..,"verticalRowOffset":..}. Track names keep
// their bytes (byteString).
#ifndef KESTRIX_MODEL_UNIVERSE_JSON_H
#define KESTRIX_MODEL_UNIVERSE_JSON_H

#include "byte_json.h"
#include "universe_state.h"

#include <optional>

namespace kestrix {

Json toJson(const UniverseSelection &selection);
Json toJson(const UniverseViewport &viewport);

// None when a key is missing or holds the wrong type, or when the time
// range is not two ordered numbers. timeRange may be missing or null.
std::optional<UniverseSelection> universeSelectionFromJson(const Json &json);
// None when one of the four numbers is missing.
std::optional<UniverseViewport> universeViewportFromJson(const Json &json);

} // namespace kestrix

#endif
