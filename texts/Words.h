// The words the user reads for what the engine returns as codes: the status of
// a curve and of a load combination, the warnings of a generation, the notice
// of an Nd out of range and the text of a failure. One table per language,
// each a switch over an enum class, so that the compiler sees every code; the
// window, the report and the batch tool all read them here.
//
//   Portuguese   the window, the report, the error box, the CSV of a check
//   English      the keys of the batch tool's JSON
#pragma once

#include "engine/Faults.h"
#include "engine/column/Column.h"
#include "engine/column/Combinations.h"
#include "engine/column/Slenderness.h"
#include "engine/design/Arrangement.h"
#include "engine/design/Design.h"
#include "engine/diagrams/Surface.h"
#include "engine/section/Curve.h"
#include "engine/study/CaseCurve.h"
#include "engine/study/CaseVerdict.h"

#include <array>
#include <exception>
#include <string>
#include <vector>

namespace flexara {

// ---- English: the batch tool's JSON ----

// "ok", "refused", "out-of-range", "error".
const char* CurveStatusKey(CurveStatus status);
// "ok", "refused", "error", "cancelled".
const char* SurfaceStatusKey(SurfaceStatus status);
// "holds", "fails", "out-of-range", "refused", "error".
const char* CombinationStatusKey(CombinationStatus status);
// "checked", "tension", "zero-nd", "too-slender", "refused", "unstable".
const char* ColumnStatusKey(ColumnCheckStatus status);
// The reason of a column's refusal ("least-dimension-below-14",
// "bars-not-symmetric", "no-point-b", ...; "none"), of its instability
// ("secant-stiffness", "creep-euler"; "none"), where a deformation curve
// ends ("concrete", "steel", "both", "no-state") and its side ("positive",
// "negative").
const char* ColumnRefusalKey(ColumnRefusal refusal);
const char* InstabilityKey(Instability instability);
const char* CurveEndKey(CurveEnd end);
const char* CurvatureSideKey(CurvatureSide side);
// "top", "base", "intermediate", "minimum".
const char* SituationKey(DesignSituation situation);

// "classic", "nbr6118-2014-rectangular", "nbr6118-2014-parabola".
const char* ModelKey(CalculationModel model);
// The model of a key (also the short "rectangular" and "parabola" of the
// batch tool's --model); false for anything else.
bool ModelOfKey(const std::string& key, CalculationModel& model);

// What a diameter of the design misses of the limits: "below-minimum",
// "above-maximum", "below-column-diameter" (none when it meets them all).
std::vector<std::string> DesignLimitKeys(const DesignOption& option);

// ---- Portuguese ----

// "Clássico (0,85 fcd a partir de 0,7 ‰)", "NBR 6118:2014 — retangular (αc, λ)",
// "NBR 6118:2014 — parábola-retângulo".
const char* ModelName(CalculationModel model);

// The situation of a combination in the report's table and, for the three
// verdicts, in the window's: "atende", "não atende", "Nd fora do intervalo",
// "recusada", "erro".
const char* CombinationStatusText(CombinationStatus status);
// The same as a CSV field, in plain letters: "atende", "nao-atende",
// "fora-do-intervalo", "recusada", "erro".
const char* CombinationStatusCsvWord(CombinationStatus status);

// The column's data: "biapoiado, sem cargas transversais", "biapoiado, com
// cargas transversais significativas", "em balanço (engastado na base)";
// "pilar-padrão com curvatura aproximada", "pilar-padrão com rigidez κ
// aproximada"; "Mxd", "Myd".
const char* SupportConditionText(SupportCondition condition);
const char* SecondOrderMethodText(SecondOrderMethod method);
const char* BendingName(Bending bending);
// A design situation of the column check: "topo", "base", "seção
// intermediária", "envoltória mínima".
const char* SituationText(DesignSituation situation);
// What the column check of a row says of itself: the refusal "λ = 96,35 > 90
// para Mxd: os métodos aproximados não se aplicam", "Nd de tração: sem
// verificação de pilar", "Nd nulo: sem verificação de pilar", or empty for a
// row checked.
std::string ColumnStatusText(const ColumnResult& column);
// The same as a CSV field: "verificado", "tracao", "nd-nulo",
// "lambda-maior-que-90", "recusada", "instavel".
const char* ColumnStatusCsvWord(ColumnCheckStatus status);
// λ as the column's texts print it: two decimals, more where two would not
// show which side of the limit it stands ("90,0000000000001" > 90),
// engineering notation from a million.
std::string SlendernessText(double lambda, double limit = MaxApproximateSlenderness);
// A column that cannot be checked for a length: "Pilar: le (Mxd) nulo: o
// comprimento de flambagem deve ser positivo", "Pilar: le (Myd) não
// informado: ...", "... negativo", "... inválido".
std::string ColumnLengthText(const ColumnLengthFault& fault);

// The captions of the loads in the combinations table and in its export,
// the sign convention where Nd is typed: "Nome", "Nd (kN, tração +)",
// "Mxd (kN.m)", "Myd (kN.m)", "Mxd base (kN.m)", "Myd base (kN.m)".
extern const std::array<const char*, 6> LoadCaptions;
// Small and slender columns: the sentence of a refusal or an instability
// ("b = 13,9 cm < 14 cm: a NBR 6118:2014 (13.2.3) não admite ...", "λ = 141
// > 140 para Mxd: só o método geral ...", "Instabilidade em Myd: ..."), an
// approximate method's applicability ("aplica-se", "não se aplica: barras
// não simétricas em relação ao eixo da flexão"), where a deformation curve
// ends ("a fibra mais comprimida atinge -εcu") and the aggregate ("granito ou
// gnaisse", "basalto", "calcário", "arenito").
std::string SlenderColumnText(const ColumnResult& column);
const char* MethodApplicabilityText(ColumnRefusal refusal);
const char* CurveEndText(CurveEnd end);
const char* AggregateText(Aggregate aggregate);

// The design of the reinforcement ("Dimensionamento da armadura"): the
// captions of its table, what a diameter misses of the limits ("ok", or
// "As < As,mín", "As > As,máx", "φ < 10 mm", "não cabe" joined by "; ", and
// with detailing data the other rules it breaks, "espaçamento livre
// (18.4.2.2)"), the choice ("Diâmetro escolhido: 16 mm (η = 0,82).",
// "Nenhum diâmetro atende: com 40 mm, η = 1,48.", "... com 25 mm as
// combinações atenderiam, mas as barras não cabem na seção.", or that the
// case has no bars) and the area needed ("As,nec = 6,62 cm² (ρnec = 0,83 %),
// para η = 1 com as barras nas posições atuais.").
extern const char* const DesignTitle;
extern const std::array<const char*, 6> DesignTableHeaders;
std::string DesignLimitsText(const DesignOption& option);
std::string DesignChoiceText(const DesignResult& result);
// The arrangement a design chose: "Arranjo escolhido: 8 barras de 10 mm (nx = 0,
// ny = 2; η = 0,96).", or that none holds every combination and every rule.
std::string ArrangementChoiceText(const ArrangementDesign& design);
// The table of the arrangements: "nx", "ny", "φ (mm)", "Barras", "As (cm²)",
// "η determinante", "Combinação determinante", "Situação determinante",
// "Estribos suplementares", "Regras"; and the rules of an arrangement,
// "atende" or those it breaks with their items, "espaçamento entre eixos
// (18.4.2.2); φ ≥ 10 mm (18.4.2.1)".
extern const std::array<const char*, 10> ArrangementTableHeaders;
std::string ArrangementRulesText(const DetailingCheck& check);
std::string DesignAreaNeededText(const DesignResult& result);
// The steel-area limits as the report states them: "As,mín = 13,80 cm² =
// 0,15·|Nd|/fyd, com Nd = -4000,00 kN (NBR 6118, 17.3.5.3.1)" or "As,mín =
// 3,20 cm² = 0,004·Ac (...)", "As,máx = 32,00 cm² = 4 % de Ac, fora das
// emendas (...)", and "As = 12,57 cm²: a armadura atende aos limites.", "...
// < As,mín: a armadura não atende ao mínimo." or "... > As,máx: a armadura
// excede o máximo.".
std::string SteelMinimumText(const SteelLimits& limits);
std::string SteelMaximumText(const SteelLimits& limits);
std::string SteelLimitsVerdictText(const SteelLimits& limits);

// The verdict of a case with combinations in one sentence, as the record's
// first page, the combinations window and check's JSON state it: "O pilar
// atende: combinação determinante ELU 3, seção intermediária, η = 0,98; a
// armadura atende aos limites.", "O pilar não atende: todas as combinações
// atendem (combinação determinante ELU 1, topo, η = 0,45), mas As < As,mín.",
// "A seção não atende às combinações: combinação determinante ELU 2, η =
// 1,08." η has two decimals, more where two would put it on the other side
// of 1.
std::string CaseVerdictText(const CaseVerdict& verdict);
// The bar diameter of a column: "φ = 20 mm ≥ 10 mm: ..." or "φ = 8 mm < 10
// mm: ..." (NBR 6118, 18.4.2.1), or that there are no bars.
std::string ColumnDiameterText(const ColumnSteel& steel);
// What the steel of a column misses, as check's JSON keys: "below-minimum",
// "above-maximum", "below-column-diameter" (none when it meets them all).
std::vector<std::string> ColumnSteelKeys(const ColumnSteel& steel);
// A case with detailing data whose bars break a rule says which after the
// rest: "...; as barras não atendem ao detalhamento: espaçamento livre
// (18.4.2.2)."
// The detailing rules' names ("espaçamento livre"), check's JSON keys
// ("clear-spacing") and the verdict keys ("holds", "fails", "not-judged").
const char* DetailingRuleText(DetailingRule rule);
const char* DetailingRuleKey(DetailingRule rule);
const char* RuleVerdictKey(RuleVerdict verdict);
// "Nenhuma combinação comprime o pilar: neste programa a compressão é
// negativa (Nd < 0)".
const char* CaseWarningText(CaseWarning warning);

// The warning dialog's texts ("Barras de aço fora da seção.").
const char* WarningText(CurveWarning warning);

// The notice that Nd lies outside the section's range, line by line as the
// chart shows it, and as one sentence.
extern const std::array<const char*, 5> OutOfRangeNoticeLines;
std::string OutOfRangeNoticeText();

// What a combination that neither holds nor fails says of itself: its
// warnings one after the other, the column's refusal, its fault, or the
// notice; empty for a row that holds or fails, but for a column failing by
// instability, which says so.
std::string CombinationMessage(const CombinationResult& row);

// The text of a failure (without the error box's final full stop): the
// runtime message of a floating-point fault, the Portuguese of a refusal.
std::string FaultText(const Fault& fault);
// The same for anything a command throws: an engine failure by its fault,
// anything else by its own message.
std::string FailureText(const std::exception& failure);

// ---- The summary of many cases (check and design of a list of files) ----

// Where a case stands: as a JSON key "holds", "fails", "error",
// "not-checked"; as the table says it "atende", "não atende", "erro", "não
// verificado"; as a CSV field "atende", "nao-atende", "erro",
// "nao-verificado".
const char* CaseStandingKey(CaseStanding standing);
const char* CaseStandingText(CaseStanding standing);
const char* CaseStandingCsvWord(CaseStanding standing);
// η as the verdict writes it ("0,98", "1,004"), a bar diameter as the
// diameter list does ("12,5", "16").
std::string VerdictUtilisationText(double eta);
std::string BarDiameterText(double mm);
// The environmental class of table 7.2: "I", "II", "III", "IV".
const char* EnvironmentClassText(EnvironmentClass environment);
// What the steel of a column misses of its limits: "ok", or "As < As,mín",
// "As > As,máx", "φ < 10 mm" joined by " e "; as a CSV field "ok", or
// "abaixo-do-minimo", "acima-do-maximo", "diametro-menor-que-10" joined by
// "+".
std::string ColumnSteelText(const ColumnSteel& steel);
std::string ColumnSteelCsvWords(const ColumnSteel& steel);
// A situation of the column as a field of the summary's CSV, in the words of
// check's CSV: "topo", "base", "intermediaria", "minima".
const char* SituationPlainWord(DesignSituation situation);
// The headings of the summary's table: "Caso", "Combinação", "Situação",
// "η", "Veredito", "As (cm²)", "As,mín", "As,máx", "Limites"; for the design
// also "φ (mm)" and "As,nec (cm²)" after "Veredito".
extern const std::array<const char*, 9> ManyCasesHeaders;
extern const std::array<const char*, 2> ManyDesignsHeaders;
// The last line of the table: "3 casos: 1 atende, 1 não atende, 1 não
// verificado." (standings without a case left out).
std::string ManyCasesCountText(int holds, int fails, int faulted, int notChecked);

} // namespace flexara
