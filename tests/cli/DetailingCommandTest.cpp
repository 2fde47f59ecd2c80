// flexara-cli with detailing data: check's "detailing" and its exit status,
// design's arrangements of a rectangle, the choice, exit 3 when none holds,
// and --apply writing the chosen arrangement that check then passes.
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "tests/support/Shell.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <string>

namespace flexara {
namespace {

testing::ShellRun Cli(const std::string& arguments)
{
    return testing::RunShell(testing::TimeLimited(300) + std::string(FLEXARA_CLI) + " " + arguments + " 2>" +
                             testing::NullDevice);
}

std::string Temp(const std::string& name, const std::string& text)
{
    const std::string path = ::testing::TempDir() + "flexara-detailing-" + name;
    SaveFileBytes(path, text);
    return path;
}

// The example column: 20 × 40, four φ20 with their centres 4 cm from both
// faces of each corner, C-30, CA-50 A.
const std::string Example = std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-20x40.fxr";
const char* const Rows = "combinacoes\r\n2\r\nELU 1\r\n-500\r\n60\r\n20\r\nELU 2\r\n-900\r\n20\r\n10\r\n";

std::string Detailing(int environment)
{
    const double covers[] = {0, 2.5, 3.0, 4.0, 5.0};
    return "detalhamento\r\n" + std::to_string(environment) + "\r\n" + FormatProjectReal(covers[environment]) +
           "\r\n0\r\n19\r\n0\r\n";
}

TEST(DetailingCommand, CheckSaysEveryRuleAndItsVerdict)
{
    const struct {
        const char* name;
        std::string tail;
        int status;
        const char* broken; // the rule that fails, or none
    } cases[] = {
        // Class I: c + φt = 2,5 + 0,5 = 3,0 cm, the bars' surface at 4 − 1 =
        // 3,0 cm; c = 25 mm ≥ φ20; the clear distance along x 12 − 2 = 10 cm;
        // the axis distance along y 32 ≤ 40 cm; st = min(20, 20, 24) = 20.
        {"class I", Detailing(1), 0, nullptr},
        // Class II: c + φt = 3,5 cm > 3,0: the cover alone breaks.
        {"class II", Detailing(2), 3, "cover"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string project = Temp("check.fxr", LoadProjectBytes(Example) + Rows + c.tail);
        const testing::ShellRun run = Cli("check " + project);
        EXPECT_EQ(run.status, c.status) << run.out;
        const nlohmann::json report = nlohmann::json::parse(run.out);
        ASSERT_TRUE(report.contains("detailing"));
        const nlohmann::json& d = report["detailing"];
        EXPECT_EQ(d["rules"].size(), 12u);
        EXPECT_EQ(d["stirrup_diameter"].get<double>(), 5.0);
        EXPECT_EQ(d["stirrup_spacing"].get<double>(), 20.0);
        // 8 % of 800 cm² with the laps.
        EXPECT_NEAR(d["as_max_with_laps"].get<double>(), 64.0, 1e-9);
        for (const nlohmann::json& rule : d["rules"]) {
            const bool broken = c.broken && rule["rule"] == c.broken;
            EXPECT_EQ(rule["verdict"], broken ? "fails" : "holds") << rule.dump();
        }
        EXPECT_EQ(d["holds"].get<bool>(), c.broken == nullptr);
        EXPECT_EQ(report["verdict"]["holds"].get<bool>(), c.broken == nullptr);
        EXPECT_TRUE(report["verdict"]["combinations_hold"].get<bool>());
    }
    // Without the data, no "detailing" and the verdict of old.
    const std::string plain = Temp("plain.fxr", LoadProjectBytes(Example) + Rows);
    const testing::ShellRun run = Cli("check " + plain);
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(nlohmann::json::parse(run.out).contains("detailing"));
}

TEST(DetailingCommand, DesignListsTheArrangementsAndAppliesTheChoice)
{
    const std::string project = Temp("design.fxr", LoadProjectBytes(Example) + Rows + Detailing(2));
    const std::string out = ::testing::TempDir() + "flexara-detailing-applied.fxr";
    std::remove(out.c_str());
    const testing::ShellRun run = Cli("design " + project + " --apply -o " + out);
    ASSERT_EQ(run.status, 0) << run.out;
    const nlohmann::json report = nlohmann::json::parse(run.out);
    ASSERT_FALSE(report["arrangements"].empty());
    ASSERT_TRUE(report["chosen"].is_object());
    const nlohmann::json& chosen = report["chosen"];
    for (const char* key : {"bars_x", "bars_y", "diameter", "count", "as", "utilisation", "rules"})
        EXPECT_TRUE(chosen.contains(key)) << key;
    // count = 4 + 2·nx + 2·ny and As = count·π·φ²/400.
    const int count = 4 + 2 * chosen["bars_x"].get<int>() + 2 * chosen["bars_y"].get<int>();
    EXPECT_EQ(chosen["count"].get<int>(), count);
    const double phi = chosen["diameter"].get<double>();
    EXPECT_NEAR(chosen["as"].get<double>(), count * std::acos(-1.0) * phi * phi / 400.0, 1e-9);
    EXPECT_LE(chosen["utilisation"].get<double>(), 1.0);
    // The first arrangement is the choice, and none before it in the list is lighter.
    EXPECT_TRUE(report["arrangements"][0]["chosen"].get<bool>());
    for (const nlohmann::json& a : report["arrangements"])
        if (a["as"].get<double>() < chosen["as"].get<double>()) {
            EXPECT_FALSE(a["holds"].get<bool>()) << a.dump();
        }

    // The case written holds, rules and all, in check; its η the design's.
    const testing::ShellRun checked = Cli("check " + out);
    EXPECT_EQ(checked.status, 0) << checked.out;
    const nlohmann::json verdict = nlohmann::json::parse(checked.out)["verdict"];
    EXPECT_EQ(verdict["utilisation"].get<double>(), chosen["utilisation"].get<double>());

    // The CSV: its header and one row per arrangement.
    const testing::ShellRun csv = Cli("design " + project + " --format csv");
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out.rfind("bars_x;bars_y;diameter;count;as;utilisation;ties;rules;chosen\n", 0), 0u);
    std::size_t lines = 0;
    for (const char ch : csv.out)
        lines += ch == '\n' ? 1 : 0;
    EXPECT_EQ(lines, report["arrangements"].size() + 1);
}

TEST(DetailingCommand, NoArrangementHoldsExitThree)
{
    // 5000 kN is beyond the 20 × 40's crushing (N4 = 1984,93 kN with four φ20;
    // 32 cm² of steel adds at most 32·43,48 = 1391 kN).
    const std::string heavy = "combinacoes\r\n1\r\nELU\r\n-5000\r\n10\r\n0\r\n";
    const std::string project = Temp("heavy.fxr", LoadProjectBytes(Example) + heavy + Detailing(1));
    const std::string out = ::testing::TempDir() + "flexara-detailing-none.fxr";
    std::remove(out.c_str());
    const testing::ShellRun run = Cli("design " + project + " --apply -o " + out);
    EXPECT_EQ(run.status, 3) << run.out;
    EXPECT_TRUE(nlohmann::json::parse(run.out)["chosen"].is_null());
    EXPECT_FALSE(testing::RunShell("test -e " + out).status == 0);
}

} // namespace
} // namespace flexara
