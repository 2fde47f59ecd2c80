// flexara-cli design: the table of diameters, the chosen one or null, the area
// needed, as JSON and CSV; the exit status; --apply writing the case with the
// chosen diameter.
#include "engine/case/CaseEditing.h"
#include "engine/design/Design.h"
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "tests/support/ColumnExample.h"
#include "tests/support/Shell.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

namespace flexara {
namespace {

testing::ShellRun Design(const std::string& arguments, bool withErrors = true)
{
    return testing::RunShell(testing::TimeLimited(120) + std::string(FLEXARA_CLI) + " design " + arguments +
                             (withErrors ? std::string(" 2>&1") : std::string(" 2>") + testing::NullDevice));
}

std::string Temp(const std::string& name, const std::string& text)
{
    const std::string path = ::testing::TempDir() + "flexara-design-" + name;
    SaveFileBytes(path, text);
    return path;
}

const std::string Column = std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-20x40.fxr";

// The example column (four 20 mm bars, 20 x 40, C-30, CA-50 A) with a block of
// combinations. ELU 1 governs: η = 1,0017 with 12,5 mm and 0,8221 with 16 mm.
const char* const SixteenBlock = "combinacoes\r\n2\r\nELU 1\r\n-500\r\n100\r\n0\r\nELU 2\r\n-1200\r\n40\r\n20\r\n";

TEST(DesignCommand, TheTableTheChosenDiameterAndTheAreaNeeded)
{
    const std::string project = Temp("sixteen.fxr", LoadProjectBytes(Column) + SixteenBlock);
    const testing::ShellRun run = Design(project, false);
    EXPECT_EQ(run.status, 0) << run.out;
    ASSERT_TRUE(nlohmann::json::accept(run.out)) << run.out;
    const nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["combinations"], 2);
    EXPECT_EQ(report["model"], "classic");
    // Ac = 800 cm²; As,min = max(0,15·1200/43,478 = 4,14, 0,004·800 = 3,2).
    EXPECT_NEAR(report["concrete_area"].get<double>(), 800.0, 1e-9);
    EXPECT_NEAR(report["as_min"].get<double>(), 0.15 * 1200 * 1.15 / 50, 1e-12);
    EXPECT_NEAR(report["as_max"].get<double>(), 32.0, 1e-12);
    EXPECT_NEAR(report["as"].get<double>(), 4 * std::acos(-1.0), 1e-12);
    EXPECT_EQ(report["nd_most_compressed"].get<double>(), -1200.0);
    EXPECT_EQ(report["chosen"].get<double>(), 16.0);
    const nlohmann::json& options = report["options"];
    ASSERT_EQ(options.size(), BarDiameters.size());
    for (std::size_t i = 0; i < options.size(); ++i) {
        const nlohmann::json& o = options[i];
        const double d = BarDiameters[i];
        SCOPED_TRACE(d);
        EXPECT_EQ(o["diameter"].get<double>(), d);
        // Four bars: 4·π·d²/400 cm².
        EXPECT_NEAR(o["as"].get<double>(), std::acos(-1.0) * d * d / 100, 1e-12);
        EXPECT_NEAR(o["ratio"].get<double>(), o["as"].get<double>() / 800, 1e-15);
        EXPECT_EQ(o["chosen"].get<bool>(), d == 16.0);
        EXPECT_TRUE(o["utilisation"].is_number());
        EXPECT_EQ(o["governing"], 0);
        EXPECT_EQ(o["governing_name"], "ELU 1");
        EXPECT_EQ(o["status"], o["utilisation"].get<double>() <= 1.0 ? "holds" : "fails");
    }
    EXPECT_NEAR(options[4]["utilisation"].get<double>(), 1.0017, 1e-4);
    EXPECT_NEAR(options[5]["utilisation"].get<double>(), 0.8221, 1e-4);
    EXPECT_EQ(options[0]["limits"], nlohmann::json({"below-minimum", "below-column-diameter"}));
    EXPECT_EQ(options[3]["limits"], nlohmann::json({"below-minimum"})); // 3,14 < 4,14 cm²
    EXPECT_EQ(options[5]["limits"], nlohmann::json::array());
    EXPECT_EQ(options[9]["limits"], nlohmann::json({"above-maximum"})); // 32,17 > 32 cm²
    // The area needed lies between the areas of 12,5 and 16 mm.
    const double needed = report["as_needed"].get<double>();
    EXPECT_GT(needed, options[4]["as"].get<double>());
    EXPECT_LT(needed, options[5]["as"].get<double>());
    EXPECT_NEAR(report["factor_needed"].get<double>() * 4 * std::acos(-1.0), needed, 1e-12);
    EXPECT_NEAR(report["ratio_needed"].get<double>(), needed / 800, 1e-15);
    EXPECT_FALSE(report["as_needed_below_smallest"].get<bool>());

