// flexara-cli check and design of many cases: one summary row per case in the
// order given, in every format, each case judged as the command judges it
// alone, the full reports with --details, the cases of --list, and the status
// of the whole with a failing and an unreadable case among good ones.
#include "cli/ManyCases.h"
#include "project/ProjectFile.h"
#include "tests/support/Shell.h"
#include "texts/Words.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace flexara {
namespace {

using testing::ShellRun;
using Json = nlohmann::json;

const std::string Examples = std::string(FLEXARA_SOURCE_DIR) + "/examples/";
// The slender column: it holds (η = 0,88 at the intermediate section).
const std::string Good = Examples + "pilar-esbelto.fxr";
// The 20 x 40 section: its third combination fails (η = 1,08).
const std::string Failing = Examples + "pilar-20x40-combinacoes.fxr";
const std::string Missing = "/nonexistent/P9.fxr";
// A case without load combinations: read, but nothing to check.
const std::string WithoutCombinations = Examples + "pilar-20x40.fxr";
// A steel factor that makes the steel law fault.
const std::string Faulty = std::string(FLEXARA_SOURCE_DIR) + "/tests/cli/fixtures/faulty-steel.fxr";

ShellRun Cli(const std::string& arguments)
{
    return testing::RunShell(testing::TimeLimited(300) + std::string(FLEXARA_CLI) + " " + arguments + " 2>&1");
}

// Standard output alone, standard error dropped.
ShellRun CliOut(const std::string& arguments)
{
    return testing::RunShell(testing::TimeLimited(300) + std::string(FLEXARA_CLI) + " " + arguments + " 2>" +
                             testing::NullDevice);
}

std::string TempPath(const std::string& name)
{
    return ::testing::TempDir() + "flexara-many-" + name;
}

std::string Temp(const std::string& name, const std::string& text)
{
    const std::string path = TempPath(name);
    SaveFileBytes(path, text);
    return path;
}

// The example section with a moment no diameter of the list resists.
std::string Hopeless()
{
    return Temp("hopeless.fxr",
                LoadProjectBytes(WithoutCombinations) + "combinacoes\r\n1\r\nX\r\n-500\r\n900\r\n0\r\n");
}

// The slender column with a buckling length of 0 in Mxd: it opens, but no
// command checks it.
std::string WithoutLength()
{
    std::string text = LoadProjectBytes(Good);
    const std::size_t at = text.find("pilar\r\n 2.80000000000000E+0002");
    text.replace(at + 7, 23, " 0.00000000000000E+0000");
    return Temp("no-length.fxr", text);
}

Json Parsed(const ShellRun& run)
{
    EXPECT_TRUE(Json::accept(run.out)) << run.out;
    return Json::accept(run.out) ? Json::parse(run.out) : Json::object();
}

std::vector<std::vector<std::string>> CsvLines(const std::string& text)
{
    std::vector<std::vector<std::string>> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        std::vector<std::string> fields;
        std::size_t from = 0;
        for (std::size_t at; (at = line.find(';', from)) != std::string::npos; from = at + 1)
            fields.push_back(line.substr(from, at - from));
        fields.push_back(line.substr(from));
        lines.push_back(fields);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

TEST(ManyCases, SummaryInEveryFormatAgreesWithEachCaseAlone)
{
    const std::string cases = Good + " " + Failing + " " + Missing;
    // Standard error goes into the text too: not a terminal, so no progress
    // line may spoil the JSON.
    const ShellRun json = Cli("check " + cases + " --format json");
    EXPECT_EQ(json.status, 2) << json.out;
    const Json summary = Parsed(json);
    EXPECT_EQ(summary["command"], "check");
    EXPECT_EQ(summary["cases"], 3);
    EXPECT_EQ(summary["holding"], 1);
    EXPECT_EQ(summary["failing"], 1);
    EXPECT_EQ(summary["not_checked"], 1);
    ASSERT_EQ(summary["rows"].size(), 3u);

    const struct {
        std::string file;
        const char* status;
        int alone; // the status of check of the file alone
    } expected[] = {{Good, "holds", 0}, {Failing, "fails", 3}, {Missing, "not-checked", 1}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].file);
        const Json& row = summary["rows"][i];
        EXPECT_EQ(row["file"], expected[i].file);
        EXPECT_EQ(row["status"], expected[i].status);
        const ShellRun alone = CliOut("check " + expected[i].file);
        EXPECT_EQ(alone.status, expected[i].alone);
        if (expected[i].alone == 1) {
            EXPECT_EQ(row["reason"], "File not found.");
            EXPECT_TRUE(row["utilisation"].is_null());
            EXPECT_TRUE(row["steel"].is_null());
            continue;
        }
        // The one verdict: what check of the file alone says, to the bit.
        const Json verdict = Parsed(alone)["verdict"];
        EXPECT_TRUE(row["reason"].is_null());
        EXPECT_EQ(row["holds"], verdict["holds"]);
        EXPECT_EQ(row["governing"], verdict["governing"]);
        EXPECT_EQ(row["governing_name"], verdict["governing_name"]);
        EXPECT_EQ(row["governing_situation"], verdict["governing_situation"]);
        EXPECT_EQ(row["utilisation"], verdict["utilisation"]);
        EXPECT_EQ(row["message"], verdict["message"]);
        if (verdict["steel"].is_null()) {
            EXPECT_TRUE(row["steel"]["limits"].is_null());
        } else {
            EXPECT_EQ(row["steel"]["as"], verdict["steel"]["as"]);
            EXPECT_EQ(row["steel"]["as_min"], verdict["steel"]["as_min"]);
            EXPECT_EQ(row["steel"]["as_max"], verdict["steel"]["as_max"]);
            EXPECT_EQ(row["steel"]["limits"], verdict["steel"]["limits"]);
        }
    }
    // The column's situation and steel: the slender column governs at the
    // intermediate section, within its limits; the section has none.
    EXPECT_EQ(summary["rows"][0]["governing_situation"], "intermediate");
    EXPECT_EQ(summary["rows"][0]["steel"]["limits"], Json::array());

