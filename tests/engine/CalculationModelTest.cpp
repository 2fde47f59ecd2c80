// The calculation models of NBR 6118:2014: the parameters from fck, the steel
// law, the rectangular block in each domain, the refusal outside C20..C90 and
// the reference forces and curves of the 20 x 40 column in each model.
#include "engine/section/CalculationModel.h"
#include "engine/Faults.h"
#include "engine/column/Combinations.h"
#include "engine/section/Curve.h"
#include "engine/section/Uproced.h"
#include "tests/engine/TestCases.h"
#include "texts/Words.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace flexara {
namespace {

constexpr int C15 = 0, C20 = 1, C30 = 3, C50 = 7, C55 = 8, C70 = 10, Outro = 12;
constexpr int CA25 = 0, CA50A = 1, CA50B = 2, CA60B = 3;

struct NullSink : CurveSink {
    std::vector<Point> curve;
    void ClearCurve() override { curve.clear(); }
    void AddCurvePoint(double mx, double my) override { curve.push_back({mx, my}); }
    void AddDesignPoint(double, double) override {}
    void SetOutOfRangeNotice(bool) override {}
    void Warn(CurveWarning) override {}
};

TEST(CalculationModel, ParametersFollowFck)
{
    // NBR 6118:2014, 8.2.10.1 and 17.2.2, worked by hand:
    //   fck <= 50: αc 0.85, λ 0.8, εc2 2.0, εcu 3.5, n 2; pivot C at 1.5/3.5 = 3/7 of h.
    //   fck 55: αc = 0.85·(1 - 5/200) = 0.82875; λ = 0.8 - 5/400 = 0.7875;
    //           5^0.53 = e^(0.53·1.609438) = 2.346681, εc2 = 2 + 0.085·2.346681 = 2.199468;
    //           (35/100)^4 = 0.01500625, εcu = 2.6 + 35·0.01500625 = 3.125219,
    //           n = 1.4 + 23.4·0.01500625 = 1.751146; pivot (3.125219 - 2.199468)/3.125219 = 0.296220.
    //   fck 70: αc = 0.85·0.9 = 0.765; λ = 0.75; 20^0.53 = e^(0.53·2.995732) = 4.892670,
    //           εc2 = 2.415877; 0.2^4 = 0.0016, εcu = 2.656, n = 1.43744; pivot 0.090408.
    //   fck 90: αc = 0.68; λ = 0.7; εcu = 2.6, n = 1.4; 40^0.53 = 7.064669 gives
    //           εc2 = 2.600496, beyond εcu: held at εcu, 2.6 (the code's table), pivot at the top.
    struct Case {
        const char* name;
        int concrete;
        double typedFck; // for "Outro"
        double alphaC, lambda, epsC2, epsCu, n, pivot;
    };
    const Case cases[] = {
        {"C-20", C20, 0, 0.85, 0.8, 2.0, 3.5, 2.0, 3.0 / 7.0},
        {"C-50", C50, 0, 0.85, 0.8, 2.0, 3.5, 2.0, 3.0 / 7.0},
        {"C-55", C55, 0, 0.82875, 0.7875, 2.199468, 3.125219, 1.751146, 0.296220},
        {"C-70", C70, 0, 0.765, 0.75, 2.415877, 2.656, 1.43744, 0.090408},
        {"90 MPa typed", Outro, 90, 0.68, 0.7, 2.6, 2.6, 1.4, 0.0},
    };
    for (const CalculationModel model : {CalculationModel::NbrRectangular, CalculationModel::NbrParabolaRectangle}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) +
                         (model == CalculationModel::NbrRectangular ? " rectangular" : " parabola"));
            auto s = testing::MakeColumn20x40();
            s->Model = model;
            if (c.concrete == Outro)
                s->Fcd = CustomConcreteFcd(c.typedFck, s->GammaC);
            else
                ApplyConcreteSelection(*s, c.concrete);
            const ModelParameters p = CalculationModelParameters(*s, MaterialSelection{c.concrete, CA50A});
            EXPECT_TRUE(p.withinCodeRange);
            EXPECT_NEAR(p.alphaC, c.alphaC, 1e-6);
            ASSERT_TRUE(p.lambda && p.exponent);
            EXPECT_NEAR(*p.lambda, c.lambda, 1e-6);
            EXPECT_NEAR(p.epsC2, c.epsC2, 1e-6);
            EXPECT_NEAR(p.epsCu, c.epsCu, 1e-6);
            EXPECT_NEAR(*p.exponent, c.n, 1e-6);
            EXPECT_NEAR(p.pivotDepth, c.pivot, 1e-6);
            EXPECT_LE(p.epsC2, p.epsCu) << "no fibre beyond εcu";
            // The block of αc·fcd, the parabola's plateau of 0.85·fcd.
            const double factor = model == CalculationModel::NbrRectangular ? c.alphaC : 0.85;
            EXPECT_NEAR(p.stressFactor, factor, 1e-6);
            EXPECT_NEAR(p.stress, factor * s->Fcd, 1e-6);
        }
    }
}

