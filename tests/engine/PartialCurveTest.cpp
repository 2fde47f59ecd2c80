// Each combination read off the few curve points around its ray: every point
// the one the whole curve computes at its angle, every reading the whole
// curve's bit for bit (the examples, a thousand random cases, the design),
// and the whole curve read where the points cannot show the crossing: a
// curve that turns back, an origin outside it, Nd beyond N1 and N4, a ray
// that slips past a vertex.
#include "engine/section/PartialCurve.h"
#include "engine/Faults.h"
#include "engine/case/Shapes.h"
#include "engine/column/Combinations.h"
#include "engine/column/NdReading.h"
#include "engine/design/Design.h"
#include "engine/section/Curve.h"
#include "engine/section/NdCurves.h"
#include "project/HeadlessLoader.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>
#include <vector>

namespace flexara {
namespace {

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof(double)) == 0;
}

void ExpectSame(const std::optional<double>& a, const std::optional<double>& b, const char* what)
{
    ASSERT_EQ(a.has_value(), b.has_value()) << what;
    if (a) {
        EXPECT_TRUE(SameBits(*a, *b)) << what << ": " << *a << " against " << *b;
    }
}

void ExpectSame(const std::optional<Point>& a, const std::optional<Point>& b, const char* what)
{
    ASSERT_EQ(a.has_value(), b.has_value()) << what;
    if (a) {
        EXPECT_TRUE(SameBits(a->x, b->x) && SameBits(a->y, b->y)) << what;
    }
}

void ExpectSame(const RayCapacity& a, const RayCapacity& b)
{
    EXPECT_EQ(a.originInside, b.originInside);
    EXPECT_EQ(a.inside, b.inside);
    EXPECT_EQ(a.holds, b.holds);
    ExpectSame(a.resisting, b.resisting, "resisting point");
    ExpectSame(a.resistingMoment, b.resistingMoment, "MRd");
    ExpectSame(a.utilisation, b.utilisation, "eta");
}

// Everything a row's result says, bit for bit.
void ExpectSame(const CombinationResult& a, const CombinationResult& b)
{
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.warnings, b.warnings);
    ASSERT_EQ(a.fault.has_value(), b.fault.has_value());
    if (a.fault) {
        EXPECT_EQ(a.fault->kind, b.fault->kind);
        EXPECT_TRUE(SameBits(a.fault->value, b.fault->value));
    }
    ExpectSame(a.resisting, b.resisting, "resisting point");
    ExpectSame(a.resistingMoment, b.resistingMoment, "MRd");
    ExpectSame(a.utilisation, b.utilisation, "eta");
    ExpectSame(a.axialUtilisation, b.axialUtilisation, "axial utilisation");
    EXPECT_EQ(a.inside, b.inside);
    EXPECT_EQ(a.governing, b.governing);
    ASSERT_EQ(a.column.has_value(), b.column.has_value());
    if (a.column) {
        EXPECT_EQ(a.column->status, b.column->status);
        EXPECT_EQ(a.column->governingSituation, b.column->governingSituation);
        ExpectSame(a.column->nu, b.column->nu, "nu");
        for (std::size_t k = 0; k < BendingCount; ++k)
            EXPECT_TRUE(SameBits(a.column->bending[k].mdTot, b.column->bending[k].mdTot));
        ASSERT_EQ(a.column->situations.size(), b.column->situations.size());
        for (std::size_t k = 0; k < a.column->situations.size(); ++k) {
            EXPECT_EQ(a.column->situations[k].situation, b.column->situations[k].situation);
            ExpectSame(a.column->situations[k].reading, b.column->situations[k].reading);
        }
    }
}

void ExpectSame(const CombinationCheck& a, const CombinationCheck& b)
{
    EXPECT_EQ(a.generations, b.generations) << "one per distinct Nd either way";
    EXPECT_EQ(a.governing, b.governing);
    EXPECT_EQ(a.cancelled, b.cancelled);
    ASSERT_EQ(a.rows.size(), b.rows.size());
    for (std::size_t r = 0; r < a.rows.size(); ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        ExpectSame(a.rows[r], b.rows[r]);
    }
}

