// flexara-cli surface and nm: the level curves, the mesh and the N–M diagram
// of a case as a script reads them, the same curves "curve --nd" gives for a
// level's Nd, the refusals of a bad command line and the exit statuses.
#include "project/ProjectFile.h"
#include "tests/support/Shell.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace flexara {
namespace {

const std::string Source = FLEXARA_SOURCE_DIR;

std::string Example(const char* name)
{
    return Source + "/examples/" + name;
}

const std::string Column = Example("pilar-20x40.fxr");
const std::string FaultySteel = Source + "/tests/cli/fixtures/faulty-steel.fxr";
const std::string DefaultCase = Source + "/tests/cli/fixtures/default-case.fxr";

testing::ShellRun Cli(const std::string& arguments,
                      const std::string& redirect = std::string("2>") + testing::NullDevice)
{
    return testing::RunShell(testing::TimeLimited(300) + std::string(FLEXARA_CLI) + " " + arguments + " " + redirect);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t at = line.find(';'); at != std::string::npos; at = line.find(';', from)) {
        fields.push_back(line.substr(from, at - from));
        from = at + 1;
    }
    fields.push_back(line.substr(from));
    return fields;
}

TEST(SurfaceCommand, EveryFormatAndItsExitStatus)
{
    const struct {
        const char* name;
        std::string arguments;
        int status;
        const char* start; // what the output begins with
        const char* fragment;
    } cases[] = {
        {"surface json", "surface " + Column + " --levels 3", 0, "{\n  \"status\": \"ok\"", "\"levels\": ["},
        {"surface csv", "surface " + Column + " --levels 3 --format csv", 0, "nd;mx;my\n", ";"},
        {"surface obj", "surface " + Column + " --levels 3 --format obj", 0, "# Flexara", "\nf "},
        {"surface svg", "surface " + Column + " --levels 3 --format svg", 0, "<?xml", "Superfície N–Mx–My"},
        {"surface png", "surface " + Column + " --levels 3 --format png", 0, "\x89PNG", "IEND"},
        {"surface of combinations", "surface " + Example("pilar-20x40-combinacoes.fxr") + " --levels 2 --format svg", 0,
         "<?xml", "<circle"},
        {"surface, a model", "surface " + Column + " --levels 2 --model parabola", 0, "{",
         "\"model\": \"nbr6118-2014-parabola\""},
        {"nm json", "nm " + Column + " --angle 30 --levels 3", 0, "{\n  \"status\": \"ok\"", "\"angle\": 30"},
        {"nm csv", "nm " + Column + " --angle=-45.5 --levels 3 --format csv", 0, "nd;m\n", ";"},
        {"nm svg", "nm " + Column + " --angle 0 --levels 3 --format svg", 0, "<?xml", "Diagrama N–M"},
        {"nm png", "nm " + Column + " --angle 1e3 --levels 3 --format png", 0, "\x89PNG", "IEND"},
        {"nm, a decimal comma", "nm " + Column + " --angle 18,4 --levels 2", 0, "{", "\"angle\": 18.4"},
        // The program's empty case: a refusal is a result, status 0.
        {"surface refused", "surface " + DefaultCase + " --levels 2", 0, "{\n  \"status\": \"refused\"",
         "Área de concreto ou aço nula."},
        {"nm refused", "nm " + DefaultCase + " --angle 0 --levels 2", 0, "{\n  \"status\": \"refused\"",
         "\"outline\": []"},
        // CA-50 B with a steel factor of 2: the steel law faults; the output
        // is still written and says so.
        {"surface fault", "surface " + FaultySteel + " --levels 2", 2, "{\n  \"status\": \"error\"",
         "Invalid floating point operation."},
        {"nm fault", "nm " + FaultySteel + " --angle 0 --levels 2", 2, "{\n  \"status\": \"error\"", "\"outline\": []"},
        {"nm fault as CSV", "nm " + FaultySteel + " --angle 0 --levels 2 --format csv", 2, "nd;m\n", "nd;m"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::ShellRun run = Cli(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out.rfind(c.start, 0), 0u) << run.out.substr(0, 200);
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out.substr(0, 400);
        if (run.out.starts_with("{")) {
            EXPECT_TRUE(nlohmann::json::accept(run.out));
        }
    }
    for (const std::string& file : {FaultySteel, DefaultCase}) {
        EXPECT_EQ(Cli("nm " + file + " --angle 0 --levels 2 --format csv").out, "nd;m\n")
            << file << ": no outline of the ends alone";
    }
}

TEST(SurfaceCommand, ARefusedCaseSaysWhyInEveryFormatAndExitsAsCurveDoes)
{
    // The example column with a bar moved out of the concrete: line 1 ends
    // at x = 30 cm, in a section 20 cm wide.
    std::vector<std::string> lines = Lines(LoadProjectBytes(Column));
    ASSERT_GT(lines.size(), 17u);
    lines[16] = " 3.00000000000000E+0001\r";
    std::string outside;
    for (const std::string& line : lines)
        outside += line + "\n";
    const std::string outsideCase = ::testing::TempDir() + "flexara-surface-bars-outside.fxr";
    SaveFileBytes(outsideCase, outside);
    const struct {
        const char* name;
        std::string file;
        const char* reason;
    } cases[] = {
        {"no area", DefaultCase, "Área de concreto ou aço nula."},
        {"a bar outside", outsideCase, "Barras de aço fora da seção."},
    };
    const char* const formats[] = {"surface --format obj",       "surface --format csv",        "surface --format json",
                                   "nm --angle 30 --format csv", "nm --angle 30 --format json", "surface --format svg"};
    for (const auto& c : cases) {
        const int curveStatus = Cli("curve " + c.file).status;
        EXPECT_EQ(curveStatus, 0) << c.name << ": a refusal is a result";
        for (const char* format : formats) {
            SCOPED_TRACE(::testing::Message() << c.name << ", " << format);
            const std::string command = format;
            const std::string arguments =
                command.substr(0, command.find(' ')) + " " + c.file + " --levels 2" + command.substr(command.find(' '));
            // Standard error alone.
            const testing::ShellRun errors = Cli(arguments, std::string("2>&1 >") + testing::NullDevice);
            EXPECT_EQ(errors.status, curveStatus);
            EXPECT_EQ(errors.out, std::string("flexara-cli: ") + c.reason + "\n");
            if (command.ends_with("json")) {
                const testing::ShellRun run = Cli(arguments);
                ASSERT_TRUE(nlohmann::json::accept(run.out)) << run.out;
                const nlohmann::json report = nlohmann::json::parse(run.out);
                EXPECT_EQ(report["status"], "refused");
                EXPECT_EQ(report["warnings"], nlohmann::json::array({c.reason}));
            }
        }
    }
}

TEST(SurfaceCommand, RefusalsOfABadCommandLine)
{
    const std::string folder = ::testing::TempDir() + "flexara-surface-refusals/";
    std::filesystem::create_directories(folder);
    const std::string caseFile = folder + "case.fxr";
    const std::string caseText = LoadProjectBytes(Column);
    SaveFileBytes(caseFile, caseText);
    const testing::CommandCase cases[] = {
        {"no levels", "surface " + Column + " --levels 0", 1, "--levels takes a whole number from 1 to 400"},
        {"too many levels", "surface " + Column + " --levels 401", 1, "--levels takes a whole number from 1 to 400"},
        {"levels not whole", "surface " + Column + " --levels 2.5", 1, "--levels takes a whole number"},
        {"levels not a number", "nm " + Column + " --angle 0 --levels many", 1, "--levels takes a whole number"},
        {"levels beyond int", "surface " + Column + " --levels 99999999999", 1, "--levels takes a whole number"},
        {"a format of curve only", "nm " + Column + " --angle 0 --format obj", 1,
         "--format takes json, csv, svg or png"},
        {"no such format", "surface " + Column + " --format pdf", 1, "--format takes json, csv, obj, svg or png"},
        {"no angle", "nm " + Column, 1, "--angle"},
        {"an angle of words", "nm " + Column + " --angle north", 1, "--angle needs a number of degrees"},
        {"an infinite angle", "nm " + Column + " --angle 1e999", 1, "--angle needs a number of degrees"},
        {"not a number", "nm " + Column + " --angle nan", 1, "--angle needs a number of degrees"},
        {"an unknown model", "surface " + Column + " --model eurocode", 1, "--model takes classic"},
        {"its own case as output", "surface " + caseFile + " -o " + caseFile, 1, "is the project file itself"},
        {"the case again for nm", "nm " + caseFile + " --angle 0 -o " + folder + "../flexara-surface-refusals/case.fxr",
         1, "is the project file itself"},
        {"a case that is not there", "surface /nonexistent/case.fxr", 1, "File not found."},
        {"a folder to write", "nm " + Column + " --angle 0 --levels 1 -o " + folder.substr(0, folder.size() - 1), 1,
         "O destino não é um arquivo comum"},
        {"help of surface", "surface --help", 0, "flexara-cli surface CASE.fxr [--levels K]"},
        {"help of nm", "nm --help", 0, "Formats of \"nm\":"},
        {"one level is enough", "surface " + Column + " --levels 1 --format csv", 0, "nd;mx;my"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const testing::ShellRun run = Cli(c.arguments, "2>&1");
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.out.find(c.fragment), std::string::npos) << run.out.substr(0, 400);
        EXPECT_EQ(LoadProjectBytes(caseFile), caseText);
    }
    // -o is written whole: what goes to a file is what goes to standard output.
    ASSERT_EQ(Cli("surface " + Column + " --levels 2 --format obj -o " + folder + "mesh.obj").status, 0);
    EXPECT_EQ(LoadProjectBytes(folder + "mesh.obj"), Cli("surface " + Column + " --levels 2 --format obj").out);
}

// The mesh: levels × steps vertices for the rings and the two ends, every face
// on vertices that exist, and closed: every edge shared by exactly two faces,
// run once each way, as a solid a 3-D viewer fills.
TEST(SurfaceCommand, TheMeshIsClosedOverItsVertices)
{
    for (const char* name : {"pilar-20x40.fxr", "poligono-L.fxr"}) {
        SCOPED_TRACE(name);
        const int levels = 5;
        const testing::ShellRun json = Cli("surface " + Example(name) + " --levels 5");
        ASSERT_EQ(json.status, 0);
        const nlohmann::json surface = nlohmann::json::parse(json.out);
        ASSERT_EQ(surface["levels"].size(), static_cast<std::size_t>(levels));
        const int steps = surface["angles_per_turn"].get<int>();
        ASSERT_GT(steps, 2);

        const testing::ShellRun obj = Cli("surface " + Example(name) + " --levels 5 --format obj");
        ASSERT_EQ(obj.status, 0);
        int vertices = 0, quads = 0, triangles = 0;
        std::vector<std::vector<double>> at;
        std::map<std::pair<int, int>, int> edges; // directed edge → times used
        for (const std::string& line : Lines(obj.out)) {
            std::istringstream in(line);
            std::string kind;
            in >> kind;
            if (kind == "v") {
                std::vector<double> xyz(3);
                in >> xyz[0] >> xyz[1] >> xyz[2];
                at.push_back(xyz);
                ++vertices;
            } else if (kind == "f") {
                std::vector<int> face;
                for (int index = 0; in >> index;)
                    face.push_back(index);
                ASSERT_TRUE(face.size() == 3 || face.size() == 4) << line;
                (face.size() == 4 ? quads : triangles) += 1;
                for (std::size_t k = 0; k < face.size(); ++k) {
                    ASSERT_GE(face[k], 1) << line;
                    ASSERT_LE(face[k], vertices) << line << ": a face before or beyond its vertices";
                    ++edges[{face[k], face[(k + 1) % face.size()]}];
                }
            }
        }
        EXPECT_EQ(vertices, levels * steps + 2);
        EXPECT_EQ(quads, (levels - 1) * steps);
        EXPECT_EQ(triangles, 2 * steps);
        for (const auto& [edge, count] : edges) {
            EXPECT_EQ(count, 1) << edge.first << "-" << edge.second;
            EXPECT_EQ(edges.count({edge.second, edge.first}), 1u) << edge.first << "-" << edge.second << " is open";
        }
        // Ring i lies at the Nd of level i; the ends at N4 and N1.
        for (int i = 0; i < levels; ++i)
            for (int j = 0; j < steps; ++j)
                ASSERT_EQ(at[static_cast<std::size_t>(i * steps + j)][2], surface["levels"][i]["nd"].get<double>());
        EXPECT_EQ(at[static_cast<std::size_t>(levels * steps)][2], surface["squash"]["nd"].get<double>());
        EXPECT_EQ(at[static_cast<std::size_t>(levels * steps + 1)][2], surface["tension"]["nd"].get<double>());
    }
}

// A level's Nd as the surface writes it, given to "curve --nd", gives the
// level's curve: the same points, bit for bit, in CSV and in JSON. The levels
// of the 20 × 40 column are (N1 − N4)/(K + 1) apart from N4 = −1984.9304 kN
// to N1 = 546.36394 kN (the working is in BatchToolTest).
TEST(SurfaceCommand, ALevelsNdGivesTheSameCurveToCurve)
{
    const struct {
        const char* name;
        const char* options;
    } cases[] = {
        {"pilar-20x40.fxr", ""},
        {"poligono-L.fxr", ""},
        {"pilar-20x40.fxr", "--model parabola"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.options);
        const std::string base = "surface " + Example(c.name) + " --levels 3 " + c.options;
        const testing::ShellRun csv = Cli(base + " --format csv");
        const testing::ShellRun json = Cli(base);
        ASSERT_EQ(csv.status, 0);
        ASSERT_EQ(json.status, 0);
        const nlohmann::json surface = nlohmann::json::parse(json.out);
        ASSERT_EQ(surface["levels"].size(), 3u);
        if (std::string(c.name) == "pilar-20x40.fxr") {
            const double step = (546.36394 + 1984.9304) / 4;
            for (int i = 0; i < 3; ++i)
                EXPECT_NEAR(surface["levels"][i]["nd"].get<double>(), -1984.9304 + step * (i + 1), 1e-3);
        }
        // The CSV, level by level, as text.
        std::map<std::string, std::string> rowsOfNd;
        std::vector<std::string> order;
        const std::vector<std::string> lines = Lines(csv.out);
        ASSERT_FALSE(lines.empty());
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const std::vector<std::string> f = Fields(lines[i]);
            ASSERT_EQ(f.size(), 3u) << lines[i];
            if (!rowsOfNd.count(f[0]))
                order.push_back(f[0]);
            rowsOfNd[f[0]] += f[1] + ";" + f[2] + "\n";
        }
        ASSERT_EQ(order.size(), 3u);
        for (std::size_t i = 0; i < order.size(); ++i) {
            SCOPED_TRACE(order[i]);
            const std::string nd = order[i];
            EXPECT_EQ(std::stod(nd), surface["levels"][i]["nd"].get<double>()) << "CSV and JSON read back alike";
            const testing::ShellRun curveCsv =
                Cli("curve " + Example(c.name) + " " + c.options + " --nd " + nd + " --format csv");
            ASSERT_EQ(curveCsv.status, 0);
            EXPECT_EQ(curveCsv.out, "Mx;My\n" + rowsOfNd[nd]);
            const testing::ShellRun curveJson = Cli("curve " + Example(c.name) + " " + c.options + " --nd " + nd);
            ASSERT_EQ(curveJson.status, 0);
            const nlohmann::json curve = nlohmann::json::parse(curveJson.out);
            EXPECT_EQ(curve["nd"].get<double>(), surface["levels"][i]["nd"].get<double>());
            ASSERT_EQ(curve["points"].size(), surface["levels"][i]["points"].size());
            for (std::size_t p = 0; p < curve["points"].size(); ++p) {
                EXPECT_EQ(curve["points"][p][0].get<double>(), surface["levels"][i]["points"][p][0].get<double>());
                EXPECT_EQ(curve["points"][p][1].get<double>(), surface["levels"][i]["points"][p][1].get<double>());
            }
        }
    }
}

