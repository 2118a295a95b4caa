#include "json_text.h"

#include <gtest/gtest.h>

using kestrix::json::number;
using kestrix::json::quote;
using kestrix::json::Writer;

TEST(JsonText, QuotesEscapesControlAndInvalidBytes)
{
    EXPECT_EQ(quote("Kick \"In\"\\"), "\"Kick \\\"In\\\"\\\\\"");
    EXPECT_EQ(quote(std::string("a\x01\tb\n", 5)), "\"a\\u0001\\tb\\n\"");
    // Valid UTF-8 passes through; stray, overlong and truncated bytes are escaped one by one.
    EXPECT_EQ(quote("Caf\xc3\xa9"), "\"Caf\xc3\xa9\"");
    EXPECT_EQ(quote("\xe2\x99\xaa"), "\"\xe2\x99\xaa\"");
    EXPECT_EQ(quote("A\xe9Z"), "\"A\\u00e9Z\"");
    EXPECT_EQ(quote("\xc0\xaf"), "\"\\u00c0\\u00af\"");
    EXPECT_EQ(quote("\xe2\x99"), "\"\\u00e2\\u0099\"");
    EXPECT_EQ(quote("\xed\xa0\x80"), "\"\\u00ed\\u00a0\\u0080\"");
    EXPECT_EQ(quote(std::string("\0x", 2)), "\"\\u0000x\"");
}

TEST(JsonText, NumbersAreExact)
{
    EXPECT_EQ(number(120.0), "120");
    EXPECT_EQ(number(97.5), "97.5");
    EXPECT_EQ(number(0.1), "0.1");
    EXPECT_EQ(number(1.0 / 0.0), "null");
    Writer w;
    w.beginObject().key("big").value(uint64_t(18446744073709551615ull)).key("neg").value(int32_t(-1));
    w.key("list").beginArray().beginArray().value(uint32_t(4)).value(uint32_t(4)).endArray().endArray();
    w.key("flag").value(true).endObject();
    EXPECT_EQ(w.text(), "{\"big\":18446744073709551615,\"neg\":-1,\"list\":[[4,4]],\"flag\":true}");
}
