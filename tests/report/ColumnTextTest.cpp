// The column's texts read the engine's verdict of a row, never λ alone: the
// row "2ª ordem local" names the bending a refusal or an instability names,
// Md,tot is shown only for a row checked, and the lines of small and slender
// columns give γn, the applicability, creep and the coupled method; by the
// general method Md,tot past λ = 90 and the station where it is.
#include "report/ColumnText.h"
#include "engine/column/Combinations.h"
#include "tests/engine/TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace flexara {
namespace {

// A row in compression whose bending of Myd has λ = 80 with second order
// and Md,tot 38,26 kN·m; Mxd λ 39 without it, Md,tot 23,9.
ColumnResult Row(ColumnCheckStatus status, ColumnRefusal refusal = ColumnRefusal::None)
{
    ColumnResult r;
    r.status = status;
    r.refusal = refusal;
    r.slenderBending = Bending::My;
    r.leastDimension = 20.0;
    r.bending[0].lambda = 39.0;
    r.bending[0].mdTot = 23.9;
    r.bending[1].lambda = 80.0;
    r.bending[1].secondOrder = true;
    r.bending[1].mdTot = 38.26;
    return r;
}

const ColumnNumberRow* Find(const std::vector<ColumnNumberRow>& rows, const char* label)
{
    for (const ColumnNumberRow& row : rows)
        if (row.label == QString::fromUtf8(label))
            return &row;
    return nullptr;
}

TEST(ColumnText, TheTableFollowsTheRowsStatus)
{
    const struct {
        const char* name;
        ColumnCheckStatus status;
        ColumnRefusal refusal;
        const char* secondOrderY; // the row "2ª ordem local" for Myd
        const char* mdTotX;
    } cases[] = {
        {"checked", ColumnCheckStatus::Checked, ColumnRefusal::None, "sim", "23,90"},
        // Refused below λ = 90, where the old reading by λ showed Md,tot.
        {"bars not symmetric", ColumnCheckStatus::Refused, ColumnRefusal::BarsNotSymmetric, "recusada", "-"},
        {"creep data missing", ColumnCheckStatus::Refused, ColumnRefusal::CreepDataMissing, "recusada", "-"},
        {"too slender", ColumnCheckStatus::TooSlender, ColumnRefusal::None, "λ > 90", "-"},
        {"unstable", ColumnCheckStatus::Unstable, ColumnRefusal::None, "instável", "-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<ColumnNumberRow> rows =
            ColumnNumberRows(Row(c.status, c.refusal), SecondOrderMethod::Coupled);
        const ColumnNumberRow* second = Find(rows, "2ª ordem local");
        ASSERT_NE(second, nullptr);
        EXPECT_EQ(second->mx, "não") << "the bending no refusal names";
        EXPECT_EQ(second->my, QString::fromUtf8(c.secondOrderY));
        const ColumnNumberRow* total = Find(rows, "Md,tot");
        ASSERT_NE(total, nullptr);
        EXPECT_EQ(total->mx, QString::fromUtf8(c.mdTotX));
        // The coupled method's rows instead of 1/r and κ/ν.
        EXPECT_NE(Find(rows, "(EI)sec"), nullptr);
        EXPECT_EQ(Find(rows, "1/r"), nullptr);
        EXPECT_EQ(Find(rows, "κ/ν"), nullptr);
    }
}

TEST(ColumnText, TheLinesOfSmallAndSlenderColumns)
{
    ColumnResult r = Row(ColumnCheckStatus::Checked);
    // b = 16,5 cm: γn = 1,95 − 0,825 = 1,125; Nd −800 becomes −900.
    r.leastDimension = 16.5;
    r.gammaN = 1.125;
    r.after = ColumnForces{-900.0, Point{0.0, 22.5}, Point{0.0, 22.5}};
    r.barsSymmetric = {true, false};
    r.rectangle = true;
    // Myd beyond 90 with creep: e_cc = 2,639 cm, |Nd|·e_cc = 23,75 kN·m.
    r.bending[1].lambda = 103.9;
    CreepResult creep;
    creep.phi = 2.0;
    creep.psi = 0.6;
    creep.ecc = 2.63919;
    creep.moment = 23.752;
    r.bending[1].creep = creep;
    r.bending[1].stiffnessMethodRefusal = ColumnRefusal::BarsNotSymmetric;
    // One side worked, the other ending before MRd/γf3.
    CoupledBending coupled;
    CoupledSide side;
    side.mrd = 62.48;
    side.target = 62.48 / 1.1;
    side.pointB = CurvaturePoint{0.0167338, 0.0, 56.8};
    side.eiSec = 3394.3154;
    side.kappa = 49.5;
    side.denominator = 0.5227;
    side.mdTot = 38.26;
    coupled.sides[0] = side;
    coupled.end[1] = CurveEnd::SteelElongation;
    coupled.endCurvature[1] = 0.0123;
    r.bending[1].coupled = coupled;

    QString all;
    for (const QString& line : ColumnSlenderLines(r))
        all += line + QLatin1Char('\n');
    for (const char* part :
         {"b = 16,50 cm: γn = 1,95 − 0,05·b = 1,125", "Esforços após γn: Nd = -900,00 kN", "Myd: barras não simétricas",
          "seção retangular", "pilar-padrão com curvatura aproximada: não se aplica: λ > 90", "φ = 2,00, ψ = 0,60",
          "e_cc = 2,639 cm, |Nd|·e_cc = 23,75 kN·m", "Myd, lado positivo: MRd = 62,48 kN·m",
          "B: 1/r = 0,016734 1/m, M = 56,80 kN·m; (EI)sec = 3394,32 kN·m², κ = 49,500", "Md,tot = 38,26 kN·m",
          "Myd, lado negativo: curva M–N–1/r até 1/r = 0,01230 1/m", "a barra extrema atinge 10 ‰"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(part))) << part << "\n" << all.toStdString();
    // Mxd needs no second order: no line of applicability for it.
    EXPECT_FALSE(all.contains(QStringLiteral("Mxd: barras")));
    // Without b (a row the checks of small columns did not reach) nothing.
    r.leastDimension.reset();
    EXPECT_TRUE(ColumnSlenderLines(r).empty());
}

TEST(ColumnText, TheGeneralMethodShowsMdTotAndItsStationPastLambda90)
{
    // The 20 x 40 column, le = 866,03 cm about y (λ = 150) and 300 about x:
    // equal end moments, so the largest moment is at mid-height, station 20,
    // z = 866,03/2 = 433,0 cm; about x (λ = 26) too, z = 150,0 cm.
    auto s = testing::MakeColumn20x40();
    Column column;
    column.bending[0] = ColumnBending{300, SupportCondition::PinnedWithoutTransverseLoads};
    column.bending[1] = ColumnBending{150 * 20 / std::sqrt(12.0), SupportCondition::PinnedWithoutTransverseLoads};
    column.method = SecondOrderMethod::General;
    column.creepCoefficient = 1.0;
    column.quasiPermanentShare = 0.2;
    const CombinationResult result =
        CheckCombinations(*s, MaterialSelection{}, {{"c", -100, 4, 4, 4.0, 4.0}}, column, 1).rows[0];
    ASSERT_EQ(result.column->status, ColumnCheckStatus::Checked);
    const std::vector<ColumnNumberRow> rows = ColumnNumberRows(*result.column, column.method);
    bool station = false, total = false;
    for (const ColumnNumberRow& row : rows) {
        if (row.label == "z de Md,tot") {
            station = true;
            EXPECT_EQ(row.mx, "150,0");
            EXPECT_EQ(row.my, "433,0");
        }
        if (row.label == "Md,tot") {
            total = true;
            EXPECT_NE(row.my, "-");
            EXPECT_NE(row.mx, "-");
        }
    }
    EXPECT_TRUE(station);
    EXPECT_TRUE(total);
}

} // namespace
} // namespace flexara
