// Small and slender columns by NBR 6118:2014: the least dimension b of the
// section and γn (13.2.3), the wall column (14.4.2.4), where the approximate
// methods of local second order apply (15.8.3.3.2–3), the standard column
// coupled to the section's M–N–1/r relation (15.8.3.3.4) up to λ = 140, the
// limit λ ≤ 200 (15.8.1) and creep above λ = 90 (15.8.4).
//
// The case is judged once per check (ColumnCaseOf); each row's forces are
// multiplied by γn before its curve is generated and its column checked
// (ForcesTimesGammaN); after the bendings of a row are worked out
// (CheckBending), JudgeSlenderness refuses what the code does not allow and
// runs the coupled method and creep. Lengths in cm, forces in kN, moments in
// kN·m, Eci in kN/cm², Ic in cm⁴, (EI)sec in kN·m².
#pragma once

#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/column/Column.h"
#include "engine/column/Combinations.h"
#include "engine/column/SlenderData.h"
#include "engine/section/Capacity.h"
#include "engine/section/MomentCurvature.h"

#include <array>
#include <optional>
#include <vector>

namespace flexara {

// The least dimensions of 13.2.3, cm and cm²; the wall's proportion (14.4.2.4).
constexpr double LeastDimensionWithoutGammaN = 19.0;
constexpr double SmallestLeastDimension = 14.0;
constexpr double SmallestColumnArea = 360.0;
constexpr double WallProportion = 5.0;
// λ up to which the coupled method applies, and beyond which no column is
// allowed.
constexpr double MaxCoupledSlenderness = 140.0;
constexpr double MaxSlenderness = 200.0;
// Bars are symmetric when every image has its bar within this distance, cm.
constexpr double SymmetryTolerance = 1e-6;
// The base of the creep's exponential as the code prints it.
constexpr long double CreepBase = 2.718L;

// What a column check needs of the case beyond the outline's area and radii.
struct ColumnCase {
    std::optional<double> leastDimension; // b, cm: computed, or typed for a free polygon
    double area = 0.0;                    // Ac, cm²
    ColumnRefusal refusal = ColumnRefusal::None;
    double gammaN = 1.0;
    // The bars mirrored about each bending's centroidal axis (Bending).
    std::array<bool, BendingCount> barsSymmetric{};
    bool rectangle = false;
    std::array<double, BendingCount> ic{}; // of the gross outline about its centroidal axes, cm⁴
    double fck = 0.0;                      // MPa, as the model judges it
    double eci = 0.0;                      // kN/cm²
    DeformationSection deformation;
};

// b of a family from its dimensions, the least of its thicknesses: the
// rectangle min(B, H); the trapezoid min(B1, B2, H); the T its web B2 and its
// flange H1; the L its leg B1 and its foot H2; the U its legs B1, B2 and its
// base H2; the box its walls B1, B2 and its slabs H2, H3; the H its flanges
// B2, B3 and its web H1 − H2 − H3. Empty for the free polygon.
std::optional<double> FamilyLeastDimension(const AnalysisState& s);

// γn = 1,95 − 0,05·b for 14 ≤ b < 19 cm, 1 from 19 cm on.
double GammaN(double b);

// The row as the column check takes it: Nd and the moments at the top and at
// the base times γn (the row itself for γn = 1).
LoadCombination ForcesTimesGammaN(const LoadCombination& row, double gammaN);

// Whether every bar mirrored about the centroidal axis of the bending (x for
// Mxd, y for Myd) has a bar of the same diameter at its image, each bar the
// image of one only. Bars about the outline's centroid.
bool BarsSymmetricAbout(const std::vector<SectionBar>& bars, Bending bending);

// Four vertices whose edges run along x and y by turns.
bool IsAxisAlignedRectangle(std::int32_t n, const Point* v);

// The aggregate's αE, and Eci (8.2.8) of fck (MPa): 5600·αE·√fck up to
// 50 MPa, 21,5·10³·αE·(fck/10 + 1,25)^(1/3) above; kN/cm².
double AggregateFactor(Aggregate aggregate);
double InitialModulus(double fck, Aggregate aggregate);

// θ1 = 1/(100·√le), le in m, held between 1/300 and 1/200 (11.3.3.4.2).
double ImperfectionAngle(double leCm);

// Creep of a bending (15.8.4) for Nd < 0, MA the first-order end moment
// before any floor: Nsg = ψ·|Nd|, Msg = ψ·|MA|, Ne = 10·Eci·Ic/le²,
// ea = θ1·le/2 and e_cc = (Msg/Nsg + ea)·(2,718^(φ·Nsg/(Ne − Nsg)) − 1).
// Where Ne ≤ Nsg (or the exponent is beyond any number) e_cc is left 0 and
// stable is false.
CreepResult CreepOf(double nd, double ma, double leCm, double phi, double psi, double eci, double ic, bool& stable);

// The coupled method's 1 − |Nd|·le²/(10·(EI)sec), le in cm, (EI)sec in kN·m²:
// Md,tot = αb·M1d,A/that, at least M1d,A, where it is positive; the column is
// unstable where it is not.
double CoupledDenominator(double nd, double leCm, double eiSec);

// The direction of a bending in the plane (Mx, My).
BendingDirection DirectionOf(Bending bending);

// The case, as the material update of a generation leaves it, judged as a
// column; and ColumnSectionOf with it.
ColumnCase ColumnCaseOf(const AnalysisState& s, const MaterialSelection& materials, const Column& column);
ColumnSection SlenderColumnSectionOf(const AnalysisState& s, const MaterialSelection& materials, const Column& column);

// The judgement of a row in compression whose bendings CheckBending worked
// out (at the forces after γn): the refusals in the order the code sets them
// (λ > 200; the approximate methods beyond λ = 90 or where their section is
// not theirs; the coupled method beyond λ = 140; creep without its data),
// bending by bending, the first named; then, with the coupled method, creep
// above λ = 90 and the secant stiffness of both sides of every bending that
// needs second order, read off `rays` (the curve of the row's Nd; null where
// it has no reading: the coupled method is then not run). Sets the status,
// the reason and every number in checked. Without a ColumnCase only the
// limit λ ≤ 90 of the approximate methods is judged.
void JudgeSlenderness(const CurveRays* rays, const Column& column, const ColumnSection& section, double nd,
                      ColumnResult& checked);

} // namespace flexara