    // The CSV: the same rows, the same numbers read back.
    const ShellRun csv = Cli("check " + cases + " --format csv");
    EXPECT_EQ(csv.status, 2);
    const auto lines = CsvLines(csv.out);
    ASSERT_EQ(lines.size(), 4u) << csv.out; // the header and three rows
    EXPECT_EQ(csv.out.rfind("arquivo;veredito;combinacao;situacao_pilar;eta;as;as_min;as_max;limites;motivo\n", 0), 0u);
    const char* words[] = {"atende", "nao-atende", "nao-verificado"};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(lines[i + 1].size(), 10u);
        EXPECT_EQ(lines[i + 1][0], expected[i].file);
        EXPECT_EQ(lines[i + 1][1], words[i]);
        if (i < 2) {
            EXPECT_EQ(std::strtod(lines[i + 1][4].c_str(), nullptr), summary["rows"][i]["utilisation"].get<double>());
        }
    }
    EXPECT_EQ(lines[1][3], "intermediaria");
    EXPECT_EQ(lines[1][8], "ok");
    EXPECT_EQ(lines[3][9], "File not found.");

    // The table, asked for by name (the default on a terminal).
    const ShellRun table = Cli("check " + cases + " --format table");
    EXPECT_EQ(table.status, 2);
    const std::size_t good = table.out.find(Good + "  ");
    const std::size_t failing = table.out.find(Failing + "  ");
    const std::size_t missing = table.out.find(Missing + "  ");
    EXPECT_EQ(table.out.rfind("Caso  ", 0), 0u) << table.out;
    EXPECT_TRUE(good < failing && failing < missing && missing != std::string::npos) << table.out;
    for (const char* fragment :
         {"seção intermediária  0,88  atende", "ELU 3 - vento em Y", "1,08  não atende", "não verificado",
          "/nonexistent/P9.fxr: File not found.\n", "3 casos: 1 atende, 1 não atende, 1 não verificado.\n"})
        EXPECT_NE(table.out.find(fragment), std::string::npos) << fragment << "\n" << table.out;
}

