#include "engine/column/Combinations.h"

#include "engine/Faults.h"
#include "engine/Trigonometry.h"
#include "engine/Units.h"
#include "engine/column/NdReading.h"
#include "engine/column/Slenderness.h"
#include "engine/section/Capacity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <span>

namespace flexara {

namespace {

std::optional<double> Finite(long double value)
{
    if (!(std::fabs(value) <= std::numeric_limits<double>::max()))
        return std::nullopt;
    return static_cast<double>(value);
}

// The order of readings by what they say of the section: one that does not
// hold before every one that holds, then the larger η, a reading without η
// (judged by inside alone) above any η.
struct Rank {
    bool holds = true;
    double eta = 0.0;
};

Rank RankOf(bool holds, const std::optional<double>& utilisation)
{
    return Rank{holds, utilisation ? *utilisation : std::numeric_limits<double>::infinity()};
}

bool Above(const Rank& a, const Rank& b)
{
    return (b.holds && !a.holds) || (a.holds == b.holds && a.eta > b.eta);
}

// Reads a design situation off the curve, at each of its candidate points,
// and keeps the point that governs (the first of equals). Where a point has
// an η, η alone ranks it; the test of the point itself is made for the one
// kept.
SituationReading ReadSituation(const CurveRays& rays, DesignSituation situation, std::span<const Point> candidates)
{
    SituationReading worst;
    worst.situation = situation;
    Rank worstRank;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const std::optional<double> eta = rays.Utilisation(candidates[k]);
        Rank rank;
        if (eta) {
            rank = Rank{*eta <= 1.0, *eta};
        } else {
            const RayCapacity reading = rays.Capacity(candidates[k]);
            rank = RankOf(reading.holds, reading.utilisation);
        }
        if (k == 0 || Above(rank, worstRank)) {
            worst.moments = candidates[k];
            worstRank = rank;
        }
    }
    worst.reading = rays.Capacity(worst.moments);
    return worst;
}

SituationReading ReadSituation(const CurveRays& rays, DesignSituation situation, Point moments)
{
    return SituationReading{situation, moments, rays.Capacity(moments)};
}

// The signs the intermediate section's moment of a bending is read with: that
// of MA, or both where MA has no side of its own (zero, or two ends of equal
// magnitude bending the column both ways), the side of MA first.
int SignsOf(const BendingCheck& check, SupportCondition condition, std::array<double, 2>& signs)
{
    if (check.general && check.general->bar[0]) {
        // The general method's bar: the side of its largest moment, or both
        // where both signs' bars were solved.
        if (check.general->bothSigns) {
            signs = {1.0, -1.0};
            return 2;
        }
        signs = {check.general->bar[0]->signedMd < 0.0 ? -1.0 : 1.0, 0.0};
        return 1;
    }
    const double side = check.ma < 0.0 ? -1.0 : 1.0;
    signs = {side, -side};
    const bool twoWays = check.ma == 0.0 || (condition != SupportCondition::Cantilever && check.mb == -check.ma);
    return twoWays ? 2 : 1;
}

// The four situations of a row in compression, its bendings worked out.
void ReadColumnSituations(const CurveRays& rays, const Column& column, Point top, Point base, ColumnResult& checked)
{
    checked.situations.push_back(ReadSituation(rays, DesignSituation::Top, top));
    checked.situations.push_back(ReadSituation(rays, DesignSituation::Base, base));
    // Both bendings at their Md,tot at once, each on the side of its MA.
    const BendingCheck& x = checked.bending[static_cast<std::size_t>(Bending::Mx)];
    const BendingCheck& y = checked.bending[static_cast<std::size_t>(Bending::My)];
    std::array<double, 2> xSigns{}, ySigns{};
    const int xCount = SignsOf(x, column.bending[static_cast<std::size_t>(Bending::Mx)].condition, xSigns);
    const int yCount = SignsOf(y, column.bending[static_cast<std::size_t>(Bending::My)].condition, ySigns);
    std::array<Point, 4> corners{};
    std::size_t cornerCount = 0;
    for (int j = 0; j < yCount; ++j)
        for (int i = 0; i < xCount; ++i)
            corners[cornerCount++] =
                Point{xSigns[static_cast<std::size_t>(i)] * MdTotOn(x, xSigns[static_cast<std::size_t>(i)]),
                      ySigns[static_cast<std::size_t>(j)] * MdTotOn(y, ySigns[static_cast<std::size_t>(j)])};
    checked.situations.push_back(
        ReadSituation(rays, DesignSituation::Intermediate, std::span<const Point>(corners.data(), cornerCount)));
    // The minimum envelope: (Mx/Mx,min,tot)² + (My/My,min,tot)² = 1, each
    // quarter with the semi-axes of its sides.
    std::array<Point, MinimumEnvelopePoints> envelope{};
    for (int k = 0; k < MinimumEnvelopePoints; ++k) {
        const long double angle = TwoPi * k / MinimumEnvelopePoints;
        const long double cosine = Cosine(angle), sine = Sine(angle);
        envelope[static_cast<std::size_t>(k)] =
            Point{static_cast<double>(MdMinTotOn(x, static_cast<double>(cosine)) * cosine),
                  static_cast<double>(MdMinTotOn(y, static_cast<double>(sine)) * sine)};
    }
    checked.situations.push_back(ReadSituation(rays, DesignSituation::Minimum, envelope));
}

void ForgetReading(CombinationResult& result)
{
    result.inside = false;
    result.resisting.reset();
    result.resistingMoment.reset();
    result.utilisation.reset();
}

// The axial capacity on the side of Nd: N4 in compression, N1 in tension.
void AxialUtilisation(const ReferenceForces& r, const LoadCombination& row, CombinationResult& result)
{
    if (row.Nd == 0.0)
        result.axialUtilisation = 0.0;
    else if (row.Nd < 0.0 && r.N4 < 0.0)
        result.axialUtilisation = Finite(static_cast<long double>(row.Nd) / r.N4);
    else if (row.Nd > 0.0 && r.N1 > 0.0)
        result.axialUtilisation = Finite(static_cast<long double>(row.Nd) / r.N1);
}

void TakeReading(const RayCapacity& capacity, CombinationResult& result)
{
    result.inside = capacity.inside;
    result.resisting = capacity.resisting;
    result.resistingMoment = capacity.resistingMoment;
    result.utilisation = capacity.utilisation;
    result.status = capacity.holds ? CombinationStatus::Holds : CombinationStatus::Fails;
}

} // namespace

