// The design stress-strain law of the four steel classes.
#include "engine/case/Materials.h"
#include "engine/section/Uproced.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

namespace flexara {
namespace {

AnalysisState SteelState(int steelClass, double gammaS = 1.15)
{
    AnalysisState s;
    s.GammaS = gammaS;
    UpdateMaterials(s, MaterialSelection{DefaultConcreteIndex, steelClass});
    return s;
}

TEST(SteelStress, TableOfTheFourClassesAtTheDefaults)
{
    // Stresses in kN/cm² with GammaS = 1.15 and Es = 21000.
    struct Row {
        double strain;
        double stress[4];
    };
    const Row rows[] = {
        {-3.6, {0, 0, 0, 0}},
        {-3.5, {-21.7391, -43.4783, -41.7743, -48.5819}},
        {-2.0, {-21.7391, -42.0, -35.5529, -39.9739}},
        {1.0, {21.0, 21.0, 21.0, 21.0}},
        {3.0, {21.7391, 43.4783, 40.0751, 46.3745}},
        {4.0, {21.7391, 43.4783, 43.2805, 50.5034}},
        {10.0, {21.7391, 43.4783, 43.4783, 52.1739}},
        {10.01, {0, 0, 0, 0}},
        {0.0, {0, 0, 0, 0}},
    };
    for (int steelClass = 0; steelClass < 4; ++steelClass) {
        const AnalysisState s = SteelState(steelClass);
        for (const Row& row : rows) {
            SCOPED_TRACE(::testing::Message() << "class " << steelClass << ", strain " << row.strain);
            EXPECT_NEAR(SteelStress(s, row.strain), row.stress[steelClass], 1e-4);
        }
    }
}

TEST(SteelStress, YieldStrainsOfTheClasses)
{
    const double expected[4] = {1.0352, 2.0704, 4.0704, 4.4845};
    for (int steelClass = 0; steelClass < 4; ++steelClass) {
        SCOPED_TRACE(steelClass);
        const AnalysisState s = SteelState(steelClass);
        EXPECT_EQ(s.SteelClass, steelClass);
        EXPECT_NEAR(s.EpsYd, expected[steelClass], 1e-4);
    }
}

TEST(SteelStress, BoundariesAreExactlyAsWritten)
{
    for (int steelClass = 0; steelClass < 4; ++steelClass) {
        SCOPED_TRACE(steelClass);
        const AnalysisState s = SteelState(steelClass);
        EXPECT_EQ(SteelStress(s, 10.0), s.Fyd);
        EXPECT_EQ(SteelStress(s, std::nextafter(10.0, 11.0)), 0.0);
        EXPECT_NE(SteelStress(s, -3.5), 0.0);
        EXPECT_EQ(SteelStress(s, std::nextafter(-3.5, -4.0)), 0.0);
    }
    // Class A: exactly -EpsYd is the plateau, just inside is elastic.
    const AnalysisState a = SteelState(1);
    EXPECT_EQ(SteelStress(a, -a.EpsYd), -a.Fyd);
    EXPECT_EQ(SteelStress(a, a.EpsYd), a.Fyd);
    // Class B: ±εp itself is elastic, 0.7·Fyd.
    for (int steelClass = 2; steelClass < 4; ++steelClass) {
        const AnalysisState b = SteelState(steelClass);
        // The largest double not beyond the extended-precision limit.
        const double epsP = std::nextafter(static_cast<double>(0.7L * b.Fyd / b.Es * 1000.0L), 0.0);
        EXPECT_NEAR(SteelStress(b, epsP), 0.7 * b.Fyd, 1e-9);
        EXPECT_NEAR(SteelStress(b, -epsP), -0.7 * b.Fyd, 1e-9);
    }
}

TEST(SteelStress, ElasticRowWinsBelowMinus3Point5WithASmallSteelFactor)
{
    // GammaS 0.5: Fyd = 100, EpsYd = 4.76 per mil beyond -3.5; the elastic row,
    // tested later, replaces the zero of strains below -3.5.
    const AnalysisState a = SteelState(1, 0.5);
    EXPECT_NEAR(SteelStress(a, -4.0), -84.0, 1e-12);
    EXPECT_EQ(SteelStress(a, -5.0), 0.0); // beyond -EpsYd the plateau row needs -3.5 or more
    // Class B with εp = 0.7·120/21 = 4 per mil: elastic at -3.8.
    const AnalysisState b = SteelState(3, 0.5);
    EXPECT_NEAR(SteelStress(b, -3.8), -79.8, 1e-12);
}

TEST(SteelStress, ClassBWithALargeSteelFactorRaisesAnInvalidOperation)
{
    // GammaS 2: εp = 0.833 per mil, below the 1.4 per mil the curved branch needs.
    const AnalysisState s = SteelState(2, 2.0);
    std::feclearexcept(FE_ALL_EXCEPT);
    const double stress = SteelStress(s, 1.0);
    EXPECT_TRUE(std::isnan(stress));
    EXPECT_TRUE(std::fetestexcept(FE_INVALID));
    std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(Materials, SelectorsSetTheDesignStrengths)
{
    AnalysisState s;
    ApplyConcreteSelection(s, 3);
    EXPECT_NEAR(s.Fcd, 30.0 / 14.0, 1e-15);
    s.Fcd = 1.5;
    ApplyConcreteSelection(s, ConcreteOtherIndex); // "Outro" keeps the custom strength
    EXPECT_EQ(s.Fcd, 1.5);
    ApplyConcreteSelection(s, -1);
    EXPECT_EQ(s.Fcd, 1.5);
    EXPECT_NEAR(CustomConcreteFcd(27.5, 1.4), 1.9643, 1e-4);
    s.Fcd = CustomConcreteFcd(27.5, 1.4);
    EXPECT_NEAR(CurrentConcreteFck(s), 27.5, 1e-12);
    ApplySteelSelection(s, 3);
    EXPECT_NEAR(s.Fyd, 52.1739, 1e-4);
    ApplySteelSelection(s, 7);
    EXPECT_NEAR(s.Fyd, 52.1739, 1e-4);
}

} // namespace
} // namespace flexara

namespace flexara {
namespace {

TEST(Materials, AZeroFactorRaisesTheFaultButStoresNoInfinity)
{
    AnalysisState s;
    ApplyConcreteSelection(s, 3);
    ApplySteelSelection(s, 1);
    const double fcd = s.Fcd;
    const double fyd = s.Fyd;
    s.GammaC = 0.0;
    s.GammaS = 0.0;
    std::feclearexcept(FE_ALL_EXCEPT);
    ApplyConcreteSelection(s, 3);
    ApplySteelSelection(s, 1);
    EXPECT_TRUE(std::fetestexcept(FE_DIVBYZERO));
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(s.Fcd, fcd);
    EXPECT_EQ(s.Fyd, fyd);
}

} // namespace
} // namespace flexara
