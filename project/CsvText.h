// Results and load combinations as CSV text, for the batch tool and the
// window's exports, and the rows a spreadsheet or a text editor puts on the
// clipboard.
//
// A curve: a header "Mx;My", then one row per point in kN·m, in the order
// generated; reals read back to the same double.
//
// Loads: one reader for a CSV file and for what a spreadsheet or a text
// editor puts on the clipboard. With a header line (a first line in which no
// field is a number) each column is found by its name, in any order: the
// name (nome, combinação, comb, caso), Nd (nd, n, nsd), Mxd (mxd, mx, msdx),
// Myd (myd, my, msdy) and the base moments (those of Mxd and Myd followed by
// "base", "_base" or "(base)"); letter case, accents and a unit in
// parentheses or brackets do not count ("Nd (kN, tração +)" is nd). The
// results a check exports (situacao, eta, mrx, mry, mrd, axial, determinante,
// situacao_pilar, md_tot_x, md_tot_y) are known and are no loads: their
// fields are skipped, so that an export reads back as its rows. Without a header the count of
// fields decides: 3 (Nd, Mxd, Myd), 4 (name and those), 5 (Nd, Mxd, Myd, Mxd
// base, Myd base) or 6 (name and those five).
//
// The separator is the first line's: a tab, else ";", else "," in a file
// (which then needs its header: a decimal comma would pass for a separator)
// and blanks in a paste. With "," the decimal mark is the point; otherwise it
// is the comma when any number of the loads has one, else the point, and a
// number written with the other mark is refused as ambiguous ("-1.900" among
// decimal commas is no -1,9). Between ";" or tabs, one to three digits (the
// first not 0), a point and three digits ("1.900", "-12.500") may be a
// thousands point and are refused whatever the rest holds. Split by blanks, the name may
// hold blanks: the numbers are those after its last word that is not one, and
// their count decides as above (four or six: the first of them ends the name,
// as in "ELU 1"); with a header the name comes first and the other columns
// take the last words. Blank lines are skipped; lines end at CR LF, LF or CR;
// the bytes are decoded first (byte-order marks, UTF-16, Windows-1252).
//
// Nothing here guesses: a field is read as the meaning of its column or the
// row is refused with its line.
#pragma once

#include "engine/column/Combinations.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace flexara {

std::string CurvePointsCsv(const std::vector<Point>& points);

// What the rows are for. A column takes base moments; a case checked as a
// section refuses them, telling the window's user to tick "Verificar como
// pilar" first, or the batch tool's that the case has no column.
enum class LoadsTarget { Column, WindowSection, CaseWithoutColumn };

// Throws ProjectFileError naming the line of the first problem, also for a
// field that is not a number and for more than maxRows rows. An empty base
// field is none: the top's.
CombinationList ReadCombinationsCsv(std::string_view bytes, std::size_t maxRows = MaxCombinations,
                                    LoadsTarget target = LoadsTarget::Column);

// The batch tool's CSV: the rows, and after them the results of a check of
// those very rows: situacao, eta, mrx, mry, mrd, axial and determinante.
// Reals read back to the same double, with a decimal point; a value that is
// not there is an empty field. For a column the rows give mxd_base;myd_base
// after myd (empty: the top's), and the results end with situacao_pilar
// (topo, base, intermediaria, minima), md_tot_x, md_tot_y and estado_pilar
// (verificado, tracao, nd-nulo, lambda-maior-que-90).
std::string WriteCombinationsCsv(const CombinationList& rows, const CombinationCheck* check = nullptr,
                                 bool column = false);

// The same columns as a Brazilian spreadsheet opens them: a UTF-8 byte-order
// mark, the table's captions over the loads ("Nd (kN, tração +)"), ";"
// between the fields, CR LF, and reals with a decimal comma and up to 15
// significant digits, as the window's fields show them.
std::string SpreadsheetCombinationsCsv(const CombinationList& rows, const CombinationCheck* check = nullptr,
                                       bool column = false);

// A row pasted from a spreadsheet or a text editor: its name when it had one,
// and the texts of Nd, Mxd, Myd, Mxd base and Myd base as the window's fields
// write them (decimal comma; a base moment not given is empty). A field that
// is not a number keeps its text, for the table to mark.
struct PastedRow {
    bool named = false;
    std::string name;
    std::array<std::string, 5> numbers;
};

// Throws ProjectFileError naming the line (and the column) of the first
// problem.
std::vector<PastedRow> ReadPastedRows(std::string_view bytes, LoadsTarget target = LoadsTarget::Column);

} // namespace flexara