// The check around the rays, on one thread and on two, against the check off
// the whole curve; how many rows were read around their rays.
int ExpectSameChecks(const AnalysisState& s, const MaterialSelection& materials, const CombinationList& rows,
                     const std::optional<Column>& column, bool twoThreads = true)
{
    const CombinationCheck whole = CheckCombinations(s, materials, rows, column, 1, nullptr, CurveReading::WholeCurve);
    ExpectSame(CheckCombinations(s, materials, rows, column, 1), whole);
    if (twoThreads)
        ExpectSame(CheckCombinations(s, materials, rows, column, 2), whole);
    if (column)
        return 0;
    int around = 0;
    auto copy = std::make_unique<AnalysisState>(s);
    PartialCurve partial;
    partial.Prepare(*copy, materials);
    for (const LoadCombination& row : rows) {
        partial.SetNd(row.Nd);
        WholeCurveNeed need = WholeCurveNeed::None;
        around += partial.Capacity(Point{row.Mxd, row.Myd}, need) ? 1 : 0;
    }
    return around;
}

// Why the reading of one row needs the whole curve, and the row read both ways.
WholeCurveNeed NeedOf(const AnalysisState& s, const LoadCombination& row)
{
    ExpectSameChecks(s, MaterialSelection{}, {row}, std::nullopt, false);
    NdReading reading(s, CurveReading::AroundEachRay);
    reading.Start(MaterialSelection{}, row.Nd);
    reading.Read(row);
    return reading.LastNeed();
}

// The whole curve at nd, and the angle of each of its points.
struct WholeCurve {
    NdCurve curve;
    std::vector<double> thetas; // of every angle of the turn
};
WholeCurve WholeCurveAt(const AnalysisState& s, const MaterialSelection& materials, double nd)
{
    WholeCurve whole;
    auto copy = std::make_unique<AnalysisState>(s);
    NdCurveSink sink;
    sink.Generate(*copy, materials, nd, whole.curve);
    for (double theta = 0.0; AngleInTurn(theta); theta = NextAngle(theta, s.CurvePointCount))
        whole.thetas.push_back(theta);
    return whole;
}

// The clockwise angle of a point of angle theta, counted on from theta (the
// direction the neutral axis compresses is +Mx at theta = 0 and turns
// clockwise with it).
long double ClockwiseFrom(double theta, Point p)
{
    const long double nx = std::cos(static_cast<long double>(theta));
    const long double ny = -std::sin(static_cast<long double>(theta));
    return theta - std::atan2(nx * p.y - ny * p.x, nx * p.x + ny * p.y);
}

// A sink that keeps the references of every angle.
struct ReferencesSink : CurveSink {
    std::vector<ReferenceForces> references;
    void ClearCurve() override {}
    void AddCurvePoint(double, double) override {}
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning) override {}
    void AngleReferences(double, const ReferenceForces& r) override { references.push_back(r); }
};

