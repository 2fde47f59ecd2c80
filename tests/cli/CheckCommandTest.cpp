// flexara-cli check: the load combinations of a case file or of a CSV file,
// one result per row, and an exit status that says whether all hold.
#include "project/ProjectFile.h"
#include "tests/support/Shell.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <string>

namespace flexara {
namespace {

using CheckRun = testing::ShellRun;

CheckRun Check(const std::string& arguments)
{
    return testing::RunShell(testing::TimeLimited(120) + std::string(FLEXARA_CLI) + " check " + arguments + " 2>&1");
}

std::string Temp(const std::string& name, const std::string& text)
{
    const std::string path = ::testing::TempDir() + "flexara-check-" + name;
    SaveFileBytes(path, text);
    return path;
}

const std::string Column = std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-20x40.fxr";

// The example column with a block of combinations after its section.
std::string ColumnWithCombinations(const std::string& block)
{
    return Temp("column.fxr", LoadProjectBytes(Column) + block);
}

TEST(CheckCommand, CombinationsOfACsvFile)
{
    const std::string loads =
        Temp("loads.csv", "nome;nd;mxd;myd\nELU 1;-500;60;20\nELU 2;-500;0;0\nELU 3;-1200;80;10\n");
    const CheckRun run = Check(Column + " --loads " + loads);
    EXPECT_EQ(run.status, 0) << run.out;
    ASSERT_TRUE(nlohmann::json::accept(run.out)) << run.out;
    const nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["combinations"], 3);
    EXPECT_EQ(report["generations"], 2);
    EXPECT_EQ(report["governing"], 2);
    ASSERT_EQ(report["rows"].size(), 3u);
    EXPECT_EQ(report["rows"][0]["name"], "ELU 1");
    // The example column at -500 with (60, 20): eta = 0.5967 (the window's test).
    EXPECT_NEAR(report["rows"][0]["utilisation"].get<double>(), 0.5966733595, 1e-10);
    EXPECT_TRUE(report["rows"][1]["resisting"].is_null()) << "no ray from the origin to the origin";
    EXPECT_TRUE(report["rows"][2]["governing"].get<bool>());

    const CheckRun csv = Check(Column + " --loads " + loads + " --format csv");
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out.rfind("nome;nd;mxd;myd;situacao;eta;mrx;mry;mrd;axial;determinante\nELU 1;-500;60;20;atende;", 0),
              0u)
        << csv.out;
    // What check writes as CSV reads back as its loads.
    EXPECT_EQ(Check(Column + " --loads " + Temp("again.csv", csv.out)).status, 0);
}

TEST(CheckCommand, CombinationsOfTheCaseAndTheExitStatus)
{
    const struct {
        const char* name;
        std::string block;
        int status;
        const char* fragment;
    } cases[] = {
        {"all hold", "combinacoes\r\n1\r\nELU\r\n-5.0E+0002\r\n 6.0E+0001\r\n 2.0E+0001\r\n", 0,
         "\"status\": \"holds\""},
        {"one fails", "combinacoes\r\n2\r\nA\r\n-500\r\n60\r\n20\r\nB\r\n-500\r\n200\r\n0\r\n", 3,
         "\"status\": \"fails\""},
        {"out of range", "combinacoes\r\n1\r\nT\r\n700\r\n0\r\n0\r\n", 3, "\"status\": \"out-of-range\""},
        {"no combinations", "", 1, "the case has no load combinations"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CheckRun run = Check(ColumnWithCombinations(c.block));
        EXPECT_EQ(run.status, c.status) << run.out;
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out;
    }
}

TEST(CheckCommand, FaultsAndBadInput)
{
    // CA-50 B with a steel factor of 2: the steel law faults.
    std::string text = LoadProjectBytes(Column) + "combinacoes\r\n1\r\nE\r\n-100\r\n1\r\n1\r\n";
    text.replace(text.find(" 1.15000000000000E+0000"), 23, " 2.00000000000000E+0000");
    text.replace(text.find("\r\n1\r\n2\r\n"), 8, "\r\n2\r\n2\r\n");
    const CheckRun fault = Check(Temp("fault.fxr", text));
    EXPECT_EQ(fault.status, 2);
    EXPECT_NE(fault.out.find("\"status\": \"error\""), std::string::npos);
    EXPECT_NE(fault.out.find("Invalid floating point operation."), std::string::npos);

    const struct {
        const char* name;
        std::string arguments;
        const char* fragment;
    } bad[] = {
        {"missing loads", Column + " --loads /nonexistent/loads.csv", "File not found."},
        {"bad CSV", Column + " --loads " + Temp("bad.csv", "nome;nd;mxd;myd\nA;x;1;2\n"), "Linha 2"},
        {"base moments for a case without a column",
         Column + " --loads " + Temp("base.csv", "nome;nd;mxd;myd;mxd_base;myd_base\nA;-500;60;20;-30;10\n"),
         "Linha 2: momentos na base (Mxd base, Myd base) para um caso sem pilar"},
        {"svg is no check format", Column + " --format svg", "--format takes json or csv"},
        {"its own case as output", Column + " -o " + Column, "is the project file itself"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.name);
        const CheckRun run = Check(c.arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out;
    }
}

} // namespace
} // namespace flexara