struct NmRow {
    double nd;
    double m;
};

std::vector<NmRow> NmCsv(const std::string& arguments)
{
    const testing::ShellRun run = Cli("nm " + arguments + " --format csv");
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> lines = Lines(run.out);
    EXPECT_FALSE(lines.empty());
    if (lines.empty())
        return {};
    EXPECT_EQ(lines.front(), "nd;m");
    std::vector<NmRow> rows;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        EXPECT_EQ(f.size(), 2u);
        if (f.size() == 2)
            rows.push_back({std::stod(f[0]), std::stod(f[1])});
    }
    return rows;
}

// The outline: up in Nd from the squash end along the direction (m ≥ 0), the
// tension end, down along the opposite one (m ≤ 0), the squash end again.
TEST(NmCommand, TheOutlineRunsUpAlongTheDirectionAndBackAlongTheOpposite)
{
    const int levels = 9;
    for (const char* angle : {"0", "30", "90", "-135", "200"}) {
        SCOPED_TRACE(angle);
        const std::vector<NmRow> rows = NmCsv(Column + " --levels 9 --angle " + angle);
        // Every level read on both sides of the symmetric column, both ends,
        // and the first point again.
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(2 * levels + 3));
        const std::size_t tension = levels + 1;
        EXPECT_NEAR(rows.front().nd, -1984.9304, 1e-3);
        EXPECT_NEAR(rows[tension].nd, 546.36394, 1e-4);
        EXPECT_EQ(rows.back().nd, rows.front().nd);
        EXPECT_EQ(rows.back().m, rows.front().m);
        for (std::size_t i = 1; i < tension; ++i) {
            EXPECT_GT(rows[i].m, 0.0) << i;
            EXPECT_GT(rows[i].nd, rows[i - 1].nd) << i;
        }
        for (std::size_t i = tension + 1; i + 1 < rows.size(); ++i) {
            EXPECT_LT(rows[i].m, 0.0) << i;
            EXPECT_LT(rows[i].nd, rows[i - 1].nd) << i;
        }
        // The doubly symmetric column resists the same either way: the two
        // sides mirror each other level by level (a tolerance for the two
        // rays' rounding).
        for (int k = 0; k < levels; ++k) {
            const NmRow& up = rows[static_cast<std::size_t>(1 + k)];
            const NmRow& down = rows[rows.size() - 2 - static_cast<std::size_t>(k)];
            EXPECT_EQ(up.nd, down.nd);
            EXPECT_NEAR(up.m, -down.m, 1e-9 * up.m);
        }
    }
    // A direction and the same one a turn away are one diagram; the opposite
    // direction swaps the sides.
    const std::vector<NmRow> at30 = NmCsv(Column + " --levels 5 --angle 30");
    const std::vector<NmRow> at390 = NmCsv(Column + " --levels 5 --angle 390");
    const std::vector<NmRow> atMinus330 = NmCsv(Column + " --levels 5 --angle -330");
    const std::vector<NmRow> at210 = NmCsv(Column + " --levels 5 --angle 210");
    ASSERT_EQ(at30.size(), 13u);
    ASSERT_EQ(at390.size(), at30.size());
    ASSERT_EQ(atMinus330.size(), at30.size());
    ASSERT_EQ(at210.size(), at30.size());
    for (std::size_t i = 0; i < at30.size(); ++i) {
        EXPECT_EQ(at390[i].m, at30[i].m) << i;
        EXPECT_EQ(atMinus330[i].m, at30[i].m) << i;
    }
    for (int k = 0; k < 5; ++k) {
        const std::size_t up = 1 + static_cast<std::size_t>(k);
        const std::size_t down = at30.size() - 2 - static_cast<std::size_t>(k);
        EXPECT_NEAR(at210[up].m, -at30[down].m, 1e-9 * at30[up].m) << k;
    }
}