TEST(ManyCases, ExitStatusOfTheWhole)
{
    const testing::CommandCase cases[] = {
        {"all hold", "check " + Good + " " + Good, 0, "\"holding\": 2"},
        {"one fails", "check " + Good + " " + Failing, 3, "\"failing\": 1"},
        {"one unreadable among good and failing", "check " + Good + " " + Failing + " " + Missing, 2,
         "\"reason\": \"File not found.\""},
        {"one without combinations", "check " + WithoutCombinations + " " + Good, 2,
         "\"reason\": \"the case has no load combinations.\""},
        {"a fault in one", "check " + Good + " " + Faulty, 2, "\"status\": \"error\""},
        {"a column without a length", "check " + Good + " " + WithoutLength(), 2, "\"reason\": \"Pilar: le (Mxd) nulo"},
        {"every case designed", "design " + Good + " " + Failing, 0, "\"holding\": 2"},
        {"no diameter for one", "design " + Good + " " + Hopeless(), 3, "\"failing\": 1"},
        {"a design of an unreadable case", "design " + Missing + " " + Good, 2, "\"not_checked\": 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ShellRun run = Cli(c.arguments + " --format json");
        EXPECT_EQ(run.status, c.status) << run.out;
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out;
    }
}

TEST(ManyCases, DetailsAreEachCaseAloneByteForByte)
{
    for (const char* job : {"check", "design"}) {
        SCOPED_TRACE(job);
        const std::string folder = TempPath(std::string("details-") + job);
        std::filesystem::remove_all(folder);
        const ShellRun run = Cli(std::string(job) + " " + Good + " " + Failing + " " + Missing + " --details " +
                                 folder + " --format json");
        EXPECT_EQ(run.status, 2) << run.out;
        const Json summary = Parsed(run);
        const std::string names[] = {"pilar-esbelto.json", "pilar-20x40-combinacoes.json"};
        const std::string files[] = {Good, Failing};
        for (std::size_t i = 0; i < 2; ++i) {
            const std::string path = folder + "/" + names[i];
            EXPECT_EQ(summary["rows"][i]["details"], path);
            ASSERT_TRUE(std::filesystem::exists(path));
            EXPECT_EQ(LoadProjectBytes(path), CliOut(std::string(job) + " " + files[i]).out) << path;
        }
        EXPECT_TRUE(summary["rows"][2]["details"].is_null());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 2);
    }
    // Two cases of one name in two folders would write one report.
    const std::filesystem::path other = TempPath("other");
    std::filesystem::create_directories(other);
    const std::string twin = Temp("other/pilar-esbelto.fxr", LoadProjectBytes(Good));
    const ShellRun clash = Cli("check " + Good + " " + twin + " --details " + TempPath("clash"));
    EXPECT_EQ(clash.status, 1);
    EXPECT_NE(clash.out.find("would both write"), std::string::npos) << clash.out;
    EXPECT_FALSE(std::filesystem::exists(TempPath("clash")));
}

TEST(ManyCases, CasesOfAList)
{
    // A byte-order mark, Windows line ends and an empty line: the same cases.
    const std::string list = Temp("list.txt", "\xEF\xBB\xBF" + Good + "\r\n\r\n" + Failing + "\r\n" + Missing + "\n");
    const ShellRun listed = Cli("check --list " + list + " --format json");
    const ShellRun given = Cli("check " + Good + " " + Failing + " " + Missing + " --format json");
    EXPECT_EQ(listed.status, 2);
    EXPECT_EQ(listed.out, given.out);
    // The files of the command line come first, then the list's.
    const ShellRun both = Cli("check " + WithoutCombinations + " --list " + list + " --format json");
    ASSERT_EQ(Parsed(both)["rows"].size(), 4u);
    EXPECT_EQ(Parsed(both)["rows"][0]["file"], WithoutCombinations);
    EXPECT_EQ(Parsed(both)["rows"][1]["file"], Good);
    // A list of one case is a summary too.
    const ShellRun one = Cli("design --list " + Temp("one.txt", Good + "\n") + " --format csv");
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out.rfind("arquivo;veredito;combinacao;situacao_pilar;eta;diametro;as_nec;", 0), 0u) << one.out;

    const testing::CommandCase bad[] = {
        {"a list that is not there", "check --list /nonexistent/list.txt", 1, "File not found."},
        {"an empty list", "check --list " + Temp("empty.txt", "\r\n\n"), 1, "no cases in"},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.name);
        const ShellRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out;
    }
}

