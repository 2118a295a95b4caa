// The Pro Tools version check against the versions ptsl-sim reports.
#include "common/ptsl_text.h"
#include "ptsl.h"
#include "sim_fixture.h"

namespace {

struct VersionCheck {
    int32_t supported = -1;
    std::optional<std::string> text;
};

VersionCheck checkVersion()
{
    char *text = nullptr;
    VersionCheck check;
    check.supported = ptsl_check_import_supported(&text);
    check.text = takeText(text);
    return check;
}

} // namespace

TEST_F(PtslSimTest, ImportNeedsProTools2025Point6OrLater)
{
    const struct {
        const char *reported;
        int32_t supported;
        const char *text;
    } cases[] = {
        {"2025.5", 0, "2025.5"},  {"2025.6", 1, "2025.6"}, {"2025.10", 1, "2025.10"},
        {"2026.0", 1, "2026.0"},  {"2024.12", 0, "2024.12"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.reported);
        startSim({"--version", c.reported});
        const VersionCheck check = checkVersion();
        EXPECT_EQ(check.supported, c.supported);
        EXPECT_EQ(check.text, c.text);
        EXPECT_EQ(takeText(ptsl_get_version_string()), c.text);
        EXPECT_TRUE(log_.contains(std::string("[PTSL] Pro Tools version: ") + c.text));
    }
}

TEST_F(PtslSimTest, AVersionWithoutMinorCountsAsMinorZero)
{
    startSim({"--answer", "55={\"version\":2026}"});
    VersionCheck check = checkVersion();
    EXPECT_EQ(check.supported, 1);
    EXPECT_EQ(check.text, "2026.0");

    startSim({"--answer", "55={\"version\":2025,\"version_revision\":7}"});
    check = checkVersion();
    EXPECT_EQ(check.supported, 0);
    EXPECT_EQ(check.text, "2025.0");
}

TEST_F(PtslSimTest, AFailedVersionCommandGivesNoVersion)
{
    startSim({"--fail", "55={\"command_error_type\":\"PT_Unknown\"}"});
    const VersionCheck check = checkVersion();
    EXPECT_EQ(check.supported, 0);
    EXPECT_EQ(check.text, std::nullopt);
    EXPECT_EQ(takeText(ptsl_get_version_string()), std::nullopt);
    EXPECT_EQ(ptsl_check_import_supported(nullptr), 0) << "the version out-parameter is optional";
}
