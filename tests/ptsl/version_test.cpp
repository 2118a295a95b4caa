// The Pro Tools version check against the versions ptsl-sim reports.
#include "common/ptsl_text.h"
#include "ptsl.h"
#include "sim_fixture.h"

TEST_F(PtslSimTest, ImportNeedsProTools2025Point6OrLater)
{
    const struct {
        std::vector<std::string> simOptions;
        int32_t supported;
        std::optional<std::string> text;
    } cases[] = {
        {{"--version", "2025.5"}, 0, "2025.5"},
        {{"--version", "2025.6"}, 1, "2025.6"},
        {{"--version", "2025.10"}, 1, "2025.10"},
        {{"--version", "2026.0"}, 1, "2026.0"},
        {{"--version", "2024.12"}, 0, "2024.12"},
        // Without a minor the version counts as minor zero.
        {{"--answer", "55={\"version\":2026}"}, 1, "2026.0"},
        {{"--answer", "55={\"version\":2025,\"version_revision\":7}"}, 0, "2025.0"},
        {{"--fail", "55={\"command_error_type\":\"PT_Unknown\"}"}, 0, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.simOptions.back());
        startSim(c.simOptions);
        char *text = nullptr;
        EXPECT_EQ(ptsl_check_import_supported(&text), c.supported);
        EXPECT_EQ(takeText(text), c.text);
        EXPECT_EQ(ptsl_check_import_supported(nullptr), c.supported) << "the version out-parameter is optional";
        EXPECT_EQ(takeText(ptsl_get_version_string()), c.text);
        EXPECT_TRUE(!c.text || log_.contains("[PTSL] Pro Tools version: " + *c.text));
    }
}
