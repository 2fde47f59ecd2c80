#include "engine/design/Arrangement.h"

#include "engine/NumberText.h"
#include "engine/case/BarLayout.h"
#include "engine/case/CaseEditing.h"
#include "engine/column/NdReading.h"
#include "engine/column/Slenderness.h"
#include "engine/section/Ratio.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace flexara {

namespace {

using Real = long double;

// A bound's margin: a row is left out only when its bound is below the
// governing η by more than what the arithmetic of two curves may differ.
constexpr double BoundMargin = 1e-6;
constexpr double Unbounded = std::numeric_limits<double>::infinity();

// What is known of a row of an arrangement before reading it: its η is at
// most eta, and it holds when held is true.
struct RowBound {
    double eta = Unbounded;
    bool held = false;
};

// The prime factors of n, with their multiplicity.
int PrimeFactors(int n)
{
    int count = 0;
    for (int p = 2; p * p <= n; ++p)
        while (n % p == 0) {
            n /= p;
            ++count;
        }
    return count + (n > 1 ? 1 : 0);
}

// The distance of the corner bars' centres from the faces, cm.
Real CoverToCentre(double cover, const Arrangement& a)
{
    return static_cast<Real>(cover) + a.stirrupDiameter / 10.0L + a.diameter / 20.0L;
}

// Whether n bars between the corners along a stretch of length (cm) keep the
// clear distance of 18.4.2.2.
bool Spaced(Real length, int n, const Arrangement& a, double aggregate)
{
    const Real spacing = length / (n + 1) * 10.0L - a.diameter;
    const Real least = std::max({20.0L, static_cast<Real>(a.diameter), 1.2L * aggregate});
    return spacing >= least - DetailingTolerance;
}

double AreaOf(const AnalysisState& s)
{
    Real area = 0.0L;
    for (int k = 0; k < std::clamp(s.LineCount, 0, MaxLines); ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        area += static_cast<Real>(BarsInLine(line)) * BarAreaOf(line.Diameter);
    }
    return static_cast<double>(area);
}

struct Candidate {
    Arrangement arrangement;
    int depth = 0;              // prime factors of (nx + 1)·(ny + 1)
    std::vector<int> subsets;   // the candidates one prime factor fewer, same φ
    std::vector<RowBound> rows; // after its reading: exact where read
    ArrangementOption option;
};

// One worker's case and readings.
struct Worker {
    std::unique_ptr<NdReading> reading;
    ColumnSection section;
};

bool ChoiceOrder(const ArrangementOption& a, const ArrangementOption& b)
{
    if (a.steelArea != b.steelArea)
        return a.steelArea < b.steelArea;
    if (a.arrangement.Count() != b.arrangement.Count())
        return a.arrangement.Count() < b.arrangement.Count();
    if (a.detailing.Ties() != b.detailing.Ties())
        return a.detailing.Ties() < b.detailing.Ties();
    return a.arrangement.barsX < b.arrangement.barsX;
}

} // namespace

void WriteArrangement(AnalysisState& state, const Arrangement& a, double cover)
{
    const Real b = state.ShapeDims[0], h = state.ShapeDims[1];
    const Real at = CoverToCentre(cover, a);
    // Every coordinate as its field and the project file keep it (15
    // digits): the case checked is the case written and read back.
    const double low = ThroughFieldText(static_cast<double>(at)), left = low;
    const double top = ThroughFieldText(static_cast<double>(h - at));
    const double right = ThroughFieldText(static_cast<double>(b - at));
    for (int k = 0; k < MaxLines; ++k)
        state.BarLines[static_cast<std::size_t>(k)] = BarLine{};
    int lines = 0;
    const auto line = [&](int bars, double x1, double y1, double x2, double y2, std::uint8_t orientation) {
        BarLine& l = state.BarLines[static_cast<std::size_t>(lines++)];
        l.BarCount = bars;
        l.Diameter = a.diameter;
        l.X1 = x1;
        l.Y1 = y1;
        l.X2 = x2;
        l.Y2 = y2;
        l.Orientation = orientation;
    };
    line(a.barsX + 2, left, low, right, low, OrientationHorizontal);
    line(a.barsX + 2, left, top, right, top, OrientationHorizontal);
    if (a.barsY > 0) {
        const Real spacing = (h - 2.0L * at) / (a.barsY + 1);
        const double first = ThroughFieldText(static_cast<double>(at + spacing));
        const double last = ThroughFieldText(static_cast<double>(h - at - spacing));
        line(a.barsY, left, first, left, last, OrientationVertical);
        line(a.barsY, right, first, right, last, OrientationVertical);
    }
    state.LineCount = lines;
}

bool DesignedByArrangement(const AnalysisState& state, const std::optional<Detailing>& detailing)
{
    return detailing.has_value() && state.Section.ShapeKind == ShapeRectangle;
}

