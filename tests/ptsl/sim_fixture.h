// Tests that talk to ptsl-sim through the flat interface. Each starts from
// no connection and default settings, and leaves them so.
#ifndef KESTRIX_TESTS_PTSL_SIM_FIXTURE_H
#define KESTRIX_TESTS_PTSL_SIM_FIXTURE_H

#include "common/log_capture.h"
#include "connection.h"
#include "ptsl_test_hooks.h"
#include "sim_process.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class PtslSimTest : public ::testing::Test {
protected:
    void SetUp() override { kestrix::dropConnection(); }
    void TearDown() override
    {
        // Before the sim stops: cancels calls still waiting for it.
        kestrix::dropConnection();
        kestrix::ptsl::testing::overrideSettings({});
    }

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
};

#endif
