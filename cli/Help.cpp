#include "cli/Subcommands.h"

namespace flexara::cli {

const char* const HelpText = R"(flexara-cli - interaction curve of a reinforced-concrete section, without a window

Usage:
  flexara-cli curve CASE.fxr [--nd KN] [--model MODEL] [--format json|csv|svg|png] [-o OUT]
  flexara-cli check CASE.fxr [--loads LOADS.csv] [--model MODEL] [--format json|csv] [-o OUT]
  flexara-cli design CASE.fxr [--loads LOADS.csv] [--model MODEL] [--format json|csv]
                     [-o OUT | --apply -o OUT.fxr]
  flexara-cli check|design CASE.fxr... [--list FILE] [--details DIR] [--model MODEL]
                     [--format table|json|csv] [-o OUT]
  flexara-cli report CASE.fxr [--nd KN] [--model MODEL] [-o OUT.pdf]
  flexara-cli rewrite CASE.fxr -o OUT.fxr
  flexara-cli surface CASE.fxr [--levels K] [--model MODEL] [--format json|csv|obj|svg|png] [-o OUT]
  flexara-cli nm CASE.fxr --angle DEG [--levels K] [--model MODEL] [--format json|csv|svg|png] [-o OUT]
  flexara-cli curvature CASE.fxr --nd KN (--bending x|y | --angle DEG) [--model MODEL]
                        [--format json|csv|svg|png] [-o OUT]
  flexara-cli --help

curve     Reads the project file CASE.fxr, generates the ultimate-limit-state
          interaction curve for its design axial force Nd (or for --nd KN, in kN,
          tension positive) and writes it to OUT, or to standard output.
check     Checks the load combinations of CASE.fxr (or those of LOADS.csv) on
          its section: one curve per distinct Nd, and for every combination
          whether it holds, its utilisation and its resisting moment.
design    Designs the reinforcement of CASE.fxr for its load combinations (or
          those of LOADS.csv): each bar diameter of the program's list (5 to
          40 mm) in every line with bars, with the governing eta over all
          combinations and whether the steel area keeps to the limits of a
          column (NBR 6118:2014: As,min = max(0.15 |Nd|/fyd, 0.004 Ac) for the
          most compressed combination, 17.3.5.3.1; As,max = 4 % of Ac outside
          laps, 17.3.5.3.2; diameters below 10 mm, 18.4.2.1); the chosen
          diameter, the smallest with eta <= 1 within the limits; and the area
          needed, As,nec: the least factor on the area of every bar as it
          stands (the bars where they are) for which the governing eta is 1,
          by bisection to 1e-4. A diameter whose bars (each a circle of that
          diameter about its centre) do not lie inside the outline does not
          fit and is never chosen; a case without bars is said to have none.
          With --apply, the case with the chosen diameter in every line is
          written to OUT.fxr (replaced whole or not at all; nothing is written
          when no diameter suffices) in the model of --model and with the
          combinations of --loads when they are given (those replace the
          case's own): the case the diameter was chosen for, so that "check"
          of OUT holds. The report goes to standard output.
report    Writes the calculation record of CASE.fxr as a PDF document (A4, in
          Portuguese): section, reinforcement, materials, settings, actions,
          reference forces, the interaction chart at Nd (or --nd KN), the
          verdict with eta and MRd, the load combinations of the case and the
          method; for a case with load combinations, one more page with the
          N-M diagram along the moment of the governing combination and the
          N-Mx-My surface, the combinations drawn on both. The date is now, or
          SOURCE_DATE_EPOCH when it is set.
rewrite   Reads CASE.fxr as the program does and writes the case again, in the
          program's own form, to OUT.fxr (the old file is replaced whole or not
          at all).
surface   The N-Mx-My interaction surface of CASE.fxr: its interaction
          curves at K levels of Nd evenly spaced strictly between N4 (uniform
          shortening) and N1 (pure tension), closed by those two ends.
nm        The N-M diagram of CASE.fxr along the direction DEG of the moment
          (degrees from the Mx axis towards the My axis; any finite number):
          at every level of the surface the resisting moment along DEG and
          along the opposite direction, closed by the two ends.
