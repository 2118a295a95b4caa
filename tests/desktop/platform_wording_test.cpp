// The texts the user reads name this platform's things: no other desktop's
// file manager, preview feature or keys.
#include "string_literals.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using kestrix::test::stringLiterals;

constexpr std::array kOtherPlatformNames{"Finder", "Quick Look", "Space Bar", "Spotlight", "\u2318", "\u2325"};

std::vector<std::string> otherPlatformWords(std::string_view source)
{
    std::vector<std::string> found;
    for (const auto &literal : stringLiterals(source))
        for (const char *name : kOtherPlatformNames)
            if (literal.text.find(name) != std::string::npos)
                found.push_back("line " + std::to_string(literal.line) + ": \"" + literal.text + "\"");
    return found;
}

TEST(PlatformWording, NoSourceTextNamesAnotherPlatformsThingsAndOnlyStringLiteralsAreLookedAt)
{
    const std::string source = "// Reveal in Finder, as on the other desktop\n"
                               "/* \"Quick Look\" */ int n = 1'000; char c = '\"';\n"
                               "auto a = QStringLiteral(\"Show in \\\"File\\\" Manager\");\n"
                               "auto b = tr(\"Reveal in Finder\");\n"
                               "auto c = R\"x(Tap \"Space Bar\")x\";\n";
    const auto literals = stringLiterals(source);
    ASSERT_EQ(literals.size(), 3u);
    EXPECT_EQ(literals[0].text, "Show in \\\"File\\\" Manager");
    EXPECT_EQ(literals[0].line, 3);
    EXPECT_EQ(otherPlatformWords(source),
              (std::vector<std::string>{"line 4: \"Reveal in Finder\"", "line 5: \"Tap \"Space Bar\"\""}));

    // No text in the sources names another platform's things.
    const std::filesystem::path root(KESTRIX_SOURCE_DIR);
    size_t files = 0;
    for (const char *folder : {"src", "tools"}) {
        for (const auto &entry : std::filesystem::recursive_directory_iterator(root / folder)) {
            const auto extension = entry.path().extension();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h"))
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            ++files;
            for (const std::string &found : otherPlatformWords(text.str()))
                ADD_FAILURE() << entry.path().lexically_relative(root).string() << " " << found;
        }
    }
    EXPECT_GT(files, 100u) << "the sources were found";
}

} // namespace