CombinationResult ReadOffCurve(const NdCurve& curve, const LoadCombination& row)
{
    CombinationResult result;
    if (curve.references)
        AxialUtilisation(*curve.references, row, result);
    if (curve.fault) {
        result.status = CombinationStatus::Error;
        result.fault = curve.fault;
        return result;
    }
    if (curve.outcome.refused) {
        result.status = CombinationStatus::Refused;
        result.warnings = curve.warnings;
        return result;
    }
    if (curve.outcome.outOfRange) {
        result.status = CombinationStatus::OutOfRange;
        return result;
    }
    TakeReading(CapacityAlongRay(curve.points, Point{row.Mxd, row.Myd}), result);
    return result;
}

CombinationResult ReadAlongRay(const ReferenceForces& references, const RayCapacity& capacity,
                               const LoadCombination& row)
{
    CombinationResult result;
    AxialUtilisation(references, row, result);
    TakeReading(capacity, result);
    return result;
}

CombinationResult ReadOffCurve(const NdCurve& curve, const LoadCombination& given, const Column& column,
                               const ColumnSection& section)
{
    // The column's forces times γn, on the curve of that Nd.
    const ColumnCase* columnCase = section.columnCase.get();
    const LoadCombination row = ForcesTimesGammaN(given, columnCase ? columnCase->gammaN : 1.0);
    CombinationResult result = ReadOffCurve(curve, row);
    const bool readable = !curve.fault && !curve.outcome.refused && !curve.outcome.outOfRange;
    ColumnResult checked;
    const CurveRays rays(curve.points);
    const Point top{row.Mxd, row.Myd};
    const Point base{row.MxdBase.value_or(row.Mxd), row.MydBase.value_or(row.Myd)};
    checked.method = column.method;
    if (columnCase) {
        checked.leastDimension = columnCase->leastDimension;
        checked.gammaN = columnCase->gammaN;
        checked.before = ColumnForces{
            given.Nd, {given.Mxd, given.Myd}, {given.MxdBase.value_or(given.Mxd), given.MydBase.value_or(given.Myd)}};
        checked.after = ColumnForces{row.Nd, top, base};
    }
    if (columnCase && columnCase->refusal != ColumnRefusal::None) {
        // The case is no column the code allows: every row is refused.
        checked.status = ColumnCheckStatus::Refused;
        checked.refusal = columnCase->refusal;
        if (readable) {
            ForgetReading(result);
            result.status = CombinationStatus::Refused;
        }
    } else if (!(row.Nd < 0.0)) {
        // No column check without compression; the ends are still sections
        // of the member. -0 is no compression either.
        checked.status = row.Nd == 0.0 ? ColumnCheckStatus::ZeroForce : ColumnCheckStatus::Tension;
        if (readable) {
            checked.situations.push_back(ReadSituation(rays, DesignSituation::Top, top));
            checked.situations.push_back(ReadSituation(rays, DesignSituation::Base, base));
        }
    } else {
        const std::array<double, BendingCount> tops = {top.x, top.y};
        const std::array<double, BendingCount> bases = {base.x, base.y};
        ClearFpFaults();
        try {
            if (column.method == SecondOrderMethod::Curvature)
                checked.nu = static_cast<double>(-static_cast<long double>(row.Nd) /
                                                 (static_cast<long double>(section.area) * section.fcd));
            for (std::size_t b = 0; b < BendingCount; ++b)
                checked.bending[b] = CheckBending(column.bending[b], column.method, section.h[b], section.i[b], row.Nd,
                                                  checked.nu.value_or(0.0), tops[b], bases[b]);
            JudgeSlenderness(readable ? &rays : nullptr, column, section, row.Nd, checked);
            CheckFpFaults();
        } catch (const EngineError& error) {
            // Where the curve itself has no reading (no area, a fault), its
            // own verdict says more than the column's arithmetic.
            if (readable) {
                ForgetReading(result);
                result.status = CombinationStatus::Error;
                result.fault = error.fault();
            }
            return result;
        }
        if (checked.status != ColumnCheckStatus::Checked) {
            // Refused, or failing by instability: no situation is read.
            if (readable) {
                ForgetReading(result);
                result.status = checked.status == ColumnCheckStatus::Unstable ? CombinationStatus::Fails
                                                                              : CombinationStatus::Refused;
            }
        } else if (readable) {
            ReadColumnSituations(rays, column, top, base, checked);
        }
    }
    if (!checked.situations.empty()) {
        int governing = 0;
        for (std::size_t s = 1; s < checked.situations.size(); ++s) {
            const RayCapacity& reading = checked.situations[s].reading;
            const RayCapacity& worst = checked.situations[static_cast<std::size_t>(governing)].reading;
            if (Above(RankOf(reading.holds, reading.utilisation), RankOf(worst.holds, worst.utilisation)))
                governing = static_cast<int>(s);
        }
        checked.governingSituation = governing;
        const RayCapacity& reading = checked.situations[static_cast<std::size_t>(governing)].reading;
        result.inside = reading.inside;
        result.resisting = reading.resisting;
        result.resistingMoment = reading.resistingMoment;
        result.utilisation = reading.utilisation;
        result.status = reading.holds ? CombinationStatus::Holds : CombinationStatus::Fails;
    }
    result.column = std::move(checked);
    return result;
}