curvature The M-N-1/r relation of the section of CASE.fxr at Nd = KN (as
          given: a column's gamma_n is not applied) for the bending of Mxd
          (--bending x: curvature about the centroidal x axis, the neutral
          axis parallel to it), of Myd (--bending y) or for the direction DEG
          of the moment (degrees from the Mx axis towards the My axis): for
          each side, the deformation curve (1.10 fcd, no tension; steel
          bilinear to 10 per mil) of 100 points from 1/r = 0 to its end, MRd
          along the side on the interaction curve of Nd in the case's model,
          point B where the curve reaches MRd/gamma_f3 (gamma_f3 = 1.1) and the
          secant stiffness (EI)sec = (MRd/gamma_f3)/(1/r)_B.

Many cases: "check" and "design" of more than one CASE.fxr, or of the files
          named by --list FILE (one path a line, relative to the folder the
          command runs in; empty lines are skipped; the files of the command
          line come first), or with --details, run every case in one process,
          as many at once as there are cores, each exactly as the command runs
          it alone, and write a summary: one row per case in the order given,
          with the governing combination and its situation, eta, the verdict
          (for "design": with the chosen diameter in every line, or with the
          largest of the list when none suffices), the steel area against
          As,min and As,max and, for "design", the diameter chosen and
          As,nec. A case that cannot be read, has no load combinations or a
          column without a positive length is listed with its reason, and the
          others are still checked. --loads and --apply take one case only.
  --details DIR   also writes each case's full report, the JSON the command
          prints for that file alone, to DIR/NAME.json (NAME: the file's name
          without its folder and ".fxr"; DIR is made when missing; two cases
          of one name are refused before anything runs).
  Formats of the summary: table (the default when standard output is a
          terminal: aligned columns in Portuguese, the reasons of the cases
          not checked, the count), json (the default otherwise: "command",
          "cases", "holding", "failing", "faulted", "not_checked" and "rows",
          one object per case: "file", "status" ("holds", "fails", "error",
          "not-checked"), "reason", "combinations", "holds", "governing",
          "governing_name", "governing_situation", "utilisation", "steel"
          ({"as", "as_min", "as_max", "limits"}, "limits" null for a case
          without a column), "message" (the verdict's sentence), for "design"
          "chosen", "judged_diameter", "as_needed" and "choice", and
          "details", the report's path or null) or csv (the header
          arquivo;veredito;combinacao;situacao_pilar;eta;as;as_min;as_max;
          limites;motivo, with diametro;as_nec after eta for "design").
  A progress line goes to standard error when it is a terminal. Exit
          status: 0 when every case holds (for "design": every case has a
          diameter), 3 when one does not, 2 when a case could not be read or
          checked, or a fault ended one of its generations; 1 for a bad
          command line, a list that cannot be read or an output that cannot
          be written.

--levels K      the levels of the surface (and so of the N-M diagram): a
          whole number from 1 to 400, 41 when not given.

--model MODEL   the calculation model instead of the case's own: classic (a
          block of 0.85 fcd over the fibres shortened by 0.7 per mil or more),
          rectangular (NBR 6118:2014: a block of alpha_c fcd over lambda x) or
          parabola (NBR 6118:2014: the parabola-rectangle diagram); the code
          models take their parameters from fck (C20 to C90) and use one
          bilinear law for every steel.

Formats of "curve":
  json (default)  one object:
                    "status"        "ok", "refused" (a warning stopped the
                                    generation), "out-of-range" (Nd lies outside
                                    what the section resists) or "error"
                    "warnings"      the texts of the warnings, in the order shown
                    "error"         the error box's text, or null
                    "nd"            the design axial force used, kN
                    "model"         "classic", "nbr6118-2014-rectangular" or
                                    "nbr6118-2014-parabola"
                    "references"    N1, N2, N3, N4 in kN at theta = 0 (pure
                                    tension; top fibre -3.5 with the extreme bar at
                                    10 per mil; neutral axis through the bottom
                                    vertex; uniform shortening of 2 per mil), or
                                    null when no angle was computed
                    "points"        the curve as [Mx, My] pairs in kN.m, in the
                                    order generated, the closing copy included
                    "design_point"  [Mxd, Myd] or null
                    "ratio"         the reinforcement ratio label, e.g. "1,57 %"
                    "inside"        whether the design point lies inside the curve
                    "utilisation"   design moment over resisting moment along the
                                    ray from the origin through the design point,
                                    or null (no curve, or the origin not inside it)
                  Reals are printed so that they read back to the same double.
  csv             a header "Mx;My" and one row per curve point (kN.m)
  svg, png        the chart as the window shows it: curve, design point, axes
                  and titles (614 x 598 pixels for png)

Load combinations (--loads): a CSV file, one combination per line: a name,
Nd in kN (tension positive: the compression of a column is negative, -500),
Mxd and Myd in kN.m, and for a column the first-order moments at the base.
A first line in which no field is a number is a header that names each
column, in any order (letter case, accents and a unit in parentheses or
brackets do not count): the name nome, combinacao, comb or caso (may be left
out); Nd nd, n or nsd; Mxd mxd, mx or msdx; Myd myd, my or msdy; the base
moments a name of Mxd or Myd with base, _base or (base) (mxd_base, Myd
base; either may be left out, an empty field is the top's). The results
"check --format csv" writes (situacao, eta, mrx, mry, mrd, axial,
determinante, situacao_pilar, md_tot_x, md_tot_y) are skipped, so such a file
reads back; any other column, a column given twice and a header without Nd,
Mxd or Myd are refused by name. Without a header the count of fields
decides: 3 (Nd, Mxd, Myd), 4 (a name and those), 5 (Nd, Mxd, Myd, Mxd base,
Myd base) or 6 (a name and those five); any other count is refused. The
separator is that of the first line: a tab, ";" or "," (which needs the
header); every line has as many fields as the first. With "," the decimal
mark is the point; with ";" or a tab it is the comma when a number of the
file has one, else the point, a number with the other mark is refused as
ambiguous, and so is one to three digits, a point and three digits (1.900,
-12.500), which a Brazilian spreadsheet reads as thousands. A byte-order
mark, UTF-16 and Windows-1252 text are read. At most 1000 combinations. Base
moments for a case without a column (no block "pilar") are refused.

The column (NBR 6118:2014, 11.3.3.4.3 and 15.8): a case whose file has the
block "pilar" (made in the window's group "Pilar") is checked as a column:
per row in compression and per bending, the slenderness, the minimum moment,
alpha_b, lambda1 and the local second order of the method chosen, then the
situations top, base, intermediate section and minimum envelope, each read
on the curve of the row's Nd; the largest eta gives the row its verdict. A row
in tension, or with Nd = 0, has no column check (its two ends are read as
sections). The column's least dimension b (computed for the families, typed
for a free polygon) gives gamma_n = 1.95 - 0.05 b for 14 <= b < 19 cm, which
multiplies Nd and the moments of every row before the check; b < 14 cm, Ac <
360 cm2 and a wall column refuse the case. The curvature and kappa methods
stop at lambda 90 and are refused where their bars (and, for kappa, the
rectangle) do not allow them; the method coupled to the M-N-1/r relation goes
to lambda 140, with creep (phi, psi, the aggregate) compulsory above 90;
lambda > 140 needs the general method and lambda > 200 is refused. The column needs a
positive le in each bending: "check", "design" and "report" refuse a case
whose column has a length of 0 (a file may hold one; it still opens and
rewrites), naming the bending.

Formats of "check":
  json (default)  one object: "combinations" (how many), "generations" (the
                  curves computed: one per distinct Nd), "model" (as in the
                  JSON of "curve"), "governing" (the index of the governing
                  row, from 0, or null) and "rows", one object per combination
                  in order:
                    "name", "nd", "mxd", "myd"   as given
                    "status"        "holds", "fails", "out-of-range",
                                    "refused" or "error"
                    "message"       the warning or the fault, or null
                    "utilisation"   eta = |Md| / MRd, or null where the origin
                                    is not inside the curve (the row is then
                                    judged by "inside" alone)
                    "resisting"     [MRx, MRy]: where the ray from the origin
                                    through (Mxd, Myd) leaves the curve, kN.m
                    "mrd"           the length of that ray, kN.m
                    "axial_utilisation"  Nd/N4 in compression, Nd/N1 in tension
                    "inside"        whether (Mxd, Myd) lies inside the curve
                    "governing"     the row with the largest eta; a row that
                                    fails, is out of range or refused governs
                                    before every row that holds
                  With a column, the object also has "column" (for each of
                  "Mxd" and "Myd" its "le" in cm and "condition" 0, 1 or 2,
                  the "method": "curvature", "stiffness" or "coupled", and
                  "least_dimension", "phi", "psi" (null where not given) and
                  "aggregate": "granite-or-gneiss", "basalt", "limestone" or
                  "sandstone"), and every row "mxd_base", "myd_base" and
                  "column":
                    "status"        "checked", "tension" or "zero-nd" (Nd
                                    = 0; both without a column check: no
                                    "Mxd"/"Myd"; the situations are the two
                                    ends), "too-slender" (lambda > 90 by an
                                    approximate method), "refused" or
                                    "unstable"
                    "message"       the refusal, the instability, the tension
                                    or the zero Nd, or null
                    "refusal"       why it is refused ("none",
                                    "least-dimension-missing",
                                    "least-dimension-below-14",
                                    "area-below-360", "wall-column",
                                    "slenderness-above-200",
                                    "general-method-needed",
                                    "bars-not-symmetric",
                                    "outline-not-rectangle",
                                    "creep-data-missing",
                                    "no-resisting-moment", "no-point-b")
                    "instability"   "none", "secant-stiffness" or
                                    "creep-euler"
                    "method"        the method the row was checked by
                    "least_dimension", "gamma_n"  b in cm and gamma_n
                    "forces_before", "forces_after"  {"nd", "top": [Mx, My],
                                    "base": [Mx, My]} before and after gamma_n
                    "nu"            |Nd|/(Ac.fcd)
                    "Mxd", "Myd"    per bending: "h", "i" (cm), "lambda",
                                    "m1d_min", "ma", "mb" (kN.m), "alpha_b",
                                    "e1" (cm), "lambda1", "m1d_a" (kN.m),
                                    "second_order", "curvature" (1/r, 1/m)
                                    or "kappa_over_nu" (null when not used),
                                    "md_tot", "md_min_tot" (kN.m; null
                                    unless the row is "checked"),
                                    "gamma_n", "method", "applicability"
                                    ({"bars_symmetric", "rectangle",
                                    "curvature", "stiffness": the reason
                                    each approximate method is refused, or
                                    "none"}), "mrd", "ei_sec" (kN.m2) and
                                    "kappa" of the coupled method on MA's
                                    side, "e_cc" (cm, creep above lambda 90),
                                    "creep" ({"phi", "psi", "nsg", "msg",
                                    "eci", "ic", "ne", "theta1", "ea",
                                    "e_cc", "moment"}) and "coupled" (per
                                    side: "side", "end", "end_curvature",
                                    "mrd", "mrd_over_gamma_f3", "point_b"
                                    {"curvature", "m", "eps0"}, "ei_sec",
                                    "kappa", "denominator", "md_tot",
                                    "md_min_tot"); null where not worked out
                    "situations"    [{"name": "top", "base", "intermediate" or
                                    "minimum", "mx", "my", "utilisation"}]
                    "governing_situation"  the name of the one with the
                                    largest eta
                  Last come the case's "verdict" and "warnings":
                    "holds"         whether the case holds: every combination
                                    holds and, with a column, its steel meets
                                    the limits below
                    "combinations_hold"  whether every combination holds (a
                                    column can fail with all of them holding,
                                    for its steel alone)
                    "governing", "governing_name", "governing_situation",
                    "utilisation"   the governing row, its name, the situation
                                    that governs it (with a column, else null)
                                    and its eta
                    "steel"         with a column (else null): "as", "as_min",
                                    "as_max" (cm2; NBR 6118, 17.3.5.3, As,min
                                    with the most compressed row),
                                    "smallest_diameter" (mm, of the lines with
                                    bars) and "limits", what it misses:
                                    "below-minimum", "above-maximum",
                                    "below-column-diameter" (phi < 10 mm)
                    "refused"       the rows refused, by index
                    "message"       the verdict in one Portuguese sentence
                  "warnings" holds what the check says besides, in Portuguese
                  (a column without any row in compression, Nd < 0); with
                  --format csv they go to standard error.
  csv             the header nome;nd;mxd;myd;situacao;eta;mrx;mry;mrd;axial;
                  determinante and one row per combination (situacao: atende,
                  nao-atende, fora-do-intervalo, recusada, erro); with a
                  column mxd_base;myd_base after myd and, at the end,
                  situacao_pilar (topo, base, intermediaria, minima),
                  md_tot_x, md_tot_y and estado_pilar (verificado, tracao,
                  nd-nulo, lambda-maior-que-90, recusada, instavel)

Formats of "design":
  json (default)  one object: "combinations", "model" (as in "check"),
                  "concrete_area" (Ac, cm2), "as" (the steel area as it
                  stands, cm2), "as_min", "as_max" (cm2), "nd_most_compressed"
                  (kN, 0 without compression), "options", one object per
                  diameter in order:
                    "diameter"      mm
                    "as"            the steel area with it, cm2
                    "ratio"         As/Ac
                    "utilisation"   the governing eta, or null
                    "governing", "governing_name"  the governing row (from 0)
                                    and its name
                    "status"        the governing row's status, as in "check"
                    "limits"        what it misses: "below-minimum",
                                    "above-maximum", "below-column-diameter"
                    "fits"          whether every bar, a circle of the
                                    diameter about its centre, lies inside
                                    the outline (a diameter that does not is
                                    never chosen)
                    "chosen"        whether it is the chosen diameter
                  then "chosen" (the diameter in mm, or null when none
                  suffices), "factor_needed", "as_needed" (cm2), "ratio_needed"
                  (As,nec/Ac), null when no area up to 1024 times the present
                  one suffices, and "as_needed_below_smallest" (true when even
                  1/1024 of the present area suffices: that area stands for it)
                  and "without_bars" (true when no line has bars: no option is
                  tried, and standard error says so)
  csv             the header diametro;as;rho;eta;determinante;situacao;limites;
                  escolhido, one row per diameter (limites: ok, or
                  abaixo-do-minimo, acima-do-maximo, diametro-menor-que-10,
                  nao-cabe joined by +; escolhido: sim), and a last row
                  necessaria;As,nec;rho_nec;1

Output: -o OUT replaces OUT whole or not at all (a symbolic link is followed
and its target replaced); a folder, a device, a pipe or a read-only file is
refused, and so is any input of the command (the project file, the loads) as
the output of "curve", "check", "design", "report", "surface", "nm" or
"curvature".

Formats of "surface":
  json (default)  one object: "status" ("ok", "refused" or "error"),
                  "warnings", "error" and "model" as for "curve"; "squash" and
                  "tension", the two ends ({"nd", "moment": [Mx, My]}, the
                  moments about the centroid, or null when they faulted);
                  "angles_per_turn"; "points_on_chords" (mesh points where a
                  generation found no state, on the chord between its
                  neighbours); "levels", rising in Nd, each {"nd", "points"}
                  with the curve at that Nd as [Mx, My] pairs in the order
                  generated, the closing copy included: "curve --nd" with a
                  level's nd gives the same points.
  csv             a header "nd;mx;my" and every level's points in that order
  obj             a Wavefront OBJ mesh, x = Mx, y = My, z = Nd: one vertex
                  per angle step on every level, then the two ends; quads
                  between neighbouring levels and triangle fans to the ends
  svg, png        the wireframe as the window draws it, with the case's load
                  combinations as points (navy where they hold, red where not;
                  the governing one ringed; with a column, each at the point
                  of its governing situation); 614 x 614 pixels for png

Formats of "nm":
  json (default)  one object: "status", "warnings", "error", "model" as for
                  "surface"; "angle", DEG as given; "levels", each {"nd",
                  "along", "opposite"}: the resisting moment along DEG (>= 0)
                  and along the opposite direction (<= 0), null where the
                  origin lies outside that level's curve; "outline", the closed
                  diagram as [nd, m] pairs: from the squash end up along DEG to
                  the tension end and back along the opposite direction, the
                  first point repeated (at the ends m is the component of the
                  end's moment along DEG)
  csv             a header "nd;m" and the outline, one row per point
  svg, png        the diagram as the window draws it, Nd upward with
                  compression at the top, with the case's load combinations at
                  (|Md| with the sign of its side, Nd), with a column each at
                  the moments of its governing situation; 614 x 680 pixels for
                  png
  Reals of both commands read back to the same double.

Formats of "curvature":
  json (default)  one object: "nd", "bending" ("Mxd", "Myd" or null),
                  "angle" (DEG as given, or null), "model", "interaction"
                  (the curve of Nd: "ok", "refused", "out-of-range" or
                  "error"), "warnings", "gamma_f3" and "sides", for
                  "positive" (the side a positive moment of the direction
                  compresses) and "negative": "side", "end" (where the curve
                  ends: "concrete", "steel", "both" or "no-state"), "mrd",
                  "mrd_over_gamma_f3", "point_b" ({"curvature", "m", "eps0"}
                  or null where the curve ends below MRd/gamma_f3), "ei_sec"
                  (kN.m2) and "points", each {"curvature" (1/m), "m" (kN.m,
                  about the bending's axis, positive towards the side), "eps0"
                  (the centroid's strain, per mil)}
  csv             a header "side;curvature;m;eps0" and the points of the
                  positive side, then of the negative one
  svg, png        the deformation curves (the negative side's to the lower
                  left), the lines AB and MRd/gamma_f3; 614 x 480 pixels for
                  png A refused case (no
  area, bars outside the section) gives its reason on standard error in every
  format, as well as in the JSON's "warnings".

Exit status: 0 on success, also when a warning refused the case or Nd is out of
range (those are results of "curve", "surface" and "nm"); for "check", 0 when
the case holds and 3 when it does not: a combination fails, is out of range or
is refused, or the steel of a column misses its limits (As < As,min,
As > As,max, phi < 10 mm) though every combination holds; for "design", 0
when a diameter was chosen and 3 when none suffices (or the case has no bars);
1 for a file that cannot be read or written, a column without a positive length
(check, design, report), or a bad command line; 2 for a fault while reading
the case or during a generation (a numeric fault, or no steel class selected;
the output is still written, with the status "error").
)";

} // namespace flexara::cli
