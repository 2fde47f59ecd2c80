// The design of an arrangement of a rectangular column: one bar in each
// corner plus nx bars on each face along x and ny on each face along y, of one
// diameter of the list, their centres at c + φt + φ/2 from the faces, every
// one checked against every combination (at every design situation of the
// column, when the case has one) and against the detailing rules. Those that
// hold every combination and meet every rule come first, by steel area, then
// by the number of bars, of supplementary ties, and by fewer bars along x;
// the first is the choice.
//
// More bars of one diameter where the fewer already stand only widen the
// interaction curve: an arrangement's η of a row is at most that of any
// arrangement whose bars are among its own (nx + 1 and ny + 1 multiples of
// theirs). The search reads each arrangement's rows in the order of those
// bounds and leaves out the Nd that cannot govern; the results are those of
// reading every row, on any number of threads.
//
// Lengths in cm, diameters in mm, areas in cm².
#pragma once

#include "engine/Workers.h"
#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/column/Column.h"
#include "engine/column/Combinations.h"
#include "engine/design/Design.h"
#include "engine/design/Detailing.h"

#include <optional>
#include <vector>

namespace flexara {

struct Arrangement {
    int barsX = 0;                // nx: on each face along x, besides the corners
    int barsY = 0;                // ny: on each face along y, besides the corners
    double diameter = 0.0;        // φ, mm
    double stirrupDiameter = 0.0; // φt, mm
    int Count() const { return 4 + 2 * barsX + 2 * barsY; }
    bool operator==(const Arrangement&) const = default;
};

// The lines of the arrangement in the rectangle B × H of the state (its
// vertices from (0, 0) to (B, H)) with cover c: the faces y = a and y = H − a
// with nx + 2 bars each from corner to corner, the faces x = a and x = B − a
// with the ny between, a = c + φt + φ/2, every coordinate to the 15 digits
// its field and the file keep. Every other line is removed.
void WriteArrangement(AnalysisState& state, const Arrangement& arrangement, double cover);

struct ArrangementOption {
    Arrangement arrangement;
    double steelArea = 0.0; // cm²
    int governingRow = -1;
    std::optional<double> governingEta;
    CombinationStatus governingStatus = CombinationStatus::Error;
    // A column's: the design situation that governs the governing row.
    std::optional<DesignSituation> governingSituation;
    bool allHold = false;
    DetailingCheck detailing;
    bool Holds() const { return allHold && detailing.Holds(); }
};

struct ArrangementDesign {
    bool rectangle = false; // only a rectangle is searched
    SteelLimits limits;
    // Those that hold first, in the order of the choice; then the rest by
    // diameter, nx and ny.
    std::vector<ArrangementOption> options;
    int holding = 0;  // how many options hold
    int chosen = -1;  // 0 when one holds
    int readings = 0; // the Nd read over every arrangement: what the bounds saved
    bool cancelled = false;
};

// The search. With bounds off every row of every arrangement is read.
ArrangementDesign DesignArrangement(const AnalysisState& state, const MaterialSelection& materials,
                                    const CombinationList& combinations, const std::optional<Column>& column,
                                    const Detailing& detailing, int threads, WorkProgress* progress = nullptr,
                                    CurveReading reading = CurveReading::AroundEachRay, bool bounds = true);

// Whether the design of the case searches arrangements: a rectangle with
// detailing data; any other case is designed by the diameter of its lines.
bool DesignedByArrangement(const AnalysisState& state, const std::optional<Detailing>& detailing);

// The case and its detailing data as "Aplicar" leaves them: the lines of the
// option, and its stirrup diameter and spacing.
void ApplyArrangement(AnalysisState& state, Detailing& detailing, const ArrangementOption& option);

} // namespace flexara
