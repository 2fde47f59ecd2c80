// The batch tool: its reports and its exit status.
#include "cli/CurveReport.h"
#include "engine/NumberText.h"
#include "project/ProjectFile.h"
#include "tests/support/Shell.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

namespace flexara {
namespace {

TEST(CurveReport, RealsReadBackToTheSameDouble)
{
    for (double v : {0.1, 90.29819633859462, -2.293755463345093e-13, 1e300, -0.0}) {
        SCOPED_TRACE(v);
        EXPECT_EQ(std::stod(ShortestReal(v)), v);
    }
}

using CliRun = testing::ShellRun;

CliRun RunCli(const std::string& arguments)
{
    return testing::RunShell(std::string(FLEXARA_CLI) + " " + arguments + " 2>" + testing::NullDevice);
}

std::string Example(const char* name)
{
    return std::string(FLEXARA_SOURCE_DIR) + "/examples/" + name;
}

TEST(FlexaraCli, CurveOfTheExampleColumn)
{
    const CliRun json = RunCli("curve " + Example("pilar-20x40.fxr") + " --nd 0");
    ASSERT_EQ(json.status, 0);
    EXPECT_NE(json.out.find("\"status\": \"ok\""), std::string::npos);
    EXPECT_NE(json.out.find("\"N1\": 546.36"), std::string::npos);
    EXPECT_NE(json.out.find("\"ratio\": \"1,57 %\""), std::string::npos);
    EXPECT_NE(json.out.find("\"design_point\": [60, 20]"), std::string::npos);
    EXPECT_NE(json.out.find("\"inside\": true"), std::string::npos);

    const CliRun csv = RunCli("curve " + Example("pilar-20x40.fxr") + " --format csv");
    ASSERT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out.rfind("Mx;My\n", 0), 0u);
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 103); // header and 102 points

    const CliRun svg = RunCli("curve " + Example("pilar-20x40.fxr") + " --format svg");
    ASSERT_EQ(svg.status, 0);
    EXPECT_NE(svg.out.find("<polyline"), std::string::npos);
    EXPECT_NE(svg.out.find("Mxd (kN.m)"), std::string::npos);
}

TEST(FlexaraCli, ResultsAndFailuresHaveTheirExitStatus)
{
    const testing::CommandCase cases[] = {
        {"out of range is a result", "curve " + Example("pilar-20x40.fxr") + " --nd 600", 0,
         "\"status\": \"out-of-range\""},
        {"missing file", "curve /nonexistent/case.fxr", 1, ""},
        {"unknown format", "curve " + Example("pilar-20x40.fxr") + " --format xml", 1, ""},
        {"help", "--help", 0, "Usage:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.out.find(c.fragment), std::string::npos);
    }
}

} // namespace
} // namespace flexara

namespace flexara {
namespace {

TEST(FlexaraCli, AFaultKeepsTheReferencesAndThePointsBeforeIt)
{
    // CA-50 B with a steel factor of 2: the curved branch of the law fails
    // after the first angle.
    const std::string path = ::testing::TempDir() + "flexara-faulty.fxr";
    {
        std::string text = LoadProjectBytes(std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-20x40.fxr");
        text.replace(text.find(" 1.15000000000000E+0000"), 23, " 2.00000000000000E+0000");
        text.replace(text.find("\r\n1\r\n2\r\n"), 8, "\r\n2\r\n2\r\n"); // the steel index, then the line count
        SaveFileBytes(path, text);
    }
    const CliRun run = RunCli("curve " + path);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("\"status\": \"error\""), std::string::npos);
    EXPECT_NE(run.out.find("\"error\": \"Invalid floating point operation.\""), std::string::npos);
    EXPECT_NE(run.out.find("\"N1\": "), std::string::npos);
}

} // namespace
} // namespace flexara
