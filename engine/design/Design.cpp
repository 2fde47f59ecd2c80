#include "engine/design/Design.h"

#include "engine/case/BarLayout.h"
#include "engine/case/CaseEditing.h"
#include "engine/column/NdReading.h"
#include "engine/column/Slenderness.h"
#include "engine/design/Detailing.h"
#include "engine/design/OutlineFaces.h"
#include "engine/section/Ratio.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace flexara {

namespace {

using Real = long double;

int LineCountOf(const AnalysisState& s)
{
    return s.LineCount < 0 ? 0 : (s.LineCount > MaxLines ? MaxLines : s.LineCount);
}

double SteelAreaOf(const AnalysisState& s)
{
    Real area = 0.0L;
    for (int k = 0; k < LineCountOf(s); ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        area += static_cast<Real>(BarsInLine(line)) * BarAreaOf(line.Diameter);
    }
    return static_cast<double>(area);
}

// Every bar's area times factor, the bars where they are: the diameters of
// base times √factor.
void ScaleBarAreas(AnalysisState& s, const AnalysisState& base, double factor)
{
    const Real scale = std::sqrt(static_cast<Real>(factor));
    for (int k = 0; k < LineCountOf(s); ++k)
        s.BarLines[static_cast<std::size_t>(k)].Diameter =
            static_cast<double>(base.BarLines[static_cast<std::size_t>(k)].Diameter * scale);
}

// One worker's private case and its readings, and the sweep its case was
// last prepared for.
struct WorkerCase {
    std::unique_ptr<NdReading> reading;
    int sweep = -1;
    ColumnSection section; // of the worker's bars, for the column's checks
};

class Search {
public:
    Search(const AnalysisState& state, const MaterialSelection& materials, const CombinationList& combinations,
           const std::optional<Column>& column, int threads, WorkProgress* progress, CurveReading reading)
        : base(state), materials(materials), combinations(combinations), column(column),
          groups(GroupByNd(combinations)), progress(progress)
    {
        if (column) {
            // The outline and the concrete: the bars change nothing of them.
            auto materialState = std::make_unique<AnalysisState>(state);
            UpdateMaterials(*materialState, materials);
            section = SlenderColumnSectionOf(*materialState, materials, *column);
            groups = GroupByNd(combinations, section.columnCase->gammaN);
        }
        const int workers = std::max(1, std::min(threads, static_cast<int>(groups.nds.size())));
        for (int w = 0; w < workers; ++w)
            cases.push_back(WorkerCase{std::make_unique<NdReading>(state, reading), -1, {}});
    }

    bool Cancelled() const { return progress && progress->cancel; }

    // Row r read at its Nd, as a column (with the worker's section) when there
    // is one.
    CombinationResult Read(NdReading& reading, int r, const ColumnSection& own) const
    {
        const LoadCombination& row = combinations[static_cast<std::size_t>(r)];
        return column ? reading.Read(row, *column, own) : reading.Read(row);
    }

    // The check of every combination with every line given the diameter.
    CombinationCheck CheckWithDiameter(double diameter)
    {
        std::vector<CombinationResult> rows(combinations.size());
        const bool complete = Sweep(
            [diameter](AnalysisState& s) {
                ApplyDiameterToEveryLine(s, diameter);
                UpdateReinforcementRatio(s);
            },
            [&](int group, NdReading& reading, const ColumnSection& own) {
                for (const int r : groups.rowsOf[static_cast<std::size_t>(group)])
                    rows[static_cast<std::size_t>(r)] = Read(reading, r, own);
                return true;
            },
            nullptr);
        CombinationCheck check;
        check.cancelled = !complete;
        if (complete) {
            check.rows = std::move(rows);
            check.governing = GoverningRow(check.rows);
        }
        return check;
    }

    // Whether every combination holds with every bar's area times factor. The
    // Nd most likely to fail go first, and the sweep stops at the first row
    // that does not hold: the answer is the same whichever worker finds it.
    std::optional<bool> HoldsWithFactor(double factor)
    {
        std::atomic<bool> fails{false};
        const bool complete = Sweep(
            [this, factor](AnalysisState& s) {
                ScaleBarAreas(s, base, factor);
                UpdateReinforcementRatio(s);
            },
            [&](int group, NdReading& reading, const ColumnSection& own) {
                for (const int r : groups.rowsOf[static_cast<std::size_t>(group)])
                    if (Read(reading, r, own).status != CombinationStatus::Holds)
                        fails = true;
                return !fails;
            },
            &order);
        if (fails)
            return false;
        if (!complete)
            return std::nullopt; // cancelled
        return true;
    }