TEST(CurveAngles, AnAngleComputedAloneIsTheWholeCurvesOwn)
{
    // The angles taken last to first: nothing of one angle carries to another.
    const struct {
        const char* name;
        CalculationModel model;
        MaterialSelection materials;
        double nd;
    } cases[] = {
        {"classic, compression", CalculationModel::Classic, {3, 1}, -500.0},
        {"rectangular block, tension", CalculationModel::NbrRectangular, {3, 1}, 300.0},
        {"parabola-rectangle C-70, near N4", CalculationModel::NbrParabolaRectangle, {10, 1}, -2300.0},
        {"classic, CA-60 B", CalculationModel::Classic, {3, 3}, -1200.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto s =
            testing::MakeRectangleCase(20, 40, {{3, 16, 4, 4, 16, 4}, {2, 20, 4, 36, 16, 36}, {1, 12.5, 4, 20, 4, 20}});
        s->Model = c.model;
        s->Nd = c.nd;
        ReferencesSink sink;
        auto copy = std::make_unique<AnalysisState>(*s);
        GenerateCurve(*copy, c.materials, sink);
        const WholeCurve whole = WholeCurveAt(*s, c.materials, c.nd);
        // The point of each angle, the closing copy left out.
        std::vector<std::optional<Point>> ofAngle(whole.thetas.size());
        for (std::size_t k = 0; k + 1 < whole.curve.points.size(); ++k)
            ofAngle[static_cast<std::size_t>(whole.curve.angles[k])] = whole.curve.points[k];
        auto alone = std::make_unique<AnalysisState>(*s);
        CurveAngles angles;
        ASSERT_TRUE(angles.Prepare(*alone, c.materials));
        ASSERT_EQ(whole.thetas.size(), sink.references.size());
        int points = 0;
        for (std::size_t i = whole.thetas.size(); i-- > 0;) {
            const TurnAngle angle = TurnAngleOf(whole.thetas[i]);
            const ReferenceForces r = angles.References(angle);
            EXPECT_TRUE(SameBits(r.N2, sink.references[i].N2) && SameBits(r.N3, sink.references[i].N3));
            const std::optional<Point> p = angles.PointAt(angle, r, c.nd);
            ASSERT_EQ(p.has_value(), ofAngle[i].has_value()) << "angle " << i;
            if (p) {
                ++points;
                EXPECT_TRUE(SameBits(p->x, ofAngle[i]->x) && SameBits(p->y, ofAngle[i]->y)) << "angle " << i;
            }
        }
        EXPECT_GT(points, 90);
    }
}

TEST(RaysAroundTheirPoints, EveryExampleReadsAsOffTheWholeCurve)
{
    for (const auto& entry : std::filesystem::directory_iterator(std::string(FLEXARA_SOURCE_DIR) + "/examples")) {
        SCOPED_TRACE(entry.path().filename().string());
        auto s = std::make_unique<AnalysisState>();
        CombinationList rows;
        std::optional<Column> column;
        const MaterialSelection materials = LoadProjectFileHeadless(entry.path().string(), *s, &rows, &column);
        // The file's own rows, and rows over the whole range of Nd both ways.
        const WholeCurve zero = WholeCurveAt(*s, materials, 0.0);
        ASSERT_TRUE(zero.curve.references.has_value());
        const double n4 = zero.curve.references->N4, n1 = zero.curve.references->N1;
        for (int i = 0; i < 12; ++i) {
            const double f = -1.0 + 2.0 * (i + 0.5) / 12.0;
            const double angle = 0.7 + 2.1 * i;
            rows.push_back(
                LoadCombination{"g", f < 0 ? -f * n4 : f * n1, 40.0 * std::cos(angle), 25.0 * std::sin(angle)});
        }
        const int around = ExpectSameChecks(*s, materials, rows, std::nullopt);
        EXPECT_GE(2 * around, 12) << "half the rows at least read around their rays";
        if (column)
            ExpectSameChecks(*s, materials, rows, column);
    }
}

TEST(RaysAroundTheirPoints, TheDesignIsTheWholeCurvesOwn)
{
    MaterialSelection materials;
    auto s = std::make_unique<AnalysisState>();
    materials = LoadProjectFileHeadless(std::string(FLEXARA_SOURCE_DIR) + "/examples/pilar-20x40.fxr", *s);
    CombinationList rows;
    for (int i = 0; i < 10; ++i)
        rows.push_back(LoadCombination{"c", -1800.0 + 220.0 * i, 50.0 - 9.0 * i, 0.9 * i - 11.3});
    for (const int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        const DesignResult whole =
            DesignReinforcement(*s, materials, rows, std::nullopt, 1, nullptr, CurveReading::WholeCurve);
        const DesignResult around = DesignReinforcement(*s, materials, rows, std::nullopt, threads);
        EXPECT_EQ(around.chosen, whole.chosen);
        ExpectSame(around.factorNeeded, whole.factorNeeded, "factor needed");
        ExpectSame(around.areaNeeded, whole.areaNeeded, "area needed");
        ASSERT_EQ(around.options.size(), whole.options.size());
        for (std::size_t k = 0; k < whole.options.size(); ++k) {
            EXPECT_EQ(around.options[k].governingRow, whole.options[k].governingRow);
            EXPECT_EQ(around.options[k].governingStatus, whole.options[k].governingStatus);
            ExpectSame(around.options[k].governingEta, whole.options[k].governingEta, "governing eta");
        }
    }
}

// A uniform draw from the generator's own 32 bits, the same on every library.
double Draw(std::mt19937& random, double low, double high)
{
    return low + (high - low) * (static_cast<double>(random()) / 4294967296.0);
}

bool InsideWithCover(const AnalysisState& s, Point p, double cover)
{
    const int n = s.Section.VertexCount;
    bool inside = false;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const Point a = s.Section.Vertices[static_cast<std::size_t>(j)];
        const Point b = s.Section.Vertices[static_cast<std::size_t>(i)];
        const double ex = b.x - a.x, ey = b.y - a.y;
        const double along = std::clamp(((p.x - a.x) * ex + (p.y - a.y) * ey) / (ex * ex + ey * ey), 0.0, 1.0);
        if (std::hypot(a.x + along * ex - p.x, a.y + along * ey - p.y) < cover)
            return false;
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * ex / ey)
            inside = !inside;
    }
    return inside;
}

