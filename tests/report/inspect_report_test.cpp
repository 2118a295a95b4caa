// kestrix-inspect --report: the report without a window or a display.
#include "inspect_runner.h"
#include "poppler.h"
#include "property_blocks.h"
#include "session_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(InspectReport, WritesTheReportOrSaysWhyNot)
{
    const std::string folder = reporttest::tempFolder();
    const std::string session = folder + "/Mix.ptx";
    ptxw::SessionFile file;
    file.block(ptxw::sessionFormatBlock(48000, 3, {2, 0, 24}));
    ASSERT_TRUE(file.write(session));

    const std::string pdf = folder + "/Mix Report.pdf";
    inspecttest::InspectRun run = inspecttest::inspect("--report '" + pdf + "' '" + session + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(reporttest::documentText(pdf).find("Mix\n"), std::string::npos);

    const std::string unwritable = folder + "/no such folder/Mix Report.pdf";
    run = inspecttest::inspect("--report '" + unwritable + "' '" + session + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "kestrix-inspect: Could not export session report: Could not open PDF context at " +
                           unwritable + "\n");
    EXPECT_FALSE(std::filesystem::exists(folder + "/no such folder"));

    const std::string broken = folder + "/Broken.ptx";
    ASSERT_TRUE(ptxw::writeBytes(broken, {'n', 'o', 't', ' ', 'a', ' ', 's', 'e', 's', 's', 'i', 'o', 'n'}));
    const std::string neverWritten = folder + "/Broken Report.pdf";
    run = inspecttest::inspect("--report '" + neverWritten + "' '" + broken + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(broken + ": "), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(neverWritten));

    EXPECT_EQ(inspecttest::inspect("--report").status, 2);
    EXPECT_EQ(inspecttest::inspect("--json --report '" + pdf + "' '" + session + "'").status, 2);
}

} // namespace