int GoverningRow(const std::vector<CombinationResult>& rows)
{
    int governing = -1;
    Rank governingRank;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CombinationResult& row = rows[i];
        // A row without η and not holding has no capacity to speak of: it
        // ranks above any η.
        const Rank rank = RankOf(row.status == CombinationStatus::Holds, row.utilisation);
        if (governing < 0 || Above(rank, governingRank)) {
            governing = static_cast<int>(i);
            governingRank = rank;
        }
    }
    return governing;
}

namespace {

// The row that governs the check, marked.
void MarkGoverningRow(CombinationCheck& check)
{
    check.governing = GoverningRow(check.rows);
    if (check.governing >= 0)
        check.rows[static_cast<std::size_t>(check.governing)].governing = true;
}

} // namespace

ColumnSection CheckedColumnSection(const AnalysisState& state, const MaterialSelection& materials, const Column& column)
{
    // The outline and the concrete as every generation of the check sees them.
    auto materialState = std::make_unique<AnalysisState>(state);
    UpdateMaterials(*materialState, materials);
    return SlenderColumnSectionOf(*materialState, materials, column);
}

double GenerationNd(const LoadCombination& row, const ColumnSection* section)
{
    return section && section->columnCase ? ForcesTimesGammaN(row, section->columnCase->gammaN).Nd : row.Nd;
}