// A case of any family or a free polygon, bars anywhere inside it, any model
// and materials, sometimes another number of curve points.
std::unique_ptr<AnalysisState> RandomCase(std::mt19937& random, MaterialSelection& materials)
{
    auto s = std::make_unique<AnalysisState>();
    InstallDefaultCase(*s);
    const auto kind = static_cast<std::uint8_t>(random() % 8);
    s->Section.ShapeKind = kind;
    const double b = Draw(random, 20, 80), h = Draw(random, 20, 100), t = Draw(random, 12, 25);
    if (kind == ShapeFreePolygon) {
        // A star-shaped outline about its middle: simple and counter-clockwise.
        const int n = 3 + static_cast<int>(random() % 7);
        s->Section.VertexCount = n;
        for (int i = 0; i < n; ++i) {
            const double angle = 6.283185307179586 * (i + Draw(random, -0.3, 0.3)) / n;
            const double radius = b * Draw(random, 0.5, 1.0);
            s->Section.Vertices[static_cast<std::size_t>(i)] = {100 + radius * std::cos(angle),
                                                                100 + radius * std::sin(angle)};
        }
    } else {
        s->Section.VertexCount = ShapeFamilyOf(kind).vertexCount;
        const std::array<std::array<double, ShapeDimCount>, 8> dims = {{
            {b, h, 0, 0, 0, 0},                 // rectangle
            {b, b + t, 0, h, 0, 0},             // trapezoid
            {b + 2 * t, t, 0, t, h, 0},         // T
            {t, b + t, 0, h + t, t, 0},         // L
            {t, t, b + 2 * t, h + t, t, 0},     // U
            {t, t, b + 2 * t, h + 2 * t, t, t}, // box
            {},
            {b + 2 * t, t, t, h + 2 * t, t, t}, // H
        }};
        s->ShapeDims = dims[kind];
        BuildSectionPolygon(*s);
    }
    double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
    for (int i = 0; i < s->Section.VertexCount; ++i) {
        const Point v = s->Section.Vertices[static_cast<std::size_t>(i)];
        left = std::min(left, v.x), right = std::max(right, v.x);
        bottom = std::min(bottom, v.y), top = std::max(top, v.y);
    }
    s->LineCount = 0;
    const int lines = 1 + static_cast<int>(random() % 6);
    for (int tries = 0; s->LineCount < lines && tries < 400; ++tries) {
        const Point a{Draw(random, left, right), Draw(random, bottom, top)};
        const int bars = 1 + static_cast<int>(random() % 4);
        const Point e = bars == 1 ? a : Point{Draw(random, left, right), Draw(random, bottom, top)};
        bool inside = true;
        for (int j = 0; j < bars && inside; ++j) {
            const double f = bars == 1 ? 0.0 : static_cast<double>(j) / (bars - 1);
            inside = InsideWithCover(*s, Point{a.x + (e.x - a.x) * f, a.y + (e.y - a.y) * f}, 3.0);
        }
        if (!inside)
            continue;
        BarLine& line = s->BarLines[static_cast<std::size_t>(s->LineCount++)];
        line = BarLine{};
        line.BarCount = bars;
        line.Diameter = std::array<double, 5>{10, 12.5, 16, 20, 25}[random() % 5];
        line.X1 = a.x, line.Y1 = a.y, line.X2 = e.x, line.Y2 = e.y;
        line.Orientation = OrientationAny;
    }
    UpdateReinforcementRatio(*s);
    s->Model = static_cast<CalculationModel>(random() % 3);
    materials.concreteIndex =
        1 + static_cast<std::int32_t>(random() % (s->Model == CalculationModel::Classic ? 8 : 11));
    materials.steelIndex = static_cast<std::int32_t>(random() % 4);
    if (random() % 4 == 0)
        s->CurvePointCount = 16 + static_cast<std::int32_t>(random() % 185);
    return s;
}

