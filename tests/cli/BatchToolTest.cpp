// flexara-cli on its command line (CLI11) and its outputs (nlohmann-json):
// every report of the examples byte for byte as the tool wrote it before, a
// rewrite that keeps every block, and the refusals a user of command-line
// tools expects, in words.
#include "project/ProjectFile.h"
#include "tests/support/Shell.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace flexara {
namespace {

namespace fs = std::filesystem;

const std::string Source = FLEXARA_SOURCE_DIR;
const std::string Fixtures = Source + "/tests/cli/fixtures/";

std::string Example(const char* name)
{
    return Source + "/examples/" + name;
}

// A folder of this test's own: the tests run side by side.
std::string Folder()
{
    const std::string folder =
        ::testing::TempDir() + "flexara-batch-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

testing::ShellRun Cli(const std::string& arguments, const std::string& redirect = "2>&1")
{
    return testing::RunShell("timeout 120 " + std::string(FLEXARA_CLI) + " " + arguments + " " + redirect);
}

TEST(BatchTool, ReportsAreByteIdenticalToWhatTheToolWroteBefore)
{
    const struct {
        std::string arguments;
        const char* fixture;
        int status;
    } cases[] = {
        {"curve " + Example("caixao.fxr"), "curve-caixao.json", 0},
        {"curve " + Example("caixao.fxr") + " --format csv", "curve-caixao.csv", 0},
        {"curve " + Example("pilar-20x40.fxr"), "curve-pilar-20x40.json", 0},
        {"curve " + Example("pilar-20x40.fxr") + " --format csv", "curve-pilar-20x40.csv", 0},
        {"curve " + Example("pilar-20x40-combinacoes.fxr"), "curve-pilar-20x40-combinacoes.json", 0},
        {"curve " + Example("pilar-20x40-combinacoes.fxr") + " --format csv", "curve-pilar-20x40-combinacoes.csv", 0},
        {"curve " + Example("poligono-L.fxr"), "curve-poligono-L.json", 0},
        {"curve " + Example("poligono-L.fxr") + " --format csv", "curve-poligono-L.csv", 0},
        {"curve " + Example("viga-T.fxr"), "curve-viga-T.json", 0},
        {"curve " + Example("viga-T.fxr") + " --format csv", "curve-viga-T.csv", 0},
        {"curve " + Example("pilar-20x40.fxr") + " --nd 600", "curve-pilar-20x40-nd600.json", 0},
        {"curve " + Example("pilar-20x40.fxr") + " --nd -800 --format csv", "curve-pilar-20x40-nd-800.csv", 0},
        {"curve " + Fixtures + "default-case.fxr", "curve-default-case.json", 0},
        {"curve " + Fixtures + "faulty-steel.fxr", "curve-faulty-steel.json", 2},
        {"check " + Example("pilar-20x40-combinacoes.fxr"), "check-pilar-20x40-combinacoes.json", 3},
        {"check " + Example("pilar-20x40-combinacoes.fxr") + " --format csv", "check-pilar-20x40-combinacoes.csv", 3},
        {"check " + Example("pilar-20x40.fxr") + " --loads " + Fixtures + "loads.csv", "check-loads.json", 3},
        {"check " + Example("pilar-20x40.fxr") + " --loads " + Fixtures + "loads.csv --format csv", "check-loads.csv",
         3},
        {"check " + Fixtures + "faulty-steel.fxr", "check-faulty-steel.json", 2},
        {"check " + Fixtures + "default-case.fxr --loads " + Fixtures + "loads.csv", "check-default-case.json", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        const testing::ShellRun run = Cli(c.arguments, "2>/dev/null");
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, LoadProjectBytes(Fixtures + c.fixture));
        if (std::string(c.fixture).ends_with(".json")) {
            EXPECT_TRUE(nlohmann::json::accept(run.out));
        }
    }
}

TEST(BatchTool, RewriteKeepsEveryBlockByteForByte)
{
    const std::string folder = Folder();
    for (const char* name : {"caixao.fxr", "pilar-20x40.fxr", "pilar-20x40-combinacoes.fxr", "pilar-esbelto.fxr",
                             "poligono-L.fxr", "viga-T.fxr", "pilar-acoplado.fxr", "pilar-geral.fxr",
                             "pilar-detalhado.fxr"}) {
        SCOPED_TRACE(name);
        const std::string out = folder + name;
        ASSERT_EQ(Cli("rewrite " + Example(name) + " -o " + out).status, 0);
        EXPECT_EQ(LoadProjectBytes(out), LoadProjectBytes(Example(name)));
    }
    // A case with combinations of every kind of name the window writes.
    const std::string text =
        LoadProjectBytes(Example("pilar-20x40.fxr")) +
        "combinacoes\r\n3\r\nTração à esquerda\r\n-5.00000000000000E+0002\r\n 6.00000000000000E+0001\r\n"
        " 2.00000000000000E+0001\r\n\r\n 0.00000000000000E+0000\r\n 0.00000000000000E+0000\r\n"
        " 0.00000000000000E+0000\r\n柱 1\r\n-1.25000000000000E+0003\r\n 1.00000000000000E-0003\r\n"
        " 1.00000000000000E+0300\r\n";
    SaveFileBytes(folder + "with.fxr", text);
    ASSERT_EQ(Cli("rewrite " + folder + "with.fxr -o " + folder + "again.fxr").status, 0);
    EXPECT_EQ(LoadProjectBytes(folder + "again.fxr"), text);

    // A case with every block, and the same case with its model right after
    // the section: both are written whole, the blocks in their usual order.
    const std::string slender = LoadProjectBytes(Example("pilar-esbelto.fxr"));
    const std::string model = "modelo\r\n2\r\n1\r\n";
    const std::size_t blocks = slender.find("combinacoes\r\n");
    const std::string every = slender + model;
    const struct {
        const char* file;
        std::string text;
    } cases[] = {
        {"every-block.fxr", every},
        {"model-first.fxr", slender.substr(0, blocks) + model + slender.substr(blocks)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        SaveFileBytes(folder + c.file, c.text);
        ASSERT_EQ(Cli("rewrite " + folder + c.file + " -o " + folder + "out-" + c.file).status, 0);
        EXPECT_EQ(LoadProjectBytes(folder + "out-" + c.file), every);
    }
}

TEST(BatchTool, TheCommandLineAsCommandLineToolsHaveIt)
{
    const std::string column = Example("pilar-20x40.fxr");
    const testing::CommandCase cases[] = {
        {"help", "--help", 0, "Usage:\n  flexara-cli curve CASE.fxr"},
        {"help of a subcommand", "check --help", 0, "Usage:\n  flexara-cli curve CASE.fxr"},
        {"no command", "", 1, "flexara-cli: no command given"},
        {"an unknown command", "draw " + column, 1, "unknown command \"draw\""},
        {"an unknown option", "curve " + column + " --colour red", 1, "--colour"},
        {"a missing value", "curve " + column + " --nd", 1, "--nd"},
        {"a missing case", "curve --nd 5", 1, "CASE"},
        {"two cases", "curve " + column + " " + column, 1, "not expected"},
        {"a negative force", "curve " + column + " --nd -800 --format csv", 0, "Mx;My"},
        {"a value after =", "curve " + column + " --nd=-800 --format=csv", 0, "Mx;My"},
        {"--nd means nothing to check", "check " + column + " --nd -500", 1,
         "--nd has no meaning for check: every combination has its own Nd"},
        {"--loads with no file", "check " + column + " --loads ''", 1, "--loads needs a CSV file"},
        {"svg is no check format", "check " + column + " --format svg", 1, "--format takes json or csv"},
        {"a report is PDF", "report " + column + " --format png", 1, "report writes PDF only"},
        {"a rewrite needs its output", "rewrite " + column, 1, "rewrite needs -o OUT.fxr"},
        {"an unknown model", "curve " + column + " --model eurocode", 1,
         "--model takes classic, rectangular or parabola"},
        {"a model needs its name", "check " + column + " --model", 1, "--model"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::ShellRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out;
    }
}

TEST(BatchTool, NoOutputIsAnInputOfItsCommand)
{
    const std::string folder = Folder();
    const std::string loads = folder + "loads.csv";
    const std::string caseFile = folder + "case.fxr";
    const std::string loadsText = LoadProjectBytes(Fixtures + "loads.csv");
    SaveFileBytes(loads, loadsText);
    SaveFileBytes(caseFile, LoadProjectBytes(Example("pilar-20x40.fxr")));
    fs::create_symlink(loads, folder + "link.csv");
    const struct {
        const char* name;
        std::string arguments;
        const char* fragment;
    } cases[] = {
        {"the loads", "check " + caseFile + " --loads " + loads + " -o " + loads,
         "is the file of load combinations itself"},
        {"the loads through a link", "check " + caseFile + " --loads " + loads + " -o " + folder + "link.csv",
         "is the file of load combinations itself"},
        {"the case of a check", "check " + caseFile + " --loads " + loads + " -o " + caseFile,
         "is the project file itself"},
        {"the case of a report", "report " + caseFile + " -o " + caseFile, "is the project file itself"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::ShellRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out;
        EXPECT_EQ(LoadProjectBytes(loads), loadsText);
        EXPECT_EQ(LoadProjectBytes(caseFile), LoadProjectBytes(Example("pilar-20x40.fxr")));
    }
}

TEST(BatchTool, WhatCannotBeReadOrWrittenIsSaidInWords)
{
    const std::string folder = Folder();
    ASSERT_EQ(::mkfifo((folder + "fifo").c_str(), 0644), 0);
    fs::create_symlink(folder + "loop-b", folder + "loop-a");
    fs::create_symlink(folder + "loop-a", folder + "loop-b");
    // A CSV beyond 64 MiB, sparse: no disk is spent on it.
    {
        const std::string huge = folder + "huge.csv";
        SaveFileBytes(huge, "");
        fs::resize_file(huge, (64u << 20) + 10);
    }
    const std::string column = Example("pilar-20x40.fxr");
    const struct {
        const char* name;
        std::string arguments;
        const char* fragment;
    } cases[] = {
        {"a folder", "curve " + folder, "Is a folder, not a file."},
        {"a FIFO", "curve " + folder + "fifo", "Is a pipe (FIFO), not a file."},
        {"a device", "curve /dev/zero", "Is a device, not a file."},
        {"a loop of links", "curve " + folder + "loop-a", "Too many symbolic links (a loop of links)"},
        {"a CSV too large", "check " + column + " --loads " + folder + "huge.csv", "Arquivo CSV grande demais"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::ShellRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out;
    }
    // The report goes to a standard output that was closed: "I/O error 9" no more.
    const testing::ShellRun closed = Cli("curve " + column, "2>&1 >&-");
    EXPECT_EQ(closed.status, 1);
    EXPECT_NE(closed.out.find("standard output: it is closed."), std::string::npos) << closed.out;
}

TEST(BatchTool, ASourceDateEpochThatIsNoDateIsRefused)
{
    for (const char* value : {"yesterday", "-1", "1e9", " 86400", "0x10", "253402300800", "99999999999999999999"}) {
        SCOPED_TRACE(value);
        const testing::ShellRun run =
            testing::RunShell("SOURCE_DATE_EPOCH='" + std::string(value) + "' " + FLEXARA_CLI + " report " +
                              Example("pilar-20x40.fxr") + " -o /nonexistent/out.pdf 2>&1");
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find("SOURCE_DATE_EPOCH must be a whole number of seconds since 1970"), std::string::npos)
            << run.out;
    }
}

// --model replaces the case's calculation model for one run; the reports name
// it. The 20 x 40 column (C-30: 0,85·fcd = 1,8214286 kN/cm²; 2 + 2 bars of
// 20 mm at 4 cm from the top and from the bottom, 2π cm² per line; CA-50:
// fyd = 43,478261 kN/cm², Es = 21000 kN/cm²) at θ = 0, N3: the top fibre at
// −3,5 ‰ and the neutral axis on the bottom fibre, 40 cm below it.
//   steel: the bar 4 cm down at −3,15 ‰ (yielded, 43,478261), the bar 36 cm
//   down at −0,35 ‰ (7,35 kN/cm²): 2π·50,828261 = 319,36338 kN.
//   classic and rectangular (λ = 0,8 for C-30): 1,8214286·20·32 = 1165,7143 kN;
//   N3 = −1485,0777.
//   parabola-rectangle (n = 2, εc2/εcu = 4/7): the mean stress over the depth
//   is 0,85·fcd·(1 − 4/21) = 17/21 of it: 1,8214286·20·40·17/21 = 1179,5918 kN;
//   N3 = −1498,9552.
// N1 = 4π·43,478261 = 546,36394 kN and N4 = −(1,8214286·800 + 4π·42) =
// −1984,9304 kN in all three (2 ‰ is below εyd = 2,0704 ‰ and the plateau of
// both code laws starts at εc2 = 2 ‰).
TEST(BatchTool, TheModelOptionReplacesTheCasesModel)
{
    const std::string column = Example("pilar-20x40.fxr");
    const struct {
        const char* option;
        const char* key;
        double n3;
    } cases[] = {
        {"", "classic", -1485.0777},
        {"--model classic", "classic", -1485.0777},
        {"--model rectangular", "nbr6118-2014-rectangular", -1485.0777},
        {"--model parabola", "nbr6118-2014-parabola", -1498.9552},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        const testing::ShellRun curve = Cli("curve " + column + " " + c.option, "2>/dev/null");
        ASSERT_EQ(curve.status, 0);
        const nlohmann::json json = nlohmann::json::parse(curve.out);
        EXPECT_EQ(json["model"], c.key);
        EXPECT_NEAR(json["references"]["N3"].get<double>(), c.n3, 1e-4);
        EXPECT_NEAR(json["references"]["N1"].get<double>(), 546.36394, 1e-4);
        EXPECT_NEAR(json["references"]["N4"].get<double>(), -1984.9304, 1e-4);

        const testing::ShellRun check =
            Cli("check " + Example("pilar-20x40-combinacoes.fxr") + " " + c.option, "2>/dev/null");
        EXPECT_EQ(check.status, 3);
        EXPECT_EQ(nlohmann::json::parse(check.out)["model"], c.key);
    }
    // The override reaches the check itself, not only its label.
    const auto eta = [&](const std::string& option) {
        const testing::ShellRun run =
            Cli("check " + Example("pilar-20x40-combinacoes.fxr") + " " + option, "2>/dev/null");
        return nlohmann::json::parse(run.out)["rows"][0]["utilisation"].get<double>();
    };
    EXPECT_NE(eta("--model parabola"), eta("--model classic"));
}

TEST(BatchTool, TheReportNamesTheModelAndItsParameters)
{
    const std::string folder = Folder();
    const struct {
        const char* option;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {"Modelo de cálculo: Clássico"}},
        {"--model parabola",
         {"Modelo de cálculo: NBR 6118:2014 — parábola-retângulo",
          "αc = 0,8500; λ = 0,8000; εc2 = 2,0000 ‰; εcu = 3,5000 ‰; n = 2,0000",
          "pivô C a 0,4286·h da borda mais comprimida", "o diagrama da classe B não é usado", "N3 = -1498,96 kN"}},
        {"--model rectangular", {"Modelo de cálculo: NBR 6118:2014 — retangular", "N3 = -1485,08 kN"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        const std::string pdf = folder + "report.pdf";
        ASSERT_EQ(Cli("report " + Example("pilar-20x40.fxr") + " " + c.option + " -o " + pdf).status, 0);
        const std::string text = testing::RunShell("pdftotext -layout " + pdf + " - 2>/dev/null").out;
        for (const std::string& line : c.lines) {
            EXPECT_NE(text.find(line), std::string::npos) << line;
        }
    }
}

} // namespace
} // namespace flexara
