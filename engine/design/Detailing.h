// The detailing of a column's bars by NBR 6118:2014: the data a case may give
// (the nominal cover, the stirrup diameter, the aggregate), and the checks of
// the bars as they stand against the rules of cover (7.4.7), of the
// longitudinal bars and their spacing (18.4.2), of the steel area (17.3.5.3)
// and of the stirrups (18.4.3), with the supplementary ties 18.2.4 asks for.
// Every rule comes out with its item, its value, its limit and a verdict; the
// words are in texts/Words.h.
//
// Cover and spacing along the faces in cm, bar and stirrup diameters and the
// aggregate in mm, areas in cm².
#pragma once

#include "engine/case/UVariav.h"
#include "engine/column/Column.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace flexara {

struct SteelLimits; // engine/design/Design.h

// The environmental classes of table 7.2, and the nominal cover of a column
// in each: 2,5 / 3,0 / 4,0 / 5,0 cm.
enum class EnvironmentClass : std::uint8_t { I = 1, II = 2, III = 3, IV = 4 };
double ColumnCoverOf(EnvironmentClass environment);

constexpr double DefaultAggregateSize = 19.0; // mm
constexpr double LeastStirrupDiameter = 5.0;  // mm
// What the comparisons of the rules forgive, in the unit of each value: the
// bars the design places at the cover stand at it to the last digit or so.
constexpr double DetailingTolerance = 1e-7;

// The detailing data of a case.
struct Detailing {
    // The cover by class, or typed (cm) where there is no class.
    std::optional<EnvironmentClass> environment = EnvironmentClass::II;
    double typedCover = 3.0;
    // φt, mm: one of the list, or none for "automático" (AutomaticStirrupDiameter).
    std::optional<double> stirrupDiameter;
    double aggregateSize = DefaultAggregateSize; // dmax, mm
    // st, cm: none for the largest whole centimetre that holds.
    std::optional<double> stirrupSpacing;

    double Cover() const { return environment ? ColumnCoverOf(*environment) : typedCover; }
    bool operator==(const Detailing&) const = default;
};

// The detailing data a value can be: the typed cover c (cm), dmax (mm) and
// a given st (cm) are each positive and finite (a file's st of 0 is no st:
// the proposed one).
enum class DetailingDatum : std::uint8_t { Cover, AggregateSize, StirrupSpacing };
bool DetailingDatumValid(DetailingDatum datum, double value);

// The least diameter of the list with φt ≥ max(5 mm, φ/4); the largest of
// the list where none is.
double AutomaticStirrupDiameter(double largestBar);
// φt of the data for bars of largest diameter φ (mm).
double StirrupDiameterOf(const Detailing& detailing, double largestBar);

// The rules, in the order they are shown.
enum class DetailingRule : std::uint8_t {
    BarCover,           // 7.4.7.2: every bar's surface at least c + φt from the outline (cm)
    CoverOverBar,       // 7.4.7.5: c ≥ φ of the largest bar (mm)
    AggregateSize,      // 7.4.7.6: dmax ≤ 1,2·c (mm)
    LeastBarDiameter,   // 18.4.2.1: φ ≥ 10 mm
    LargestBarDiameter, // 18.4.2.1: φ ≤ b/8 (mm)
    CornerBars,         // 18.4.2.2: a bar in the stirrup's corner at each convex vertex (count)
    ClearSpacing,       // 18.4.2.2: clear distance ≥ max(20 mm, φ, 1,2·dmax) (mm)
    AxisSpacing,        // 18.4.2.2: axis distance along a face ≤ min(2·b, 40 cm) (cm)
    SteelMinimum,       // 17.3.5.3.1: As ≥ As,mín (cm²)
    SteelMaximum,       // 17.3.5.3.2: As ≤ As,máx, 4 % of Ac (8 % with the laps) (cm²)
    StirrupDiameter,    // 18.4.3: φt ≥ max(5 mm, φ/4), φ the largest bar (mm)
    StirrupSpacing,     // 18.4.3: st ≤ min(20 cm, b, 12·φ or 24·φ for CA-25), φ the least bar (cm)
};
constexpr int DetailingRuleCount = 12;
// The item of the code, "7.4.7.2".
const char* DetailingRuleItem(DetailingRule rule);

enum class RuleVerdict : std::uint8_t {
    Holds,
    Fails,
    // What the rule needs is missing: b (a free polygon without it), or bars.
    NotJudged,
};

// A lower limit (value ≥ limit) or an upper one (value ≤ limit).
struct RuleCheck {
    DetailingRule rule = DetailingRule::BarCover;
    RuleVerdict verdict = RuleVerdict::NotJudged;
    double value = 0.0;
    double limit = 0.0;
    bool upperLimit = false;
    Point at{}; // where it is worst: the bar, or the first of the pair
};

struct DetailingCheck {
    std::array<RuleCheck, DetailingRuleCount> rules{};
    double cover = 0.0;                   // c, cm
    double stirrupDiameter = 0.0;         // φt, mm
    double stirrupSpacing = 0.0;          // st, cm: the typed one, or the proposed
    std::optional<double> leastDimension; // b, cm
    double lapMaximum = 0.0;              // 8 % of Ac with the laps, cm²
    std::vector<Point> cornerBars;        // the bar in each stirrup corner found
    std::vector<Point> tiedBars;          // the bars that need a supplementary tie, one each
    int Ties() const { return static_cast<int>(tiedBars.size()); }
    const RuleCheck& Of(DetailingRule rule) const { return rules[static_cast<std::size_t>(rule)]; }
    // Every rule met (one not judged is not met).
    bool Holds() const;
    std::vector<DetailingRule> Broken() const;
};

// b of the case: a family's own, the column's typed b for a free polygon.
std::optional<double> DetailingLeastDimension(const AnalysisState& state, const std::optional<Column>& column);

// The rules for the bars of the state as they stand. steelIndex is the steel
// selector's item (CA-25 is 0); limits those of the case's combinations.
DetailingCheck CheckDetailing(const AnalysisState& state, const Detailing& detailing, const SteelLimits& limits,
                              const std::optional<double>& leastDimension, std::int32_t steelIndex);

} // namespace flexara
