// The batch tool against hostile values and outputs: every run ends, nothing
// infinite is printed, the JSON is JSON, and no file is damaged.
#include "cli/CurveReport.h"
#include "engine/Faults.h"
#include "engine/case/Shapes.h"
#include "engine/section/DefaultCase.h"
#include "engine/section/Ratio.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "report/ChartDrawing.h"
#include "report/OffscreenGui.h"
#include "tests/support/Shell.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <sys/wait.h>

namespace flexara {
namespace {

namespace fs = std::filesystem;

// A file name of this test's own: the tests run side by side.
std::string OwnTempPath(const std::string& what)
{
    static int counter = 0;
    return ::testing::TempDir() + "flexara-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
           std::to_string(++counter) + what;
}

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// The batch tool with a time limit: a run that does not end is a failure,
// not a hung suite.
CliRun Cli(const std::string& arguments, const std::string& redirect = "")
{
    const std::string errPath = OwnTempPath("-stderr.txt");
    const testing::ShellRun run = testing::RunShell("timeout 60 " + std::string(FLEXARA_CLI) + " " + arguments + " 2>" +
                                                    errPath + " " + redirect);
    return CliRun{run.status, run.out, LoadProjectBytes(errPath)};
}

std::string ExampleText()
{
    return LoadProjectBytes(std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-20x40.fxr");
}

// The example column with line `line` (1-based) of its file replaced.
std::string CaseWithLine(int line, const std::string& value)
{
    std::string text = ExampleText();
    std::size_t start = 0;
    for (int i = 1; i < line; ++i)
        start = text.find("\r\n", start) + 2;
    text.replace(start, text.find("\r\n", start) - start, value);
    const std::string path = OwnTempPath(".fxr");
    SaveFileBytes(path, text);
    return path;
}

bool Finite(const std::string& text)
{
    return text.find("inf") == std::string::npos && text.find("nan") == std::string::npos;
}

TEST(HostileValues, HugeMomentsGiveFiniteReportsThatEnd)
{
    for (const char* mxd : {" 1.70000000000000E+0308", " 1.66000000000000E+0308", "-1.79769313486232E+0308"}) {
        SCOPED_TRACE(mxd);
        const std::string path = CaseWithLine(6, mxd);
        for (const char* format : {"json", "csv", "svg", "png"}) {
            SCOPED_TRACE(format);
            const CliRun run = Cli("curve " + path + " --format " + format);
            EXPECT_EQ(run.status, 0) << run.err;
            if (std::string(format) != "png") {
                EXPECT_TRUE(Finite(run.out));
            }
            if (std::string(format) == "json") {
                EXPECT_TRUE(nlohmann::json::accept(run.out));
                EXPECT_NE(run.out.find("\"inside\": false"), std::string::npos);
                EXPECT_EQ(run.out.find("\"utilisation\": null"), std::string::npos);
            }
            if (std::string(format) == "svg") {
                EXPECT_NE(run.out.find("</svg>"), std::string::npos);
                EXPECT_LT(run.out.size(), 200000u);
            }
            if (std::string(format) == "png") {
                EXPECT_EQ(run.out.rfind("\x89PNG", 0), 0u);
            }
        }
    }
}

TEST(HostileValues, ADiameterBeyondTheDoubleRangeIsAnOverflow)
{
    const CliRun run = Cli("curve " + CaseWithLine(13, " 1.00000000000000E+0308"));
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("Floating point overflow."), std::string::npos);
}

TEST(HostileValues, NoSteelClassIsAnErrorResult)
{
    const CliRun run = Cli("curve " + CaseWithLine(10, "4"));
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(nlohmann::json::accept(run.out));
    EXPECT_NE(run.out.find("\"status\": \"error\""), std::string::npos);
    EXPECT_NE(run.out.find("Nenhum aço selecionado"), std::string::npos);
    EXPECT_NE(run.out.find("\"points\": []"), std::string::npos);
}

TEST(HostileValues, AReportNeverReplacesItsOwnCase)
{
    const std::string path = CaseWithLine(5, "-5.00000000000000E+0002");
    const std::string link = path + ".link";
    fs::remove(link);
    fs::create_symlink(path, link);
    for (const std::string& output : {path, link}) {
        SCOPED_TRACE(output);
        const CliRun run = Cli("curve " + path + " -o " + output);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("is the project file itself"), std::string::npos);
        EXPECT_EQ(LoadProjectBytes(path), ExampleText());
    }
    // A rewrite writes a project file: over its own case it may.
    EXPECT_EQ(Cli("rewrite " + path + " -o " + path).status, 0);
    EXPECT_EQ(LoadProjectBytes(path), ExampleText());
    fs::remove(link);
}

TEST(HostileValues, AFailedStandardOutputIsAFailure)
{
    const std::string path = CaseWithLine(5, "-5.00000000000000E+0002");
    for (const char* arguments : {"curve ", "curve --format svg "}) {
        SCOPED_TRACE(arguments);
        const CliRun run = Cli(arguments + path, "> /dev/full");
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("standard output: Disk full."), std::string::npos);
    }
    EXPECT_EQ(Cli("--help", "> /dev/full").status, 1);
}