// The diagram's moment along φ at a level is what "check" finds for a load
// at that Nd pointing φ from the Mx axis: the resisting moment MRd of its
// ray, computed by the check's own reading of its own curve; along the
// opposite side, the load at φ + 180°. The L section is symmetric about no
// axis, so this catches degrees taken as radians, a turn the wrong way, My
// and Mx swapped and sides mixed up.
TEST(NmCommand, TheMomentAlongTheAngleIsTheChecksResistingMoment)
{
    const struct {
        const char* name;
        double degrees;
    } cases[] = {
        {"pilar-20x40.fxr", 30.0}, {"poligono-L.fxr", 30.0}, {"poligono-L.fxr", 120.0}, {"poligono-L.fxr", -75.0}};
    auto text17 = [](double value) {
        std::ostringstream out;
        out.precision(17);
        out << value;
        return out.str();
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + text17(c.degrees));
        const testing::ShellRun nm = Cli("nm " + Example(c.name) + " --angle " + text17(c.degrees) + " --levels 3");
        ASSERT_EQ(nm.status, 0);
        const nlohmann::json diagram = nlohmann::json::parse(nm.out);
        ASSERT_EQ(diagram["levels"].size(), 3u);
        const double radians = c.degrees * 3.14159265358979323846 / 180.0;
        const double x = std::cos(radians);
        const double y = std::sin(radians);
        std::string loads = "nome;nd;mxd;myd\n";
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string nd = text17(diagram["levels"][i]["nd"].get<double>());
            loads += "A" + std::to_string(i) + ";" + nd + ";" + text17(x) + ";" + text17(y) + "\n";
            loads += "B" + std::to_string(i) + ";" + nd + ";" + text17(-x) + ";" + text17(-y) + "\n";
        }
        for (char& ch : loads)
            if (ch == '.')
                ch = ','; // ";" files take the decimal comma when one number has it
        const std::string file = ::testing::TempDir() + "flexara-nm-loads.csv";
        SaveFileBytes(file, loads);
        const testing::ShellRun run = Cli("check " + Example(c.name) + " --loads " + file);
        ASSERT_EQ(run.status, 0) << run.out;
        const nlohmann::json check = nlohmann::json::parse(run.out);
        for (std::size_t i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            const double along = diagram["levels"][i]["along"].get<double>();
            const double opposite = diagram["levels"][i]["opposite"].get<double>();
            EXPECT_GT(along, 1.0);
            EXPECT_LT(opposite, -1.0);
            EXPECT_NEAR(along, check["rows"][2 * i]["mrd"].get<double>(), 1e-9 * along);
            EXPECT_NEAR(-opposite, check["rows"][2 * i + 1]["mrd"].get<double>(), 1e-9 * along);
        }
    }
}

} // namespace
} // namespace flexara