    // The groups of Nd in the order the factor search tries them: the least
    // reserve first, by the check of the nearest diameter. With skipHolding,
    // the groups whose rows all hold in that check are left out: every factor
    // the search tries is above the one of the check, and more steel in the
    // same places only widens the curve.
    void OrderByReserve(const CombinationCheck& check, bool skipHolding = false)
    {
        std::vector<double> reserve(groups.nds.size(), 0.0);
        for (std::size_t g = 0; g < groups.nds.size(); ++g)
            for (const int r : groups.rowsOf[g]) {
                const CombinationResult& row = check.rows[static_cast<std::size_t>(r)];
                const double eta = row.status == CombinationStatus::Holds && row.utilisation ? *row.utilisation
                                   : row.status == CombinationStatus::Holds                  ? 0.0
                                                                                             : HUGE_VAL;
                reserve[g] = std::max(reserve[g], eta);
            }
        order.resize(groups.nds.size());
        for (std::size_t g = 0; g < order.size(); ++g)
            order[g] = static_cast<int>(g);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return reserve[static_cast<std::size_t>(a)] > reserve[static_cast<std::size_t>(b)];
        });
        if (skipHolding)
            std::erase_if(order, [&](int g) { return reserve[static_cast<std::size_t>(g)] <= 1.0; });
    }

private:
    // Reads every group of Nd (in the given order) on a case prepared by
    // `prepare`, handing each to `read`; a false from read stops the sweep.
    // False when it stopped before every group was read.
    template <class Prepare, class Read>
    bool Sweep(const Prepare& prepare, const Read& read, const std::vector<int>* groupOrder)
    {
        ++sweeps;
        WorkProgress local;
        const int count = static_cast<int>(groupOrder ? groupOrder->size() : groups.nds.size());
        if (count == 0)
            return !Cancelled();
        const bool complete = RunOnWorkers(
            count, static_cast<int>(cases.size()),
            [&](int worker, int i) {
                if (Cancelled()) {
                    local.cancel = true;
                    return;
                }
                const int group = groupOrder ? (*groupOrder)[static_cast<std::size_t>(i)] : i;
                // The worker's case differs from the base in its diameters
                // alone, which prepare sets afresh once a sweep.
                WorkerCase& own = cases[static_cast<std::size_t>(worker)];
                if (own.sweep != sweeps) {
                    prepare(own.reading->Case());
                    own.reading->CaseChanged();
                    own.sweep = sweeps;
                    // The bars' diameters, and with them the symmetry and the
                    // deformation curve, are the worker's.
                    if (column)
                        own.section = CheckedColumnSection(own.reading->Case(), materials, *column);
                }
                own.reading->Start(materials, groups.nds[static_cast<std::size_t>(group)]);
                if (progress)
                    ++progress->done;
                if (!read(group, *own.reading, own.section))
                    local.cancel = true;
            },
            &local);
        return complete && !Cancelled();
    }

    const AnalysisState& base;
    const MaterialSelection& materials;
    const CombinationList& combinations;
    const std::optional<Column>& column;
    ColumnSection section;
    NdGroups groups;
    WorkProgress* progress;
    std::vector<WorkerCase> cases;
    int sweeps = 0;
    std::vector<int> order; // the groups the factor search generates, in its order
};

// Largest factor tried on the area of the arrangement before saying that no
// area suffices, and the smallest before saying that hardly any is needed.
constexpr double LargestFactor = 1024.0;
constexpr double SmallestFactor = 1.0 / 1024.0;

// The diameter every line with bars has, when they all have one (and it is
// positive).
std::optional<double> CommonDiameter(const AnalysisState& s)
{
    std::optional<double> common;
    for (int k = 0; k < LineCountOf(s); ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        if (BarsInLine(line) == 0)
            continue;
        if (common && *common != line.Diameter)
            return std::nullopt;
        common = line.Diameter;
    }
    return common && *common > 0.0 ? common : std::nullopt;
}