    // The same as CSV: one row per diameter and the area needed last.
    const testing::ShellRun csv = Design(project + " --format csv", false);
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out.rfind("diametro;as;rho;eta;determinante;situacao;limites;escolhido\n5;", 0), 0u) << csv.out;
    EXPECT_NE(csv.out.find("\n16;8.0424771931898"), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find(";ELU 1;atende;ok;sim\n20;"), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find(";ELU 1;nao-atende;abaixo-do-minimo+diametro-menor-que-10;\n"), std::string::npos);
    std::string lastRow = csv.out.substr(csv.out.rfind('\n', csv.out.size() - 2) + 1);
    double csvNeeded = 0.0;
    ASSERT_EQ(std::sscanf(lastRow.c_str(), "necessaria;%lf;", &csvNeeded), 1) << lastRow;
    EXPECT_EQ(csvNeeded, needed);
    EXPECT_EQ(lastRow.substr(lastRow.size() - 7), ";1;;;;\n");
}

TEST(DesignCommand, ExitStatusAndRefusals)
{
    // CA-50 B with a steel factor of 2: the steel law faults.
    std::string fault = LoadProjectBytes(Column) + "combinacoes\r\n1\r\nE\r\n-100\r\n1\r\n1\r\n";
    fault.replace(fault.find(" 1.15000000000000E+0000"), 23, " 2.00000000000000E+0000");
    fault.replace(fault.find("\r\n1\r\n2\r\n"), 8, "\r\n2\r\n2\r\n");
    const testing::CommandCase cases[] = {
        // 25 mm still fails (η = 1,48); 32 and 40 mm are beyond As,max.
        {"none suffices", Temp("none.fxr", LoadProjectBytes(Column) + "combinacoes\r\n1\r\nA\r\n-500\r\n300\r\n0\r\n"),
         3, "\"chosen\": null"},
        {"loads of a CSV file", Column + " --loads " + Temp("loads.csv", "nome;nd;mxd;myd\nELU 1;-500;100;0\n"), 0,
         "\"chosen\": 16"},
        {"a fault", Temp("fault.fxr", fault), 2, "\"status\": \"error\""},
        {"no combinations", Column, 1, "the case has no load combinations"},
        {"its own case as output", Column + " -o " + Column, 1, "is the project file itself"},
        {"apply without output", Column + " --apply", 1, "--apply needs -o OUT.fxr"},
        {"svg is no design format", Column + " --format svg", 1, "--format takes json or csv"},
        {"missing case", "/nonexistent/case.fxr", 1, "File not found."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::ShellRun run = Design(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.out;
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out;
    }
}

TEST(DesignCommand, ApplyWritesTheCaseWithTheChosenDiameter)
{
    const std::string project = Temp("apply.fxr", LoadProjectBytes(Column) + SixteenBlock);
    const std::string out = ::testing::TempDir() + "flexara-design-applied.fxr";
    std::remove(out.c_str());
    const testing::ShellRun run = Design(project + " --apply -o " + out, false);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(nlohmann::json::accept(run.out)) << "the report on standard output";
    auto designed = std::make_unique<AnalysisState>();
    auto original = std::make_unique<AnalysisState>();
    CombinationList designedRows, originalRows;
    LoadProjectFileHeadless(out, *designed, &designedRows);
    const MaterialSelection selection = LoadProjectFileHeadless(project, *original, &originalRows);
    ASSERT_EQ(designed->LineCount, 2);
    EXPECT_EQ(designed->BarLines[0].Diameter, 16.0);
    EXPECT_EQ(designed->BarLines[1].Diameter, 16.0);
    EXPECT_EQ(designedRows.size(), 2u);
    // The rest of the case as it was: only the diameter lines of the file differ.
    ApplyDiameterToEveryLine(*original, 16.0);
    EXPECT_EQ(LoadProjectBytes(out), WriteProjectText(*original, [&] {
                  ProjectWriteInput input;
                  input.concreteIndex = selection.concreteIndex;
                  input.steelIndex = selection.steelIndex;
                  input.dimFieldVisible = VisibleDimFieldsOf(original->Section.ShapeKind);
                  input.combinations = &originalRows;
                  return input;
              }()));

    // None suffices: the output is not written.
    const std::string none =
        Temp("apply-none.fxr", LoadProjectBytes(Column) + "combinacoes\r\n1\r\nA\r\n-500\r\n300\r\n0\r\n");
    std::remove(out.c_str());
    const testing::ShellRun refused = Design(none + " --apply -o " + out);
    EXPECT_EQ(refused.status, 3);
    EXPECT_NE(refused.out.find("was not written"), std::string::npos) << refused.out;
    EXPECT_FALSE(std::ifstream(out).good());
    // The case itself is never the output.
    EXPECT_EQ(Design(project + " --apply -o " + project).status, 1);
}

testing::ShellRun CheckOf(const std::string& arguments)
{
    return testing::RunShell(testing::TimeLimited(120) + std::string(FLEXARA_CLI) + " check " + arguments + " 2>&1");
}

// --apply writes the case the diameter was chosen for: in the model of
// --model, with the combinations of --loads. "check" of what it wrote holds;
// the case in its own model, or with its own combinations, would not (the
// second check says so, so that the first is no check of a case that holds
// anyway).
TEST(DesignCommand, ApplyWritesTheModelAndTheLoadsItDesignedFor)
{
    // The 20 x 40 column in C-80, its file in the parabola-rectangle model.
    std::string c80 = LoadProjectBytes(Column);
    c80.replace(c80.find("\r\n3\r\n 2.14285714285714E+0000\r\n"), 28, "\r\n11\r\n 5.71428571428571E+0000\r\n");
    const std::string parabola =
        Temp("c80.fxr", c80 + "combinacoes\r\n1\r\nELU\r\n-4000\r\n60\r\n10\r\nmodelo\r\n2\r\n0\r\n");
    // The column with a row that no diameter within As,max holds, and loads
    // that 16 mm holds.
    const std::string heavy =
        Temp("heavy.fxr", LoadProjectBytes(Column) + "combinacoes\r\n1\r\nA\r\n-500\r\n300\r\n0\r\n");
    const std::string light = Temp("light.csv", "nome;nd;mxd;myd\nELU 1;-500;100;0\nELU 2;-1200;40;20\n");
    const struct {
        const char* name;
        std::string arguments;
        std::string otherwise; // the check of OUT as the case was, which fails
        bool modelBlock;
        std::size_t rows;
    } cases[] = {
        {"--model", parabola + " --model classic", " --model parabola", false, 1},
        {"--loads", heavy + " --loads " + light, " --loads " + Temp("heavy.csv", "nome;nd;mxd;myd\nA;-500;300;0\n"),
         false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string out = ::testing::TempDir() + "flexara-design-applied-" + std::string(c.name + 2) + ".fxr";
        std::remove(out.c_str());
        const testing::ShellRun run = Design(c.arguments + " --apply -o " + out, false);
        ASSERT_EQ(run.status, 0) << run.out;
        const testing::ShellRun check = CheckOf(out);
        EXPECT_EQ(check.status, 0) << check.out;
        ASSERT_TRUE(nlohmann::json::accept(check.out)) << check.out;
        const nlohmann::json checked = nlohmann::json::parse(check.out);
        EXPECT_EQ(checked["model"], "classic");
        EXPECT_EQ(checked["rows"].size(), c.rows);
        for (const nlohmann::json& row : checked["rows"])
            EXPECT_EQ(row["status"], "holds") << row.dump();
        EXPECT_EQ(CheckOf(out + c.otherwise).status, 3) << "the case as it was fails with that diameter";
        EXPECT_EQ(LoadProjectBytes(out).find("modelo\r\n") != std::string::npos, c.modelBlock);
    }
}

// A case without bars says so and tries nothing; bars that stick out of the
// concrete are said in the JSON and the CSV.
TEST(DesignCommand, NoBarsAndBarsThatDoNotFit)
{
    const std::string bare = testing::WithoutBars(LoadProjectBytes(Column) + SixteenBlock);
    const testing::ShellRun none = Design(Temp("bare.fxr", bare));
    EXPECT_EQ(none.status, 3) << none.out;
    EXPECT_NE(none.out.find("flexara-cli: O caso não tem barras"), std::string::npos) << none.out;
    const nlohmann::json report = nlohmann::json::parse(none.out.substr(none.out.find('{')));
    EXPECT_TRUE(report["without_bars"].get<bool>());
    EXPECT_TRUE(report["options"].empty());

    // The bars moved to 1,5 cm from the faces: up to 30 mm their circles lie
    // inside the 20 x 40 outline, 32 and 40 mm stick out.
    const std::string near = testing::WithBarsNearTheFaces(LoadProjectBytes(Column) + SixteenBlock);
    const std::string project = Temp("near.fxr", near);
    const nlohmann::json fits = nlohmann::json::parse(Design(project, false).out);
    EXPECT_FALSE(fits["without_bars"].get<bool>());
    for (const nlohmann::json& o : fits["options"]) {
        SCOPED_TRACE(o["diameter"].get<double>());
        EXPECT_EQ(o["fits"].get<bool>(), o["diameter"].get<double>() <= 30.0);
    }
    // The field limites of each diameter's row.
    const testing::ShellRun csv = Design(project + " --format csv", false);
    const auto limits = [&csv](const std::string& diameter) {
        const std::size_t at = csv.out.find("\n" + diameter + ";");
        if (at == std::string::npos)
            return std::string("(no row)");
        std::string line = csv.out.substr(at + 1, csv.out.find('\n', at + 1) - at - 1);
        for (int field = 0; field < 6; ++field)
            line.erase(0, line.find(';') + 1);
        return line.substr(0, line.find(';'));
    };
    EXPECT_EQ(limits("25"), "ok") << csv.out;
    EXPECT_EQ(limits("32"), "acima-do-maximo+nao-cabe") << csv.out;
    EXPECT_EQ(limits("40"), "acima-do-maximo+nao-cabe") << csv.out;
}

// A case with a column is designed with the column's situations: every
// option's η is what "check" reads for the case with that diameter in every
// line (the check's own reading of the column, run separately), and it is
// larger than the same case read as a section wherever a row in compression
// governs (the minimum moments and the second order only add). --apply keeps the block "pilar" and the base
// moments: the file written is the case with the diameter changed, checked
// again to the η of the chosen option.
TEST(DesignCommand, AColumnIsDesignedWithItsSituationsAndKeptByApply)
{
    const std::string slender = std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-esbelto.fxr";
    const testing::ShellRun run = Design(slender, false);
    ASSERT_TRUE(nlohmann::json::accept(run.out)) << run.out;
    const nlohmann::json designed = nlohmann::json::parse(run.out);
    ASSERT_FALSE(designed["chosen"].is_null());
    const double chosen = designed["chosen"].get<double>();

    // The same case without its column: the rows as a section.
    const std::string text = LoadProjectBytes(slender);
    const std::string section = Temp("section.fxr", text.substr(0, text.find("pilar\r\n")));
    const nlohmann::json asSection = nlohmann::json::parse(Design(section, false).out);

    for (std::size_t k = 0; k < designed["options"].size(); ++k) {
        const nlohmann::json& option = designed["options"][k];
        const double diameter = option["diameter"].get<double>();
        SCOPED_TRACE(diameter);
        // The thinnest bars leave the tension row beyond N1: no η to compare.
        if (option["utilisation"].is_null())
            continue;
        auto state = std::make_unique<AnalysisState>();
        CombinationList rows;
        std::optional<flexara::Column> column;
        const MaterialSelection selection = LoadProjectFileHeadless(slender, *state, &rows, &column);
        ApplyDiameterToEveryLine(*state, diameter);
        ProjectWriteInput input;
        input.concreteIndex = selection.concreteIndex;
        input.steelIndex = selection.steelIndex;
        input.dimFieldVisible = VisibleDimFieldsOf(state->Section.ShapeKind);
        input.combinations = &rows;
        input.column = &column;
        const std::string withDiameter = Temp("with-diameter.fxr", WriteProjectText(*state, input));
        const nlohmann::json check = nlohmann::json::parse(
            testing::RunShell(std::string(FLEXARA_CLI) + " check " + withDiameter + " 2>" + testing::NullDevice).out);
        const int governing = check["governing"].get<int>();
        ASSERT_GE(governing, 0);
        EXPECT_EQ(option["utilisation"].get<double>(), check["rows"][governing]["utilisation"].get<double>());
        // The tension row is read at its two ends, equal here, as a section is.
        const double sectionEta = asSection["options"][k]["utilisation"].get<double>();
        if (option["governing_name"] == "ELU 4 - tracao")
            EXPECT_EQ(option["utilisation"].get<double>(), sectionEta);
        else
            EXPECT_GT(option["utilisation"].get<double>(), sectionEta);
    }

    const std::string out = ::testing::TempDir() + "flexara-design-slender-applied.fxr";
    std::remove(out.c_str());
    EXPECT_EQ(Design(slender + " --apply -o " + out, false).status, 0);
    const std::string applied = LoadProjectBytes(out);
    ASSERT_NE(applied.find("pilar\r\n"), std::string::npos);
    EXPECT_EQ(applied.substr(applied.find("combinacoes\r\n")), text.substr(text.find("combinacoes\r\n")));
    auto state = std::make_unique<AnalysisState>();
    std::optional<flexara::Column> column;
    LoadProjectFileHeadless(out, *state, nullptr, &column);
    ASSERT_TRUE(column.has_value());
    EXPECT_EQ(state->BarLines[0].Diameter, chosen);
}

} // namespace
} // namespace flexara
