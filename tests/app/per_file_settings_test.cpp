#include "app_test_support.h"

#include "per_file_settings.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

#include <string>

using kestrix::PerFileSettings;
using kestrix::PersistedFrame;

namespace {

PerFileSettings everythingChanged()
{
    PerFileSettings settings;
    settings.universeSelection.trackNames = {"Kick", "Vox \"Lead\""};
    settings.universeSelection.timeRange = kestrix::SampleRange{48000, 96000.5};
    settings.universeViewport = {2.25, 1.5, 12345, 3};
    settings.overviewUniverseExtraHeight = 42.5;
    settings.windowFrame = PersistedFrame{10, 20, 800, 500};
    settings.sessionInfoExpanded = false;
    settings.overviewExpanded = false;
    settings.audioFilesExpanded = true;
    settings.pluginsExpanded = true;
    settings.activePluginsExpanded = false;
    settings.inactivePluginsExpanded = false;
    settings.tracksExpanded = true;
    settings.clipsExpanded = true;
    settings.locationsExpanded = true;
    return settings;
}

const QStringList kRequiredKeys{
    "universeSelection", "universeViewport", "overviewUniverseExtraHeight", "sessionInfoExpanded",
    "overviewExpanded", "audioFilesExpanded", "pluginsExpanded", "activePluginsExpanded",
    "inactivePluginsExpanded", "tracksExpanded", "clipsExpanded", "locationsExpanded",
};

std::string withoutKey(const std::string &json, const QString &key)
{
    QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    object.remove(key);
    return QJsonDocument(object).toJson().toStdString();
}

} // namespace

using PerFileSettingsTest = AppTest;

TEST_F(PerFileSettingsTest, KeyIsThePrefixAndTheBase64OfTheUtf8Path)
{
    EXPECT_EQ(kestrix::perFileSettingsKey(QStringLiteral("/Sessions/Café Ü/Mix.ptx")),
              QStringLiteral("kestrix.perFile.L1Nlc3Npb25zL0NhZsOpIMOcL01peC5wdHg="));
    EXPECT_EQ(kestrix::perFileSettingsKey(QStringLiteral("/Sessions/x/./../ab.ptx")),
              QStringLiteral("kestrix.perFile.L1Nlc3Npb25zL2FiLnB0eA=="))
        << "the path is standardised first";
}

TEST_F(PerFileSettingsTest, JsonRoundTripUsesTheFieldNames)
{
    const PerFileSettings settings = everythingChanged();
    const std::string json = kestrix::encodePerFileSettings(settings);
    EXPECT_EQ(kestrix::decodePerFileSettings(json), settings);

    const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    QStringList expectedKeys = kRequiredKeys;
    expectedKeys.append("windowFrame");
    expectedKeys.sort();
    EXPECT_EQ(object.keys(), expectedKeys);
    EXPECT_EQ(object["windowFrame"].toObject().keys(), (QStringList{"height", "width", "x", "y"}));
    EXPECT_EQ(object["windowFrame"].toObject()["width"].toDouble(), 800);
    EXPECT_EQ(object["universeViewport"].toObject()["horizontalZoom"].toDouble(), 2.25);
    EXPECT_EQ(object["sessionInfoExpanded"].toBool(true), false);

    const std::string defaults = kestrix::encodePerFileSettings(PerFileSettings{});
    EXPECT_FALSE(QJsonDocument::fromJson(QByteArray::fromStdString(defaults)).object().contains("windowFrame"))
        << "no frame, no key";
}

TEST_F(PerFileSettingsTest, OnlyTheWindowFrameMayBeMissing)
{
    const std::string json = kestrix::encodePerFileSettings(everythingChanged());

    const auto withoutFrame = kestrix::decodePerFileSettings(withoutKey(json, "windowFrame"));
    ASSERT_TRUE(withoutFrame);
    EXPECT_FALSE(withoutFrame->windowFrame);
    EXPECT_TRUE(withoutFrame->tracksExpanded) << "the rest still decodes";

    for (const QString &key : kRequiredKeys)
        EXPECT_FALSE(kestrix::decodePerFileSettings(withoutKey(json, key))) << key.toStdString();

    QJsonObject wrongType = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    wrongType["clipsExpanded"] = 1;
    EXPECT_FALSE(kestrix::decodePerFileSettings(QJsonDocument(wrongType).toJson().toStdString()));
    QJsonObject halfFrame = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    halfFrame["windowFrame"] = QJsonObject{{"x", 1}, {"y", 2}};
    EXPECT_FALSE(kestrix::decodePerFileSettings(QJsonDocument(halfFrame).toJson().toStdString()));
}

TEST_F(PerFileSettingsTest, StoredRecordsLoadAndUndecodableOnesGiveDefaults)
{
    const QString file = makeFile("Mix.ptx");
    EXPECT_EQ(PerFileSettings::load(file), PerFileSettings{}) << "nothing stored";

    PerFileSettings::save(file, everythingChanged());
    EXPECT_EQ(PerFileSettings::load(file), everythingChanged());
    const QByteArray stored = QSettings().value(kestrix::perFileSettingsKey(file)).toByteArray();
    EXPECT_TRUE(QJsonDocument::fromJson(stored).isObject()) << "the value is the JSON bytes";

    QSettings().setValue(kestrix::perFileSettingsKey(file), QByteArray("{\"universeSelection\": tru"));
    EXPECT_EQ(PerFileSettings::load(file), PerFileSettings{});

    PerFileSettings fresh;
    fresh.windowFrame = PersistedFrame{1, 2, 300, 400};
    PerFileSettings::save(file, fresh);
    EXPECT_EQ(PerFileSettings::load(file), fresh) << "the next save replaces the broken record";
}
