#include "universe_json.h"

namespace kestrix {

namespace {

constexpr const char *kTrackNames = "trackNames";
constexpr const char *kTimeRange = "timeRange";
constexpr const char *kHorizontalZoom = "horizontalZoom";
constexpr const char *kVerticalZoom = "verticalZoom";
constexpr const char *kHorizontalSampleOffset = "horizontalSampleOffset";
constexpr const char *kVerticalRowOffset = "verticalRowOffset";

std::optional<double> numberAt(const JsonValue &object, const char *key)
{
    const JsonValue *value = object.find(key);
    const double *number = value ? value->asNumber() : nullptr;
    return number ? std::optional<double>(*number) : std::nullopt;
}

// [lower, upper] with lower <= upper (which also rules out NaN).
std::optional<SampleRange> rangeFrom(const JsonValue &json)
{
    const JsonValue::Array *bounds = json.asArray();
    if (!bounds || bounds->size() != 2)
        return std::nullopt;
    const double *lower = (*bounds)[0].asNumber();
    const double *upper = (*bounds)[1].asNumber();
    if (!lower || !upper || !(*lower <= *upper))
        return std::nullopt;
    return SampleRange{*lower, *upper};
}

} // namespace

JsonValue toJson(const UniverseSelection &selection)
{
    JsonValue::Array names;
    for (const std::string &name : selection.trackNames)
        names.emplace_back(name);
    JsonValue::Object object{{kTrackNames, JsonValue(std::move(names))}};
    if (selection.timeRange)
        object.emplace_back(kTimeRange,
                            JsonValue(JsonValue::Array{selection.timeRange->lower, selection.timeRange->upper}));
    return JsonValue(std::move(object));
}

JsonValue toJson(const UniverseViewport &viewport)
{
    return JsonValue(JsonValue::Object{
        {kHorizontalZoom, viewport.horizontalZoom},
        {kVerticalZoom, viewport.verticalZoom},
        {kHorizontalSampleOffset, viewport.horizontalSampleOffset},
        {kVerticalRowOffset, viewport.verticalRowOffset},
    });
}

std::optional<UniverseSelection> universeSelectionFromJson(const JsonValue &json)
{
    const JsonValue *namesValue = json.find(kTrackNames);
    const JsonValue::Array *names = namesValue ? namesValue->asArray() : nullptr;
    if (!names)
        return std::nullopt;
    UniverseSelection selection;
    for (const JsonValue &name : *names) {
        const std::string *text = name.asString();
        if (!text)
            return std::nullopt;
        selection.trackNames.insert(*text);
    }
    if (const JsonValue *range = json.find(kTimeRange); range && !range->isNull()) {
        selection.timeRange = rangeFrom(*range);
        if (!selection.timeRange)
            return std::nullopt;
    }
    return selection;
}

std::optional<UniverseViewport> universeViewportFromJson(const JsonValue &json)
{
    const std::optional<double> horizontalZoom = numberAt(json, kHorizontalZoom);
    const std::optional<double> verticalZoom = numberAt(json, kVerticalZoom);
    const std::optional<double> horizontalOffset = numberAt(json, kHorizontalSampleOffset);
    const std::optional<double> verticalOffset = numberAt(json, kVerticalRowOffset);
    if (!horizontalZoom || !verticalZoom || !horizontalOffset || !verticalOffset)
        return std::nullopt;
    return UniverseViewport{*horizontalZoom, *verticalZoom, *horizontalOffset, *verticalOffset};
}

} // namespace kestrix
