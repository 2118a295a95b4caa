#include "per_file_settings.h"

#include "file_location.h"
#include "byte_json.h"
#include "native_path.h"
#include "preference_keys.h"
#include "universe_json.h"
#include "universe_layout.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kestrix {

namespace {

struct DisclosureFlag {
    const char *key;
    bool PerFileSettings::*member;
};

constexpr std::array<DisclosureFlag, 9> kDisclosureFlags{{
    {"sessionInfoExpanded", &PerFileSettings::sessionInfoExpanded},
    {"overviewExpanded", &PerFileSettings::overviewExpanded},
    {"audioFilesExpanded", &PerFileSettings::audioFilesExpanded},
    {"pluginsExpanded", &PerFileSettings::pluginsExpanded},
    {"activePluginsExpanded", &PerFileSettings::activePluginsExpanded},
    {"inactivePluginsExpanded", &PerFileSettings::inactivePluginsExpanded},
    {"tracksExpanded", &PerFileSettings::tracksExpanded},
    {"clipsExpanded", &PerFileSettings::clipsExpanded},
    {"locationsExpanded", &PerFileSettings::locationsExpanded},
}};

constexpr const char *kUniverseSelection = "universeSelection";
constexpr const char *kUniverseViewport = "universeViewport";
constexpr const char *kExtraHeight = "overviewUniverseExtraHeight";
constexpr const char *kWindowFrame = "windowFrame";

// The member with the key; null when absent or when json is no object.
const Json *member(const Json &json, const char *key)
{
    const auto found = json.find(key);
    return found == json.end() ? nullptr : &*found;
}

std::optional<double> numberAt(const Json &object, const char *key)
{
    const Json *value = member(object, key);
    return value && value->is_number() ? std::optional<double>(value->get<double>()) : std::nullopt;
}

Json frameToJson(const PersistedFrame &frame)
{
    return Json{{"x", frame.x}, {"y", frame.y}, {"width", frame.width}, {"height", frame.height}};
}

std::optional<PersistedFrame> frameFromJson(const Json &json)
{
    const std::optional<double> x = numberAt(json, "x");
    const std::optional<double> y = numberAt(json, "y");
    const std::optional<double> width = numberAt(json, "width");
    const std::optional<double> height = numberAt(json, "height");
    if (!x || !y || !width || !height)
        return std::nullopt;
    return PersistedFrame{*x, *y, *width, *height};
}

bool isPlausible(const PersistedFrame &frame)
{
    const auto within = [](double value, double low) { return value >= low && value <= kLargestFrameCoordinate; };
    return within(frame.x, -kLargestFrameCoordinate) && within(frame.y, -kLargestFrameCoordinate) &&
           within(frame.width, 1) && within(frame.height, 1);
}

bool isFinite(const UniverseViewport &viewport)
{
    return std::isfinite(viewport.horizontalZoom) && std::isfinite(viewport.verticalZoom) &&
           std::isfinite(viewport.horizontalSampleOffset) && std::isfinite(viewport.verticalRowOffset);
}

// The upper bounds of the offsets depend on the session and are applied
// where it is known; here a stored value is brought within what any session
// allows.
UniverseViewport withinRange(UniverseViewport viewport)
{
    viewport.horizontalZoom = std::clamp(viewport.horizontalZoom, universe::kMinZoom, universe::kMaxZoom);
    viewport.verticalZoom = std::clamp(viewport.verticalZoom, universe::kMinZoom, universe::kMaxZoom);
    viewport.horizontalSampleOffset = std::max(viewport.horizontalSampleOffset, 0.0);
    viewport.verticalRowOffset = std::max(viewport.verticalRowOffset, 0.0);
    return viewport;
}

} // namespace

PersistedFrame PersistedFrame::fromRect(const QRect &rect)
{
    return {double(rect.x()), double(rect.y()), double(rect.width()), double(rect.height())};
}

QRect PersistedFrame::toRect() const
{
    return QRect(int(std::lround(x)), int(std::lround(y)), int(std::lround(width)), int(std::lround(height)));
}

QString perFileSettingsKey(const QString &filePath)
{
    return prefs::kPerFilePrefix + QString::fromLatin1(nativeBytesOfPath(standardizedPath(filePath)).toBase64());
}

std::string encodePerFileSettings(const PerFileSettings &settings)
{
    Json object{
        {kUniverseSelection, toJson(settings.universeSelection)},
        {kUniverseViewport, toJson(settings.universeViewport)},
        {kExtraHeight, settings.overviewUniverseExtraHeight},
    };
    if (settings.windowFrame)
        object[kWindowFrame] = frameToJson(*settings.windowFrame);
    for (const DisclosureFlag &flag : kDisclosureFlags)
        object[flag.key] = settings.*flag.member;
    return dumpJson(object);
}

std::optional<PerFileSettings> decodePerFileSettings(std::string_view json)
{
    const std::optional<Json> root = parseJson(json);
    if (!root || !root->is_object())
        return std::nullopt;

    PerFileSettings settings;
    const Json *selection = member(*root, kUniverseSelection);
    const Json *viewport = member(*root, kUniverseViewport);
    const std::optional<double> extraHeight = numberAt(*root, kExtraHeight);
    if (!selection || !viewport || !extraHeight)
        return std::nullopt;
    const std::optional<UniverseSelection> decodedSelection = universeSelectionFromJson(*selection);
    const std::optional<UniverseViewport> decodedViewport = universeViewportFromJson(*viewport);
    if (!decodedSelection || !decodedViewport || !isFinite(*decodedViewport) || !std::isfinite(*extraHeight))
        return std::nullopt;
    if (const std::optional<SampleRange> &range = decodedSelection->timeRange;
        range && !(std::isfinite(range->lower) && std::isfinite(range->upper)))
        return std::nullopt;
    settings.universeSelection = *decodedSelection;
    settings.universeViewport = withinRange(*decodedViewport);
    // Below the least height the handle allows, the timeline keeps its minimum.
    settings.overviewUniverseExtraHeight = std::min(*extraHeight, universe::kMaxExtraHeight);

    // The frame is optional; null counts as absent, anything else must be a frame.
    if (const Json *frame = member(*root, kWindowFrame); frame && !frame->is_null()) {
        settings.windowFrame = frameFromJson(*frame);
        if (!settings.windowFrame)
            return std::nullopt;
        if (!isPlausible(*settings.windowFrame))
            settings.windowFrame.reset();
    }

    for (const DisclosureFlag &flag : kDisclosureFlags) {
        const Json *expanded = member(*root, flag.key);
        if (!expanded || !expanded->is_boolean())
            return std::nullopt;
        settings.*flag.member = expanded->get<bool>();
    }
    return settings;
}

} // namespace kestrix