void ReadRowsOffCurves(const AnalysisState& state, const MaterialSelection& materials,
                       const CombinationList& combinations, const std::optional<Column>& column,
                       std::span<const NdCurve> curves, std::span<const std::size_t> curveOfRow,
                       CombinationCheck& check)
{
    check.rows.clear();
    check.rows.reserve(combinations.size());
    if (column) {
        const ColumnSection section = CheckedColumnSection(state, materials, *column);
        for (std::size_t r = 0; r < combinations.size(); ++r)
            check.rows.push_back(ReadOffCurve(curves[curveOfRow[r]], combinations[r], *column, section));
    } else {
        for (std::size_t r = 0; r < combinations.size(); ++r)
            check.rows.push_back(ReadOffCurve(curves[curveOfRow[r]], combinations[r]));
    }
    MarkGoverningRow(check);
}

Point GoverningMoments(const LoadCombination& row, const CombinationResult& result)
{
    if (result.column && result.column->governingSituation >= 0 &&
        static_cast<std::size_t>(result.column->governingSituation) < result.column->situations.size())
        return result.column->situations[static_cast<std::size_t>(result.column->governingSituation)].moments;
    const LoadCombination judged = result.column ? ForcesTimesGammaN(row, result.column->gammaN) : row;
    return Point{judged.Mxd, judged.Myd};
}

double GoverningNd(const LoadCombination& row, const CombinationResult& result)
{
    return result.column ? ForcesTimesGammaN(row, result.column->gammaN).Nd : row.Nd;
}

CombinationCheck CheckCombinations(const AnalysisState& state, const MaterialSelection& materials,
                                   const CombinationList& combinations, int threads, WorkProgress* progress,
                                   CurveReading reading)
{
    return CheckCombinations(state, materials, combinations, std::nullopt, threads, progress, reading);
}

CombinationCheck CheckCombinations(const AnalysisState& state, const MaterialSelection& materials,
                                   const CombinationList& combinations, const std::optional<Column>& column,
                                   int threads, WorkProgress* progress, CurveReading reading)
{
    CombinationCheck check;
    // A column's rows are generated at their Nd times γn.
    std::optional<ColumnSection> section;
    if (column)
        section = CheckedColumnSection(state, materials, *column);
    // Rows with the same Nd share one generation; -0 and 0 are one Nd.
    std::map<double, std::size_t> indexOfNd;
    std::vector<double> nds;
    std::vector<std::size_t> curveOfRow;
    curveOfRow.reserve(combinations.size());
    for (const LoadCombination& row : combinations) {
        const double nd = GenerationNd(row, section ? &*section : nullptr);
        const auto [at, added] = indexOfNd.emplace(nd, nds.size());
        if (added)
            nds.push_back(nd);
        curveOfRow.push_back(at->second);
    }
    std::vector<std::vector<int>> rowsOfNd(nds.size());
    for (std::size_t r = 0; r < combinations.size(); ++r)
        rowsOfNd[curveOfRow[r]].push_back(static_cast<int>(r));
    // The rows of each Nd read on a worker, each worker on its own copy of the
    // case, made on its own thread.
    const int workers = std::max(1, std::min(threads, static_cast<int>(nds.size())));
    std::vector<std::unique_ptr<NdReading>> readings(static_cast<std::size_t>(workers));
    std::vector<CombinationResult> rows(combinations.size());
    std::vector<char> read(nds.size(), 0);
    RunOnWorkers(
        static_cast<int>(nds.size()), workers,
        [&](int worker, int i) {
            std::unique_ptr<NdReading>& reader = readings[static_cast<std::size_t>(worker)];
            if (!reader)
                reader = std::make_unique<NdReading>(state, reading);
            NdReading& own = *reader;
            own.Start(materials, nds[static_cast<std::size_t>(i)]);
            for (const int r : rowsOfNd[static_cast<std::size_t>(i)]) {
                const LoadCombination& row = combinations[static_cast<std::size_t>(r)];
                rows[static_cast<std::size_t>(r)] = section ? own.Read(row, *column, *section) : own.Read(row);
            }
            read[static_cast<std::size_t>(i)] = 1;
        },
        progress);
    for (const char done : read) {
        if (!done)
            check.cancelled = true;
        else
            ++check.generations;
    }
    if (check.cancelled)
        return check;
    check.rows = std::move(rows);
    MarkGoverningRow(check);
    return check;
}

} // namespace flexara