TEST(CalculationModel, TheReducedBlockAppliesToTheRectangleOnly)
{
    // C-70: αc = 0.765, so 0.9·αc = 0.6885; the parabola keeps 0.85.
    struct Case {
        CalculationModel model;
        bool reduced;
        double factor;
    };
    const Case cases[] = {{CalculationModel::NbrRectangular, false, 0.765},
                          {CalculationModel::NbrRectangular, true, 0.6885},
                          {CalculationModel::NbrParabolaRectangle, true, 0.85},
                          {CalculationModel::Classic, true, 0.85}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.model) * 10 + c.reduced);
        auto s = testing::MakeColumn20x40();
        s->Model = c.model;
        s->ReducedBlockStress = c.reduced;
        ApplyConcreteSelection(*s, C70);
        EXPECT_NEAR(CalculationModelParameters(*s, MaterialSelection{C70, CA50A}).stressFactor, c.factor, 1e-12);
    }
}

TEST(CalculationModel, TypedStrengthsAreJudgedWithoutTheirRoundingNoise)
{
    // Fcd = fck/(10·γc) and back: fck·γc·10/(10·γc) in doubles is not always fck.
    struct Case {
        double typed;
        double gammaC;
    };
    const Case cases[] = {{50, 1.4},   {90, 1.4}, {20, 1.4},  {50, 1.3},    {90, 1.3},    {20, 1.2},
                          {55.3, 1.4}, {90, 1.5}, {50, 1.15}, {89.99, 1.4}, {20.01, 1.35}};
    int noisy = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.typed) + " with γc " + std::to_string(c.gammaC));
        AnalysisState s;
        s.GammaC = c.gammaC;
        s.Fcd = CustomConcreteFcd(c.typed, c.gammaC);
        if (CurrentConcreteFck(s) != c.typed)
            ++noisy;
        EXPECT_EQ(JudgedConcreteStrength(s, Outro), c.typed);
        EXPECT_EQ(JudgedConcreteStrength(s, -1), c.typed) << "no selection reads Fcd as well";
    }
    EXPECT_GT(noisy, 0) << "the table holds a strength that comes back with noise";
}

