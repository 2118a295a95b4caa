#include "ptsl_settings.h"
#include "ptsl_test_hooks.h"

#include <cstdlib>
#include <mutex>
#include <optional>

namespace kestrix::ptsl {

namespace {

constexpr const char *kProToolsAddress = "localhost:31416";
constexpr std::chrono::milliseconds kClientConstructionWait{10'000};
constexpr std::chrono::milliseconds kCommandDeadline{30'000};

std::mutex &overrideMutex()
{
    static std::mutex mutex;
    return mutex;
}

testing::SettingsOverride &currentOverride()
{
    static testing::SettingsOverride settings;
    return settings;
}

testing::SettingsOverride overrideSnapshot()
{
    const std::lock_guard lock(overrideMutex());
    return currentOverride();
}

std::optional<std::string> &configuredAddress()
{
    static std::optional<std::string> address;
    return address;
}

} // namespace

void setServerAddress(std::string address)
{
    const std::lock_guard lock(overrideMutex());
    configuredAddress() = std::move(address);
}

std::string serverAddress()
{
    if (auto address = overrideSnapshot().address)
        return *address;
    {
        const std::lock_guard lock(overrideMutex());
        if (configuredAddress())
            return *configuredAddress();
    }
    static const char *const fromEnvironment = std::getenv("KESTRIX_PTSL_TEST_ADDRESS");
    return fromEnvironment && *fromEnvironment ? fromEnvironment : kProToolsAddress;
}

std::chrono::milliseconds clientConstructionWait()
{
    return overrideSnapshot().clientConstructionWait.value_or(kClientConstructionWait);
}

std::chrono::milliseconds commandDeadline()
{
    return overrideSnapshot().commandDeadline.value_or(kCommandDeadline);
}

namespace testing {

void overrideSettings(SettingsOverride settings)
{
    const std::lock_guard lock(overrideMutex());
    currentOverride() = std::move(settings);
}

} // namespace testing

} // namespace kestrix::ptsl
