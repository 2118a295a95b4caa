// The timeline selection and viewport as they are stored in a file's view
// settings: {"trackNames":[...],"timeRange":[lower,upper]} (timeRange left
// out when there is none) and {"horizontalZoom":..,"verticalZoom":..,
// "horizontalSampleOffset":..,"verticalRowOffset":..}.
#ifndef KESTRIX_MODEL_UNIVERSE_JSON_H
#define KESTRIX_MODEL_UNIVERSE_JSON_H

#include "json_value.h"
#include "universe_state.h"

#include <optional>

namespace kestrix {

JsonValue toJson(const UniverseSelection &selection);
JsonValue toJson(const UniverseViewport &viewport);

// None when a key is missing or holds the wrong type, or when the time
// range is not two ordered numbers. timeRange may be missing or null.
std::optional<UniverseSelection> universeSelectionFromJson(const JsonValue &json);
// None when one of the four numbers is missing.
std::optional<UniverseViewport> universeViewportFromJson(const JsonValue &json);

} // namespace kestrix

#endif