TEST(ManyCases, BadCommandLines)
{
    const std::string loads = Temp("loads.csv", "nome;nd;mxd;myd\nA;-500;60;20\n");
    const testing::CommandCase cases[] = {
        {"loads for many", "check " + Good + " " + Failing + " --loads " + loads, 1, "--loads takes one case"},
        {"apply for many", "design " + Good + " " + Failing + " --apply -o " + TempPath("x.fxr"), 1,
         "--apply takes one case"},
        {"svg", "check " + Good + " " + Failing + " --format svg", 1, "--format takes table, json or csv"},
        {"the output over a case", "check " + Good + " " + Failing + " -o " + Failing, 1, "is the project file"},
        {"no case", "check --format json", 1, "CASE is required"},
        // One file alone keeps its formats.
        {"a table of one file", "check " + Good + " --format table", 1, "--format takes json or csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ShellRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.out;
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out;
    }
}

// The design's row: the diameter design of the file alone chooses, and the
// verdict that check gives the case written with it (design --apply).
TEST(ManyCases, DesignRowIsTheChoiceAndTheVerdictWithIt)
{
    const std::string hopeless = Hopeless();
    const Json summary = Parsed(Cli("design " + Good + " " + Failing + " " + hopeless + " --format json"));
    ASSERT_EQ(summary["rows"].size(), 3u);
    const std::string files[] = {Good, Failing};
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(files[i]);
        const Json& row = summary["rows"][i];
        EXPECT_EQ(row["chosen"], Parsed(CliOut("design " + files[i]))["chosen"]);
        EXPECT_EQ(row["judged_diameter"], row["chosen"]);
        const std::string applied = TempPath("applied-" + std::to_string(i) + ".fxr");
        ASSERT_EQ(CliOut("design " + files[i] + " --apply -o " + applied).status, 0);
        const Json verdict = Parsed(CliOut("check " + applied))["verdict"];
        EXPECT_TRUE(verdict["holds"].get<bool>());
        EXPECT_EQ(row["holds"], true);
        EXPECT_EQ(row["governing_name"], verdict["governing_name"]);
        EXPECT_EQ(row["governing_situation"], verdict["governing_situation"]);
        EXPECT_EQ(row["utilisation"], verdict["utilisation"]);
    }
    // No diameter: the verdict with the largest of the list, 40 mm, which the
    // choice's sentence names.
    const Json& none = summary["rows"][2];
    EXPECT_EQ(none["status"], "fails");
    EXPECT_TRUE(none["chosen"].is_null());
    EXPECT_EQ(none["judged_diameter"], 40);
    EXPECT_EQ(none["holds"], false);
    EXPECT_EQ(none["choice"].get<std::string>().rfind("Nenhum diâmetro atende: com 40 mm", 0), 0u) << none["choice"];
}

