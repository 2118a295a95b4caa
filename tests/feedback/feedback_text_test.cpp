// The rules that need no server: email addresses, characters and cutting,
// versions, and which service settings are used.
#include "feedback_service.h"
#include "feedback_test_support.h"
#include "feedback_text.h"
#include "platform_info.h"

using namespace kestrix::feedback;

TEST(FeedbackText, EmailRule)
{
    EXPECT_TRUE(isValidEmail(QStringLiteral("a@b.c")));
    EXPECT_TRUE(isValidEmail(QStringLiteral("  a@b.c ")));
    EXPECT_FALSE(isValidEmail(QStringLiteral("@b.c")));
    EXPECT_FALSE(isValidEmail(QStringLiteral("a@bc")));
    EXPECT_FALSE(isValidEmail(QStringLiteral("a@b.")));
    EXPECT_FALSE(isValidEmail(QStringLiteral("a.b@c")));  // the "." must follow the first "@"
    EXPECT_FALSE(isValidEmail(QString()));
    const QString local(314, u'x');
    EXPECT_TRUE(isValidEmail(local + QStringLiteral("@ab.cd")));  // 320
    EXPECT_FALSE(isValidEmail(local + QStringLiteral("@ab.cde")));  // 321
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
    EXPECT_EQ(threeNumberVersion(QStringLiteral("6.1.0-18-amd64")), QStringLiteral("6.1.0"));
    EXPECT_EQ(threeNumberVersion(QStringLiteral("14.2")), QStringLiteral("14.2.0"));
    EXPECT_EQ(threeNumberVersion(QStringLiteral("007.01.2x")), QStringLiteral("7.1.2"));
    EXPECT_EQ(threeNumberVersion(QStringLiteral("rolling")), QStringLiteral("0.0.0"));

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
