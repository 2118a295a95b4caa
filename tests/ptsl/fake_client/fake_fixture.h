// Tests of the connection logic linked against the fake client. Each
// starts from no connection, a well-behaved fake and default settings.
#ifndef KESTRIX_TESTS_PTSL_FAKE_FIXTURE_H
#define KESTRIX_TESTS_PTSL_FAKE_FIXTURE_H

#include "common/log_capture.h"
#include "connection.h"
#include "fake_client.h"
#include "ptsl_test_hooks.h"

#include <gtest/gtest.h>

class FakeClientTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }

    static void reset()
    {
        fake::setBehaviour({});
        fake::releaseHangingConstructors();
        kestrix::dropConnection();
        kestrix::ptsl::testing::overrideSettings({});
        fake::resetCounters();
    }

    LogCapture log_;
};

#endif