// A case with detailing data is judged by its rules and, a rectangle,
// designed by its arrangement, in a list as alone: the slender column with
// class II (c = 3,0 cm) and the rest automatic.
TEST(ManyCases, DetailedCasesAreJudgedAsEachAlone)
{
    const std::string detailed =
        Temp("detailed.fxr", LoadProjectBytes(Good) + "detalhamento\r\n2\r\n3\r\n0\r\n19\r\n0\r\n");
    ASSERT_EQ(Parsed(CliOut("check " + detailed)).count("detailing"), 1u) << "the block is read";
    for (const char* job : {"check", "design"}) {
        SCOPED_TRACE(job);
        const std::string folder = TempPath(std::string("detailed-") + job);
        std::filesystem::remove_all(folder);
        const ShellRun many = CliOut(std::string(job) + " " + detailed + " " + Good + " --details " + folder);
        const ShellRun alone = CliOut(std::string(job) + " " + detailed);
        EXPECT_EQ(LoadProjectBytes(folder + "/" + std::filesystem::path(detailed).stem().string() + ".json"), alone.out);
        const Json summary = Parsed(many);
        ASSERT_EQ(summary["rows"].size(), 2u);
        // The row's verdict is the one the case alone reaches: its own exit
        // status (0 holds, 3 fails) against the row's.
        EXPECT_EQ(summary["rows"][0]["holds"].get<bool>(), alone.status == 0) << many.out;
    }
    // The design's choice applied passes the check with its rules.
    const std::string applied = TempPath("detailed-applied.fxr");
    ASSERT_EQ(CliOut("design " + detailed + " --apply -o " + applied).status, 0);
    const Json verdict = Parsed(CliOut("check " + applied))["verdict"];
    EXPECT_TRUE(verdict["holds"].get<bool>());
    const Json row = Parsed(CliOut("design " + detailed + " " + Good + " --format json"))["rows"][0];
    EXPECT_EQ(row["holds"], true);
    EXPECT_EQ(row["utilisation"], verdict["utilisation"]);
    EXPECT_EQ(row["choice"].get<std::string>().rfind("Arranjo escolhido: ", 0), 0u) << row["choice"];
}

// On a terminal: the table without --format, and a progress line on
// standard error.
TEST(ManyCases, OnATerminal)
{
    if (std::system("command -v script >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no script(1) to give the tool a terminal";
    const ShellRun run = testing::RunShell(testing::TimeLimited(300) + "script -qec '" + std::string(FLEXARA_CLI) +
                                           " check " + Good + " " + Failing + "' /dev/null");
    EXPECT_NE(run.out.find("flexara-cli: check 2/2"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Caso  "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("2 casos: 1 atende, 1 não atende."), std::string::npos) << run.out;
}

// Many cases at once on the pool give what one at a time does, and what the
// whole curve of every Nd gives, bit for bit (the reals of the JSON read back
// to the same double).
TEST(ManyCases, SameSummaryOnAnyNumberOfThreads)
{
    const std::vector<std::string> files = {Good, Failing, Missing, Hopeless(), Good, Failing, Faulty};
    for (const CaseJob job : {CaseJob::Check, CaseJob::Design}) {
        SCOPED_TRACE(job == CaseJob::Check ? "check" : "design");
        ManyCasesOptions options;
        options.job = job;
        options.threads = 1;
        const std::string one = ManyCasesJson(RunManyCases(files, options), job);
        options.threads = 3;
        EXPECT_EQ(ManyCasesJson(RunManyCases(files, options), job), one);
        options.reading = CurveReading::WholeCurve;
        EXPECT_EQ(ManyCasesJson(RunManyCases(files, options), job), one);
        EXPECT_NE(one.find("\"not_checked\": 1"), std::string::npos) << one;
    }
}

TEST(ManyCases, NamesAndCounts)
{
    const struct {
        std::string file, name;
    } names[] = {{"obra/P12.fxr", "P12.json"},
                 {"C:\\obra\\P12.FXR", "P12.json"},
                 {"P12", "P12.json"},
                 {"a.fxr.bak", "a.fxr.bak.json"},
                 {".fxr", ".fxr.json"}};
    for (const auto& n : names)
        EXPECT_EQ(DetailsName(n.file), n.name) << n.file;
    const struct {
        int holds, fails, faulted, notChecked;
        const char* text;
    } counts[] = {{1, 0, 0, 0, "1 caso: 1 atende."},
                  {2, 1, 0, 0, "3 casos: 2 atendem, 1 não atende."},
                  {0, 2, 1, 3, "6 casos: 2 não atendem, 1 com erro, 3 não verificados."},
                  {0, 0, 0, 1, "1 caso: 1 não verificado."}};
    for (const auto& c : counts)
        EXPECT_EQ(ManyCasesCountText(c.holds, c.fails, c.faulted, c.notChecked), c.text);
}

} // namespace
} // namespace flexara