// A bracket of the factor needed (fails at low, holds at high) by halving or
// doubling from the arrangement as it stands. False when the search ends
// there: cancelled, no area suffices, or hardly any is needed (result says
// which).
bool Bracket(Search& search, DesignResult& result, double& low, double& high)
{
    const std::optional<bool> holdsNow = search.HoldsWithFactor(1.0);
    if (!holdsNow) {
        result.cancelled = true;
        return false;
    }
    if (*holdsNow) {
        high = 1.0;
        low = 0.5;
        for (;;) {
            const std::optional<bool> holds = search.HoldsWithFactor(low);
            if (!holds) {
                result.cancelled = true;
                return false;
            }
            if (!*holds)
                return true;
            high = low;
            if (low <= SmallestFactor) {
                // Hardly any steel is needed: the smallest factor tried stands.
                result.areaNeededBelowSmallest = true;
                result.factorNeeded = high;
                result.areaNeeded = static_cast<double>(static_cast<Real>(high) * result.currentArea);
                return false;
            }
            low /= 2.0;
        }
    }
    low = 1.0;
    high = 2.0;
    for (;;) {
        const std::optional<bool> holds = search.HoldsWithFactor(high);
        if (!holds) {
            result.cancelled = true;
            return false;
        }
        if (*holds)
            return true;
        low = high;
        if (high >= LargestFactor)
            return false; // no area of this arrangement suffices
        high *= 2.0;
    }
}

bool HasBars(const AnalysisState& s)
{
    for (int k = 0; k < LineCountOf(s); ++k)
        if (BarsInLine(s.BarLines[static_cast<std::size_t>(k)]) > 0)
            return true;
    return false;
}

bool BarsFit(const AnalysisState& s, const OutlineFaces& faces, double diameter)
{
    const double radius = static_cast<double>(static_cast<Real>(diameter) / 20.0L); // mm to cm, half
    for (int k = 0; k < LineCountOf(s); ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        for (int j = 1; j <= BarsInLine(line); ++j)
            if (!faces.Holds(BarPosition(line, j), radius))
                return false;
    }
    return true;
}

} // namespace

NdGroups GroupByNd(const CombinationList& combinations, double gammaN)
{
    NdGroups groups;
    std::map<double, int> indexOfNd; // -0 and 0 are one Nd
    for (std::size_t r = 0; r < combinations.size(); ++r) {
        const double nd = ForcesTimesGammaN(combinations[r], gammaN).Nd;
        const auto [at, added] = indexOfNd.emplace(nd, static_cast<int>(groups.nds.size()));
        if (added) {
            groups.nds.push_back(nd);
            groups.rowsOf.emplace_back();
        }
        groups.rowsOf[static_cast<std::size_t>(at->second)].push_back(static_cast<int>(r));
    }
    return groups;
}

bool BarsFitOutline(const AnalysisState& state, double diameter)
{
    return BarsFit(state, OutlineFaces(state.Section), diameter);
}

void ApplyDiameterToEveryLine(AnalysisState& state, double diameter)
{
    for (int k = 0; k < LineCountOf(state); ++k) {
        BarLine& line = state.BarLines[static_cast<std::size_t>(k)];
        if (BarsInLine(line) > 0)
            line.Diameter = diameter;
    }
}

SteelLimits SteelLimitsOf(const AnalysisState& state, const MaterialSelection& materials,
                          const CombinationList& combinations)
{
    SteelLimits limits;
    auto copy = std::make_unique<AnalysisState>(state);
    UpdateMaterials(*copy, materials);
    UpdateReinforcementRatio(*copy);
    limits.concreteArea = copy->Section.Area;
    for (const LoadCombination& row : combinations)
        limits.mostCompressed = std::min(limits.mostCompressed, row.Nd);
    const Real byForce = 0.15L * std::fabs(static_cast<Real>(limits.mostCompressed)) / copy->Fyd;
    const Real byArea = 0.004L * limits.concreteArea;
    limits.minimum = static_cast<double>(std::max(byForce, byArea));
    limits.maximum = static_cast<double>(0.04L * limits.concreteArea);
    limits.steelArea = SteelAreaOf(state);
    return limits;
}