TEST(CalculationModel, StrengthsOutsideC20ToC90AreRefusedAtTheGeneration)
{
    struct Case {
        const char* name;
        CalculationModel model;
        int concrete;
        double typedFck;
        bool refused;
        double value;
    };
    const Case cases[] = {
        {"C-15 rectangular", CalculationModel::NbrRectangular, C15, 0, true, 15},
        {"C-15 parabola", CalculationModel::NbrParabolaRectangle, C15, 0, true, 15},
        {"95 MPa typed", CalculationModel::NbrRectangular, Outro, 95, true, 95},
        {"90.001 MPa typed", CalculationModel::NbrParabolaRectangle, Outro, 90.001, true, 90.001},
        {"19.5 MPa typed", CalculationModel::NbrParabolaRectangle, Outro, 19.5, true, 19.5},
        {"90 MPa typed", CalculationModel::NbrParabolaRectangle, Outro, 90, false, 0},
        {"20 MPa typed", CalculationModel::NbrRectangular, Outro, 20, false, 0},
        {"C-15 classic", CalculationModel::Classic, C15, 0, false, 0},
        {"95 MPa classic", CalculationModel::Classic, Outro, 95, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeColumn20x40();
        s->Model = c.model;
        if (c.concrete == Outro)
            s->Fcd = CustomConcreteFcd(c.typedFck, s->GammaC);
        NullSink sink;
        try {
            GenerateCurve(*s, MaterialSelection{c.concrete, CA50A}, sink);
            EXPECT_FALSE(c.refused);
            EXPECT_EQ(sink.curve.size(), 102u);
        } catch (const EngineError& error) {
            ASSERT_TRUE(c.refused) << error.what();
            EXPECT_EQ(error.fault().kind, FaultKind::ConcreteStrengthOutsideCode);
            EXPECT_EQ(error.fault().value, c.value);
            EXPECT_TRUE(sink.curve.empty());
            const std::string text = FaultText(error.fault());
            EXPECT_NE(text.find("C20 a C90"), std::string::npos) << text;
            EXPECT_NE(text.find("20 a 90 MPa"), std::string::npos) << text;
        }
    }
    // The message names the case's strength the Brazilian way.
    EXPECT_NE(FaultText(Fault{FaultKind::ConcreteStrengthOutsideCode, 19.5}).find("19,5 MPa"), std::string::npos);
}

TEST(CalculationModel, CodeModelsUseOneBilinearSteelLaw)
{
    // γs 1.15: fyd = 25/1.15 = 21.7391, 50/1.15 = 43.4783, 60/1.15 = 52.1739 kN/cm²;
    // εyd = fyd/21000·1000 = 1.0352, 2.0704, 2.0704, 2.4845 per mil, no +2 for class B.
    struct Case {
        int steel;
        double strain;
        double stress;
    };
    const Case cases[] = {
        {CA25, 1.0, 21.0},
        {CA25, 2.0, 21.7391},
        {CA25, -3.0, -21.7391},
        {CA50A, 2.0, 42.0},
        {CA50A, 2.0704, 43.4783},
        {CA50A, -2.5, -43.4783},
        {CA50B, 3.0, 43.4783},
        {CA50B, -3.0, -43.4783},
        {CA50B, 1.5, 31.5},
        {CA60B, 2.4, 50.4},
        {CA60B, 2.5, 52.1739},
        {CA60B, -3.5, -52.1739},
        {CA60B, 10.0, 52.1739},
        {CA60B, 10.01, 0.0},
        {CA50B, 0.0, 0.0},
        // No crushing limit in the bilinear law: the classic one gives 0 here.
        {CA50A, -3.6, -43.4783},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.steel) + " at " + std::to_string(c.strain));
        auto s = testing::MakeColumn20x40();
        s->Model = CalculationModel::NbrParabolaRectangle;
        UpdateMaterials(*s, MaterialSelection{C30, c.steel});
        EXPECT_NEAR(SteelStress(*s, c.strain), c.stress, 1e-4);
    }
    // The classic model keeps the cold-worked curve: CA-50 B at 3 per mil gives 40.0751.
    auto classic = testing::MakeColumn20x40();
    UpdateMaterials(*classic, MaterialSelection{C30, CA50B});
    EXPECT_NEAR(SteelStress(*classic, 3.0), 40.0751, 1e-4);
}

