// Tests that talk to ptsl-sim through the flat interface. Each starts from
// no connection, default settings and an empty folder, and leaves them so.
#ifndef KESTRIX_TESTS_PTSL_SIM_FIXTURE_H
#define KESTRIX_TESTS_PTSL_SIM_FIXTURE_H

#include "common/log_capture.h"
#include "connection.h"
#include "ptsl_test_hooks.h"
#include "sim_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

class PtslSimTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kestrix::dropConnection();
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override
    {
        // Before the sim stops: cancels calls still waiting for it.
        kestrix::dropConnection();
        kestrix::ptsl::testing::overrideSettings({});
        std::filesystem::remove_all(folder_);
    }

    // A file of the test's own folder, emptied after each test.
    std::string path(const std::string &name) const { return (folder_ / name).string(); }

    // Starts a fresh sim with the options and points the connection logic
    // at it, with no client yet.
    SimProcess &startSim(const std::vector<std::string> &options = {},
                         kestrix::ptsl::testing::SettingsOverride settings = {})
    {
        kestrix::dropConnection();
        sim_.reset();
        sim_ = std::make_unique<SimProcess>(options);
        settings.address = sim_->address();
        kestrix::ptsl::testing::overrideSettings(settings);
        return *sim_;
    }

    LogCapture log_;
    std::unique_ptr<SimProcess> sim_;
    const std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() / ("kestrix-ptsl-test-" + std::to_string(getpid()));
};

#endif
