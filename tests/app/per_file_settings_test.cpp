#include "app_test_support.h"

#include "per_file_settings.h"
#include "per_file_settings_store.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSettings>

#include <string>

using kestrix::PerFileSettings;
using kestrix::PersistedFrame;

namespace {

// Every member away from its default.
PerFileSettings everythingChanged()
{
    return {.universeSelection = {{"Kick", "Vox \"Lead\""}, kestrix::SampleRange{48000, 96000.5}},
            .universeViewport = {2.25, 1.5, 12345, 3},
            .overviewUniverseExtraHeight = 42.5,
            .windowFrame = PersistedFrame{10, 20, 800, 500},
            .sessionInfoExpanded = false,
            .overviewExpanded = false,
            .audioFilesExpanded = true,
            .pluginsExpanded = true,
            .activePluginsExpanded = false,
            .inactivePluginsExpanded = false,
            .tracksExpanded = true,
            .clipsExpanded = true,
            .locationsExpanded = true};
}

QJsonObject encodedObject(const PerFileSettings &settings)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(kestrix::encodePerFileSettings(settings))).object();
}

// The record of everythingChanged() with one member replaced (removed when
// `value` is undefined), decoded.
std::optional<PerFileSettings> decodedWith(const QString &key, const QJsonValue &value)
{
    QJsonObject object = encodedObject(everythingChanged());
    object.insert(key, value);
    return kestrix::decodePerFileSettings(QJsonDocument(object).toJson().toStdString());
}

} // namespace

using PerFileSettingsTest = AppTest;

TEST(StoredSettingsFormat, AValueWrittenByEarlierVersionsLoadsAndIsWrittenTheSameWay)
{
    // Whole numbers without a fraction, and a track name whose byte 0xE9 is
    // not UTF-8 written as \u00e9 beside a valid "é".
    const char *stored =
        "{\"universeSelection\":{\"trackNames\":[\"Caf\\u00e9\",\"Caf\xc3\xa9\",\"Vox \\\"Lead\\\"\"],"
        "\"timeRange\":[48000,96000.5]},\"universeViewport\":{\"horizontalZoom\":2.25,\"verticalZoom\":1.5,"
        "\"horizontalSampleOffset\":12345,\"verticalRowOffset\":3},\"overviewUniverseExtraHeight\":42.5,"
        "\"windowFrame\":{\"x\":10,\"y\":20,\"width\":800,\"height\":500},\"sessionInfoExpanded\":false,"
        "\"overviewExpanded\":false,\"audioFilesExpanded\":true,\"pluginsExpanded\":true,"
        "\"activePluginsExpanded\":false,\"inactivePluginsExpanded\":false,\"tracksExpanded\":true,"
        "\"clipsExpanded\":true,\"locationsExpanded\":true}";
    PerFileSettings expected = everythingChanged();
    expected.universeSelection.trackNames = {"Caf\xe9", "Caf\xc3\xa9", "Vox \"Lead\""};

    const std::optional<PerFileSettings> loaded = kestrix::decodePerFileSettings(stored);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, expected);
    // Written back under the same names, nesting and types, and read again whole.
    EXPECT_EQ(encodedObject(expected), QJsonDocument::fromJson(stored).object());
    EXPECT_EQ(kestrix::decodePerFileSettings(kestrix::encodePerFileSettings(expected)), expected);
    EXPECT_FALSE(encodedObject(PerFileSettings{}).contains("windowFrame")) << "no frame, no key";
}

TEST_F(PerFileSettingsTest, KeyIsThePrefixAndTheBase64OfTheUtf8Path)
{
    EXPECT_EQ(kestrix::perFileSettingsKey(QStringLiteral("/Sessions/Café Ü/Mix.ptx")),
              QStringLiteral("kestrix.perFile.L1Nlc3Npb25zL0NhZsOpIMOcL01peC5wdHg="));
    EXPECT_EQ(kestrix::perFileSettingsKey(QStringLiteral("/Sessions/x/./../ab.ptx")),
              QStringLiteral("kestrix.perFile.L1Nlc3Npb25zL2FiLnB0eA=="))
        << "the path is standardised first";
}

