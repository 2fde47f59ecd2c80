// flexara-cli check on a case with a column: every number of both bendings
// in the JSON, the CSV's extra fields, base moments from --loads, the case's
// verdict with the steel limits and its exit status, the warning of a column
// without compression, and the output of a case without a column as it
// always was.
#include "project/ProjectFile.h"
#include "tests/engine/TestCases.h"
#include "tests/support/Shell.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace flexara {
namespace {

testing::ShellRun Check(const std::string& arguments)
{
    return testing::RunShell(testing::TimeLimited(120) + std::string(FLEXARA_CLI) + " check " + arguments + " 2>&1");
}

std::string Temp(const std::string& name, const std::string& text)
{
    const std::string path = ::testing::TempDir() + "flexara-column-" + name;
    SaveFileBytes(path, text);
    return path;
}

// The example: 20 cm along x by 50 cm along y, C-30 (fcd = 3,0/1,4 =
// 2,142857 kN/cm²), le = 280 cm in both bendings, both pinned without
// transverse loads, the curvature method. Ac = 1000 cm².
const std::string Example = std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-esbelto.fxr";

struct Expected {
    const char* bending;
    double h, lambda, m1dMin, alphaB, lambda1, m1dA;
    bool secondOrder;
    double curvature; // 0 where none
    double mdTot;
};

TEST(ColumnCheck, EveryNumberOfBothBendingsAgainstTheHandWorking)
{
    const testing::ShellRun run = Check(Example);
    // Row 4 is in tension: it holds as a section.
    ASSERT_TRUE(nlohmann::json::accept(run.out)) << run.out;
    const nlohmann::json report = nlohmann::json::parse(run.out);
    ASSERT_EQ(report["rows"].size(), 4u);
    EXPECT_EQ(report["column"]["Mxd"]["le"], 280);
    EXPECT_EQ(report["column"]["method"], "curvature");

    const double iX = 50.0 / std::sqrt(12.0); // 14,434 cm
    const double iY = 20.0 / std::sqrt(12.0); // 5,7735 cm
    // Row 1, Nd = -1400, no first-order moments. ν = 1400/2142,857 = 0,65333.
    //   Mxd (h = 50): M1d,min = 1400·(0,015 + 0,03·0,50) = 42; αb = 1 (MA = 0
    //   below the minimum); λ1 = 25 → 35; λ = 280/14,434 = 19,40 ≤ 35: no
    //   second order, Md,tot = 42.
    //   Myd (h = 20): M1d,min = 1400·0,021 = 29,4; λ = 280/5,7735 = 48,50 >
    //   35; 1/r = 0,005/(0,20·1,15333) = 0,021676 ≤ 0,025;
    //   Md,tot = 29,4 + 1400·2,8²/10·0,021676 = 29,4 + 23,792 = 53,19.
    const double nu1 = 1400.0 / (1000.0 * 3.0 / 1.4);
    const double r1 = 0.005 / (0.20 * (nu1 + 0.5));
    // Row 2, Nd = -1000, top (50, 15), base (25, 10). ν = 0,46667.
    //   Mxd: M1d,min = 30; MA = 50, MB = 25, αb = 0,6 + 0,4·0,5 = 0,8;
    //   e1 = 5000/1000 = 5 cm; λ1 = (25 + 12,5·5/50)/0,8 = 32,81 → 35;
    //   λ = 19,40: Md,tot = 50.
    //   Myd: M1d,min = 21 > |MA| = 15: αb = 1, M1d,A = 21; e1 = 1,5 cm;
    //   λ1 = 25,94 → 35; λ = 48,50: 1/r = 0,005/(0,20·0,96667) = 0,025862,
    //   held to 0,005/0,20 = 0,025; Md,tot = 21 + 1000·0,784·0,025 = 40,6.
    const Expected expected[2][2] = {
        {{"Mxd", 50, 280 / iX, 42, 1.0, 35, 42, false, 0, 42},
         {"Myd", 20, 280 / iY, 29.4, 1.0, 35, 29.4, true, r1, 29.4 + 1400 * 0.784 * r1}},
        {{"Mxd", 50, 280 / iX, 30, 0.8, 35, 50, false, 0, 50},
         {"Myd", 20, 280 / iY, 21, 1.0, 35, 21, true, 0.025, 40.6}},
    };
    EXPECT_NEAR(expected[0][1].mdTot, 53.19, 0.005);
    for (int row = 0; row < 2; ++row)
        for (const Expected& e : expected[row]) {
            SCOPED_TRACE(::testing::Message() << "row " << row + 1 << ", " << e.bending);
            const nlohmann::json& column = report["rows"][row]["column"];
            EXPECT_EQ(column["status"], "checked");
            const nlohmann::json& b = column[e.bending];
            EXPECT_NEAR(b["h"].get<double>(), e.h, 1e-9);
            EXPECT_NEAR(b["lambda"].get<double>(), e.lambda, 1e-9);
            EXPECT_NEAR(b["m1d_min"].get<double>(), e.m1dMin, 1e-9);
            EXPECT_NEAR(b["alpha_b"].get<double>(), e.alphaB, 1e-12);
            EXPECT_NEAR(b["lambda1"].get<double>(), e.lambda1, 1e-12);
            EXPECT_NEAR(b["m1d_a"].get<double>(), e.m1dA, 1e-9);
            EXPECT_EQ(b["second_order"].get<bool>(), e.secondOrder);
            if (e.secondOrder)
                EXPECT_NEAR(b["curvature"].get<double>(), e.curvature, 1e-12);
            else
                EXPECT_TRUE(b["curvature"].is_null());
            EXPECT_NEAR(b["md_tot"].get<double>(), e.mdTot, 1e-9);
        }
    EXPECT_NEAR(report["rows"][0]["column"]["nu"].get<double>(), nu1, 1e-12);

    // The situations of row 1: the ends at the origin, the intermediate
    // section at (±42, ±53,19), the envelope with semi-axes 42 and 53,19.
    const nlohmann::json& situations = report["rows"][0]["column"]["situations"];
    ASSERT_EQ(situations.size(), 4u);
    const char* const names[] = {"top", "base", "intermediate", "minimum"};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(situations[k]["name"], names[k]);
    EXPECT_NEAR(std::fabs(situations[2]["mx"].get<double>()), 42.0, 1e-9);
    EXPECT_NEAR(std::fabs(situations[2]["my"].get<double>()), expected[0][1].mdTot, 1e-9);
    const double ex = situations[3]["mx"].get<double>() / 42.0;
    const double ey = situations[3]["my"].get<double>() / expected[0][1].mdTot;
    EXPECT_NEAR(ex * ex + ey * ey, 1.0, 1e-9) << "the envelope's point is on its ellipse";
    // The intermediate section is the corner of the envelope's box: it governs.
    EXPECT_EQ(report["rows"][0]["column"]["governing_situation"], "intermediate");
    double largest = 0.0;
    for (const nlohmann::json& s : situations)
        largest = std::max(largest, s["utilisation"].get<double>());
    EXPECT_EQ(report["rows"][0]["utilisation"].get<double>(), largest);

    // Row 4, in tension: no column check, its two ends read as sections.
    const nlohmann::json& tension = report["rows"][3]["column"];
    EXPECT_EQ(tension["status"], "tension");
    EXPECT_FALSE(tension.contains("Mxd"));
    ASSERT_EQ(tension["situations"].size(), 2u);
    EXPECT_EQ(tension["situations"][1]["name"], "base");
    EXPECT_EQ(tension["situations"][1]["mx"], 10);
}

TEST(ColumnCheck, TheGeneralMethodGivesEachBendingsStations)
{
    // The example with method 3 in its "pilar" block (the sixth line of it).
    std::ifstream in(Example, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t at = text.find("pilar\r\n");
    ASSERT_NE(at, std::string::npos);
    for (int line = 0; line < 5; ++line)
        at = text.find("\r\n", at) + 2;
    ASSERT_EQ(text.substr(at, 3), "0\r\n");
    text[at] = '3';
    const testing::ShellRun run = Check(Temp("general.fxr", text));
    ASSERT_TRUE(nlohmann::json::accept(run.out)) << run.out;
    const nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["column"]["method"], "general");
    // Row 1: Nd = −1400 kN, both bars pinned, 280 cm in 40 steps of 7 cm.
    const nlohmann::json& column = report["rows"][0]["column"];
    for (const char* name : {"Mxd", "Myd"}) {
        SCOPED_TRACE(name);
        const nlohmann::json& bending = column[name];
        const nlohmann::json& stations = bending["stations"];
        ASSERT_EQ(stations.size(), 41u);
        EXPECT_GE(bending["iterations"].get<int>(), 1);
        double largest = 0, where = -1;
        for (std::size_t k = 0; k < stations.size(); ++k) {
            const nlohmann::json& s = stations[k];
            EXPECT_NEAR(s["z"].get<double>(), 7.0 * static_cast<double>(k), 1e-9);
            // M = M1 + |Nd|·u, u in cm.
            EXPECT_NEAR(s["m"].get<double>(), s["m1"].get<double>() + 1400 * s["u"].get<double>() / 100, 1e-9);
            EXPECT_EQ(s["curvature"].get<double>() < 0, s["m"].get<double>() < 0);
            if (std::fabs(s["m"].get<double>()) > largest) {
                largest = std::fabs(s["m"].get<double>());
                where = s["z"].get<double>();
            }
        }
        EXPECT_EQ(stations[0]["u"].get<double>(), 0.0);
        EXPECT_NEAR(stations[40]["u"].get<double>(), 0.0, 1e-12);
        EXPECT_NEAR(bending["md_tot"].get<double>(), largest, 1e-12 * largest);
        EXPECT_EQ(bending["md_tot_station"].get<double>(), where);
    }
}

// examples/pilar-geral.fxr: the 20 × 40 C-30 column, le = 866 cm both
// ways, pinned, by the general method. About y (h = 20 cm) λ = 866·√12/20 =
// 150,0, so creep counts: Eci = 5600·√30 = 30 672 MPa, Ic = 40·20³/12 =
// 26 666,7 cm⁴, Ne = 10·3067,25·26 666,7/866² = 1090,64 kN; for row 1 (Nd =
// −200 kN, Myd = 10 kN·m at both ends, ψ = 0,6, φ = 2) Nsg = 120 kN, Msg =
// 6 kN·m, θ1 = 1/(100·√8,66) = 0,0033981, ea = θ1·433 = 1,4714 cm, e_cc =
// (5 + 1,4714)·(e^(2·120/970,64) − 1) = 6,4714·0,28048 = 1,8151 cm, so M1 =
// 10 + 200·0,018151 = 13,630 kN·m all along. About x (λ = 75,0, no creep)
// M1 = M1d,min = 200·(0,015 + 0,03·0,40) = 5,40 kN·m.
TEST(ColumnCheck, TheGeneralMethodsExampleAtLambda150)
{
    const testing::ShellRun run = Check(std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-geral.fxr");
    ASSERT_TRUE(nlohmann::json::accept(run.out)) << run.out;
    const nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["column"]["method"], "general");
    EXPECT_TRUE(report["verdict"]["holds"].get<bool>());
    EXPECT_EQ(report["governing"], 0);
    const nlohmann::json& column = report["rows"][0]["column"];
    EXPECT_EQ(column["status"], "checked");
    EXPECT_NEAR(column["Myd"]["lambda"].get<double>(), 866.0 * std::sqrt(12.0) / 20.0, 1e-9);
    const struct {
        const char* bending;
        double m1;
    } bendings[] = {{"Mxd", 5.40}, {"Myd", 13.630}};
    for (const auto& b : bendings) {
        SCOPED_TRACE(b.bending);
        const nlohmann::json& stations = column[b.bending]["stations"];
        ASSERT_EQ(stations.size(), 41u);
        for (const nlohmann::json& s : stations)
            EXPECT_NEAR(std::fabs(s["m1"].get<double>()), b.m1, 5e-4);
        // Equal end moments: the largest moment at mid-height, beyond M1.
        EXPECT_EQ(column[b.bending]["md_tot_station"].get<double>(), 433.0);
        EXPECT_GT(column[b.bending]["md_tot"].get<double>(), b.m1);
    }
    // The slender bending is far from linear: its Md,tot is nearly three
    // times M1, where the elastic amplification 1/(1 − N/Ne) with the gross
    // section's Ne would give 13,63/(1 − 200/1090,64) = 16,7 kN·m.
    EXPECT_GT(column["Myd"]["md_tot"].get<double>(), 2.5 * 13.63);
}

TEST(ColumnCheck, TheCsvEndsWithTheGoverningSituationAndBothTotals)
{
    const testing::ShellRun csv = Check(Example + " --format csv");
    EXPECT_EQ(csv.out.rfind("nome;nd;mxd;myd;mxd_base;myd_base;situacao;eta;mrx;mry;mrd;axial;determinante;"
                            "situacao_pilar;md_tot_x;md_tot_y;estado_pilar\n",
                            0),
              0u)
        << csv.out;
    // Row 2: base (25, 10); Md,tot 50 and 40,6 (worked above).
    const std::size_t at = csv.out.find("\nELU 2 - curvatura simples;-1000;50;15;25;10;");
    ASSERT_NE(at, std::string::npos) << csv.out;
    std::vector<std::string> fields;
    {
        const std::string line = csv.out.substr(at + 1, csv.out.find('\n', at + 1) - at - 1);
        std::size_t from = 0;
        for (std::size_t to; (to = line.find(';', from)) != std::string::npos; from = to + 1)
            fields.push_back(line.substr(from, to - from));
        fields.push_back(line.substr(from));
    }
    ASSERT_EQ(fields.size(), 17u);
    EXPECT_EQ(fields[13], "intermediaria");
    EXPECT_NEAR(std::stod(fields[14]), 50.0, 1e-12);
    EXPECT_NEAR(std::stod(fields[15]), 40.6, 1e-12);
    EXPECT_EQ(fields[16], "verificado");
    // The tension row has no Md,tot.
    EXPECT_NE(csv.out.find(";;;tracao\n", csv.out.find("ELU 4")), std::string::npos) << csv.out;
    // It reads back as the loads of the case, base moments and all.
    const testing::ShellRun again = Check(Example + " --loads " + Temp("again.csv", csv.out) + " --format csv");
    EXPECT_EQ(again.out, csv.out);
}

TEST(ColumnCheck, BaseMomentsFromLoadsOrTheTops)
{
    const struct {
        const char* name;
        std::string csv;
        double mxdBase;
    } cases[] = {
        {"given", "nome;nd;mxd;myd;mxd_base;myd_base\nA;-1000;50;15;-20;10\n", -20},
        {"an empty field: the top's", "nome;nd;mxd;myd;mxd_base;myd_base\nA;-1000;50;15;;10\n", 50},
        {"no such fields: the top's", "nome;nd;mxd;myd\nA;-1000;50;15\n", 50},
        {"decimal commas", "nome;nd;mxd;myd;mxd_base;myd_base\nA;-1000;50;15;-20,5;10\n", -20.5},
        {"the base of Myd first", "nome;nd;mxd;myd;myd_base;mxd_base\nA;-1000;50;15;10;-20\n", -20},
        {"the base of Mxd alone", "nome;nd;mxd;myd;mxd_base\nA;-1000;50;15;-20\n", -20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::ShellRun run = Check(Example + " --loads " + Temp("loads.csv", c.csv));
        ASSERT_TRUE(nlohmann::json::accept(run.out)) << run.out;
        const nlohmann::json report = nlohmann::json::parse(run.out);
        EXPECT_EQ(report["rows"][0]["mxd_base"].get<double>(), c.mxdBase);
        // MB/MA = base/top for the Mxd bending (|top| ≥ |base| here).
        EXPECT_NEAR(report["rows"][0]["column"]["Mxd"]["mb"].get<double>(), c.mxdBase, 1e-12);
    }
}

// Nd = 0 is no tension: its own status in the JSON and the CSV, its two ends
// read as sections all the same.
TEST(ColumnCheck, AZeroNdIsNoTension)
{
    const std::string loads = Temp("zero.csv", "nome;nd;mxd;myd\nZero;0;10;5\nTracao;100;10;5\n");
    const testing::ShellRun run = Check(Example + " --loads " + loads);
    ASSERT_TRUE(nlohmann::json::accept(run.out)) << run.out;
    const nlohmann::json report = nlohmann::json::parse(run.out);
    const struct {
        const char* status;
        const char* message;
        const char* csvLine;
    } rows[] = {
        {"zero-nd", "Nd nulo: sem verificação de pilar", "\nZero;0;10;5;"},
        {"tension", "Nd de tração: sem verificação de pilar", "\nTracao;100;10;5;"},
    };
    const testing::ShellRun csv = Check(Example + " --loads " + loads + " --format csv");
    for (std::size_t r = 0; r < 2; ++r) {
        SCOPED_TRACE(rows[r].status);
        const nlohmann::json& column = report["rows"][r]["column"];
        EXPECT_EQ(column["status"], rows[r].status);
        EXPECT_EQ(column["message"], rows[r].message);
        EXPECT_FALSE(column.contains("Mxd"));
        ASSERT_EQ(column["situations"].size(), 2u);
        const std::size_t at = csv.out.find(rows[r].csvLine);
        ASSERT_NE(at, std::string::npos) << csv.out;
        const std::string line = csv.out.substr(at + 1, csv.out.find('\n', at + 1) - at - 1);
        EXPECT_EQ(line.substr(line.rfind(';') + 1), std::string(rows[r].status) == "zero-nd" ? "nd-nulo" : "tracao");
    }
}

// A column of length 0 (as files of before were written when the lengths
// were left untouched) still opens and rewrites, but every command that
// checks the column refuses it, naming the bending.
TEST(ColumnCheck, AColumnWithoutALengthIsRefusedByEveryCommandThatChecksIt)
{
    const std::string text = LoadProjectBytes(Example);
    const std::string lengths = "pilar\r\n 2.80000000000000E+0002\r\n 2.80000000000000E+0002\r\n";
    ASSERT_NE(text.find(lengths), std::string::npos);
    const struct {
        const char* name;
        const char* replacement;
        const char* message;
    } files[] = {
        {"Mxd", "pilar\r\n 0.00000000000000E+0000\r\n 2.80000000000000E+0002\r\n",
         "Pilar: le (Mxd) nulo: o comprimento de flambagem deve ser positivo."},
        {"Myd", "pilar\r\n 2.80000000000000E+0002\r\n 0.00000000000000E+0000\r\n",
         "Pilar: le (Myd) nulo: o comprimento de flambagem deve ser positivo."},
    };
    for (const auto& f : files) {
        std::string zero = text;
        zero.replace(zero.find(lengths), lengths.size(), f.replacement);
        const std::string project = Temp(std::string("zero-") + f.name + ".fxr", zero);
        const std::string out = ::testing::TempDir() + "flexara-column-zero-out";
        for (const char* command : {"check", "design", "report"}) {
            SCOPED_TRACE(std::string(f.name) + ", " + command);
            const testing::ShellRun run = testing::RunShell(testing::TimeLimited(120) + std::string(FLEXARA_CLI) + " " +
                                                            command + " " + project + " -o " + out + " 2>&1");
            EXPECT_EQ(run.status, 1) << run.out;
            EXPECT_NE(run.out.find(project + ": " + f.message), std::string::npos) << run.out;
        }
        SCOPED_TRACE(f.name);
        const testing::ShellRun rewrite =
            testing::RunShell(std::string(FLEXARA_CLI) + " rewrite " + project + " -o " + out + " 2>&1");
        EXPECT_EQ(rewrite.status, 0) << rewrite.out;
        EXPECT_EQ(LoadProjectBytes(out), zero);
    }
}

// A 20 × 50 cm column (C-30, CA-50 A, Ac = 1000 cm²) of two lines of bars at
// y = 4 and y = 46, short (le = 150 cm: λ = 26 < 35), written as the window
// writes it.
std::string ShortColumnCase(const std::string& name, int barsPerLine, double diameter, const CombinationList& rows)
{
    auto s = testing::MakeRectangleCase(20, 50,
                                        {{barsPerLine, diameter, 4, 4, 16, 4}, {barsPerLine, diameter, 4, 46, 16, 46}});
    std::optional<Column> column = Column{};
    column->bending[0].le = 150;
    column->bending[1].le = 150;
    ProjectWriteInput input;
    input.dimFieldVisible = VisibleDimFieldsOf(s->Section.ShapeKind);
    input.combinations = &rows;
    input.column = &column;
    return Temp(name, WriteProjectText(*s, input));
}

TEST(ColumnCheck, TheVerdictCountsTheSteelLimitsAndSetsTheExitStatus)
{
    // As,mín = max(0,15·300/43,478; 0,004·1000) = 4,00 cm², As,máx = 40 cm².
    // 4 φ10 = 4·0,785 = 3,14 cm²; 8 φ8 = 8·0,503 = 4,02 cm²; 4 φ20 = 12,57 cm²;
    // 4 φ40 = 50,27 cm².
    const CombinationList light = {{"ELU 1", -300, 10, 5}};
    const struct {
        const char* name;
        int bars;
        double diameter;
        int status;
        bool holds;
        std::vector<std::string> limits;
        const char* message;
    } cases[] = {
        {"4 φ10: As < As,mín",
         2,
         10,
         3,
         false,
         {"below-minimum"},
         "O pilar não atende: todas as combinações atendem (combinação determinante ELU 1, "},
        {"8 φ8: φ < 10 mm",
         4,
         8,
         3,
         false,
         {"below-column-diameter"},
         "O pilar não atende: todas as combinações atendem (combinação determinante ELU 1, "},
        {"4 φ40: As > As,máx",
         2,
         40,
         3,
         false,
         {"above-maximum"},
         "O pilar não atende: todas as combinações atendem (combinação determinante ELU 1, "},
        {"4 φ20: within the limits", 2, 20, 0, true, {}, "O pilar atende: combinação determinante ELU 1, "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::ShellRun run = Check(ShortColumnCase("steel.fxr", c.bars, c.diameter, light));
        EXPECT_EQ(run.status, c.status);
        ASSERT_TRUE(nlohmann::json::accept(run.out)) << run.out;
        const nlohmann::json report = nlohmann::json::parse(run.out);
        EXPECT_EQ(report["rows"][0]["status"], "holds") << "the row holds in η whatever the steel";
        const nlohmann::json& verdict = report["verdict"];
        EXPECT_EQ(verdict["holds"], c.holds);
        EXPECT_EQ(verdict["combinations_hold"], true);
        EXPECT_EQ(verdict["governing_name"], "ELU 1");
        EXPECT_EQ(verdict["utilisation"], report["rows"][0]["utilisation"]);
        EXPECT_EQ(verdict["governing_situation"], report["rows"][0]["column"]["governing_situation"]);
        EXPECT_NEAR(verdict["steel"]["as_min"].get<double>(), 4.0, 1e-12);
        EXPECT_NEAR(verdict["steel"]["as_max"].get<double>(), 40.0, 1e-12);
        EXPECT_NEAR(verdict["steel"]["as"].get<double>(),
                    2 * c.bars * std::acos(-1.0) * c.diameter * c.diameter / 400.0, 1e-9);
        EXPECT_EQ(verdict["steel"]["smallest_diameter"].get<double>(), c.diameter);
        EXPECT_EQ(verdict["steel"]["limits"].get<std::vector<std::string>>(), c.limits);
        const std::string message = verdict["message"].get<std::string>();
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << message;
        EXPECT_TRUE(report["warnings"].empty());
    }
}

TEST(ColumnCheck, AColumnWithoutCompressionIsWarnedOf)
{
    // The loads typed with compression positive: every row a tie.
    const std::string file = ShortColumnCase("ties.fxr", 2, 20, {{"ELU 1", 300, 10, 5}, {"ELU 2", 150, 0, 0}});
    const char* const warning = "Nenhuma combinação comprime o pilar: neste programa a compressão é negativa (Nd < 0)";
    const testing::ShellRun run = Check(file);
    ASSERT_TRUE(nlohmann::json::accept(run.out)) << run.out;
    const nlohmann::json report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["warnings"], nlohmann::json::array({warning}));
    EXPECT_EQ(report["rows"][0]["column"]["status"], "tension");
    // The CSV has no place for it: standard error says it.
    const testing::ShellRun errors = testing::RunShell(testing::TimeLimited(120) + std::string(FLEXARA_CLI) +
                                                       " check " + file + " --format csv 2>&1 >" + testing::NullDevice);
    EXPECT_EQ(errors.out, std::string("flexara-cli: ") + warning + "\n");
    // One row in compression: no warning.
    const testing::ShellRun one =
        Check(ShortColumnCase("one.fxr", 2, 20, {{"ELU 1", 300, 10, 5}, {"ELU 2", -150, 0, 0}}));
    EXPECT_TRUE(nlohmann::json::parse(one.out)["warnings"].empty()) << one.out;
}

TEST(ColumnCheck, ACaseWithoutAColumnGivesNoColumnKeys)
{
    const std::string plain = std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-20x40-combinacoes.fxr";
    const testing::ShellRun run = Check(plain);
    EXPECT_EQ(run.out.find("column"), std::string::npos);
    EXPECT_EQ(run.out.find("base"), std::string::npos);
    const testing::ShellRun csv = Check(plain + " --format csv");
    EXPECT_EQ(csv.out.rfind("nome;nd;mxd;myd;situacao;eta;mrx;mry;mrd;axial;determinante\n", 0), 0u) << csv.out;
}

} // namespace
} // namespace flexara
