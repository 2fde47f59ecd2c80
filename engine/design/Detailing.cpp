#include "engine/design/Detailing.h"

#include "engine/case/BarLayout.h"
#include "engine/case/CaseEditing.h"
#include "engine/column/Slenderness.h"
#include "engine/design/Design.h"
#include "engine/design/OutlineFaces.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace flexara {

namespace {

using Real = long double;

struct Bar {
    Point centre;
    double diameter = 0.0; // mm
};

std::vector<Bar> BarsOf(const AnalysisState& s)
{
    std::vector<Bar> bars;
    const int lines = std::clamp(s.LineCount, 0, MaxLines);
    for (int k = 0; k < lines; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        for (int j = 1; j <= BarsInLine(line); ++j)
            bars.push_back(Bar{BarPosition(line, j), line.Diameter});
    }
    return bars;
}

Real Between(Point a, Point b)
{
    return std::hypot(static_cast<Real>(a.x) - b.x, static_cast<Real>(a.y) - b.y);
}

RuleCheck Lower(DetailingRule rule, Real value, Real limit, Point at = {})
{
    return RuleCheck{rule, value >= limit - DetailingTolerance ? RuleVerdict::Holds : RuleVerdict::Fails,
                     static_cast<double>(value), static_cast<double>(limit), false, at};
}

RuleCheck Upper(DetailingRule rule, Real value, Real limit, Point at = {})
{
    return RuleCheck{rule, value <= limit + DetailingTolerance ? RuleVerdict::Holds : RuleVerdict::Fails,
                     static_cast<double>(value), static_cast<double>(limit), true, at};
}

RuleCheck NotJudged(DetailingRule rule, bool upperLimit, double limit = 0.0)
{
    return RuleCheck{rule, RuleVerdict::NotJudged, 0.0, limit, upperLimit, {}};
}

// The bars along a face and in a stirrup's corner, the cover, the stirrup and
// the bar itself between the face and the bar's centre: c + φt + φ (cm).
class FaceBars {
public:
    FaceBars(const OutlineFaces& outline, const std::vector<Bar>& bars, Real cover, Real stirrup)
        : outline(outline), bars(bars), cover(cover), stirrup(stirrup)
    {
    }

    Real Reach(const Bar& bar) const { return cover + stirrup / 10.0L + bar.diameter / 10.0L; }

    bool OnFace(const Bar& bar, const OutlineFaces::Face& face) const
    {
        return OutlineFaces::Distance(bar.centre, face) <= Reach(bar) + DetailingTolerance;
    }

    // The bar in the corner of vertex v: one whose nearest vertex it is, no
    // farther than its reach from either edge meeting there; the nearest to
    // the vertex of those. -1 for none.
    int CornerBar(int v) const
    {
        const std::vector<Point>& vertices = outline.Vertices();
        const std::size_t n = vertices.size();
        const Point at = vertices[static_cast<std::size_t>(v)];
        const Point before = vertices[(static_cast<std::size_t>(v) + n - 1) % n];
        const Point after = vertices[(static_cast<std::size_t>(v) + 1) % n];
        int best = -1;
        Real bestDistance = std::numeric_limits<Real>::infinity();
        for (std::size_t b = 0; b < bars.size(); ++b) {
            const Bar& bar = bars[b];
            const Real toVertex = Between(bar.centre, at);
            bool nearest = true;
            for (std::size_t w = 0; w < n && nearest; ++w)
                nearest = static_cast<int>(w) == v || Between(bar.centre, vertices[w]) >= toVertex;
            if (!nearest)
                continue;
            const Real reach = Reach(bar) + DetailingTolerance;
            if (OutlineFaces::Distance(bar.centre, {before, at, 0}) > reach ||
                OutlineFaces::Distance(bar.centre, {at, after, 0}) > reach)
                continue;
            if (toVertex < bestDistance) {
                best = static_cast<int>(b);
                bestDistance = toVertex;
            }
        }
        return best;
    }

private:
    const OutlineFaces& outline;
    const std::vector<Bar>& bars;
    Real cover;
    Real stirrup;
};

} // namespace