TEST_F(PerFileSettingsTest, OnlyTheFrameMayBeMissingAndValuesTheWindowCannotProduceAreRefusedOrBroughtWithinRange)
{
    const auto viewport = [](double hZoom, double vZoom, double hOffset, double vOffset) {
        return QJsonObject{{"horizontalZoom", hZoom}, {"verticalZoom", vZoom},
                           {"horizontalSampleOffset", hOffset}, {"verticalRowOffset", vOffset}};
    };
    // everythingChanged() with one member changed: the rest still decodes.
    const auto changed = [](const std::function<void(PerFileSettings &)> &change) {
        PerFileSettings settings = everythingChanged();
        change(settings);
        return std::optional(settings);
    };
    const auto noFrame = changed([](PerFileSettings &settings) { settings.windowFrame.reset(); });
    const std::tuple<QString, QJsonValue, std::optional<PerFileSettings>> cases[] = {
        {"windowFrame", QJsonValue::Undefined, noFrame},
        {"clipsExpanded", 1, std::nullopt},
        {"windowFrame", QJsonObject{{"x", 1}, {"y", 2}}, std::nullopt},
        // A zoom of 0 or 1e-20 once made the ruler label the timeline without end.
        {"universeViewport", viewport(0, 1e-20, -5, -1), changed([](auto &s) { s.universeViewport = {1, 1, 0, 0}; })},
        // Offsets past the session end are pulled back once the session is known.
        {"universeViewport", viewport(1e300, 65, 1e12, 7),
         changed([](auto &s) { s.universeViewport = {64, 64, 1e12, 7}; })},
        {"overviewUniverseExtraHeight", 1e9, changed([](auto &s) { s.overviewUniverseExtraHeight = 600; })},
        // A frame no screen could hold, or an empty one, is forgotten.
        {"windowFrame", QJsonObject{{"x", 1e15}, {"y", 0}, {"width", 800}, {"height", 600}}, noFrame},
        {"windowFrame", QJsonObject{{"x", 0}, {"y", 0}, {"width", 0}, {"height", -3}}, noFrame},
    };
    for (const auto &[key, value, expected] : cases)
        EXPECT_EQ(decodedWith(key, value), expected) << key.toStdString() << " = "
                                                     << value.toVariant().toString().toStdString();
    for (const QString &key : encodedObject(everythingChanged()).keys()) {
        if (key != "windowFrame")
            EXPECT_FALSE(decodedWith(key, QJsonValue::Undefined)) << key.toStdString() << " missing";
    }

    // Numbers JSON cannot hold as doubles make the record unusable as a whole.
    QByteArray infinite = QByteArray::fromStdString(kestrix::encodePerFileSettings(PerFileSettings{}));
    infinite.replace("\"horizontalZoom\":1", "\"horizontalZoom\":1e999");
    ASSERT_TRUE(infinite.contains("1e999")) << infinite.toStdString();
    EXPECT_FALSE(kestrix::decodePerFileSettings(infinite.toStdString()));
    QByteArray infiniteRange = QByteArray::fromStdString(kestrix::encodePerFileSettings(everythingChanged()));
    infiniteRange.replace("96000.5", "1e999");
    EXPECT_FALSE(kestrix::decodePerFileSettings(infiniteRange.toStdString()));
}

TEST_F(PerFileSettingsTest, StoredRecordsLoadAndUndecodableOnesGiveDefaults)
{
    kestrix::PerFileSettingsStore store;
    const QString file = makeFile("Mix.ptx");
    EXPECT_EQ(store.load(file), PerFileSettings{}) << "nothing stored";

    store.save(file, everythingChanged());
    EXPECT_EQ(store.load(file), everythingChanged()) << "a pending record is what loads";
    store.flush();
    EXPECT_EQ(kestrix::PerFileSettingsStore().load(file), everythingChanged());
    const QByteArray stored = QSettings().value(kestrix::perFileSettingsKey(file)).toByteArray();
    EXPECT_TRUE(QJsonDocument::fromJson(stored).isObject()) << "the value is the JSON bytes";

    QSettings().setValue(kestrix::perFileSettingsKey(file), QByteArray("{\"universeSelection\": tru"));
    EXPECT_EQ(store.load(file), PerFileSettings{});

    PerFileSettings fresh;
    fresh.windowFrame = PersistedFrame{1, 2, 300, 400};
    store.save(file, fresh);
    store.flush();
    EXPECT_EQ(store.load(file), fresh) << "the next save replaces the broken record";
}

namespace {

// The preferences as they are on disk, not as this process holds them.
QByteArray preferencesOnDisk()
{
    QFile file(QSettings().fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(PerFileSettingsTest, SavesAreWrittenTogetherAfterAMomentNotOneByOne)
{
    kestrix::PerFileSettingsStore store;
    const QString file = makeFile("Mix.ptx");
    PerFileSettings settings;
    for (int step = 1; step <= 50; ++step) {
        settings.universeViewport.horizontalSampleOffset = step;
        store.save(file, settings);
    }
    EXPECT_FALSE(preferencesOnDisk().contains("horizontalSampleOffset")) << "fifty saves, no write yet";
    EXPECT_TRUE(store.hasPendingChanges());
    ASSERT_TRUE(waitUntil([&] { return !store.hasPendingChanges(); }, 3000)) << "written once quiet";
    EXPECT_TRUE(preferencesOnDisk().contains("horizontalSampleOffset"));
    EXPECT_EQ(kestrix::PerFileSettingsStore().load(file).universeViewport.horizontalSampleOffset, 50);
}

TEST_F(PerFileSettingsTest, OnlyTheMostRecentlyUsedRecordsAreKept)
{
    constexpr int kExtra = 7;
    const qsizetype limit = kestrix::PerFileSettingsStore::kMaximumRecords;
    // Records written before the order was kept count as the oldest.
    QSettings().setValue(kestrix::perFileSettingsKey("/old/Legacy.ptx"),
                         QByteArray::fromStdString(kestrix::encodePerFileSettings(everythingChanged())));
    kestrix::PerFileSettingsStore store;
    const auto name = [](qsizetype n) { return QStringLiteral("/sessions/Mix %1.ptx").arg(n); };
    for (qsizetype n = 0; n < limit + kExtra; ++n) {
        store.save(name(n), everythingChanged());
        if (n % 100 == 0)
            store.flush();
    }
    store.save(name(0), everythingChanged()); // used again: among the most recent now
    store.flush();

    QStringList records = QSettings().allKeys().filter(QRegularExpression("^kestrix\\.perFile\\."));
    EXPECT_EQ(records.size(), limit);
    EXPECT_EQ(store.load("/old/Legacy.ptx"), PerFileSettings{}) << "the oldest went first";
    EXPECT_EQ(store.load(name(0)), everythingChanged());
    EXPECT_EQ(store.load(name(1)), PerFileSettings{});
    EXPECT_EQ(store.load(name(limit + kExtra - 1)), everythingChanged());
}