TEST(HostileValues, OutputsThatAreNoFileAreRefused)
{
    const std::string path = CaseWithLine(5, "-5.00000000000000E+0002");
    const CliRun device = Cli("curve " + path + " -o /dev/null");
    EXPECT_EQ(device.status, 1);
    EXPECT_NE(device.err.find(NotARegularFileMessage), std::string::npos);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(Cli("curve " + path + " -o " + ::testing::TempDir()).status, 1);
}

// Every field of a case at an extreme: 0, tiny values, and ±1e300 up to the
// largest double. Every generation ends, its points are finite, and the three
// reports hold no infinity; the JSON one is JSON.
TEST(HostileValues, RandomExtremeCasesGiveFiniteValidReports)
{
    EnsureGuiApplication();
    std::mt19937_64 random(9);
    const double max = std::numeric_limits<double>::max();
    const double extremes[] = {0.0, 1e-300, -1e-300, 4.9e-324, 1e300, -1e300, 1.7e308, -1.7e308, max, -max};
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    // Mostly sane values, so that many generations get to run.
    auto value = [&](double sane) { return unit(random) < 0.88 ? sane : extremes[random() % std::size(extremes)]; };
    int reports = 0;
    int withCurve = 0;
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        auto s = std::make_unique<AnalysisState>();
        InstallDefaultCase(*s);
        s->GammaC = value(1.4);
        s->GammaS = value(1.15);
        s->CurvePointCount = static_cast<std::int32_t>(random() % 41);
        s->Nd = value(-500);
        s->Mxd = value(60);
        s->Myd = value(20);
        s->Fcd = value(2.14);
        s->ShapeDims[0] = std::fabs(value(20));
        s->ShapeDims[1] = std::fabs(value(40));
        BuildSectionPolygon(*s);
        s->LineCount = 2;
        for (int k = 0; k < 2; ++k) {
            BarLine& line = s->BarLines[static_cast<std::size_t>(k)];
            line.BarCount = 2;
            line.Diameter = value(20);
            line.X1 = value(4);
            line.X2 = value(16);
            line.Y1 = line.Y2 = value(k == 0 ? 4 : 36);
        }
        MaterialSelection selection{static_cast<std::int32_t>(random() % 14) - 1,
                                    static_cast<std::int32_t>(random() % 5) - 1};
        try {
            UpdateReinforcementRatio(*s);
        } catch (const EngineError&) {
            continue; // the window would have shown the overflow of the ratio
        }
        const CaseCurve report = GenerateCaseCurve(*s, selection);
        for (const Point& p : report.points) {
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        }
        const std::string json = ReportJson(report);
        ASSERT_TRUE(nlohmann::json::accept(json)) << json;
        ASSERT_TRUE(Finite(json));
        ASSERT_TRUE(Finite(ReportCsv(report)));
        const std::string svg = ChartSvg(report).toStdString();
        ASSERT_TRUE(Finite(svg));
        ASSERT_NE(svg.find("</svg>"), std::string::npos);
        ++reports;
        withCurve += report.points.empty() ? 0 : 1;
    }
    EXPECT_GT(reports, 150);
    EXPECT_GT(withCurve, 10);
}

} // namespace
} // namespace flexara
