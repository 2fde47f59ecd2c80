// flexara-cli on small and slender columns: check's JSON per bending (γn,
// the coupled method's MRd, (EI)sec and κ, e_cc, the applicability and the
// method), one verdict of a refused row in the JSON and the CSV, a free
// polygon with and without its typed b, and the subcommand curvature (its
// curve, B and (EI)sec, its options and formats).
#include "project/ProjectFile.h"
#include "tests/support/Shell.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace flexara {
namespace {

testing::ShellRun Cli(const std::string& arguments)
{
    return testing::RunShell(testing::TimeLimited(120) + std::string(FLEXARA_CLI) + " " + arguments + " 2>&1");
}

testing::ShellRun CliOut(const std::string& arguments)
{
    return testing::RunShell(testing::TimeLimited(120) + std::string(FLEXARA_CLI) + " " + arguments + " 2>" +
                             testing::NullDevice);
}

std::string Temp(const std::string& name, const std::string& text)
{
    const std::string path = ::testing::TempDir() + "flexara-slender-" + name;
    SaveFileBytes(path, text);
    return path;
}

// The example column: 20 x 40 cm, C-30 (fcd = 2,142857 kN/cm²), four 20 mm
// bars 4 cm from the faces, no blocks after the section.
std::string Column20x40()
{
    std::ifstream in(std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-20x40.fxr", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

void Replace(std::string& text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

// One row "c" at Nd −800 kN with Myd 20 at both ends when endMoments, none
// else; a column of le 450 or 600 cm both ways, pinned, by a method.
std::string OneRowColumn(const char* le, const char* method, bool endMoments)
{
    return Lines({"combinacoes", "1", "c", "-800", "0", endMoments ? "20" : "0", "pilar", le, le, "0", "0", method, "0",
                  endMoments ? "20" : "0"});
}

nlohmann::json Json(const testing::ShellRun& run)
{
    EXPECT_TRUE(nlohmann::json::accept(run.out)) << run.out;
    return nlohmann::json::accept(run.out) ? nlohmann::json::parse(run.out) : nlohmann::json();
}

TEST(SlenderColumnCheck, TheCoupledMethodPerBendingWorkedFromPointB)
{
    // As worked in the engine's tests of the coupled method, at Nd = −800 kN
    // and le = 450 cm: MRd = 148,968 (Mxd) and 62,480 (Myd) kN·m; B at 1/r =
    // 0,00804493 and 0,0167338 1/m; (EI)sec = 135,4255/0,00804493 = 16833,64
    // and 56,8000/0,0167338 = 3394,315 kN·m²; κ = (EI)sec·10⁴/(Ac·h²·fcd) =
    // 61,373 and 49,500; Md,tot = 21,6/0,903764 = 23,9000 and 16,8/0,522731
    // = 32,1389 kN·m (M1d,min over the denominator).
    const std::string path = Temp("coupled.fxr", Column20x40() + OneRowColumn("450", "2", false));
    const testing::ShellRun run = CliOut("check " + path);
    EXPECT_EQ(run.status, 0) << run.out;
    const nlohmann::json report = Json(run);
    EXPECT_EQ(report["column"]["method"], "coupled");
    const nlohmann::json& column = report["rows"][0]["column"];
    ASSERT_EQ(column["status"], "checked") << column.dump();
    EXPECT_EQ(column["method"], "coupled");
    EXPECT_EQ(column["gamma_n"], 1.0);
    EXPECT_EQ(column["least_dimension"], 20.0);
    const struct {
        const char* bending;
        double mrd, eiSec, kappa, mdTot, h;
    } cases[] = {
        {"Mxd", 148.968, 16833.64, 61.373, 23.9000, 40.0},
        {"Myd", 62.480, 3394.315, 49.500, 32.1389, 20.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bending);
        const nlohmann::json& b = column[c.bending];
        EXPECT_EQ(b["method"], "coupled");
        EXPECT_EQ(b["gamma_n"], 1.0);
        EXPECT_NEAR(b["mrd"].get<double>(), c.mrd, 1e-3);
        EXPECT_NEAR(b["ei_sec"].get<double>(), c.eiSec, 0.01);
        EXPECT_NEAR(b["kappa"].get<double>(), c.kappa, 1e-3);
        EXPECT_NEAR(b["md_tot"].get<double>(), c.mdTot, 1e-4);
        EXPECT_TRUE(b["e_cc"].is_null()) << "no creep up to λ = 90";
        // The numbers agree among themselves: (EI)sec = (MRd/γf3)/(1/r)_B and
        // κ = (EI)sec·10⁴/(Ac·h²·fcd), Ac = 800 cm², fcd = 3/1,4.
        const nlohmann::json& positive = b["coupled"][0];
        EXPECT_EQ(positive["side"], "positive");
        const double target = positive["mrd"].get<double>() / 1.1;
        EXPECT_NEAR(positive["mrd_over_gamma_f3"].get<double>(), target, 1e-9);
        EXPECT_NEAR(positive["point_b"]["m"].get<double>(), target, 1e-6 * target);
        EXPECT_NEAR(positive["ei_sec"].get<double>(), target / positive["point_b"]["curvature"].get<double>(),
                    1e-9 * c.eiSec);
        EXPECT_NEAR(b["kappa"].get<double>(), b["ei_sec"].get<double>() * 1e4 / (800.0 * c.h * c.h * 3.0 / 1.4), 1e-9);
        // The bars are mirrored both ways: the approximate methods would apply
        // but for the κ method's own conditions, which the rectangle meets.
        EXPECT_EQ(b["applicability"]["bars_symmetric"], true);
        EXPECT_EQ(b["applicability"]["rectangle"], true);
        EXPECT_EQ(b["applicability"]["curvature"], "none");
        EXPECT_EQ(b["applicability"]["stiffness"], "none");
    }
}

TEST(SlenderColumnCheck, CreepAboveNinetyAndItsRefusalWithoutTheData)
{
    // le = 600 cm: λ about y = 600/5,7735 = 103,92 > 90, about x 51,96. With
    // φ = 2 and ψ = 0,6 (as worked in the engine's creep test): Eci =
    // 5600·√30 = 30672,46 MPa, Ic = 40·20³/12 = 26666,67 cm⁴, Ne =
    // 10·3067,246·26666,67/600² = 2272,034 kN, Nsg = 480 kN, Msg = 12 kN·m,
    // θ1 = 1/(100·√6) = 0,00408248, ea = 0,00408248·600/2 = 1,224745 cm,
    // e_cc = (1200/480 + 1,224745)·(2,718^(2·480/1792,034) − 1) = 2,639190 cm.
    const std::string withCreep =
        Column20x40() + OneRowColumn("600", "2", true) + Lines({"pilar-b-fluencia", "0", "1", "2", "1", "0.6", "0"});
    const nlohmann::json report = Json(CliOut("check " + Temp("creep.fxr", withCreep)));
    EXPECT_EQ(report["column"]["phi"], 2.0);
    EXPECT_EQ(report["column"]["psi"], 0.6);
    EXPECT_EQ(report["column"]["aggregate"], "granite-or-gneiss");
    const nlohmann::json& column = report["rows"][0]["column"];
    EXPECT_TRUE(column["Mxd"]["e_cc"].is_null());
    ASSERT_TRUE(column["Myd"]["e_cc"].is_number()) << column.dump();
    EXPECT_NEAR(column["Myd"]["e_cc"].get<double>(), 2.639190, 1e-6);
    EXPECT_NEAR(column["Myd"]["creep"]["ne"].get<double>(), 2272.0343, 1e-4);
    EXPECT_NEAR(column["Myd"]["creep"]["moment"].get<double>(), 800 * 2.639190 / 100, 1e-5);

    // Without φ and ψ the row is refused, by the engine's status alone: both
    // Md,tot null in the JSON, empty in the CSV, "recusada" as its state.
    const std::string path = Temp("nocreep.fxr", Column20x40() + OneRowColumn("600", "2", true));
    const testing::ShellRun run = CliOut("check " + path);
    EXPECT_EQ(run.status, 3);
    const nlohmann::json refused = Json(run)["rows"][0]["column"];
    EXPECT_EQ(refused["status"], "refused");
    EXPECT_EQ(refused["refusal"], "creep-data-missing");
    EXPECT_TRUE(refused["Mxd"]["md_tot"].is_null());
    EXPECT_TRUE(refused["Myd"]["md_tot"].is_null());
    const testing::ShellRun csv = CliOut("check " + path + " --format csv");
    EXPECT_NE(csv.out.find(";;;recusada\n"), std::string::npos) << csv.out;
}

TEST(SlenderColumnCheck, AnUnstableRowFailsWithoutMdTot)
{
    // le = 800 cm: about y λ = 800/5,7735 = 138,56 ≤ 140, creep counted
    // (Ne = 10·3067,25·26666,67/800² = 1278,0 kN > Nsg = 480 kN); (EI)sec =
    // 3394,3 kN·m² gives 1 − 800·8²/(10·3394,3) = 1 − 1,5084 < 0: unstable.
    const std::string text =
        Column20x40() + OneRowColumn("800", "2", true) + Lines({"pilar-b-fluencia", "0", "1", "2", "1", "0.6", "0"});
    const std::string path = Temp("unstable.fxr", text);
    const testing::ShellRun run = CliOut("check " + path);
    EXPECT_EQ(run.status, 3);
    const nlohmann::json report = Json(run);
    EXPECT_EQ(report["rows"][0]["status"], "fails");
    const nlohmann::json& column = report["rows"][0]["column"];
    EXPECT_EQ(column["status"], "unstable");
    EXPECT_EQ(column["instability"], "secant-stiffness");
    EXPECT_TRUE(column["Myd"]["md_tot"].is_null());
    EXPECT_NEAR(column["Myd"]["creep"]["ne"].get<double>(), 10 * 3067.2463 * 40 * 8000 / 12.0 / 640000, 1e-3);
    const nlohmann::json& side = column["Myd"]["coupled"][0];
    const double eiSec = side["ei_sec"].get<double>();
    EXPECT_NEAR(eiSec, 3394.315, 0.01);
    EXPECT_NEAR(side["denominator"].get<double>(), 1.0 - 800.0 * 64.0 / (10.0 * eiSec), 1e-12);
    EXPECT_LT(side["denominator"].get<double>(), 0.0);
    EXPECT_TRUE(side["md_tot"].is_null());
    EXPECT_NE(CliOut("check " + path + " --format csv").out.find(";;;instavel\n"), std::string::npos);
}

TEST(SlenderColumnCheck, OneVerdictForARefusedRowBelowNinety)
{
    // The bars of the first line 16 mm instead of 20: not mirrored about the
    // x axis. At le = 450 cm about x λ = 450/11,547 = 38,97 > λ1 = 35 (MA = 0
    // below M1d,min, αb = 1): the curvature method is refused there although
    // λ ≤ 90, so no Md,tot is worked out for the row.
    std::string text = Column20x40();
    Replace(text, "2\r\n 2.00000000000000E+0001\r\n 4.00000000000000E+0000",
            "2\r\n 1.60000000000000E+0001\r\n 4.00000000000000E+0000");
    const std::string path = Temp("unsymmetric.fxr", text + OneRowColumn("450", "0", false));
    const nlohmann::json column = Json(CliOut("check " + path))["rows"][0]["column"];
    EXPECT_EQ(column["status"], "refused");
    EXPECT_EQ(column["refusal"], "bars-not-symmetric");
    EXPECT_EQ(column["Mxd"]["applicability"]["bars_symmetric"], false);
    EXPECT_EQ(column["Mxd"]["applicability"]["curvature"], "bars-not-symmetric");
    EXPECT_EQ(column["Myd"]["applicability"]["bars_symmetric"], true);
    for (const char* bending : {"Mxd", "Myd"})
        EXPECT_TRUE(column[bending]["md_tot"].is_null()) << bending;
    const testing::ShellRun csv = CliOut("check " + path + " --format csv");
    EXPECT_NE(csv.out.find("\nc;-800;0;0;0;0;recusada;"), std::string::npos) << csv.out;
    EXPECT_NE(csv.out.find(";;;recusada\n"), std::string::npos) << csv.out;
}

TEST(SlenderColumnCheck, GammaNOfASmallColumnAndTheFreePolygonsB)
{
    // 14 x 40 cm (the bars at x = 4 and 10): γn = 1,95 − 0,05·14 = 1,25 and
    // the row's −800 kN becomes −1000 kN.
    std::string small = Column20x40();
    for (int k = 0; k < 2; ++k)
        Replace(small, " 1.60000000000000E+0001\r\nhor", " 1.00000000000000E+0001\r\nhor");
    Replace(small, "retang\r\n 2.00000000000000E+0001", "retang\r\n 1.40000000000000E+0001");
    const nlohmann::json column =
        Json(CliOut("check " + Temp("small.fxr", small + OneRowColumn("300", "0", false))))["rows"][0]["column"];
    EXPECT_EQ(column["least_dimension"], 14.0);
    EXPECT_NEAR(column["gamma_n"].get<double>(), 1.25, 1e-15);
    EXPECT_NEAR(column["Mxd"]["gamma_n"].get<double>(), 1.25, 1e-15);
    EXPECT_EQ(column["forces_before"]["nd"], -800.0);
    EXPECT_NEAR(column["forces_after"]["nd"].get<double>(), -1000.0, 1e-12);

    // The same 20 x 40 outline as a free polygon: refused without its b,
    // checked with b = 20 typed (γn = 1), as the rectangle.
    std::string polygon = Column20x40();
    Replace(polygon, "4\r\nretang\r\n 2.00000000000000E+0001\r\n 4.00000000000000E+0001\r\n",
            Lines({"4", "qual", "0", "0", "20", "0", "20", "40", "0", "40"}));
    const std::string rows = OneRowColumn("300", "0", false);
    const struct {
        const char* name;
        std::string tail;
        const char* status;
        int exit;
    } cases[] = {
        {"without b", rows, "refused", 3},
        {"with b", rows + Lines({"pilar-b-fluencia", "1", "20", "0", "0", "0"}), "checked", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::ShellRun run = CliOut("check " + Temp("polygon.fxr", polygon + c.tail));
        EXPECT_EQ(run.status, c.exit) << run.out;
        const nlohmann::json row = Json(run)["rows"][0];
        EXPECT_EQ(row["column"]["status"], c.status);
        if (std::string(c.status) == "refused")
            EXPECT_EQ(row["column"]["refusal"], "least-dimension-missing");
        else
            EXPECT_EQ(row["column"]["gamma_n"], 1.0);
    }
}

TEST(CurvatureCommand, TheCurveBAndTheSecantStiffness)
{
    const std::string path = Temp("curve.fxr", Column20x40());
    const testing::ShellRun run = CliOut("curvature " + path + " --nd -800 --bending x");
    EXPECT_EQ(run.status, 0) << run.out;
    const nlohmann::json report = Json(run);
    EXPECT_EQ(report["nd"], -800.0);
    EXPECT_EQ(report["bending"], "Mxd");
    ASSERT_EQ(report["sides"].size(), 2u);
    for (const nlohmann::json& side : report["sides"]) {
        SCOPED_TRACE(side["side"].get<std::string>());
        // As in the check: MRd = 148,968 kN·m, B at 1/r = 0,00804493 1/m,
        // (EI)sec = 16833,64 kN·m² on either side of the symmetric section.
        EXPECT_NEAR(side["mrd"].get<double>(), 148.968, 1e-3);
        EXPECT_NEAR(side["point_b"]["curvature"].get<double>(), 0.00804493, 1e-8);
        EXPECT_NEAR(side["ei_sec"].get<double>(), 16833.64, 0.01);
        const nlohmann::json& points = side["points"];
        ASSERT_EQ(points.size(), 100u);
        // From 1/r = 0 (no moment in the symmetric section) at equal steps.
        EXPECT_EQ(points[0]["curvature"], 0.0);
        EXPECT_NEAR(points[0]["m"].get<double>(), 0.0, 1e-9);
        const double step = points[1]["curvature"].get<double>();
        EXPECT_NEAR(points[99]["curvature"].get<double>(), 99 * step, 1e-9 * 99 * step);
        // The curve passes MRd/γf3 before its end.
        EXPECT_GT(points[99]["m"].get<double>(), side["mrd"].get<double>() / 1.1);
    }

    // The direction by its angle: 0° and 360° are the bending of Mxd, bit for bit.
    const testing::ShellRun zero = CliOut("curvature " + path + " --nd -800 --angle 360");
    const nlohmann::json byAngle = Json(zero);
    EXPECT_TRUE(byAngle["bending"].is_null());
    EXPECT_EQ(byAngle["angle"], 360.0);
    EXPECT_EQ(byAngle["sides"], report["sides"]);

    // CSV: a header and the 100 points of each side; the pictures.
    const testing::ShellRun csv = CliOut("curvature " + path + " --nd -800 --bending y --format csv");
    EXPECT_EQ(csv.out.rfind("side;curvature;m;eps0\npositive;0;", 0), 0u) << csv.out.substr(0, 200);
    std::size_t lines = 0;
    for (char c : csv.out)
        lines += c == '\n';
    EXPECT_EQ(lines, 201u);
    EXPECT_NE(CliOut("curvature " + path + " --nd -800 --bending y --format svg").out.find("<svg"), std::string::npos);
    EXPECT_EQ(CliOut("curvature " + path + " --nd -800 --bending y --format png").out.substr(1, 3), "PNG");
}

TEST(CurvatureCommand, ABadCommandLineIsRefused)
{
    const std::string path = Temp("bad.fxr", Column20x40());
    const testing::CommandCase cases[] = {
        {"no Nd", "curvature " + path + " --bending x", 1, "--nd"},
        {"no direction", "curvature " + path + " --nd -800", 1, "one of --bending x|y and --angle DEG"},
        {"both directions", "curvature " + path + " --nd -800 --bending x --angle 0", 1, "one of --bending"},
        {"a bending of no name", "curvature " + path + " --nd -800 --bending z", 1, "--bending takes x or y"},
        {"an angle that is no number", "curvature " + path + " --nd -800 --angle abc", 1, "--angle needs a number"},
        {"an Nd that is no number", "curvature " + path + " --nd -8e999 --bending x", 1, "--nd needs a number"},
        {"a format of no name", "curvature " + path + " --nd -800 --bending x --format obj", 1, "--format takes"},
        {"the output over the case", "curvature " + path + " --nd -800 --bending x -o " + path, 1,
         "is the project file itself"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::ShellRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, c.status) << run.out;
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out;
    }
}

} // namespace
} // namespace flexara
