#include "universe_json.h"

namespace kestrix {

namespace {

constexpr const char *kTrackNames = "trackNames";
constexpr const char *kTimeRange = "timeRange";
constexpr const char *kHorizontalZoom = "horizontalZoom";
constexpr const char *kVerticalZoom = "verticalZoom";
constexpr const char *kHorizontalSampleOffset = "horizontalSampleOffset";
constexpr const char *kVerticalRowOffset = "verticalRowOffset";

std::optional<double> numberAt(const Json &object, const char *key)
{
    const auto member = object.find(key);
    if (member == object.end() || !member->is_number())
        return std::nullopt;
    return member->get<double>();
}

// [lower, upper] with lower <= upper (which also rules out NaN).
std::optional<SampleRange> rangeFrom(const Json &json)
{
    if (!json.is_array() || json.size() != 2 || !json[0].is_number() || !json[1].is_number())
        return std::nullopt;
    const double lower = json[0].get<double>();
    const double upper = json[1].get<double>();
    if (!(lower <= upper))
        return std::nullopt;
    return SampleRange{lower, upper};
}

} // namespace

Json toJson(const UniverseSelection &selection)
{
    Json names = Json::array();
    for (const std::string &name : selection.trackNames)
        names.push_back(byteString(name));
    Json object{{kTrackNames, std::move(names)}};
    if (selection.timeRange)
        object[kTimeRange] = Json::array({selection.timeRange->lower, selection.timeRange->upper});
    return object;
}

Json toJson(const UniverseViewport &viewport)
{
    return Json{
        {kHorizontalZoom, viewport.horizontalZoom},
        {kVerticalZoom, viewport.verticalZoom},
        {kHorizontalSampleOffset, viewport.horizontalSampleOffset},
        {kVerticalRowOffset, viewport.verticalRowOffset},
    };
}

std::optional<UniverseSelection> universeSelectionFromJson(const Json &json)
{
    const auto names = json.find(kTrackNames);
    if (names == json.end() || !names->is_array())
        return std::nullopt;
    UniverseSelection selection;
    for (const Json &name : *names) {
        if (!name.is_string())
            return std::nullopt;
        selection.trackNames.insert(bytesOf(name.get_ref<const std::string &>()));
    }
    if (const auto range = json.find(kTimeRange); range != json.end() && !range->is_null()) {
        selection.timeRange = rangeFrom(*range);
        if (!selection.timeRange)
            return std::nullopt;
    }
    return selection;
}

std::optional<UniverseViewport> universeViewportFromJson(const Json &json)
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