void ApplyArrangement(AnalysisState& state, Detailing& detailing, const ArrangementOption& option)
{
    WriteArrangement(state, option.arrangement, detailing.Cover());
    detailing.stirrupDiameter = option.arrangement.stirrupDiameter;
    detailing.stirrupSpacing = option.detailing.stirrupSpacing;
}

ArrangementDesign DesignArrangement(const AnalysisState& state, const MaterialSelection& materials,
                                    const CombinationList& combinations, const std::optional<Column>& column,
                                    const Detailing& detailing, int threads, WorkProgress* progress,
                                    CurveReading reading, bool bounds)
{
    ArrangementDesign design;
    design.limits = SteelLimitsOf(state, materials, combinations);
    design.rectangle = state.Section.ShapeKind == ShapeRectangle;
    if (!design.rectangle || combinations.empty())
        return design;
    const double cover = detailing.Cover();
    const Real b = state.ShapeDims[0], h = state.ShapeDims[1];
    const std::optional<double> least = DetailingLeastDimension(state, column);

    // Every arrangement the clear spacing allows, each diameter's corners
    // alone first; a diameter whose corner bars would overlap has none.
    std::vector<Candidate> candidates;
    for (const double d : BarDiameters) {
        Arrangement a;
        a.diameter = d;
        a.stirrupDiameter = StirrupDiameterOf(detailing, d);
        const Real at = CoverToCentre(cover, a);
        const Real lx = b - 2.0L * at, ly = h - 2.0L * at;
        if (!(lx * 10.0L >= d) || !(ly * 10.0L >= d))
            continue;
        const std::size_t first = candidates.size();
        for (int nx = 0; nx + 2 <= MaxBarsPerLine && (nx == 0 || Spaced(lx, nx, a, detailing.aggregateSize)); ++nx)
            for (int ny = 0; ny <= MaxBarsPerLine && (ny == 0 || Spaced(ly, ny, a, detailing.aggregateSize)); ++ny) {
                Candidate c;
                c.arrangement = a;
                c.arrangement.barsX = nx;
                c.arrangement.barsY = ny;
                c.depth = PrimeFactors(nx + 1) + PrimeFactors(ny + 1);
                candidates.push_back(std::move(c));
            }
        // The subsets: nx + 1 or ny + 1 divided by one prime.
        for (std::size_t i = first; i < candidates.size(); ++i) {
            const Arrangement& a1 = candidates[i].arrangement;
            for (std::size_t j = first; j < candidates.size(); ++j) {
                const Arrangement& a0 = candidates[j].arrangement;
                const bool inX = a0.barsY == a1.barsY && a0.barsX < a1.barsX && (a1.barsX + 1) % (a0.barsX + 1) == 0 &&
                                 PrimeFactors((a1.barsX + 1) / (a0.barsX + 1)) == 1;
                const bool inY = a0.barsX == a1.barsX && a0.barsY < a1.barsY && (a1.barsY + 1) % (a0.barsY + 1) == 0 &&
                                 PrimeFactors((a1.barsY + 1) / (a0.barsY + 1)) == 1;
                if (inX || inY)
                    candidates[i].subsets.push_back(static_cast<int>(j));
            }
        }
    }

    // The Nd of the rows, a column's times its γn (the bars change nothing of it).
    double gammaN = 1.0;
    if (column) {
        const ColumnSection section = CheckedColumnSection(state, materials, *column);
        if (section.columnCase)
            gammaN = section.columnCase->gammaN;
    }
    const NdGroups groups = GroupByNd(combinations, gammaN);
    // The coupled method's moments follow the bars' stiffness: no bound.
    const bool bounded = bounds && !(column && column->method == SecondOrderMethod::Coupled);

    if (progress) {
        progress->done = 0;
        progress->total = static_cast<int>(candidates.size());
    }
    const int workerCount = std::max(1, threads);
    std::vector<Worker> workers;
    for (int w = 0; w < workerCount; ++w)
        workers.push_back(Worker{std::make_unique<NdReading>(state, reading), {}});
    std::vector<int> readings(candidates.size(), 0);

    const auto run = [&](int w, Candidate& c) {
        Worker& worker = workers[static_cast<std::size_t>(w)];
        AnalysisState& own = worker.reading->Case();
        WriteArrangement(own, c.arrangement, cover);
        UpdateReinforcementRatio(own);
        worker.reading->CaseChanged();
        if (column)
            worker.section = CheckedColumnSection(own, materials, *column);
        // The bound of each row: the least over the subsets; held where any
        // subset holds it.
        std::vector<RowBound> known(combinations.size());
        if (bounded)
            for (const int s : c.subsets)
                for (std::size_t r = 0; r < known.size(); ++r) {
                    const RowBound& sub = candidates[static_cast<std::size_t>(s)].rows[r];
                    known[r].eta = std::min(known[r].eta, sub.eta);
                    known[r].held = known[r].held || sub.held;
                }
        std::vector<RowBound> groupBound(groups.nds.size());
        for (std::size_t g = 0; g < groups.nds.size(); ++g) {
            groupBound[g].eta = -Unbounded;
            groupBound[g].held = true;
            for (const int r : groups.rowsOf[g]) {
                groupBound[g].eta = std::max(groupBound[g].eta, known[static_cast<std::size_t>(r)].eta);
                groupBound[g].held = groupBound[g].held && known[static_cast<std::size_t>(r)].held;
            }
        }
        std::vector<int> order(groups.nds.size());
        for (std::size_t g = 0; g < order.size(); ++g)
            order[g] = static_cast<int>(g);
        std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
            return groupBound[static_cast<std::size_t>(x)].eta > groupBound[static_cast<std::size_t>(y)].eta;
        });
        // Rows left out stand below every row read: η of −1.
        std::vector<CombinationResult> rows(combinations.size());
        for (CombinationResult& row : rows) {
            row.status = CombinationStatus::Holds;
            row.utilisation = -1.0;
        }
        c.rows = known;
        int worst = -1;
        for (const int g : order) {
            const RowBound& bound = groupBound[static_cast<std::size_t>(g)];
            if (worst >= 0) {
                const CombinationResult& w0 = rows[static_cast<std::size_t>(worst)];
                const double worstEta = w0.utilisation ? *w0.utilisation : Unbounded;
                const bool worstHolds = w0.status == CombinationStatus::Holds;
                // A row that held in a subset holds here with η under its
                // bound; one that did not may fail, and is left out only
                // below a row that fails.
                if ((bound.held || !worstHolds) && bound.eta < worstEta * (1.0 - BoundMargin))
                    continue;
            }
            worker.reading->Start(materials, groups.nds[static_cast<std::size_t>(g)]);
            ++readings[static_cast<std::size_t>(&c - candidates.data())];
            for (const int r : groups.rowsOf[static_cast<std::size_t>(g)]) {
                const LoadCombination& row = combinations[static_cast<std::size_t>(r)];
                CombinationResult read =
                    column ? worker.reading->Read(row, *column, worker.section) : worker.reading->Read(row);
                RowBound& exact = c.rows[static_cast<std::size_t>(r)];
                exact.held = read.status == CombinationStatus::Holds && read.utilisation.has_value();
                exact.eta = read.utilisation &&
                                    (read.status == CombinationStatus::Holds || read.status == CombinationStatus::Fails)
                                ? *read.utilisation
                                : Unbounded;
                rows[static_cast<std::size_t>(r)] = std::move(read);
            }
            worst = GoverningRow(rows);
        }
        ArrangementOption& option = c.option;
        option.arrangement = c.arrangement;
        option.steelArea = AreaOf(own);
        option.governingRow = GoverningRow(rows);
        if (option.governingRow >= 0) {
            const CombinationResult& g = rows[static_cast<std::size_t>(option.governingRow)];
            option.governingEta = g.utilisation;
            option.governingStatus = g.status;
            option.allHold = g.status == CombinationStatus::Holds;
            if (g.column && g.column->governingSituation >= 0)
                option.governingSituation =
                    g.column->situations[static_cast<std::size_t>(g.column->governingSituation)].situation;
        }
        SteelLimits limits = design.limits;
        limits.steelArea = option.steelArea;
        Detailing own_detailing = detailing;
        own_detailing.stirrupDiameter = c.arrangement.stirrupDiameter;
        option.detailing = CheckDetailing(own, own_detailing, limits, least, materials.steelIndex);
        if (progress)
            ++progress->done;
    };

    // Depth by depth: every subset of an arrangement is read before it.
    int deepest = 0;
    for (const Candidate& c : candidates)
        deepest = std::max(deepest, c.depth);
    for (int depth = 0; depth <= deepest; ++depth) {
        std::vector<int> level;
        for (std::size_t i = 0; i < candidates.size(); ++i)
            if (candidates[i].depth == depth)
                level.push_back(static_cast<int>(i));
        WorkProgress local;
        const bool complete = RunOnWorkers(
            static_cast<int>(level.size()), workerCount,
            [&](int w, int i) {
                if (progress && progress->cancel) {
                    local.cancel = true;
                    return;
                }
                run(w, candidates[static_cast<std::size_t>(level[static_cast<std::size_t>(i)])]);
            },
            &local);
        if (!complete || (progress && progress->cancel)) {
            design.cancelled = true;
            return design;
        }
    }

    for (std::size_t i = 0; i < candidates.size(); ++i)
        design.readings += readings[i];
    std::vector<ArrangementOption> holding, rest;
    for (Candidate& c : candidates)
        (c.option.Holds() ? holding : rest).push_back(std::move(c.option));
    std::stable_sort(holding.begin(), holding.end(), ChoiceOrder);
    design.holding = static_cast<int>(holding.size());
    design.chosen = holding.empty() ? -1 : 0;
    design.options = std::move(holding);
    design.options.insert(design.options.end(), std::make_move_iterator(rest.begin()),
                          std::make_move_iterator(rest.end()));
    return design;
}

} // namespace flexara