double ColumnCoverOf(EnvironmentClass environment)
{
    switch (environment) {
    case EnvironmentClass::I:
        return 2.5;
    case EnvironmentClass::II:
        return 3.0;
    case EnvironmentClass::III:
        return 4.0;
    case EnvironmentClass::IV:
        return 5.0;
    }
    return 3.0;
}

bool DetailingDatumValid(DetailingDatum, double value)
{
    // Every one of them is a length: none is zero or negative.
    return std::isfinite(value) && value > 0.0;
}

double AutomaticStirrupDiameter(double largestBar)
{
    const Real least = std::max(static_cast<Real>(LeastStirrupDiameter), static_cast<Real>(largestBar) / 4.0L);
    for (const double d : BarDiameters)
        if (d >= least)
            return d;
    return BarDiameters.back();
}

double StirrupDiameterOf(const Detailing& detailing, double largestBar)
{
    return detailing.stirrupDiameter ? *detailing.stirrupDiameter : AutomaticStirrupDiameter(largestBar);
}

const char* DetailingRuleItem(DetailingRule rule)
{
    switch (rule) {
    case DetailingRule::BarCover:
        return "7.4.7.2";
    case DetailingRule::CoverOverBar:
        return "7.4.7.5";
    case DetailingRule::AggregateSize:
        return "7.4.7.6";
    case DetailingRule::LeastBarDiameter:
    case DetailingRule::LargestBarDiameter:
        return "18.4.2.1";
    case DetailingRule::CornerBars:
    case DetailingRule::ClearSpacing:
    case DetailingRule::AxisSpacing:
        return "18.4.2.2";
    case DetailingRule::SteelMinimum:
        return "17.3.5.3.1";
    case DetailingRule::SteelMaximum:
        return "17.3.5.3.2";
    case DetailingRule::StirrupDiameter:
    case DetailingRule::StirrupSpacing:
        return "18.4.3";
    }
    return "";
}

bool DetailingCheck::Holds() const
{
    return std::all_of(rules.begin(), rules.end(), [](const RuleCheck& r) { return r.verdict == RuleVerdict::Holds; });
}

std::vector<DetailingRule> DetailingCheck::Broken() const
{
    std::vector<DetailingRule> broken;
    for (const RuleCheck& r : rules)
        if (r.verdict != RuleVerdict::Holds)
            broken.push_back(r.rule);
    return broken;
}

std::optional<double> DetailingLeastDimension(const AnalysisState& state, const std::optional<Column>& column)
{
    if (state.Section.ShapeKind == ShapeFreePolygon)
        return column ? column->leastDimension : std::nullopt;
    return FamilyLeastDimension(state);
}

