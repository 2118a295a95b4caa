#include "json_value.h"
#include "universe_json.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kestrix;

namespace {

std::optional<UniverseSelection> selectionFromText(std::string_view text)
{
    const std::optional<JsonValue> json = parseJson(text);
    return json ? universeSelectionFromJson(*json) : std::nullopt;
}

} // namespace

TEST(UniverseJson, SelectionAndViewportRoundTrip)
{
    UniverseSelection selection;
    selection.trackNames = {"Kick", "Gtr \"Amp\"", "Caf\xe9", "\xc3\x9c" "ber"};
    selection.timeRange = SampleRange{48000, 1e12 + 0.5};
    const std::string text = toJsonText(toJson(selection));
    EXPECT_EQ(text, "{\"trackNames\":[\"Caf\\u00e9\",\"Gtr \\\"Amp\\\"\",\"Kick\",\"\xc3\x9c" "ber\"],"
                    "\"timeRange\":[48000,1000000000000.5]}");
    EXPECT_EQ(selectionFromText(text), selection) << "a byte that is not UTF-8 comes back as itself";

    const UniverseSelection empty;
    EXPECT_EQ(toJsonText(toJson(empty)), "{\"trackNames\":[]}");
    EXPECT_EQ(selectionFromText("{\"trackNames\":[]}"), empty);
    EXPECT_EQ(selectionFromText(" {\"timeRange\" : null, \"trackNames\":[\"A\",\"A\"]} ")->trackNames.size(), 1u);

    const UniverseViewport viewport{4.5, 1, 123456.25, 0.1};
    const std::string viewportText = toJsonText(toJson(viewport));
    EXPECT_EQ(viewportText,
              "{\"horizontalZoom\":4.5,\"verticalZoom\":1,\"horizontalSampleOffset\":123456.25,\"verticalRowOffset\":0.1}");
    EXPECT_EQ(universeViewportFromJson(*parseJson(viewportText)), viewport);
    EXPECT_EQ(std::hash<UniverseViewport>{}(viewport), std::hash<UniverseViewport>{}(UniverseViewport{4.5, 1, 123456.25, 0.1}));
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
         })
        EXPECT_FALSE(selectionFromText(bad)) << bad;

    EXPECT_FALSE(universeViewportFromJson(*parseJson("{\"horizontalZoom\":1,\"verticalZoom\":1,\"horizontalSampleOffset\":0}")));
    // Infinity cannot be written, so it does not come back as a viewport.
    const UniverseViewport infinite{std::numeric_limits<double>::infinity(), 1, 0, 0};
    EXPECT_FALSE(universeViewportFromJson(*parseJson(toJsonText(toJson(infinite)))));
}

TEST(JsonText, ParserAcceptsJsonAndNothingElse)
{
    const std::optional<JsonValue> doc =
        parseJson(" {\"a\" : [1, -2.5e3, true, false, null, \"x\\ty\\u0041\\u00e9\\ud83c\\udfb5\\/\"], \"b\":{}} ");
    ASSERT_TRUE(doc);
    const JsonValue::Array &a = *doc->find("a")->asArray();
    EXPECT_EQ(*a[1].asNumber(), -2500);
    EXPECT_TRUE(a[4].isNull());
    EXPECT_EQ(*a[5].asString(), "x\tyA\xe9\xf0\x9f\x8e\xb5/");
    EXPECT_TRUE(doc->find("b")->asObject()->empty());
    EXPECT_EQ(doc->find("c"), nullptr);

    for (const char *bad : {"", "{", "[1,]", "{\"a\" 1}", "01", "1.", "-", "+1", "1e", "tru", "\"abc", "\"\x01\"",
                            "\"\\x\"", "\"\\ud83c\"", "\"\\udfb5\"", "\"\\u12\"", "[1] 2", "1e400", "nul"})
        EXPECT_FALSE(parseJson(bad)) << bad;

    EXPECT_TRUE(parseJson(std::string(256, '[') + std::string(256, ']')));
    EXPECT_FALSE(parseJson(std::string(100000, '['))) << "deep nesting is refused, not a stack overflow";

    EXPECT_EQ(quoteJson(std::string("\x01\x7f\n\"\\", 5)), "\"\\u0001\\u007f\\n\\\"\\\\\"");
    EXPECT_EQ(jsonNumberText(0.1), "0.1");
    EXPECT_EQ(jsonNumberText(std::numeric_limits<double>::quiet_NaN()), "null");
}
