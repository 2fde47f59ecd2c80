// The verdict of a case with load combinations: made once from the check of
// its combinations, its column and the steel of its bars, and read by every
// place that says whether the case holds (the combinations window, the
// diagrams, the record's first page, flexara-cli check and its exit status).
// None of them judges the case on its own.
//
// A case holds when every combination holds and, checked as a column, its
// steel meets the limits of NBR 6118:2014 (As,mín and As,máx of 17.3.5.3, the
// bar diameter of 18.4.2.1) and, where the case gives its detailing data,
// its bars meet every detailing rule (engine/design/Detailing.h): a case can
// fail with every combination holding in η, and the verdict says which it was.
//
// Areas in cm², diameters in mm, forces in kN.
#pragma once

#include "engine/case/Materials.h"
#include "engine/case/UVariav.h"
#include "engine/column/Column.h"
#include "engine/column/Combinations.h"
#include "engine/design/Design.h"
#include "engine/design/Detailing.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace flexara {

// What the check of a case says beside its verdict.
enum class CaseWarning : std::uint8_t {
    // Checked as a column, no combination has Nd < 0: compression is
    // negative here, and a table typed with compression positive checks a
    // tie instead of a column.
    NoCompressedRow,
};

// The steel of a case checked as a column against the code's limits.
struct ColumnSteel {
    double smallestDiameter = 0.0;    // mm, of the lines with bars; 0 without bars
    bool belowMinimum = false;        // As < As,mín
    bool aboveMaximum = false;        // As > As,máx
    bool belowColumnDiameter = false; // a bar of φ < 10 mm
    bool Holds() const { return !belowMinimum && !aboveMaximum && !belowColumnDiameter; }
};

struct CaseVerdict {
    bool holds = false;            // the case "atende"
    bool combinationsHold = false; // every combination holds in η (or inside, without η)
    // The governing combination (-1 for none), its name, its verdict, the
    // situation that governs it checked as a column, and its η.
    int governing = -1;
    std::string governingName;
    CombinationStatus governingStatus = CombinationStatus::Error;
    std::optional<DesignSituation> governingSituation;
    std::optional<double> utilisation;
    // The steel-area limits with these combinations; they count in the
    // verdict of a column only, with the bar diameter in steel.
    SteelLimits limits;
    std::optional<ColumnSteel> steel; // a case checked as a column
    // The detailing rules, for a case that gives its detailing data.
    std::optional<DetailingCheck> detailing;
    std::vector<CaseWarning> warnings;
    std::vector<int> refused; // rows refused: a warning of the generation, λ > 90
    std::vector<int> faulted; // rows a fault ended
};

// The verdict of the case (its state and materials as checked) from the check
// of its combinations, rows[i] with check.rows[i], checked as the column when
// there is one, and against the detailing rules when the case gives their
// data. Rows without a result make the case not hold.
CaseVerdict JudgeCase(const AnalysisState& state, const MaterialSelection& materials, const CombinationList& rows,
                      const CombinationCheck& check, const std::optional<Column>& column,
                      const std::optional<Detailing>& detailing = std::nullopt);

// Where a case stands in a list of many: it holds, it does not, a fault ended
// one of its generations, or it could not be read or checked at all (no
// verdict: the file, its combinations or its column lengths were refused).
enum class CaseStanding : std::uint8_t { Holds, Fails, Faulted, NotChecked };
// The standing of a verdict: a fault before everything, then whether it holds.
CaseStanding StandingOf(const CaseVerdict& verdict);

} // namespace flexara
