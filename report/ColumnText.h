// The column check of one combination as the window's details and the report
// show it: the numbers of both bendings in the order the code computes them,
// and the design situations with their η. Words from texts/Words, numbers the
// Brazilian way (from a million in engineering notation).
#pragma once

#include "engine/column/Column.h"
#include "engine/column/Combinations.h"
#include "engine/design/Detailing.h"

#include <QString>

#include <vector>

namespace flexara {

// One line of the bendings' table: what it is, its unit, the value for Mxd
// and for Myd ("-" where the code computes nothing).
struct ColumnNumberRow {
    QString label;
    QString unit;
    QString mx;
    QString my;
};

// h, i, λ, M1d,min, MA, MB, αb, e1, λ1, M1d,A, 2ª ordem, 1/r (curvature
// method), κ/ν (κ method) or (EI)sec and κ on MA's side (coupled method),
// e_cc where creep counts, Md,tot, Md,min,tot. Empty for a row not in
// compression (tension, Nd = 0).
std::vector<ColumnNumberRow> ColumnNumberRows(const ColumnResult& result, SecondOrderMethod method);

// One line per situation: "topo: Mx = 10,00 kN·m, My = 0,00 kN·m, η = 0,45",
// "(determinante)" after the one that governs.
std::vector<QString> ColumnSituationLines(const ColumnResult& result);

// The column's data in one line each: the two lengths and conditions, the
// method, and b, φ, ψ and the aggregate where they are given.
std::vector<QString> ColumnDataLines(const Column& column);

// What the checks of small and slender columns add to a row: b and γn, the
// forces after γn (where γn ≠ 1), the applicability of the approximate
// methods for each bending with second order, creep (φ, ψ, Nsg, Msg, Eci,
// Ic, Ne, θ1, ea, e_cc) and the coupled method side by side (MRd, MRd/γf3,
// B, (EI)sec, κ, the denominator, Md,tot). Empty for a row without them.
std::vector<QString> ColumnSlenderLines(const ColumnResult& result);

// The whole of one row for the details: its data line, the status when the
// column check says something of itself (tension, Nd = 0, λ > 90), the table as
// aligned text and the situations.
QString ColumnDetailsText(const LoadCombination& row, const CombinationResult& result, const Column& column);

// One rule of the detailing as the details and the record show it: the item
// of NBR 6118:2014, what it asks, the value of the bars as they stand, the
// limit ("≥ 3,50 cm", "≤ 40,00 cm") and the verdict ("atende", "não atende",
// "não verificada: sem b").
struct DetailingRuleRow {
    QString item;
    QString rule;
    QString value;
    QString limit;
    QString verdict;
    bool holds = false;
};
std::vector<DetailingRuleRow> DetailingRuleRows(const DetailingCheck& check);

// The data the rules were read with: c, φt, st (typed or proposed), dmáx, b,
// the 8 % with the laps, and the supplementary ties of 18.2.4.
std::vector<QString> DetailingDataLines(const DetailingCheck& check, const Detailing& detailing);

// The section "Detalhamento (NBR 6118:2014)": the data lines, then one line
// per rule, aligned.
QString DetailingText(const DetailingCheck& check, const Detailing& detailing);

} // namespace flexara
