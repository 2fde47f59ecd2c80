// Load combinations: the rows (name, Nd, Mxd, Myd) a frame analysis gives for
// one column, checked on the current case. Each distinct Nd gets one curve
// generation, on a private copy of the analysis state (the caller's state is
// not touched); each row is then read off its curve along the ray from the
// origin through its design point, the curve computed only around that ray
// where that proves the crossing (engine/column/NdReading.h). Checked as a
// column, a row in compression is read at each of its design situations
// (engine/column/Column.h) on that same curve, and the one that governs gives
// the row its verdict.
//
// Forces in kN, moments in kN·m.
#pragma once

#include "engine/Faults.h"
#include "engine/Workers.h"
#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/column/Column.h"
#include "engine/section/Capacity.h"
#include "engine/section/Curve.h"
#include "engine/section/NdCurves.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace flexara {

// Rows a case holds at most; a file or a list with more is refused.
constexpr int MaxCombinations = 1000;

struct LoadCombination {
    LoadCombination() = default;
    // Rows of the section check are written as {name, Nd, Mxd, Myd}.
    LoadCombination(std::string name, double nd, double mxd, double myd, std::optional<double> mxdBase = std::nullopt,
                    std::optional<double> mydBase = std::nullopt)
        : name(std::move(name)), Nd(nd), Mxd(mxd), Myd(myd), MxdBase(mxdBase), MydBase(mydBase)
    {
    }

    std::string name;
    double Nd = 0.0;
    double Mxd = 0.0;
    double Myd = 0.0;
    // The first-order moments at the base, for the column check (Mxd and Myd
    // are those at the top). A row that does not give them takes the top's;
    // absent stays apart from equal, so that such a row is written back as
    // it was read.
    std::optional<double> MxdBase;
    std::optional<double> MydBase;

    bool operator==(const LoadCombination&) const = default;
};

using CombinationList = std::vector<LoadCombination>;

enum class CombinationStatus {
    Holds,      // the design point is within the curve
    Fails,      // it is outside
    OutOfRange, // Nd is beyond what the section resists
    Refused,    // a warning of the generation (no area, bars outside, outline)
    Error,      // a fault ended the generation
};

struct CombinationResult {
    CombinationStatus status = CombinationStatus::Error;
    // Why a row is refused, or the fault that ended its generation.
    std::vector<CurveWarning> warnings;
    std::optional<Fault> fault;
    // Where the ray from the origin through (Mxd, Myd) leaves the curve, and
    // its length MRd; η = |Md| / MRd. Empty where the origin is not inside
    // the curve (the row is then judged by inside alone) or there is no curve.
    std::optional<Point> resisting;
    std::optional<double> resistingMoment;
    std::optional<double> utilisation;
    // Nd over the axial capacity on its side: N4 in compression, N1 in tension.
    std::optional<double> axialUtilisation;
    bool inside = false;
    bool governing = false;
    // Checked as a column: every number of both bendings and the situations.
    // The reading above is then that of the governing situation.
    std::optional<ColumnResult> column;
};

struct CombinationCheck {
    std::vector<CombinationResult> rows; // one per combination, in order
    int governing = -1;                  // index of the governing row, -1 for none
    // The Nd read, one per distinct Nd, whether off the points around its
    // rays or off its whole curve: the curve generations of the check.
    int generations = 0;
    bool cancelled = false; // stopped before every Nd was done
};

// The governing row: the largest η, where a row that fails, is out of range,
// is refused or faulted governs before every row that holds (among those, a
// row without η first). -1 for an empty list.
int GoverningRow(const std::vector<CombinationResult>& rows);

// How the rows of a check are read off the curves of their Nd; both give the
// same results, bit for bit.
enum class CurveReading : std::uint8_t {
    // Each ray off the few curve points around it, the whole curve of the Nd
    // where they do not prove the crossing (engine/column/NdReading.h).
    AroundEachRay,
    // Every row off the whole curve of its Nd.
    WholeCurve,
};

// Checks the rows on the case. Distinct Nd values run on `threads` workers (at
// least 1), each on its own copy of the state; the results are the same, bit
// for bit, whatever the number of threads, and whichever the reading.
CombinationCheck CheckCombinations(const AnalysisState& state, const MaterialSelection& materials,
                                   const CombinationList& combinations, int threads, WorkProgress* progress = nullptr,
                                   CurveReading reading = CurveReading::AroundEachRay);
// The same with the column checks when there is a column (with its
// ColumnCase: γn, refusals, the coupled method, creep); the situations of a
// row share the generation of its Nd, which is the row's times γn.
CombinationCheck CheckCombinations(const AnalysisState& state, const MaterialSelection& materials,
                                   const CombinationList& combinations, const std::optional<Column>& column,
                                   int threads, WorkProgress* progress = nullptr,
                                   CurveReading reading = CurveReading::AroundEachRay);

// The column's section as every generation of a check sees it (the materials
// updated from the selectors), with its ColumnCase: b, γn, the refusals.
ColumnSection CheckedColumnSection(const AnalysisState& state, const MaterialSelection& materials,
                                   const Column& column);
// The Nd a row's curve is generated at: its own times γn for a column.
double GenerationNd(const LoadCombination& row, const ColumnSection* section);

// The rows read off their curves, curves[curveOfRow[r]] the one of row r (at
// its GenerationNd):
// as a column when there is one (its outline and concrete taken from the
// state with the materials, as every generation saw them), the governing row
// marked.
void ReadRowsOffCurves(const AnalysisState& state, const MaterialSelection& materials,
                       const CombinationList& combinations, const std::optional<Column>& column,
                       std::span<const NdCurve> curves, std::span<const std::size_t> curveOfRow,
                       CombinationCheck& check);

// The moments a row is judged and drawn at: those of its governing situation
// when it was checked as a column and a situation governs, else its own top
// moments (Mxd, Myd), times γn for a column; kN·m. And its Nd, times γn for a
// column.
Point GoverningMoments(const LoadCombination& row, const CombinationResult& result);
double GoverningNd(const LoadCombination& row, const CombinationResult& result);

// A row read off the curve of its Nd: the curve's refusal, fault or notice,
// or where the ray through (Mxd, Myd) leaves the curve.
CombinationResult ReadOffCurve(const NdCurve& curve, const LoadCombination& row);
// A row whose reading along its ray is known, with the references at theta = 0
// of its curve.
CombinationResult ReadAlongRay(const ReferenceForces& references, const RayCapacity& capacity,
                               const LoadCombination& row);
// A row checked as a column on the curve of its Nd: in compression the checks
// of both bendings and the four situations (a row with λ > 90 is refused), in
// tension or at Nd = 0 its two ends; the governing situation gives the row its reading and
// verdict. A fault in the column's arithmetic makes the row an error. With a
// ColumnCase in the section (engine/column/Slenderness.h) the row's forces are
// first multiplied by γn (the curve must be that of the Nd after it), a case
// the code allows no column of refuses every row, and the refusals, the
// coupled method and creep of JudgeSlenderness follow; a row failing by
// instability fails without a reading.
CombinationResult ReadOffCurve(const NdCurve& curve, const LoadCombination& row, const Column& column,
                               const ColumnSection& section);

} // namespace flexara
