// Results and load combinations as CSV text, for the batch tool and the
// window's exports, and the rows a spreadsheet or a text editor puts on the
// clipboard.
//
// A curve: a header "Mx;My", then one row per point in kN·m, in the order
// generated; reals read back to the same double.
//
// CSV: a header line whose first four fields are the words nome, nd, mxd, myd
// (letter case, accents, blanks and units after the word do not count), then
// one combination per line with as many fields as the header: name, Nd (kN),
// Mxd and Myd (kN·m), and after them what an exported check adds, which is
// ignored. The separator is the one of the header: ";", a tab or ",". With ","
// the decimal mark is the point; with ";" or a tab it is the comma when any
// number of the text has one, else the point, and a number written with the
// other mark is refused as ambiguous ("-1.900" among decimal commas is no
// -1,9). Blank lines are skipped; lines end at CR LF, LF or CR; the bytes are
// decoded first (byte-order marks, UTF-16, Windows-1252).
//
// Nothing here guesses: a row is read as written or refused with its line.
#pragma once

#include "engine/column/Combinations.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace flexara {

std::string CurvePointsCsv(const std::vector<Point>& points);

// Throws ProjectFileError naming the line of the first problem, also for
// more than maxRows rows. A header whose fields 5 and 6 are mxd_base;myd_base
// gives each row its base moments (an empty field: none, the top's).
CombinationList ReadCombinationsCsv(std::string_view bytes, std::size_t maxRows = MaxCombinations);

// The rows, and after them the results of a check of those very rows:
// situacao, eta, mrx, mry, mrd, axial and determinante. Reals read back to the
// same double; a value that is not there is an empty field. For a column the
// rows give mxd_base;myd_base after myd (empty: the top's), and the results
// end with situacao_pilar (topo, base, intermediaria, minima), md_tot_x,
// md_tot_y and estado_pilar (verificado, tracao, nd-nulo,
// lambda-maior-que-90).
std::string WriteCombinationsCsv(const CombinationList& rows, const CombinationCheck* check = nullptr,
                                 bool column = false);

// A row pasted from a spreadsheet or a text editor: its name when it had one,
// and the texts of Nd, Mxd and Myd as the window's fields write them (decimal
// comma). A cell that is not a number keeps its text, for the table to mark.
struct PastedRow {
    bool named = false;
    std::string name;
    std::array<std::string, 3> numbers;
};

// Rows as a spreadsheet or a text editor gives them, one per line. The columns
// are split by tabs when the text has one, else by semicolons, else by blanks;
// split by blanks, the last three words are the numbers and what comes before
// them the name. Three columns are the numbers, four or more a name first and
// the numbers. A first line of the words nome, nd, mxd, myd (or nd, mxd, myd)
// is a header and skipped. Throws ProjectFileError for a row whose columns are
// not those of the others, a line of fewer than three, and a number whose
// decimal mark is not the text's (line and column named).
std::vector<PastedRow> ReadPastedRows(std::string_view bytes);

} // namespace flexara
