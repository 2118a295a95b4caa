#include "byte_json.h"
#include "universe_json.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kestrix;

namespace {

std::optional<UniverseSelection> selectionFromText(std::string_view text)
{
    const std::optional<Json> json = parseJson(text);
    return json ? universeSelectionFromJson(*json) : std::nullopt;
}

} // namespace

TEST(UniverseJson, SelectionAndViewportRoundTrip)
{
    UniverseSelection selection;
    selection.trackNames = {"Kick", "Gtr \"Amp\"", "Caf\xe9", "\xc3\x9c" "ber", "\xef\xb7\x90" "\xe9"};
    selection.timeRange = SampleRange{48000, 1e12 + 0.5};
    const std::string text = dumpJson(toJson(selection));
    EXPECT_EQ(text, "{\"trackNames\":[\"Caf\\u00e9\",\"Gtr \\\"Amp\\\"\",\"Kick\",\"\xc3\x9c" "ber\","
                    "\"\xef\xb7\x90\\u00e9\"],\"timeRange\":[48000.0,1000000000000.5]}");
    EXPECT_EQ(selectionFromText(text), selection) << "a byte that is not UTF-8 comes back as itself";

    const UniverseSelection empty;
    EXPECT_EQ(dumpJson(toJson(empty)), "{\"trackNames\":[]}");
    EXPECT_EQ(selectionFromText("{\"trackNames\":[]}"), empty);
    EXPECT_EQ(selectionFromText(" {\"timeRange\" : null, \"trackNames\":[\"A\",\"A\"]} ")->trackNames.size(), 1u);

    const UniverseViewport viewport{4.5, 1, 123456.25, 0.1};
    const std::string viewportText = dumpJson(toJson(viewport));
    EXPECT_EQ(viewportText, "{\"horizontalZoom\":4.5,\"verticalZoom\":1.0,\"horizontalSampleOffset\":123456.25,"
                            "\"verticalRowOffset\":0.1}");
    EXPECT_EQ(universeViewportFromJson(*parseJson(viewportText)), viewport);
    EXPECT_EQ(std::hash<UniverseViewport>{}(viewport), std::hash<UniverseViewport>{}(UniverseViewport{4.5, 1, 123456.25, 0.1}));
}

TEST(UniverseJson, ValuesWrittenByEarlierVersionsLoad)
{
    // Integers without a fraction, escapes of either case and of any
    // character; \u0080 to \u00ff and raw bytes that are not UTF-8 stand for
    // single bytes, raw UTF-8 for itself.
    const std::optional<UniverseSelection> selection = selectionFromText(
        "{\"trackNames\":[\"Caf\\u00E9\",\"\xc3\xa9t\xc3\xa9\",\"\\u00c3\\u00a9\",\"\\u0041\\ud83c\\udfb5\",\"a\\\\u00e9\","
        "\"raw \xe9\"],\"timeRange\":[0,96000]}");
    ASSERT_TRUE(selection);
    EXPECT_EQ(selection->trackNames, (decltype(selection->trackNames){"Caf\xe9", "\xc3\xa9t\xc3\xa9", "\xc3\xa9",
                                                            "A\xf0\x9f\x8e\xb5", "a\\u00e9", "raw \xe9"}));
    EXPECT_EQ(selection->timeRange, (SampleRange{0, 96000}));
    EXPECT_EQ(universeViewportFromJson(*parseJson(
                  "{\"horizontalZoom\":2,\"verticalZoom\":1,\"horizontalSampleOffset\":0,\"verticalRowOffset\":3}")),
              (UniverseViewport{2, 1, 0, 3}));
}

TEST(UniverseJson, MalformedValuesAreRejected)
{
    for (const char *bad : {
             "{}",                                                  // trackNames is required
             "{\"trackNames\":\"Kick\"}",                           // not an array
             "{\"trackNames\":[1]}",                                // not strings
             "{\"trackNames\":[],\"timeRange\":[5]}",               // one bound
             "{\"trackNames\":[],\"timeRange\":[5,4]}",             // reversed
             "{\"trackNames\":[],\"timeRange\":[\"0\",\"1\"]}",     // not numbers
             "[\"trackNames\"]",
             "{\"trackNames\":[\"\\u00e9]}",                        // unterminated
         })
        EXPECT_FALSE(selectionFromText(bad)) << bad;

    EXPECT_FALSE(universeViewportFromJson(*parseJson("{\"horizontalZoom\":1,\"verticalZoom\":1,\"horizontalSampleOffset\":0}")));
    // Infinity cannot be written, so it does not come back as a viewport.
    const UniverseViewport infinite{std::numeric_limits<double>::infinity(), 1, 0, 0};
    EXPECT_FALSE(universeViewportFromJson(*parseJson(dumpJson(toJson(infinite)))));
    EXPECT_FALSE(parseJson(std::string(100000, '['))) << "deep nesting is refused, not a stack overflow";
}

TEST(ByteJson, InvalidBytesAreWrittenAsTheCharacterOfTheSameNumber)
{
    const auto written = [](std::string_view bytes) { return dumpJson(byteString(bytes)); };
    // Valid UTF-8 passes through; stray, overlong, truncated and surrogate bytes are taken one by one.
    EXPECT_EQ(written("Caf\xc3\xa9 \xe2\x99\xaa"), "\"Caf\xc3\xa9 \xe2\x99\xaa\"");
    EXPECT_EQ(written("A\xe9Z"), "\"A\\u00e9Z\"");
    EXPECT_EQ(written("\xc0\xaf"), "\"\\u00c0\\u00af\"");
    EXPECT_EQ(written("\xe2\x99"), "\"\\u00e2\\u0099\"");
    EXPECT_EQ(written("\xed\xa0\x80"), "\"\\u00ed\\u00a0\\u0080\"");
    EXPECT_EQ(written(std::string("x\0\x01\"\\", 5)), "\"x\\u0000\\u0001\\\"\\\\\"");
    // A string that is not valid UTF-8 put in by other means is replaced, not thrown on.
    EXPECT_EQ(dumpJson(Json("x\xff")), "\"x\xef\xbf\xbd\"");
}
