// The surface and the N–M diagram as text: the OBJ mesh has a vertex per ring
// point and the two ends, and its faces close it with every edge shared by
// two faces run in opposite directions, turned outward; every real of the
// mesh and of the two CSV texts reads back to the same double.
#include "project/SurfaceText.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace flexara {
namespace {

double Read(const std::string& text)
{
    return std::strtod(text.c_str(), nullptr);
}

std::vector<std::string> Fields(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, separator))
        if (!field.empty())
            fields.push_back(field);
    return fields;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

// The 20 x 40 column, 4 levels of 12 steps: a small mesh read whole.
Surface SmallSurface()
{
    auto column = testing::MakeColumn20x40();
    column->CurvePointCount = 12;
    return GenerateSurface(*column, MaterialSelection{}, 4, 2);
}

struct Mesh {
    std::vector<std::array<double, 3>> vertices;
    std::vector<std::vector<int>> faces; // from 0
};

Mesh ReadObj(const std::string& text)
{
    Mesh mesh;
    for (const std::string& line : Lines(text)) {
        const std::vector<std::string> f = Fields(line, ' ');
        if (f.empty() || f[0] == "#")
            continue;
        if (f[0] == "v") {
            EXPECT_EQ(f.size(), 4u) << line;
            mesh.vertices.push_back({Read(f[1]), Read(f[2]), Read(f[3])});
        } else if (f[0] == "f") {
            std::vector<int> face;
            for (std::size_t i = 1; i < f.size(); ++i)
                face.push_back(std::atoi(f[i].c_str()) - 1);
            mesh.faces.push_back(face);
        } else {
            ADD_FAILURE() << "unknown line " << line;
        }
    }
    return mesh;
}

TEST(SurfaceText, TheMeshHasAVertexPerRingPointAndTheEnds)
{
    const Surface surface = SmallSurface();
    ASSERT_EQ(surface.levels.size(), 4u);
    ASSERT_EQ(surface.anglesPerTurn, 12);
    const Mesh mesh = ReadObj(SurfaceObj(surface));
    ASSERT_EQ(mesh.vertices.size(), 4u * 12u + 2u);
    for (std::size_t i = 0; i < 4; ++i)
        for (std::size_t j = 0; j < 12; ++j) {
            const std::array<double, 3>& v = mesh.vertices[i * 12 + j];
            EXPECT_EQ(v[0], surface.levels[i].ring[j].x);
            EXPECT_EQ(v[1], surface.levels[i].ring[j].y);
            EXPECT_EQ(v[2], surface.levels[i].nd);
        }
    EXPECT_EQ(mesh.vertices[48][2], surface.squash.nd);
    EXPECT_EQ(mesh.vertices[49][2], surface.tension.nd);
    int quads = 0, triangles = 0;
    for (const std::vector<int>& face : mesh.faces) {
        quads += face.size() == 4 ? 1 : 0;
        triangles += face.size() == 3 ? 1 : 0;
    }
    EXPECT_EQ(quads, 3 * 12) << "between every two neighbouring levels, all round";
    EXPECT_EQ(triangles, 2 * 12) << "a fan to each end";
    EXPECT_EQ(mesh.faces.size(), 60u);
}

TEST(SurfaceText, TheMeshIsClosedAndTurnedOutward)
{
    const Surface surface = SmallSurface();
    const Mesh mesh = ReadObj(SurfaceObj(surface));
    // Every edge run once each way: a closed surface, consistently turned.
    std::map<std::pair<int, int>, int> edges;
    for (const std::vector<int>& face : mesh.faces)
        for (std::size_t k = 0; k < face.size(); ++k) {
            const int a = face[k], b = face[(k + 1) % face.size()];
            ASSERT_GE(a, 0);
            ASSERT_LT(a, static_cast<int>(mesh.vertices.size()));
            ++edges[{a, b}];
        }
    for (const auto& [edge, count] : edges) {
        EXPECT_EQ(count, 1) << edge.first << "-" << edge.second;
        EXPECT_EQ(edges.count({edge.second, edge.first}), 1u) << edge.first << "-" << edge.second;
    }
    // Outward: the normal of each quad points away from the Nd axis.
    for (const std::vector<int>& face : mesh.faces) {
        if (face.size() != 4)
            continue;
        auto at = [&](int k) { return mesh.vertices[static_cast<std::size_t>(face[static_cast<std::size_t>(k)])]; };
        const std::array<double, 3> p = at(0), q = at(1), r = at(2), s = at(3);
        // The cross product of the diagonals.
        const double d1[3] = {r[0] - p[0], r[1] - p[1], r[2] - p[2]};
        const double d2[3] = {s[0] - q[0], s[1] - q[1], s[2] - q[2]};
        const double normal[2] = {d1[1] * d2[2] - d1[2] * d2[1], d1[2] * d2[0] - d1[0] * d2[2]};
        const double centre[2] = {(p[0] + q[0] + r[0] + s[0]) / 4, (p[1] + q[1] + r[1] + s[1]) / 4};
        EXPECT_GT(normal[0] * centre[0] + normal[1] * centre[1], 0.0);
    }
}

TEST(SurfaceText, TheLevelCurvesReadBackToTheSameDoubles)
{
    const Surface surface = SmallSurface();
    const std::vector<std::string> lines = Lines(SurfaceCsv(surface));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "nd;mx;my");
    std::size_t row = 1;
    for (const SurfaceLevel& level : surface.levels)
        for (const Point& p : level.curve) {
            ASSERT_LT(row, lines.size());
            const std::vector<std::string> f = Fields(lines[row++], ';');
            ASSERT_EQ(f.size(), 3u);
            EXPECT_EQ(Read(f[0]), level.nd);
            EXPECT_EQ(Read(f[1]), p.x);
            EXPECT_EQ(Read(f[2]), p.y);
        }
    EXPECT_EQ(row, lines.size());
}

TEST(SurfaceText, TheDiagramReadsBackAlongItsOutline)
{
    const Surface surface = SmallSurface();
    const NmDiagram diagram = DiagramAlong(surface, 0.4);
    const std::vector<std::string> lines = Lines(NmDiagramCsv(diagram));
    ASSERT_EQ(lines.size(), diagram.outline.size() + 1);
    EXPECT_EQ(lines[0], "nd;m");
    for (std::size_t i = 0; i < diagram.outline.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i + 1], ';');
        ASSERT_EQ(f.size(), 2u);
        EXPECT_EQ(Read(f[0]), diagram.outline[i].nd);
        EXPECT_EQ(Read(f[1]), diagram.outline[i].m);
    }
}

TEST(SurfaceText, ASurfaceWithoutLevelsHasNoFaces)
{
    Surface refused;
    refused.status = SurfaceStatus::Refused;
    const Mesh mesh = ReadObj(SurfaceObj(refused));
    EXPECT_TRUE(mesh.vertices.empty());
    EXPECT_TRUE(mesh.faces.empty());
    EXPECT_EQ(SurfaceCsv(refused), "nd;mx;my\n");
}

} // namespace
} // namespace flexara
