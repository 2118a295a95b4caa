#include "per_file_settings.h"

#include "file_location.h"
#include "json_value.h"
#include "preference_keys.h"
#include "universe_json.h"

#include <QSettings>

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

const double *numberAt(const JsonValue &object, const char *key)
{
    const JsonValue *value = object.find(key);
    return value ? value->asNumber() : nullptr;
}

JsonValue frameToJson(const PersistedFrame &frame)
{
    return JsonValue(JsonValue::Object{
        {"x", frame.x}, {"y", frame.y}, {"width", frame.width}, {"height", frame.height}});
}

std::optional<PersistedFrame> frameFromJson(const JsonValue &json)
{
    const double *x = numberAt(json, "x");
    const double *y = numberAt(json, "y");
    const double *width = numberAt(json, "width");
    const double *height = numberAt(json, "height");
    if (!x || !y || !width || !height)
        return std::nullopt;
    return PersistedFrame{*x, *y, *width, *height};
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
    return prefs::kPerFilePrefix + QString::fromLatin1(standardizedPath(filePath).toUtf8().toBase64());
}

std::string encodePerFileSettings(const PerFileSettings &settings)
{
    JsonValue::Object object{
        {kUniverseSelection, toJson(settings.universeSelection)},
        {kUniverseViewport, toJson(settings.universeViewport)},
        {kExtraHeight, settings.overviewUniverseExtraHeight},
    };
    if (settings.windowFrame)
        object.emplace_back(kWindowFrame, frameToJson(*settings.windowFrame));
    for (const DisclosureFlag &flag : kDisclosureFlags)
        object.emplace_back(flag.key, settings.*flag.member);
    return toJsonText(JsonValue(std::move(object)));
}

std::optional<PerFileSettings> decodePerFileSettings(std::string_view json)
{
    const std::optional<JsonValue> root = parseJson(json);
    if (!root || !root->asObject())
        return std::nullopt;

    PerFileSettings settings;
    const JsonValue *selection = root->find(kUniverseSelection);
    const JsonValue *viewport = root->find(kUniverseViewport);
    const double *extraHeight = numberAt(*root, kExtraHeight);
    if (!selection || !viewport || !extraHeight)
        return std::nullopt;
    const std::optional<UniverseSelection> decodedSelection = universeSelectionFromJson(*selection);
    const std::optional<UniverseViewport> decodedViewport = universeViewportFromJson(*viewport);
    if (!decodedSelection || !decodedViewport)
        return std::nullopt;
    settings.universeSelection = *decodedSelection;
    settings.universeViewport = *decodedViewport;
    settings.overviewUniverseExtraHeight = *extraHeight;

    // The frame is optional; null counts as absent, anything else must be a frame.
    if (const JsonValue *frame = root->find(kWindowFrame); frame && !frame->isNull()) {
        settings.windowFrame = frameFromJson(*frame);
        if (!settings.windowFrame)
            return std::nullopt;
    }

    for (const DisclosureFlag &flag : kDisclosureFlags) {
        const JsonValue *value = root->find(flag.key);
        const bool *expanded = value ? value->asBool() : nullptr;
        if (!expanded)
            return std::nullopt;
        settings.*flag.member = *expanded;
    }
    return settings;
}

PerFileSettings PerFileSettings::load(const QString &filePath)
{
    const QByteArray bytes = QSettings().value(perFileSettingsKey(filePath)).toByteArray();
    if (bytes.isEmpty())
        return {};
    return decodePerFileSettings(std::string_view(bytes.constData(), size_t(bytes.size())))
        .value_or(PerFileSettings{});
}

void PerFileSettings::save(const QString &filePath, const PerFileSettings &settings)
{
    const std::string json = encodePerFileSettings(settings);
    QSettings().setValue(perFileSettingsKey(filePath), QByteArray(json.data(), qsizetype(json.size())));
}

} // namespace kestrix