TEST(CalculationModel, RectangularBlockDepthInEachDomain)
{
    // The 20 x 40 column at θ = 0: top vertex at y = 20, extreme bar at y = -16,
    // 36 cm below it. x = |εtop|·36/(εs - εtop); the block reaches λ·x below the top.
    struct Case {
        const char* name;
        double top, bar, lambda;
        bool block;
        double level;
    };
    const Case cases[] = {
        // Domain 2 (pivot A): x = 2·36/12 = 6, 0.8·6 = 4.8 below the top.
        {"domain 2", -2.0, 10.0, 0.8, true, 20.0 - 4.8},
        // The same with λ = 0.75 (fck 70): 4.5.
        {"domain 2, fck 70", -2.0, 10.0, 0.75, true, 20.0 - 4.5},
        // Domain 3 (pivot B): x = 3.5·36/7.5 = 16.8, 0.8·16.8 = 13.44.
        {"domain 3", -3.5, 4.0, 0.8, true, 20.0 - 13.44},
        // Domain 4a: x = 3.5·36/3.3 = 38.1818, 0.8x = 30.5455.
        {"domain 4a", -3.5, -0.2, 0.8, true, 20.0 - 30.545454545},
        // Domain 5 (pivot C): x = 3·36/1.8 = 60, 0.8x = 48 beyond the 40 cm of
        // the section, which the clip keeps whole.
        {"domain 5", -3.0, -1.2, 0.8, true, 20.0 - 48.0},
        // Uniform shortening: the block covers everything.
        {"uniform", -2.0, -2.0, 0.8, true, -1e300},
        // Domain 1: the top fibre lengthened, no block over tension.
        {"domain 1", 0.5, 10.0, 0.8, false, 0},
        {"top fibre at zero", 0.0, 10.0, 0.8, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double level = 12345.0;
        const bool block = RectangularBlockLevel(StrainPlane{20.0, c.top, -16.0, c.bar}, c.lambda, level);
        EXPECT_EQ(block, c.block);
        if (c.block && c.level > -1e299) {
            EXPECT_NEAR(level, c.level, 1e-9);
        } else if (c.block) {
            EXPECT_LT(level, -1e299);
        }
    }
}

// The 20 x 40 column, θ = 0, CA-50 A: one bar 3.14159 cm², fyd = 43.4783, εyd = 2.0704.
// Bars at y = ±16 from the centroid, the top at 20: a bar's strain is
// εtop + (εs - εtop)·(20 - y)/36.
struct ReferenceCase {
    const char* name;
    CalculationModel model;
    int concrete;
    ReferenceForces expected;
};

TEST(CalculationModel, ReferenceForcesOfTheColumnByHand)
{
    // N1 = 4·3.14159·43.4783 = 546.364 in every model.
    //
    // C-30, fcd = 30/14 = 2.142857; 0.85·fcd = 1.821429.
    //  Classic = rectangular (αc 0.85, λ 0.8, εcu 3.5, εc2 2):
    //   N2: x = 3.5·36/13.5 = 9.3333, block 7.4667·20 = 149.333 cm² → -272.00;
    //       top bars -3.5 + 13.5·4/36 = -2.0 → 2·3.14159·(-42) = -263.89;
    //       bottom bars +273.18 → N2 = -262.712.
    //   N3: εs = -3.5·4/40 = -0.35; block 0.8·40·20 = 640 cm² → -1165.71;
    //       top bars -3.15 → -273.18; bottom -7.35·6.28319 = -46.18 → -1485.078.
    //   N4: -1.821429·800 - 4·3.14159·42 = -1457.14 - 527.79 = -1984.930.
    //  Parabola (n 2): over a depth x with the top at -3.5 the mean stress is
    //   0.85·fcd·[1.5/3.5 + 2/3.5·2/3] = 0.85·fcd·17/21:
    //   N2: -1.821429·20·9.3333·0.809524 - 263.89 + 273.18 = -265.950;
    //   N3: -1.821429·800·0.809524 - 273.18 - 46.18 = -1498.955;  N4 as above.
    //
    // C-70, fcd = 5: classic block 0.85·5 = 4.25 from the -0.7 line:
    //   N2 = -4.25·149.333 + 9.29 = -625.378; N3 = -4.25·640 - 319.36 = -3039.363;
    //   N4 = -4.25·800 - 527.79 = -3927.788.
    //  Rectangular, αc 0.765 (3.825 kN/cm²), λ 0.75, εcu 2.656, εc2 2.415877:
    //   N2: x = 2.656·36/12.656 = 7.555, block 0.75x = 5.6662 → 113.325 cm² → -433.47;
    //       top bars -2.656 + 12.656·4/36 = -1.24978 → -26.2453·6.28319 = -164.90; bottom +273.18
    //       → N2 = -325.190.
    //   N3: εs = -2.656·4/40 = -0.2656 → -5.5776·6.28319 = -35.05; top bars -2.3904 → -273.18;
    //       block 0.75·40·20 = 600 cm² → -2295.00 → N3 = -2603.227.
    //   N4: -3.825·800 - 4·3.14159·43.4783 (2.4159 beyond εyd) = -3060 - 546.36 = -3606.364.
    //  Parabola, n 1.43744, plateau 4.25: mean over x = 0.85·fcd·[(2.656 - 2.415877)/2.656
    //   + 2.415877/2.656·1.43744/2.43744] = 4.25·0.626825:
    //   N2 = -4.25·0.626825·20·7.555 - 164.90 + 273.18 = -294.253;
    //   N3 = -4.25·0.626825·800 - 273.18 - 35.05 = -2439.431;
    //   N4 = -4.25·800 - 546.36 = -3946.364.
    const ReferenceCase cases[] = {
        {"classic C-30", CalculationModel::Classic, C30, {546.364, -262.712, -1485.078, -1984.930}},
        {"rectangular C-30", CalculationModel::NbrRectangular, C30, {546.364, -262.712, -1485.078, -1984.930}},
        {"parabola C-30", CalculationModel::NbrParabolaRectangle, C30, {546.364, -265.950, -1498.955, -1984.930}},
        {"classic C-70", CalculationModel::Classic, C70, {546.364, -625.378, -3039.363, -3927.788}},
        {"rectangular C-70", CalculationModel::NbrRectangular, C70, {546.364, -325.190, -2603.227, -3606.364}},
        {"parabola C-70", CalculationModel::NbrParabolaRectangle, C70, {546.364, -294.253, -2439.431, -3946.364}},
    };
    for (const ReferenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeColumn20x40();
        s->Model = c.model;
        NullSink sink;
        const CurveOutcome outcome = GenerateCurve(*s, MaterialSelection{c.concrete, CA50A}, sink);
        ASSERT_TRUE(outcome.referencesKnown);
        EXPECT_NEAR(outcome.firstAngle.N1, c.expected.N1, 0.002);
        EXPECT_NEAR(outcome.firstAngle.N2, c.expected.N2, 0.002);
        EXPECT_NEAR(outcome.firstAngle.N3, c.expected.N3, 0.002);
        EXPECT_NEAR(outcome.firstAngle.N4, c.expected.N4, 0.002);
    }
}

TEST(CalculationModel, RectangularC30GivesTheClassicCurveWhereTheTopIsAtItsLimit)
{
    // Where every angle converges in search B the top fibre is at -3.5 and the
    // block covers 0.8·x, the classic block from the -0.7 line; the two models
    // then differ only in the rounding of the block's edge.
    for (const double nd : {-600.0, -900.0}) {
        SCOPED_TRACE(nd);
        std::vector<Point> curves[2];
        int fromB[2] = {0, 0};
        for (const CalculationModel model : {CalculationModel::Classic, CalculationModel::NbrRectangular}) {
            auto s = testing::MakeColumn20x40();
            s->Model = model;
            s->Nd = nd;
            NullSink sink;
            const CurveOutcome outcome = GenerateCurve(*s, MaterialSelection{C30, CA50A}, sink);
            const int i = model == CalculationModel::Classic ? 0 : 1;
            curves[i] = sink.curve;
            fromB[i] = outcome.pointsBySearch[1];
        }
        ASSERT_EQ(fromB[0], 101) << "every angle in search B";
        ASSERT_EQ(fromB[1], 101);
        ASSERT_EQ(curves[0].size(), curves[1].size());
        for (std::size_t i = 0; i < curves[0].size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_NEAR(curves[1][i].x, curves[0][i].x, 1e-6);
            EXPECT_NEAR(curves[1][i].y, curves[0][i].y, 1e-6);
        }
    }
}

TEST(CalculationModel, EveryDomainConvergesInTheCodeModels)
{
    // Loads in each search's range at θ = 0 (by the reference forces above)
    // and fck up to 90 MPa, where the pivot C reaches the top vertex.
    struct Case {
        const char* name;
        CalculationModel model;
        int concrete;
        double typedFck;
        double nd;
        int search;
    };
    const Case cases[] = {
        {"C-30 parabola, pivot A", CalculationModel::NbrParabolaRectangle, C30, 0, 400, 0},
        {"C-30 parabola, pivot B", CalculationModel::NbrParabolaRectangle, C30, 0, -900, 1},
        {"C-30 parabola, pivot C", CalculationModel::NbrParabolaRectangle, C30, 0, -1800, 2},
        {"C-70 rectangular, pivot C", CalculationModel::NbrRectangular, C70, 0, -3300, 2},
        {"C-70 parabola, pivot C", CalculationModel::NbrParabolaRectangle, C70, 0, -3300, 2},
        {"90 MPa parabola, pivot C at the top", CalculationModel::NbrParabolaRectangle, Outro, 90, -4600, 2},
        {"90 MPa rectangular, pivot C at the top", CalculationModel::NbrRectangular, Outro, 90, -4000, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = testing::MakeColumn20x40();
        s->Model = c.model;
        s->Nd = c.nd;
        if (c.concrete == Outro)
            s->Fcd = CustomConcreteFcd(c.typedFck, s->GammaC);
        NullSink sink;
        const CurveOutcome outcome = GenerateCurve(*s, MaterialSelection{c.concrete, CA50A}, sink);
        EXPECT_EQ(outcome.anglesWithoutPoint, 0);
        EXPECT_EQ(outcome.pointsBySearch[static_cast<std::size_t>(c.search)], 101);
        ASSERT_EQ(sink.curve.size(), 102u);
        // Symmetric about both axes, as the section is.
        for (int i = 0; i <= 50; ++i) {
            SCOPED_TRACE(i);
            const Point& p = sink.curve[static_cast<std::size_t>(i)];
            const Point& q = sink.curve[static_cast<std::size_t>(i + 50)];
            EXPECT_NEAR(p.x, -q.x, 0.05);
            EXPECT_NEAR(p.y, -q.y, 0.05);
        }
    }
}

TEST(CalculationModel, CombinationsAreCheckedInTheCaseModel)
{
    // C-70: uniform shortening carries 3927.79 kN in the classic model and
    // 3606.36 kN in the rectangular code model (hand computation above), so a
    // row at -3700 kN lies within the classic range and beyond the code's.
    const CombinationList rows = {{"ELU", -3700.0, 0.0, 0.0}};
    struct Case {
        CalculationModel model;
        CombinationStatus status;
    };
    for (const Case& c : {Case{CalculationModel::Classic, CombinationStatus::Holds},
                          Case{CalculationModel::NbrRectangular, CombinationStatus::OutOfRange}}) {
        SCOPED_TRACE(static_cast<int>(c.model));
        auto s = testing::MakeColumn20x40();
        s->Model = c.model;
        const CombinationCheck check = CheckCombinations(*s, MaterialSelection{C70, CA50A}, rows, 2);
        ASSERT_EQ(check.rows.size(), 1u);
        EXPECT_EQ(check.rows[0].status, c.status);
    }
}

} // namespace
} // namespace flexara
