#include "heap_string.h"
#include "no_throw.h"
#include "ptsl.h"
#include "ptsl_command.h"
#include "ptsl_json.h"
#include "ptsl_log.h"

#include <optional>
#include <string>

namespace kestrix {

namespace {

constexpr int32_t kGetPTSLVersion = 55;
constexpr const char *kVersionRequestBody = "{\"ptsl_component\": \"VPTSLComponents_Host\"}";

struct ProToolsVersion {
    int32_t major = 0;
    int32_t minor = 0;  // 0 when the answer leaves it out

    std::string text() const { return std::to_string(major) + "." + std::to_string(minor); }
    // Import needs 2025.6 or later.
    bool supportsImport() const { return major >= 2026 || (major == 2025 && minor > 5); }
};

std::optional<ProToolsVersion> queryVersion()
{
    if (ptsl_connect() != 0)
        return std::nullopt;
    const CommandResult result = ptsl_run_command(kGetPTSLVersion, kVersionRequestBody);
    if (!result.ok)
        return std::nullopt;
    return ProToolsVersion{jsonIntAfterKey(result.body, "\"version\""),
                           jsonIntAfterKey(result.body, "\"version_minor\"")};
}

} // namespace

} // namespace kestrix

int32_t ptsl_check_import_supported(char **versionOut)
{
    using namespace kestrix;
    if (versionOut)
        *versionOut = nullptr;
    return noThrow(0, [&] {
        const std::optional<ProToolsVersion> version = queryVersion();
        if (!version)
            return 0;
        ptslLog("Pro Tools version: %d.%d", static_cast<int>(version->major), static_cast<int>(version->minor));
        if (versionOut)
            *versionOut = heapCopy(version->text());
        return version->supportsImport() ? 1 : 0;
    });
}

char *ptsl_get_version_string(void)
{
    using namespace kestrix;
    return noThrow<char *>(nullptr, [] {
        const std::optional<ProToolsVersion> version = queryVersion();
        return version ? heapCopy(version->text()) : nullptr;
    });
}
