// Results and load combinations as CSV text, for the batch tool and the
// window's exports, and the rows a spreadsheet or a text editor puts on the
// clipboard.
//
// A curve: a header "Mx;My", then one row per point in kN·m, in the order
// generated; reals read back to the same double.
//
// CSV: a header line whose first four fields are nome, nd, mxd, myd (letter
// case and blanks around them do not count), then one combination per line:
// name, Nd (kN), Mxd and Myd (kN·m). The separator is the one of the header:
// ";", "," or a tab. Numbers take a decimal point; with ";" or a tab as the
// separator a decimal comma is taken too. Fields after the fourth (the results
// of an exported check) are ignored; blank lines are skipped.
#pragma once

#include "engine/Combinations.h"

#include <string>
#include <string_view>
#include <vector>

namespace flexara {

std::string CurvePointsCsv(const std::vector<Point>& points);

// Throws ProjectFileError naming the line of the first problem.
CombinationList ReadCombinationsCsv(std::string_view text);

// The rows, and after them the results of a check of those very rows:
// situacao, eta, mrx, mry, mrd, axial and determinante. Reals read back to the
// same double; a value that is not there is an empty field.
std::string WriteCombinationsCsv(const CombinationList& rows, const CombinationCheck* check = nullptr);

// Rows as a spreadsheet or a text editor gives them: one per line, cells
// split by tabs, else by semicolons, else by two or more blanks (by single
// blanks when that gives fewer than three cells).
std::vector<std::vector<std::string>> SplitPastedRows(std::string_view text);

} // namespace flexara
