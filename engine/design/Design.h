// The design of the reinforcement: the least bar diameter, applied to every
// line with bars, that makes every load combination (at every design
// situation of the column, when the case has one) hold within the code's
// limits on the steel area, and the continuous area needed — the factor on the
// area of every bar of the arrangement as it stands (the bar positions
// unchanged) for which the governing η is 1.
//
// Everything runs on private copies of the case; every generation runs on the
// worker pool, and the results are the same on any number of threads.
// Areas in cm², forces in kN.
#pragma once

#include "engine/Workers.h"
#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/column/Column.h"
#include "engine/column/Combinations.h"
#include "engine/design/Detailing.h"
#include "engine/design/OutlineFaces.h"

#include <optional>
#include <vector>

namespace flexara {

// Least diameter of the longitudinal bars of a column, mm.
constexpr double ColumnMinimumDiameter = 10.0;
// Relative precision of the area needed.
constexpr double AreaNeededTolerance = 1e-4;

// The steel-area limits of a column: As,min = max(0,15·|Nd|/fyd, 0,004·Ac)
// for the most compressed combination, As,max = 4 % of Ac outside the laps.
struct SteelLimits {
    double concreteArea = 0.0;   // Ac, cm²
    double mostCompressed = 0.0; // Nd of the most compressed combination, kN (0 without one)
    double minimum = 0.0;        // As,min, cm²
    double maximum = 0.0;        // As,max, cm²
    double steelArea = 0.0;      // As of the case as it stands, cm²
    bool Meets() const { return steelArea >= minimum && steelArea <= maximum; }
};
SteelLimits SteelLimitsOf(const AnalysisState& state, const MaterialSelection& materials,
                          const CombinationList& combinations);

// One diameter of the list applied to every line with bars.
struct DesignOption {
    double diameter = 0.0;  // mm
    double steelArea = 0.0; // As, cm²
    double ratio = 0.0;     // ρ = As/Ac
    // The governing row of the check: its index and η (none where the row
    // has no η: out of range, refused, faulted, or the origin outside).
    int governingRow = -1;
    std::optional<double> governingEta;
    CombinationStatus governingStatus = CombinationStatus::Error;
    bool allHold = false;             // every combination holds
    bool belowMinimum = false;        // As < As,min
    bool aboveMaximum = false;        // As > As,max
    bool belowColumnDiameter = false; // φ < 10 mm
    // Every bar, a circle of diameter φ about its centre, lies inside the
    // outline: one that does not "não cabe" and is never chosen.
    bool fits = true;
    // With detailing data: the rules for the bars of this diameter; a bar
    // that leaves the cover (7.4.7.2) "não cabe" too, and an option that
    // breaks a rule is never chosen.
    std::optional<DetailingCheck> detailing;
    bool LimitsHold() const { return !belowMinimum && !aboveMaximum && !belowColumnDiameter; }
};

struct DesignResult {
    SteelLimits limits;
    std::vector<DesignOption> options; // one per diameter of the list, in order
    int chosen = -1;                   // the smallest diameter that holds within the limits; -1 for none
    // The arrangement as it stands and the continuous answer: the least factor
    // k on every bar's area for which the governing η is 1, and k·As.
    double currentArea = 0.0;
    std::optional<double> factorNeeded;
    std::optional<double> areaNeeded;
    // The concrete nearly carries the loads alone: the area needed is below
    // the smallest tried (1/1024 of the arrangement's), which stands for it.
    bool areaNeededBelowSmallest = false;
    bool cancelled = false;
    // No line has bars: there is no diameter to choose, and nothing is tried.
    bool withoutBars = false;
};

// The search on the case as it stands (its outline, lines and bar counts,
// model, combinations and, when it has one, its column: η then over every
// design situation of every combination). threads >= 1.
DesignResult DesignReinforcement(const AnalysisState& state, const MaterialSelection& materials,
                                 const CombinationList& combinations, const std::optional<Column>& column, int threads,
                                 WorkProgress* progress = nullptr, CurveReading reading = CurveReading::AroundEachRay,
                                 const std::optional<Detailing>& detailing = std::nullopt);

// The rows grouped by their Nd (a column's times γn): one generation serves
// every row of an Nd; the Nd in the order of their first row.
struct NdGroups {
    std::vector<double> nds;
    std::vector<std::vector<int>> rowsOf; // rows of nds[i]
};
NdGroups GroupByNd(const CombinationList& combinations, double gammaN = 1.0);

// The case with every line that has bars given the diameter (mm); the caller's
// state as it would be after choosing it in the list of every line.
void ApplyDiameterToEveryLine(AnalysisState& state, double diameter);

// Whether every bar of every line, a circle of the diameter (mm) about its
// centre, lies inside the outline, its rim on an edge at most. A cut of no
// width into the concrete (the slit by which the box's outline reaches its
// hole: two edges running opposite ways less than SlitWidth apart) has
// concrete on both sides and is no face. False for an outline of fewer than
// three vertices.
bool BarsFitOutline(const AnalysisState& state, double diameter);

} // namespace flexara