DesignResult DesignReinforcement(const AnalysisState& state, const MaterialSelection& materials,
                                 const CombinationList& combinations, const std::optional<Column>& column, int threads,
                                 WorkProgress* progress, CurveReading reading, const std::optional<Detailing>& detailing)
{
    DesignResult result;
    result.limits = SteelLimitsOf(state, materials, combinations);
    result.currentArea = result.limits.steelArea;
    result.withoutBars = !HasBars(state);
    if (combinations.empty() || result.withoutBars)
        return result;
    const OutlineFaces faces(state.Section);
    const int groups = static_cast<int>(GroupByNd(combinations).nds.size());
    if (progress) {
        progress->done = 0;
        // The table, and about sixteen steps of the factor search.
        progress->total = groups * static_cast<int>(BarDiameters.size() + 16);
    }

    Search search(state, materials, combinations, column, threads, progress, reading);
    std::vector<CombinationCheck> checks;
    for (const double diameter : BarDiameters) {
        CombinationCheck check = search.CheckWithDiameter(diameter);
        if (check.cancelled) {
            result.cancelled = true;
            return result;
        }
        auto copy = std::make_unique<AnalysisState>(state);
        ApplyDiameterToEveryLine(*copy, diameter);
        DesignOption option;
        option.diameter = diameter;
        option.steelArea = SteelAreaOf(*copy);
        option.ratio = result.limits.concreteArea > 0.0
                           ? static_cast<double>(static_cast<Real>(option.steelArea) / result.limits.concreteArea)
                           : 0.0;
        option.governingRow = check.governing;
        if (check.governing >= 0) {
            const CombinationResult& governing = check.rows[static_cast<std::size_t>(check.governing)];
            option.governingEta = governing.utilisation;
            option.governingStatus = governing.status;
            option.allHold = governing.status == CombinationStatus::Holds;
        }
        option.belowMinimum = option.steelArea < result.limits.minimum;
        option.aboveMaximum = option.steelArea > result.limits.maximum;
        option.belowColumnDiameter = diameter < ColumnMinimumDiameter;
        option.fits = BarsFit(state, faces, diameter);
        if (detailing) {
            SteelLimits limits = result.limits;
            limits.steelArea = option.steelArea;
            option.detailing = CheckDetailing(*copy, *detailing, limits, DetailingLeastDimension(state, column),
                                              materials.steelIndex);
            option.fits = option.fits && option.detailing->Of(DetailingRule::BarCover).verdict != RuleVerdict::Fails;
        }
        if (result.chosen < 0 && option.allHold && option.LimitsHold() && option.fits &&
            (!option.detailing || option.detailing->Holds()))
            result.chosen = static_cast<int>(result.options.size());
        result.options.push_back(option);
        checks.push_back(std::move(check));
    }

    // The continuous answer, only for an arrangement that has steel: a
    // bracket, then bisection to the relative tolerance.
    if (!(result.currentArea > 0.0))
        return result;
    // When every line with bars has one diameter d0, the factor of diameter d
    // of the table is (d/d0)²: the smallest diameter that holds and the one
    // below it bracket the factor needed, and only the Nd that fail with the
    // one below need generating while the factor rises above it.
    double low = 0.0, high = 0.0;
    std::size_t holding = 0;
    while (holding < checks.size() && !result.options[holding].allHold)
        ++holding;
    const std::optional<double> common = CommonDiameter(state);
    if (common && holding > 0 && holding < checks.size()) {
        const auto factorOf = [&](double d) {
            const Real ratio = static_cast<Real>(d) / *common;
            return static_cast<double>(ratio * ratio);
        };
        low = factorOf(BarDiameters[holding - 1]);
        high = factorOf(BarDiameters[holding]);
        search.OrderByReserve(checks[holding - 1], true);
    } else {
        // The Nd least likely to hold are tried first: by the check of the
        // diameter nearest above the arrangement's own mean bar area.
        std::size_t nearest = 0;
        {
            int bars = 0;
            for (int k = 0; k < LineCountOf(state); ++k)
                bars += BarsInLine(state.BarLines[static_cast<std::size_t>(k)]);
            const double meanArea = bars > 0 ? result.currentArea / bars : 0.0;
            while (nearest + 1 < BarDiameters.size() && BarAreaOf(BarDiameters[nearest]) < meanArea)
                ++nearest;
        }
        search.OrderByReserve(checks[nearest]);
        if (!Bracket(search, result, low, high))
            return result;
    }
    while ((high - low) > AreaNeededTolerance * high) {
        const double mid = static_cast<double>((static_cast<Real>(low) + high) / 2.0L);
        if (mid == low || mid == high)
            break;
        const std::optional<bool> holds = search.HoldsWithFactor(mid);
        if (!holds) {
            result.cancelled = true;
            return result;
        }
        (*holds ? high : low) = mid;
    }
    result.factorNeeded = high;
    result.areaNeeded = static_cast<double>(static_cast<Real>(high) * result.currentArea);
    return result;
}

} // namespace flexara
