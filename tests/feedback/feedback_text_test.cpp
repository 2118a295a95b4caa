// The rules that need no server: email addresses, characters and cutting,
// versions, and which service settings are used.
#include "feedback_service.h"
#include "feedback_test_support.h"
#include "feedback_text.h"
#include "platform_info.h"

using namespace kestrix::feedback;

TEST(FeedbackText, EmailRule)
{
    // The "." must follow the first "@"; 320 characters at most.
    const QString local(314, u'x');
    const std::pair<QString, bool> cases[] = {{"a@b.c", true},  {"  a@b.c ", true}, {"@b.c", false},
                                              {"a@bc", false},  {"a@b.", false},     {"a.b@c", false},
                                              {QString(), false}, {local + "@ab.cd", true}, {local + "@ab.cde", false}};
    for (const auto &[address, valid] : cases)
        EXPECT_EQ(isValidEmail(address), valid) << address.size() << " " << address.toStdString();
}

TEST(FeedbackText, CharactersAreWhatReadersSee)
{
    const QString thumbs = QStringLiteral("\U0001F44D\U0001F3FD");  // one emoji with its skin tone: 4 UTF-16 units
    const QString text = QStringLiteral("ab") + thumbs + QStringLiteral("cd");
    EXPECT_EQ(characterCount(text), 5);
    EXPECT_EQ(leftCharacters(text, 3), QStringLiteral("ab") + thumbs);
    EXPECT_EQ(leftCharacters(text, 9), text);
    EXPECT_EQ(trimmedAndCut(QStringLiteral(" \n hello \t\n"), 4), QStringLiteral("hell"));
}

TEST(FeedbackText, PlatformIsNamedAsItIs)
{
    const std::pair<QString, QString> versions[] = {
        {"6.1.0-18-amd64", "6.1.0"}, {"14.2", "14.2.0"}, {"007.01.2x", "7.1.2"}, {"rolling", "0.0.0"}};
    for (const auto &[text, version] : versions)
        EXPECT_EQ(threeNumberVersion(text), version);

    const QString agent = userAgent();
    EXPECT_TRUE(agent.startsWith(QStringLiteral("Kestrix/0.1.0."))) << agent.toStdString();
    EXPECT_FALSE(agent.contains(QStringLiteral("macOS")));
    EXPECT_TRUE(agent.contains(systemName() + u' ' + osVersion()));
    EXPECT_FALSE(systemInfo().contains(QStringLiteral("macOS")));
}

TEST(FeedbackService, UsesOnlySafeSettings)
{
    const FeedbackService good = FeedbackService::fromValues(QStringLiteral("https://feedback.example.com/"), kTestApiKey);
    EXPECT_TRUE(good.isConfigured());
    EXPECT_EQ(good.bugReportUrl().toString(), QStringLiteral("https://feedback.example.com/api/kestrix/bug-report"));
    EXPECT_EQ(good.featureRequestUrl().toString(),
              QStringLiteral("https://feedback.example.com/api/kestrix/feature-request"));

    // The key would cross the network in clear text.
    EXPECT_FALSE(FeedbackService::fromValues(QStringLiteral("http://feedback.example.com"), kTestApiKey).isConfigured());
    EXPECT_TRUE(FeedbackService::fromValues(QStringLiteral("http://127.0.0.1:8080"), kTestApiKey).isConfigured());
    EXPECT_FALSE(FeedbackService::fromValues(QStringLiteral("https://feedback.example.com"), QString()).isConfigured());
    EXPECT_FALSE(FeedbackService::fromValues(QStringLiteral("https://feedback.example.com"), kTestApiKey.toUpper())
                     .isConfigured());
    EXPECT_FALSE(FeedbackService::fromValues(QStringLiteral("https://feedback.example.com"), kTestApiKey.left(63))
                     .isConfigured());

    qputenv("KESTRIX_FEEDBACK_HOST", "https://override.example.org");
    qputenv("KESTRIX_FEEDBACK_API_KEY", kTestApiKey.toLatin1());
    const FeedbackService overridden = FeedbackService::fromBuildAndEnvironment();
    qunsetenv("KESTRIX_FEEDBACK_HOST");
    qunsetenv("KESTRIX_FEEDBACK_API_KEY");
    EXPECT_EQ(overridden.host.host(), QStringLiteral("override.example.org"));
    EXPECT_EQ(overridden.apiKey, kTestApiKey);
}