DetailingCheck CheckDetailing(const AnalysisState& state, const Detailing& detailing, const SteelLimits& limits,
                              const std::optional<double>& leastDimension, std::int32_t steelIndex)
{
    DetailingCheck check;
    const std::vector<Bar> bars = BarsOf(state);
    const OutlineFaces outline(state.Section);
    double largest = 0.0, least = 0.0;
    Point largestAt{}, leastAt{};
    for (const Bar& bar : bars) {
        if (largest == 0.0 || bar.diameter > largest) {
            largest = bar.diameter;
            largestAt = bar.centre;
        }
        if (least == 0.0 || bar.diameter < least) {
            least = bar.diameter;
            leastAt = bar.centre;
        }
    }
    const Real c = detailing.Cover();
    const Real phiT = StirrupDiameterOf(detailing, largest);
    check.cover = static_cast<double>(c);
    check.stirrupDiameter = static_cast<double>(phiT);
    check.leastDimension = leastDimension;
    check.lapMaximum = static_cast<double>(0.08L * limits.concreteArea);
    const bool withBars = !bars.empty();
    const auto set = [&check](const RuleCheck& rule) { check.rules[static_cast<std::size_t>(rule.rule)] = rule; };

    // 7.4.7.2: the surface of each bar from the nearest face; a bar outside
    // the outline stands at minus its distance.
    if (withBars) {
        Real worst = std::numeric_limits<Real>::infinity();
        Point worstAt{};
        for (const Bar& bar : bars) {
            const Real toFace = outline.Distance(bar.centre);
            const Real radius = bar.diameter / 20.0L;
            const Real clear = outline.Inside(bar.centre) ? toFace - radius : -toFace - radius;
            if (clear < worst) {
                worst = clear;
                worstAt = bar.centre;
            }
        }
        set(Lower(DetailingRule::BarCover, worst, c + phiT / 10.0L, worstAt));
        set(Upper(DetailingRule::CoverOverBar, largest, c * 10.0L, largestAt));
        set(Lower(DetailingRule::LeastBarDiameter, least, ColumnMinimumDiameter, leastAt));
    } else {
        set(NotJudged(DetailingRule::BarCover, false, static_cast<double>(c + phiT / 10.0L)));
        set(NotJudged(DetailingRule::CoverOverBar, true, static_cast<double>(c * 10.0L)));
        set(NotJudged(DetailingRule::LeastBarDiameter, false, ColumnMinimumDiameter));
    }
    set(Upper(DetailingRule::AggregateSize, detailing.aggregateSize, 1.2L * c * 10.0L));
    if (withBars && leastDimension)
        set(Upper(DetailingRule::LargestBarDiameter, largest, *leastDimension * 10.0L / 8.0L, largestAt));
    else
        set(NotJudged(DetailingRule::LargestBarDiameter, true,
                      leastDimension ? static_cast<double>(*leastDimension * 10.0L / 8.0L) : 0.0));

    // 18.4.2.2: a bar in the stirrup's corner at every convex vertex.
    const FaceBars faceBars(outline, bars, c, phiT);
    const std::vector<int> corners = outline.ConvexCorners();
    std::vector<bool> isCorner(bars.size(), false);
    std::vector<std::pair<int, int>> cornerOf; // vertex, bar
    for (const int v : corners) {
        const int bar = faceBars.CornerBar(v);
        if (bar < 0)
            continue;
        cornerOf.emplace_back(v, bar);
        if (!isCorner[static_cast<std::size_t>(bar)])
            check.cornerBars.push_back(bars[static_cast<std::size_t>(bar)].centre);
        isCorner[static_cast<std::size_t>(bar)] = true;
    }
    if (withBars)
        set(Lower(DetailingRule::CornerBars, static_cast<Real>(cornerOf.size()), static_cast<Real>(corners.size())));
    else
        set(NotJudged(DetailingRule::CornerBars, false, static_cast<double>(corners.size())));

    // The clear distance between every two bars against the limit of the pair.
    if (bars.size() >= 2) {
        Real worstMargin = std::numeric_limits<Real>::infinity(), worstClear = 0.0L, worstLimit = 0.0L;
        Point worstAt{};
        for (std::size_t i = 0; i < bars.size(); ++i)
            for (std::size_t j = i + 1; j < bars.size(); ++j) {
                const Real clear = Between(bars[i].centre, bars[j].centre) * 10.0L -
                                   (static_cast<Real>(bars[i].diameter) + bars[j].diameter) / 2.0L;
                const Real limit = std::max({20.0L, static_cast<Real>(std::max(bars[i].diameter, bars[j].diameter)),
                                             1.2L * detailing.aggregateSize});
                if (clear - limit < worstMargin) {
                    worstMargin = clear - limit;
                    worstClear = clear;
                    worstLimit = limit;
                    worstAt = bars[i].centre;
                }
            }
        set(Lower(DetailingRule::ClearSpacing, worstClear, worstLimit, worstAt));
    } else {
        set(NotJudged(DetailingRule::ClearSpacing, false,
                      static_cast<double>(std::max({20.0L, static_cast<Real>(largest), 1.2L * detailing.aggregateSize}))));
    }

    // The axis distance of neighbours along each face.
    {
        Real widest = -1.0L;
        Point widestAt{};
        for (const OutlineFaces::Face& face : outline.Faces()) {
            const Real ux = static_cast<Real>(face.b.x) - face.a.x, uy = static_cast<Real>(face.b.y) - face.a.y;
            std::vector<std::pair<Real, std::size_t>> along;
            for (std::size_t b = 0; b < bars.size(); ++b)
                if (faceBars.OnFace(bars[b], face))
                    along.emplace_back((static_cast<Real>(bars[b].centre.x) - face.a.x) * ux +
                                           (static_cast<Real>(bars[b].centre.y) - face.a.y) * uy,
                                       b);
            std::sort(along.begin(), along.end());
            for (std::size_t k = 1; k < along.size(); ++k) {
                const Real gap = Between(bars[along[k - 1].second].centre, bars[along[k].second].centre);
                if (gap > widest) {
                    widest = gap;
                    widestAt = bars[along[k - 1].second].centre;
                }
            }
        }
        const std::optional<Real> limit =
            leastDimension ? std::optional<Real>(std::min(2.0L * *leastDimension, 40.0L)) : std::nullopt;
        if (limit && widest >= 0.0L)
            set(Upper(DetailingRule::AxisSpacing, widest, *limit, widestAt));
        else
            set(NotJudged(DetailingRule::AxisSpacing, true, limit ? static_cast<double>(*limit) : 0.0));
    }

    set(Lower(DetailingRule::SteelMinimum, limits.steelArea, limits.minimum));
    set(Upper(DetailingRule::SteelMaximum, limits.steelArea, limits.maximum));
    set(Lower(DetailingRule::StirrupDiameter, phiT, std::max(static_cast<Real>(LeastStirrupDiameter), largest / 4.0L)));

    // 18.4.3: st ≤ min(20 cm, b, 12·φ or 24·φ for CA-25), φ the least bar;
    // the largest whole centimetre under it is proposed.
    if (withBars && leastDimension) {
        const Real byBar = (steelIndex == 0 ? 24.0L : 12.0L) * least / 10.0L;
        const Real limit = std::min({20.0L, static_cast<Real>(*leastDimension), byBar});
        const Real proposed = std::floor(limit + DetailingTolerance);
        const Real st = detailing.stirrupSpacing ? static_cast<Real>(*detailing.stirrupSpacing) : proposed;
        check.stirrupSpacing = static_cast<double>(st);
        RuleCheck rule = Upper(DetailingRule::StirrupSpacing, st, limit);
        if (!(st > 0.0L))
            rule.verdict = RuleVerdict::Fails;
        set(rule);
    } else {
        set(NotJudged(DetailingRule::StirrupSpacing, true));
    }

    // 18.2.4: a stirrup's corner protects the bars along each of its faces
    // within 20·φt of the corner bar's centre when that stretch holds no
    // more than two bars besides the corner's; every other bar along a face
    // needs a tie of its own.
    std::vector<bool> onFace(bars.size(), false), protectedBar(bars.size(), false);
    for (std::size_t b = 0; b < bars.size(); ++b)
        for (const OutlineFaces::Face& face : outline.Faces())
            onFace[b] = onFace[b] || faceBars.OnFace(bars[b], face);
    const Real reach20 = 20.0L * phiT / 10.0L;
    const std::vector<Point>& vertices = outline.Vertices();
    const std::size_t n = vertices.size();
    for (const auto& [v, cornerBar] : cornerOf) {
        const Point at = vertices[static_cast<std::size_t>(v)];
        const Point ends[2] = {vertices[(static_cast<std::size_t>(v) + n - 1) % n],
                               vertices[(static_cast<std::size_t>(v) + 1) % n]};
        const Point from = bars[static_cast<std::size_t>(cornerBar)].centre;
        for (const Point end : ends) {
            const Real ux = static_cast<Real>(end.x) - at.x, uy = static_cast<Real>(end.y) - at.y;
            const Real length = std::hypot(ux, uy);
            if (!(length > 0.0L))
                continue;
            const OutlineFaces::Face edge{at, end, 0};
            std::vector<std::size_t> stretch;
            for (std::size_t b = 0; b < bars.size(); ++b) {
                if (isCorner[b] || !faceBars.OnFace(bars[b], edge))
                    continue;
                const Real along = ((static_cast<Real>(bars[b].centre.x) - from.x) * ux +
                                    (static_cast<Real>(bars[b].centre.y) - from.y) * uy) /
                                   length;
                if (std::fabs(along) <= reach20 + DetailingTolerance)
                    stretch.push_back(b);
            }
            if (stretch.size() <= 2)
                for (const std::size_t b : stretch)
                    protectedBar[b] = true;
        }
    }
    for (std::size_t b = 0; b < bars.size(); ++b)
        if (onFace[b] && !isCorner[b] && !protectedBar[b])
            check.tiedBars.push_back(bars[b].centre);
    return check;
}

} // namespace flexara
