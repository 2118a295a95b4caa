// The JSON text helpers and path canonicalisation.
#include "canonical_path.h"
#include "ptsl_json.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using kestrix::jsonAllStringValues;
using kestrix::jsonEscape;
using kestrix::jsonIntAfterKey;
using kestrix::jsonStringValue;

TEST(PtslJson, EscapeWritesControlBytesAndQuotesAndKeepsHighBytes)
{
    EXPECT_EQ(jsonEscape("a\tb\nc\rd\\e\"f"), "a\\tb\\nc\\rd\\\\e\\\"f");
    EXPECT_EQ(jsonEscape(std::string("\x01\x1f\x7f", 3)), "\\u0001\\u001f\x7f");
    EXPECT_EQ(jsonEscape(std::string("\0", 1)), "\\u0000");
    EXPECT_EQ(jsonEscape("Caf\xc3\xa9 \xff"), "Caf\xc3\xa9 \xff");
}

TEST(PtslJson, StringValuesNeedTheCompactPattern)
{
    const std::string json = R"({"track_name":"Kick","name":"Snare","name":"Tom"})";
    EXPECT_EQ(jsonStringValue(json, "name"), "Snare") << "the first exact key, not one that ends in it";
    EXPECT_EQ(jsonStringValue(json, "track_name"), "Kick");
    EXPECT_EQ(jsonStringValue(R"({"name": "Kick"})", "name"), "") << "a blank after the colon is not found";
    EXPECT_EQ(jsonStringValue(R"({"name" :"Kick"})", "name"), "");
    EXPECT_EQ(jsonStringValue(R"({"count":3})", "count"), "") << "only string values";
    EXPECT_EQ(jsonStringValue(R"({"name":"Kick)", "name"), "") << "unterminated";
    EXPECT_EQ(jsonStringValue(R"({"name":""})", "name"), "");
    EXPECT_EQ(jsonStringValue(R"({"name":"say \"hi\""})", "name"), "say \\") << "escaped quotes end the value";

    // Every value of the key, in order, up to one left open.
    EXPECT_EQ(jsonAllStringValues(R"({"list":[{"name":"A"},{"name":""},{"x":{"name":"C"}}]})", "name"),
              (std::vector<std::string>{"A", "", "C"}));
    EXPECT_EQ(jsonAllStringValues(R"({"name":"A","name": "B","name":"C)", "name"), (std::vector<std::string>{"A"}));
    EXPECT_TRUE(jsonAllStringValues("{}", "name").empty());
}

TEST(PtslJson, IntAfterKeyReadsTheNumberAfterTheNextColon)
{
    const std::string version = R"({"version_minor":10,"version":2025,"version_revision":0})";
    EXPECT_EQ(jsonIntAfterKey(version, "\"version\""), 2025);
    EXPECT_EQ(jsonIntAfterKey(version, "\"version_minor\""), 10);
    EXPECT_EQ(jsonIntAfterKey(R"({"version": 	2026})", "\"version\""), 2026) << "blanks after the colon";
    EXPECT_EQ(jsonIntAfterKey(R"({"n":-7})", "\"n\""), -7);
    EXPECT_EQ(jsonIntAfterKey(R"({"version":2025})", "\"version_minor\""), 0) << "missing key";
    EXPECT_EQ(jsonIntAfterKey(R"({"version")", "\"version\""), 0) << "missing colon";
    EXPECT_EQ(jsonIntAfterKey(R"({"version":"x"})", "\"version\""), 0);
    EXPECT_EQ(jsonIntAfterKey(R"({"version":99999999999})", "\"version\""), 0) << "too large is not a version";
}

TEST(PtslPaths, CanonicalPathResolvesLinksAndKeepsWhatItCannotResolve)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("kestrix-ptsl-paths-" + std::to_string(getpid()));
    fs::create_directories(folder / "real");
    const fs::path file = folder / "real" / "Kick.wav";
    { std::ofstream(file) << "x"; }
    fs::create_directory_symlink(folder / "real", folder / "link");
    const std::string canonical = fs::canonical(file).string();

    EXPECT_EQ(kestrix::canonicalPath((folder / "link" / "Kick.wav").string()), canonical);
    EXPECT_EQ(kestrix::canonicalPath((folder / "real" / ".." / "real" / "Kick.wav").string()), canonical);
    EXPECT_EQ(kestrix::canonicalPath((folder / "link" / "Gone.wav").string()), (folder / "link" / "Gone.wav").string());
    EXPECT_EQ(kestrix::canonicalPath(""), "");
    fs::remove_all(folder);
}