TEST(RaysAroundTheirPoints, AThousandRandomCasesReadAsOffTheWholeCurve)
{
    std::mt19937 random(20260312);
    int sectionRows = 0, around = 0;
    for (int c = 0; c < 1000; ++c) {
        SCOPED_TRACE("case " + std::to_string(c));
        MaterialSelection materials;
        const auto s = RandomCase(random, materials);
        // Nd over the range of the section both ways and a little beyond.
        auto copy = std::make_unique<AnalysisState>(*s);
        UpdateMaterials(*copy, materials);
        const double squash = -(0.85 * copy->Fcd * s->Section.Area + s->SteelAreaX100 / 100.0 * copy->Fyd);
        const double pull = s->SteelAreaX100 / 100.0 * copy->Fyd;
        const double size = std::sqrt(std::fabs(s->Section.Area));
        CombinationList rows;
        for (int r = 0; r < 3; ++r) {
            const double f = Draw(random, -1.05, 1.05);
            const double moment = std::fabs(squash) * size / 100.0 * Draw(random, 0.0, 0.15); // kN·m
            const double angle = Draw(random, 0.0, 6.283185307179586);
            LoadCombination row{"r", f < 0 ? -f * squash : f * pull, moment * std::cos(angle),
                                moment * std::sin(angle)};
            if (random() % 10 == 0)
                row.Myd = 0.0;
            if (random() % 20 == 0)
                row.Mxd = row.Myd = 0.0;
            if (random() % 5 == 0)
                row.Nd = rows.empty() ? row.Nd : rows.back().Nd; // two rows of one Nd
            if (random() % 3 == 0)
                row.MxdBase = -0.5 * row.Mxd;
            rows.push_back(row);
        }
        std::optional<Column> column;
        if (c % 8 == 7) {
            column = Column{};
            for (ColumnBending& bending : column->bending)
                bending = ColumnBending{Draw(random, 150, 900), static_cast<SupportCondition>(random() % 3)};
            column->method = static_cast<SecondOrderMethod>(random() % 2);
        }
        around += ExpectSameChecks(*s, materials, rows, column, c % 20 == 0);
        sectionRows += column ? 0 : static_cast<int>(rows.size());
        if (::testing::Test::HasFailure())
            return;
    }
    // Random bars are rarely centred, and near N1 and N4 they take the curve
    // away from the origin: still, many rows are read around their rays.
    EXPECT_GT(5 * around, 2 * sectionRows);
}

TEST(RaysAroundTheirPoints, WhereThePointsProveNothingTheWholeCurveIsRead)
{
    // The 20 x 40 column: N1 = 546.36 kN, N4 = -1984.93 kN.
    const auto column = testing::MakeColumn20x40();
    EXPECT_EQ(NeedOf(*column, LoadCombination{"beyond N1", 600, 10, 5}), WholeCurveNeed::OutOfRange);
    EXPECT_EQ(NeedOf(*column, LoadCombination{"beyond N4", -2000, 10, 5}), WholeCurveNeed::OutOfRange);
    EXPECT_EQ(NeedOf(*column, LoadCombination{"inside", -500, 60, 20}), WholeCurveNeed::None);

    // Bars at the bottom only: near full compression the curve leaves the
    // origin, and its points lie off the sides their neutral axes compress.
    const auto bottom = testing::MakeRectangleCase(20, 40, {{2, 20, 4, 4, 16, 4}});
    const LoadCombination offside{"origin outside", -1480, 10, 0};
    EXPECT_FALSE(CheckCombinations(*bottom, MaterialSelection{}, {offside}, 1).rows[0].utilisation.has_value())
        << "the origin lies outside the curve";
    EXPECT_EQ(NeedOf(*bottom, offside), WholeCurveNeed::TurnsBack);

    // A section without bars, and a steel law undefined between 0.83 and
    // 1.4 per mil (CA-50 B with a steel factor of 2).
    const auto bare = testing::MakeRectangleCase(20, 40, {{0, 20, 4, 4, 16, 4}});
    EXPECT_EQ(NeedOf(*bare, LoadCombination{"no bars", -100, 1, 1}), WholeCurveNeed::Refused);
    auto faulty = testing::MakeColumn20x40();
    faulty->GammaS = 2.0;
    ExpectSameChecks(*faulty, MaterialSelection{3, 2}, {LoadCombination{"e", -100, 1, 1}}, std::nullopt, false);
    NdReading reading(*faulty, CurveReading::AroundEachRay);
    reading.Start(MaterialSelection{3, 2}, -100);
    EXPECT_EQ(reading.Read(LoadCombination{"e", -100, 1, 1}).status, CombinationStatus::Error);
    EXPECT_EQ(reading.LastNeed(), WholeCurveNeed::MayFault);
}

