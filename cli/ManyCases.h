// Many cases in one run of the batch tool: a list of project files, each read,
// checked (or designed) on its own and judged by the engine's verdict, on the
// worker pool, one case per task. Out come one outcome per file in the order
// given, the summary made of them (a table, JSON or CSV), and each case's
// full report, the very text the command prints for that file alone.
#pragma once

#include "engine/case/Materials.h"
#include "engine/column/Combinations.h"
#include "engine/study/CaseVerdict.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace flexara {

enum class CaseJob : std::uint8_t { Check, Design };

struct ManyCasesOptions {
    CaseJob job = CaseJob::Check;
    std::optional<CalculationModel> model; // instead of each case's own
    // The folder of the full reports (DIR/NAME.json), none when empty.
    std::string detailsFolder;
    int threads = 1;
    CurveReading reading = CurveReading::AroundEachRay;
    // Told, one call at a time, after each case: how many are done.
    std::function<void(int done, int total)> progress;
};

// The design's answer for one case, as its summary row states it.
struct DesignChoice {
    std::optional<double> chosen;     // the diameter chosen, mm
    std::optional<double> judged;     // the diameter the verdict was made with, mm (none: the bars as they stand)
    std::optional<double> areaNeeded; // As,nec, cm²
    std::string text;                 // "Diâmetro escolhido: 16 mm (η = 0,82)."
};

struct CaseOutcome {
    std::string file; // as given
    CaseStanding standing = CaseStanding::NotChecked;
    std::string reason; // why it was not checked
    int combinations = 0;
    CaseVerdict verdict;                // check: of the case; design: with the judged diameter
    std::optional<DesignChoice> design; // design only
    int status = 2;                     // the exit status the command gives this file alone (0, 3, 2)
    std::string details;                // the path of its full report, when written
    std::string detailsFailure;         // why that report could not be written
};

// The name of a case's full report: the file's own name without its folder
// and without ".fxr", then ".json" ("obra/P12.fxr" gives "P12.json").
std::string DetailsName(const std::string& file);

// Every file, in the order given. A case that cannot be read, has no load
// combinations or a column without a positive length is listed with its
// reason; the others are checked (or designed) as the command does one file:
// for the design, the verdict is that of the case with the chosen diameter in
// every line, or the largest diameter of the list when none is chosen (the
// one the choice's sentence speaks of). Each task works on its own case, one
// thread each: the results are those of one file alone, bit for bit.
std::vector<CaseOutcome> RunManyCases(const std::vector<std::string>& files, const ManyCasesOptions& options);

// The summary: a table for a terminal (columns aligned, the reasons of the
// cases not checked after it, the count at the end), one JSON document, or
// CSV with a header.
std::string ManyCasesTable(const std::vector<CaseOutcome>& outcomes, CaseJob job);
std::string ManyCasesJson(const std::vector<CaseOutcome>& outcomes, CaseJob job);
std::string ManyCasesCsv(const std::vector<CaseOutcome>& outcomes, CaseJob job);

// 2 when a case could not be read or checked or a fault ended one of its
// generations, else 3 when one does not hold (check) or has no diameter that
// suffices (design), else 0.
int ManyCasesExitStatus(const std::vector<CaseOutcome>& outcomes);

} // namespace flexara