TEST(RaysAroundTheirPoints, AnLWhoseCurveTurnsBackIsReadWhole)
{
    // An L of legs 40 cm long and 15 cm thick with six bars of 20 mm along
    // the bottom of its horizontal leg: at Nd = -770 kN its points turn back
    // for a few angles while the moment's direction lingers.
    auto s = testing::MakeRectangleCase(1, 1, {{6, 20, 4, 4, 36, 4}});
    s->Section.ShapeKind = ShapeL;
    s->Section.VertexCount = 6;
    s->ShapeDims = {15, 40, 0, 40, 15, 0};
    BuildSectionPolygon(*s);
    UpdateReinforcementRatio(*s);
    const double nd = -770.3;
    const WholeCurve whole = WholeCurveAt(*s, MaterialSelection{}, nd);
    const std::vector<Point>& p = whole.curve.points;
    int folds = 0;
    for (std::size_t i = 0; i + 2 < p.size(); ++i) {
        const long double u0 = ClockwiseFrom(whole.thetas[static_cast<std::size_t>(whole.curve.angles[i])], p[i]);
        const long double u1 =
            ClockwiseFrom(whole.thetas[static_cast<std::size_t>(whole.curve.angles[i + 1])], p[i + 1]);
        if (!(u1 < u0))
            continue;
        // Rays into the fold, nearer than the curve and beyond it.
        ++folds;
        for (const double share : {0.25, 0.5, 0.75})
            for (const double length : {0.5, 1.5}) {
                const long double tau = u1 + (u0 - u1) * share;
                const double radius = length * std::hypot(p[i].x, p[i].y);
                const LoadCombination row{"fold", nd, static_cast<double>(radius * std::cos(-tau)),
                                          static_cast<double>(radius * std::sin(-tau))};
                EXPECT_EQ(NeedOf(*s, row), WholeCurveNeed::TurnsBack) << "angle " << whole.curve.angles[i];
            }
    }
    EXPECT_GE(folds, 1) << "the curve turns back";
}

TEST(RaysAroundTheirPoints, ARayThroughAVertexIsReadAsTheWholeCurveReadsIt)
{
    // Rays through the vertices of the curve of the 20 x 40 column at Nd = 0:
    // where neither edge of the vertex catches the ray, the whole curve looks
    // for the vertex itself, and so is read; where one does, its crossing is
    // the reading.
    const auto s = testing::MakeColumn20x40();
    const WholeCurve whole = WholeCurveAt(*s, MaterialSelection{}, 0.0);
    const std::vector<Point>& p = whole.curve.points;
    int slipped = 0, caught = 0;
    for (std::size_t j = 1; j + 1 < p.size(); ++j) {
        const Point design{0.5 * p[j].x, 0.5 * p[j].y};
        const Ray ray = RayThrough(design);
        long double t = 0.0L;
        const bool slips = !EdgeCrossing(p[j - 1], p[j], ray, t) && !EdgeCrossing(p[j], p[j + 1], ray, t);
        const WholeCurveNeed need = NeedOf(*s, LoadCombination{"vertex", 0.0, design.x, design.y});
        if (slips) {
            ++slipped;
            EXPECT_EQ(need, WholeCurveNeed::NearVertex) << "vertex " << j;
        } else {
            caught += need == WholeCurveNeed::None ? 1 : 0;
        }
    }
    EXPECT_GE(slipped, 1) << "some ray slips past its vertex";
    EXPECT_GE(caught, 80) << "the others are read around the ray";
}

} // namespace
} // namespace flexara
