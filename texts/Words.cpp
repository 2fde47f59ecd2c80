#include "texts/Words.h"

#include "engine/NumberText.h"
#include "engine/column/GeneralMethod.h"

#include <cmath>

namespace flexara {

namespace {

// A number as the window writes it: decimals rounded half up, a comma.
std::string Decimals(double value, int decimals)
{
    std::string text = FixedHalfUp(value, decimals);
    for (char& c : text)
        if (c == '.')
            c = ',';
    return text;
}

// Two decimals, and more while the text would stand on the other side of
// the limit than the value does: λ = 90,0000000000001 is never "90,00", an η
// of 1,004 never "1,00". A double above a limit of 1 to 100 differs from it
// within twenty decimals.
std::string DecimalsTellingSide(double value, double limit)
{
    int decimals = 2;
    for (; decimals < 20; ++decimals) {
        double shown = 0.0;
        if (!DecimalToDouble(FixedHalfUp(value, decimals), shown) || (shown > limit) == (value > limit))
            break;
    }
    return Decimals(value, decimals);
}

} // namespace

const char* CurveStatusKey(CurveStatus status)
{
    switch (status) {
    case CurveStatus::Ok:
        return "ok";
    case CurveStatus::Refused:
        return "refused";
    case CurveStatus::OutOfRange:
        return "out-of-range";
    case CurveStatus::Error:
        break;
    }
    return "error";
}

const char* SurfaceStatusKey(SurfaceStatus status)
{
    switch (status) {
    case SurfaceStatus::Ok:
        return "ok";
    case SurfaceStatus::Refused:
        return "refused";
    case SurfaceStatus::Cancelled:
        return "cancelled";
    case SurfaceStatus::Error:
        break;
    }
    return "error";
}

const char* CombinationStatusKey(CombinationStatus status)
{
    switch (status) {
    case CombinationStatus::Holds:
        return "holds";
    case CombinationStatus::Fails:
        return "fails";
    case CombinationStatus::OutOfRange:
        return "out-of-range";
    case CombinationStatus::Refused:
        return "refused";
    case CombinationStatus::Error:
        break;
    }
    return "error";
}

const char* ColumnStatusKey(ColumnCheckStatus status)
{
    switch (status) {
    case ColumnCheckStatus::Checked:
        return "checked";
    case ColumnCheckStatus::Tension:
        return "tension";
    case ColumnCheckStatus::ZeroForce:
        return "zero-nd";
    case ColumnCheckStatus::Refused:
        return "refused";
    case ColumnCheckStatus::Unstable:
        return "unstable";
    case ColumnCheckStatus::TooSlender:
        break;
    }
    return "too-slender";
}

const char* SituationKey(DesignSituation situation)
{
    switch (situation) {
    case DesignSituation::Top:
        return "top";
    case DesignSituation::Base:
        return "base";
    case DesignSituation::Intermediate:
        return "intermediate";
    case DesignSituation::Minimum:
        break;
    }
    return "minimum";
}

const char* SupportConditionText(SupportCondition condition)
{
    switch (condition) {
    case SupportCondition::PinnedWithoutTransverseLoads:
        return "biapoiado, sem cargas transversais";
    case SupportCondition::PinnedWithTransverseLoads:
        return "biapoiado, com cargas transversais significativas";
    case SupportCondition::Cantilever:
        break;
    }
    return "em balanço (engastado na base)";
}

const char* SecondOrderMethodText(SecondOrderMethod method)
{
    switch (method) {
    case SecondOrderMethod::Curvature:
        return "pilar-padrão com curvatura aproximada";
    case SecondOrderMethod::Coupled:
        return "pilar-padrão acoplado a diagramas M, N, 1/r";
    case SecondOrderMethod::General:
        return "método geral";
    case SecondOrderMethod::Stiffness:
        break;
    }
    return "pilar-padrão com rigidez κ aproximada";
}

const char* BendingName(Bending bending)
{
    switch (bending) {
    case Bending::Mx:
        return "Mxd";
    case Bending::My:
        break;
    }
    return "Myd";
}

const char* SituationText(DesignSituation situation)
{
    switch (situation) {
    case DesignSituation::Top:
        return "topo";
    case DesignSituation::Base:
        return "base";
    case DesignSituation::Intermediate:
        return "seção intermediária";
    case DesignSituation::Minimum:
        break;
    }
    return "envoltória mínima";
}

std::string SlendernessText(double lambda, double limit)
{
    if (std::isfinite(lambda) && std::fabs(lambda) >= MessageEngineeringFrom)
        return DecimalCommaText(lambda, 2, MessageEngineeringFrom);
    return DecimalsTellingSide(lambda, limit);
}

std::string ColumnStatusText(const ColumnResult& column)
{
    switch (column.status) {
    case ColumnCheckStatus::Checked:
        return std::string();
    case ColumnCheckStatus::Tension:
        return "Nd de tração: sem verificação de pilar";
    case ColumnCheckStatus::ZeroForce:
        return "Nd nulo: sem verificação de pilar";
    case ColumnCheckStatus::Refused:
    case ColumnCheckStatus::Unstable:
        return SlenderColumnText(column);
    case ColumnCheckStatus::TooSlender:
        break;
    }
    const double lambda = column.bending[static_cast<std::size_t>(column.slenderBending)].lambda;
    return "λ = " + SlendernessText(lambda) + " > 90 para " + BendingName(column.slenderBending) +
           ": os métodos aproximados não se aplicam";
}

const char* ColumnStatusCsvWord(ColumnCheckStatus status)
{
    switch (status) {
    case ColumnCheckStatus::Checked:
        return "verificado";
    case ColumnCheckStatus::Tension:
        return "tracao";
    case ColumnCheckStatus::ZeroForce:
        return "nd-nulo";
    case ColumnCheckStatus::Refused:
        return "recusada";
    case ColumnCheckStatus::Unstable:
        return "instavel";
    case ColumnCheckStatus::TooSlender:
        break;
    }
    return "lambda-maior-que-90";
}

std::string ColumnLengthText(const ColumnLengthFault& fault)
{
    const std::string name = std::string("Pilar: le (") + BendingName(fault.bending) + ")";
    switch (fault.problem) {
    case LengthProblem::Missing:
        return name + " não informado: o comprimento de flambagem deve ser positivo";
    case LengthProblem::Zero:
        return name + " nulo: o comprimento de flambagem deve ser positivo";
    case LengthProblem::Negative:
        return name + " negativo";
    case LengthProblem::Invalid:
        break;
    }
    return name + " inválido";
}

const char* ModelKey(CalculationModel model)
{
    switch (model) {
    case CalculationModel::Classic:
        return "classic";
    case CalculationModel::NbrRectangular:
        return "nbr6118-2014-rectangular";
    case CalculationModel::NbrParabolaRectangle:
        break;
    }
    return "nbr6118-2014-parabola";
}

bool ModelOfKey(const std::string& key, CalculationModel& model)
{
    for (const CalculationModel m :
         {CalculationModel::Classic, CalculationModel::NbrRectangular, CalculationModel::NbrParabolaRectangle}) {
        const std::string full = ModelKey(m);
        if (key == full || key == full.substr(full.rfind('-') + 1)) {
            model = m;
            return true;
        }
    }
    return false;
}

const char* ModelName(CalculationModel model)
{
    switch (model) {
    case CalculationModel::Classic:
        return "Clássico (0,85 fcd a partir de 0,7 ‰)";
    case CalculationModel::NbrRectangular:
        return "NBR 6118:2014 — retangular (αc, λ)";
    case CalculationModel::NbrParabolaRectangle:
        break;
    }
    return "NBR 6118:2014 — parábola-retângulo";
}

const char* CombinationStatusText(CombinationStatus status)
{
    switch (status) {
    case CombinationStatus::Holds:
        return "atende";
    case CombinationStatus::Fails:
        return "não atende";
    case CombinationStatus::OutOfRange:
        return "Nd fora do intervalo";
    case CombinationStatus::Refused:
        return "recusada";
    case CombinationStatus::Error:
        break;
    }
    return "erro";
}

const char* CombinationStatusCsvWord(CombinationStatus status)
{
    switch (status) {
    case CombinationStatus::Holds:
        return "atende";
    case CombinationStatus::Fails:
        return "nao-atende";
    case CombinationStatus::OutOfRange:
        return "fora-do-intervalo";
    case CombinationStatus::Refused:
        return "recusada";
    case CombinationStatus::Error:
        break;
    }
    return "erro";
}

const char* WarningText(CurveWarning warning)
{
    switch (warning) {
    case CurveWarning::ZeroArea:
        return "Área de concreto ou aço nula.";
    case CurveWarning::BarsOutside:
        return "Barras de aço fora da seção.";
    case CurveWarning::InvalidOutline:
        break;
    }
    return "Contorno da seção inválido: pontos no sentido horário ou lados cruzados.";
}

const std::array<const char*, 5> OutOfRangeNoticeLines = {"O valor de Nd não ", "está contido no ", "intervalo do ",
                                                          "Diagrama de ", "Interação."};

std::string OutOfRangeNoticeText()
{
    std::string text;
    for (const char* line : OutOfRangeNoticeLines)
        text += line;
    return text;
}

std::string CombinationMessage(const CombinationResult& row)
{
    switch (row.status) {
    case CombinationStatus::Holds:
        return std::string();
    case CombinationStatus::Fails:
        if (row.column && row.column->status == ColumnCheckStatus::Unstable)
            return WithFullStop(ColumnStatusText(*row.column));
        return std::string();
    case CombinationStatus::OutOfRange:
        return OutOfRangeNoticeText();
    case CombinationStatus::Refused: {
        std::string text;
        for (const CurveWarning warning : row.warnings)
            text += (text.empty() ? "" : " ") + std::string(WarningText(warning));
        if (text.empty() && row.column &&
            (row.column->status == ColumnCheckStatus::TooSlender || row.column->status == ColumnCheckStatus::Refused))
            text = WithFullStop(ColumnStatusText(*row.column));
        return text;
    }
    case CombinationStatus::Error:
        break;
    }
    return row.fault ? WithFullStop(FaultText(*row.fault)) : std::string();
}

std::string FaultText(const Fault& fault)
{
    switch (fault.kind) {
    case FaultKind::InvalidOperation:
    case FaultKind::DivisionByZero:
    case FaultKind::Overflow:
        return RuntimeMessage(fault.kind);
    case FaultKind::NoSteelSelected:
        return "Nenhum aço selecionado: escolha a classe do aço na lista \"Aço\"";
    case FaultKind::ConcreteStrengthOutsideCode:
        return "O modelo da NBR 6118:2014 vale para concretos de C20 a C90 (fck de 20 a 90 MPa); o fck deste caso "
               "é " +
               FormatGeneral(fault.value) + " MPa";
    case FaultKind::SurfaceLevelCount:
        return "O número de níveis da superfície deve estar entre 1 e " + FormatGeneral(fault.limit);
    case FaultKind::NegativePointCount:
        break;
    }
    return "O número de pontos do diagrama de interação não pode ser negativo";
}

std::string FailureText(const std::exception& failure)
{
    if (const auto* engine = dynamic_cast<const EngineError*>(&failure))
        return FaultText(engine->fault());
    return failure.what();
}

// ---- The design of the reinforcement ----

namespace {

// A bar diameter as the diameter list shows it: "12,5", "16".
std::string DiameterText(double mm)
{
    std::string text = Decimals(mm, 1);
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ",0") == 0)
        text.resize(text.size() - 2);
    return text;
}

// What the steel of a column misses of its limits, in the words given for
// As < As,mín, As > As,máx and φ < 10 mm, in that order.
using LimitWords = std::array<const char*, 3>;
constexpr LimitWords LimitKeys = {"below-minimum", "above-maximum", "below-column-diameter"};
constexpr LimitWords LimitTexts = {"As < As,mín", "As > As,máx", "φ < 10 mm"};

std::vector<std::string> Misses(bool belowMinimum, bool aboveMaximum, bool belowDiameter, const LimitWords& words)
{
    std::vector<std::string> missed;
    const bool misses[] = {belowMinimum, aboveMaximum, belowDiameter};
    for (std::size_t k = 0; k < words.size(); ++k)
        if (misses[k])
            missed.emplace_back(words[k]);
    return missed;
}

std::string Joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

// "espaçamento livre (18.4.2.2)"
std::string RuleWithItem(DetailingRule rule)
{
    return std::string(DetailingRuleText(rule)) + " (" + DetailingRuleItem(rule) + ")";
}

} // namespace

std::vector<std::string> DesignLimitKeys(const DesignOption& option)
{
    return Misses(option.belowMinimum, option.aboveMaximum, option.belowColumnDiameter, LimitKeys);
}

const std::array<const char*, 6> LoadCaptions = {
    "Nome", "Nd (kN, tração +)", "Mxd (kN.m)", "Myd (kN.m)", "Mxd base (kN.m)", "Myd base (kN.m)",
};

const char* const DesignTitle = "Dimensionamento da armadura";

const std::array<const char*, 6> DesignTableHeaders = {
    "Diâmetro (mm)", "As (cm²)", "ρ (%)", "η determinante", "Combinação determinante", "Limites",
};

std::string DesignLimitsText(const DesignOption& option)
{
    std::string text =
        Joined(Misses(option.belowMinimum, option.aboveMaximum, option.belowColumnDiameter, LimitTexts), "; ");
    if (!option.fits)
        text += (text.empty() ? "" : "; ") + std::string("não cabe");
    // The rules the words above do not already say.
    if (option.detailing)
        for (const DetailingRule rule : option.detailing->Broken()) {
            const bool said = (rule == DetailingRule::SteelMinimum && option.belowMinimum) ||
                              (rule == DetailingRule::SteelMaximum && option.aboveMaximum) ||
                              (rule == DetailingRule::LeastBarDiameter && option.belowColumnDiameter) ||
                              (rule == DetailingRule::BarCover && !option.fits);
            if (!said)
                text += (text.empty() ? "" : "; ") + RuleWithItem(rule);
        }
    return text.empty() ? "ok" : text;
}

const std::array<const char*, 10> ArrangementTableHeaders = {
    "nx",
    "ny",
    "φ (mm)",
    "Barras",
    "As (cm²)",
    "η determinante",
    "Combinação determinante",
    "Situação determinante",
    "Estribos suplementares",
    "Regras",
};

std::string ArrangementRulesText(const DetailingCheck& check)
{
    std::vector<std::string> broken;
    for (const DetailingRule rule : check.Broken())
        broken.push_back(RuleWithItem(rule));
    return broken.empty() ? "atende" : Joined(broken, "; ");
}

std::string ArrangementChoiceText(const ArrangementDesign& design)
{
    if (design.cancelled)
        return "Dimensionamento interrompido.";
    if (design.chosen < 0)
        return "Nenhum arranjo atende a todas as combinações e a todas as regras de detalhamento.";
    const ArrangementOption& chosen = design.options[static_cast<std::size_t>(design.chosen)];
    const Arrangement& a = chosen.arrangement;
    std::string text = "Arranjo escolhido: " + std::to_string(a.Count()) + " barras de " + DiameterText(a.diameter) +
                       " mm (nx = " + std::to_string(a.barsX) + ", ny = " + std::to_string(a.barsY);
    if (chosen.governingEta)
        text += "; η = " + Decimals(*chosen.governingEta, 2);
    return text + ").";
}

std::string DesignChoiceText(const DesignResult& result)
{
    if (result.cancelled)
        return "Dimensionamento interrompido.";
    if (result.withoutBars)
        return "O caso não tem barras: acrescente linhas de barras para que o dimensionamento escolha o seu diâmetro.";
    if (result.options.empty())
        return "Sem combinações: nada a dimensionar.";
    if (result.chosen >= 0) {
        const DesignOption& chosen = result.options[static_cast<std::size_t>(result.chosen)];
        std::string text = "Diâmetro escolhido: " + DiameterText(chosen.diameter) + " mm";
        if (chosen.governingEta)
            text += " (η = " + Decimals(*chosen.governingEta, 2) + ")";
        return text + ".";
    }
    // A diameter that would do but whose bars stick out of the concrete; the
    // larger ones stick out further.
    for (const DesignOption& option : result.options)
        if (option.allHold && option.LimitsHold() && !option.fits)
            return "Nenhum diâmetro atende: com " + DiameterText(option.diameter) +
                   " mm as combinações atenderiam, mas as barras não cabem na seção.";
    const DesignOption& largest = result.options.back();
    std::string text = "Nenhum diâmetro atende: com " + DiameterText(largest.diameter) + " mm, ";
    if (largest.governingEta)
        text += "η = " + Decimals(*largest.governingEta, 2);
    else
        text += largest.allHold ? "todas as combinações atendem" : "uma combinação não atende";
    if (!largest.LimitsHold() || !largest.fits)
        text += " e " + DesignLimitsText(largest);
    return text + ".";
}

std::string DesignAreaNeededText(const DesignResult& result)
{
    if (!(result.currentArea > 0.0))
        return "As,nec: a disposição atual não tem barras.";
    if (!result.areaNeeded)
        return "As,nec: nenhuma área com as barras nas posições atuais atende (até 1024 vezes a atual).";
    const double ratio = result.limits.concreteArea > 0.0 ? *result.areaNeeded / result.limits.concreteArea : 0.0;
    const std::string numbers = Decimals(*result.areaNeeded, 2) + " cm² (ρnec = " + Decimals(100.0 * ratio, 2) + " %)";
    if (result.areaNeededBelowSmallest)
        return "As,nec ≤ " + numbers + ": o concreto quase resiste sozinho.";
    return "As,nec = " + numbers + ", para η = 1 com as barras nas posições atuais.";
}

std::string SteelMinimumText(const SteelLimits& limits)
{
    // The force governs where its term exceeds 0,004·Ac.
    const bool byForce = limits.minimum > 0.004 * limits.concreteArea;
    return "As,mín = " + Decimals(limits.minimum, 2) + " cm² = " +
           (byForce ? "0,15·|Nd|/fyd, com Nd = " + Decimals(limits.mostCompressed, 2) + " kN"
                    : std::string("0,004·Ac")) +
           " (NBR 6118, 17.3.5.3.1)";
}

std::string SteelMaximumText(const SteelLimits& limits)
{
    return "As,máx = " + Decimals(limits.maximum, 2) + " cm² = 4 % de Ac, fora das emendas (NBR 6118, 17.3.5.3.2)";
}

std::string SteelLimitsVerdictText(const SteelLimits& limits)
{
    const std::string area = "As = " + Decimals(limits.steelArea, 2) + " cm²";
    if (limits.steelArea < limits.minimum)
        return area + " < As,mín: a armadura não atende ao mínimo.";
    if (limits.steelArea > limits.maximum)
        return area + " > As,máx: a armadura excede o máximo.";
    return area + ": a armadura atende aos limites.";
}

// ---- The verdict of a case ----

namespace {

// η with two decimals, more where two would round it onto the other side of
// 1 ("1,004", never "1,00" for a row that does not hold).
std::string UtilisationText(double eta)
{
    // A moment beyond any capacity: its digits would fill the page.
    if (!(eta < 1e6))
        return FormatGeneral(eta);
    return DecimalsTellingSide(eta, 1.0);
}

// "combinação determinante ELU 3, seção intermediária, η = 0,98", or the
// row's verdict where it has no η.
std::string GoverningText(const CaseVerdict& v)
{
    if (v.governing < 0)
        return "nenhuma combinação verificada";
    std::string text =
        "combinação determinante " + (v.governingName.empty() ? std::string("(sem nome)") : v.governingName);
    if (v.governingSituation)
        text += std::string(", ") + SituationText(*v.governingSituation);
    if (v.utilisation)
        return text + ", η = " + UtilisationText(*v.utilisation);
    return text + ", " + CombinationStatusText(v.governingStatus);
}

// "As < As,mín", "As > As,máx", "φ < 10 mm", joined by " e ".
std::string SteelMisses(const ColumnSteel& steel)
{
    return Joined(Misses(steel.belowMinimum, steel.aboveMaximum, steel.belowColumnDiameter, LimitTexts), " e ");
}

// "; as barras não atendem ao detalhamento: espaçamento livre (18.4.2.2),
// cobrimento das barras (7.4.7.2)", or nothing where every rule is met.
std::string DetailingMisses(const CaseVerdict& v)
{
    if (!v.detailing || v.detailing->Holds())
        return {};
    std::vector<std::string> broken;
    for (const DetailingRule rule : v.detailing->Broken())
        broken.push_back(RuleWithItem(rule));
    return "; as barras não atendem ao detalhamento: " + Joined(broken, ", ");
}

std::string CaseVerdictSentence(const CaseVerdict& v)
{
    const std::string governing = GoverningText(v);
    if (!v.steel)
        return std::string(v.holds ? "A seção atende" : "A seção não atende") + " às combinações: " + governing + ".";
    const std::string subject = v.holds ? "O pilar atende: " : "O pilar não atende: ";
    if (v.steel->Holds())
        return subject + governing + (v.combinationsHold ? "; a armadura atende aos limites." : ".");
    if (v.combinationsHold)
        return subject + "todas as combinações atendem (" + governing + "), mas " + SteelMisses(*v.steel) + ".";
    return subject + governing + "; e " + SteelMisses(*v.steel) + ".";
}

} // namespace

std::string CaseVerdictText(const CaseVerdict& v)
{
    const std::string misses = DetailingMisses(v);
    if (misses.empty())
        return CaseVerdictSentence(v);
    if (!v.steel) {
        // A section whose combinations hold fails by its bars alone.
        const std::string governing = GoverningText(v);
        if (v.combinationsHold)
            return "A seção não atende: todas as combinações atendem (" + governing + ")" + misses + ".";
        return "A seção não atende às combinações: " + governing + misses + ".";
    }
    // The detailing's verdict before the full stop.
    std::string sentence = CaseVerdictSentence(v);
    sentence.pop_back();
    return sentence + misses + ".";
}

const char* DetailingRuleText(DetailingRule rule)
{
    switch (rule) {
    case DetailingRule::BarCover:
        return "cobrimento das barras";
    case DetailingRule::CoverOverBar:
        return "cobrimento ≥ φ";
    case DetailingRule::AggregateSize:
        return "dmáx ≤ 1,2·c";
    case DetailingRule::LeastBarDiameter:
        return "φ ≥ 10 mm";
    case DetailingRule::LargestBarDiameter:
        return "φ ≤ b/8";
    case DetailingRule::CornerBars:
        return "barras nos cantos";
    case DetailingRule::ClearSpacing:
        return "espaçamento livre";
    case DetailingRule::AxisSpacing:
        return "espaçamento entre eixos";
    case DetailingRule::SteelMinimum:
        return "As ≥ As,mín";
    case DetailingRule::SteelMaximum:
        return "As ≤ As,máx";
    case DetailingRule::StirrupDiameter:
        return "diâmetro do estribo";
    case DetailingRule::StirrupSpacing:
        return "espaçamento dos estribos";
    }
    return "";
}

const char* DetailingRuleKey(DetailingRule rule)
{
    switch (rule) {
    case DetailingRule::BarCover:
        return "cover";
    case DetailingRule::CoverOverBar:
        return "cover-over-bar";
    case DetailingRule::AggregateSize:
        return "aggregate";
    case DetailingRule::LeastBarDiameter:
        return "least-diameter";
    case DetailingRule::LargestBarDiameter:
        return "largest-diameter";
    case DetailingRule::CornerBars:
        return "corner-bars";
    case DetailingRule::ClearSpacing:
        return "clear-spacing";
    case DetailingRule::AxisSpacing:
        return "axis-spacing";
    case DetailingRule::SteelMinimum:
        return "steel-minimum";
    case DetailingRule::SteelMaximum:
        return "steel-maximum";
    case DetailingRule::StirrupDiameter:
        return "stirrup-diameter";
    case DetailingRule::StirrupSpacing:
        return "stirrup-spacing";
    }
    return "";
}

const char* RuleVerdictKey(RuleVerdict verdict)
{
    switch (verdict) {
    case RuleVerdict::Holds:
        return "holds";
    case RuleVerdict::Fails:
        return "fails";
    case RuleVerdict::NotJudged:
        return "not-judged";
    }
    return "";
}

std::string ColumnDiameterText(const ColumnSteel& steel)
{
    if (!(steel.smallestDiameter > 0.0))
        return "φ: o pilar não tem barras (NBR 6118, 18.4.2.1).";
    const std::string phi = "φ = " + DiameterText(steel.smallestDiameter) + " mm";
    if (steel.belowColumnDiameter)
        return phi + " < 10 mm: as barras não atendem ao diâmetro mínimo do pilar (NBR 6118, 18.4.2.1).";
    return phi + " ≥ 10 mm: as barras atendem ao diâmetro mínimo do pilar (NBR 6118, 18.4.2.1).";
}

std::vector<std::string> ColumnSteelKeys(const ColumnSteel& steel)
{
    return Misses(steel.belowMinimum, steel.aboveMaximum, steel.belowColumnDiameter, LimitKeys);
}

const char* CaseWarningText(CaseWarning warning)
{
    switch (warning) {
    case CaseWarning::NoCompressedRow:
        break;
    }
    return "Nenhuma combinação comprime o pilar: neste programa a compressão é negativa (Nd < 0)";
}

// ---- Small and slender columns ----

const char* ColumnRefusalKey(ColumnRefusal refusal)
{
    switch (refusal) {
    case ColumnRefusal::None:
        return "none";
    case ColumnRefusal::LeastDimensionMissing:
        return "least-dimension-missing";
    case ColumnRefusal::LeastDimensionBelow14:
        return "least-dimension-below-14";
    case ColumnRefusal::AreaBelow360:
        return "area-below-360";
    case ColumnRefusal::WallColumn:
        return "wall-column";
    case ColumnRefusal::SlendernessAbove200:
        return "slenderness-above-200";
    case ColumnRefusal::GeneralMethodNeeded:
        return "general-method-needed";
    case ColumnRefusal::BarsNotSymmetric:
        return "bars-not-symmetric";
    case ColumnRefusal::OutlineNotRectangle:
        return "outline-not-rectangle";
    case ColumnRefusal::CreepDataMissing:
        return "creep-data-missing";
    case ColumnRefusal::NoResistingMoment:
        return "no-resisting-moment";
    case ColumnRefusal::NoPointB:
        break;
    }
    return "no-point-b";
}

const char* InstabilityKey(Instability instability)
{
    switch (instability) {
    case Instability::None:
        return "none";
    case Instability::SecantStiffness:
        return "secant-stiffness";
    case Instability::General:
        return "general";
    case Instability::CreepEuler:
        break;
    }
    return "creep-euler";
}

const char* CurveEndKey(CurveEnd end)
{
    switch (end) {
    case CurveEnd::ConcreteCrushing:
        return "concrete";
    case CurveEnd::SteelElongation:
        return "steel";
    case CurveEnd::Both:
        return "both";
    case CurveEnd::NoState:
        break;
    }
    return "no-state";
}

const char* CurvatureSideKey(CurvatureSide side)
{
    return side == CurvatureSide::Positive ? "positive" : "negative";
}

const char* AggregateText(Aggregate aggregate)
{
    switch (aggregate) {
    case Aggregate::Basalt:
        return "basalto";
    case Aggregate::Limestone:
        return "calcário";
    case Aggregate::Sandstone:
        return "arenito";
    case Aggregate::GraniteOrGneiss:
        break;
    }
    return "granito ou gnaisse";
}

const char* CurveEndText(CurveEnd end)
{
    switch (end) {
    case CurveEnd::ConcreteCrushing:
        return "a fibra mais comprimida atinge -εcu";
    case CurveEnd::SteelElongation:
        return "a barra extrema atinge 10 ‰";
    case CurveEnd::Both:
        return "a fibra mais comprimida atinge -εcu e a barra extrema 10 ‰";
    case CurveEnd::NoState:
        break;
    }
    return "nenhum estado de deformação tem a força normal Nd";
}

const char* MethodApplicabilityText(ColumnRefusal refusal)
{
    switch (refusal) {
    case ColumnRefusal::None:
        return "aplica-se";
    case ColumnRefusal::BarsNotSymmetric:
        return "não se aplica: barras não simétricas em relação ao eixo da flexão";
    case ColumnRefusal::OutlineNotRectangle:
        return "não se aplica: seção não retangular";
    default:
        break;
    }
    return "não se aplica";
}

namespace {

// Why the general method's bar of a row has no shape that stands.
std::string GeneralInstabilityText(const ColumnResult& column)
{
    const Bending bending = column.slenderBending;
    const BendingCheck& check = column.bending[static_cast<std::size_t>(bending)];
    const std::string start = std::string("Instabilidade em ") + BendingName(bending) + " no método geral" +
                              (column.generalMinimum ? ", com o momento mínimo," : "") + " (NBR 6118:2014, 15.8.3.2): ";
    const std::size_t side = static_cast<std::size_t>(column.instabilitySide);
    const std::optional<GeneralSolution>* solution = nullptr;
    if (check.general)
        solution =
            column.generalMinimum || check.general->bothSigns ? &check.general->minimum[side] : &check.general->bar[0];
    const int station = solution && *solution ? (*solution)->station : -1;
    const std::string where =
        station >= 0 && check.general
            ? " em z = " + Decimals(check.general->length * station / check.general->steps, 1) + " cm"
            : std::string();
    switch (column.generalOutcome) {
    case GeneralOutcome::LeftTheCurve:
        return start + "o momento" + where + " passa do maior momento da curva M–N–1/r";
    case GeneralOutcome::LostStability:
        return start + "a barra perde a rigidez (nenhuma deformada de equilíbrio estável)";
    case GeneralOutcome::NoConvergence:
    case GeneralOutcome::Converged:
        break;
    }
    return start + "nenhuma deformada de equilíbrio em " + std::to_string(MaxGeneralIterations) + " iterações";
}

} // namespace

std::string SlenderColumnText(const ColumnResult& column)
{
    const Bending bending = column.slenderBending;
    const std::string name = BendingName(bending);
    const double lambda = column.bending[static_cast<std::size_t>(bending)].lambda;
    const std::string coupled = std::string("; use o ") + SecondOrderMethodText(SecondOrderMethod::Coupled);
    if (column.status == ColumnCheckStatus::Unstable) {
        if (column.instability == Instability::CreepEuler)
            return "Instabilidade em " + name + ": com a fluência, Ne ≤ Nsg (NBR 6118:2014, 15.8.4)";
        if (column.instability == Instability::General)
            return GeneralInstabilityText(column);
        return "Instabilidade em " + name +
               ": |Nd|·le²/(10·(EI)sec) ≥ 1 no pilar-padrão acoplado (NBR 6118:2014, 15.8.3.3.4)";
    }
    switch (column.refusal) {
    case ColumnRefusal::None:
        return std::string();
    case ColumnRefusal::LeastDimensionMissing:
        return "Seção poligonal sem a menor dimensão: informe b (cm) para verificar o pilar";
    case ColumnRefusal::LeastDimensionBelow14:
        return "b = " + Decimals(column.leastDimension.value_or(0.0), 1) +
               " cm < 14 cm: a NBR 6118:2014 (13.2.3) não admite pilar com menor dimensão abaixo de 14 cm";
    case ColumnRefusal::AreaBelow360:
        return "Ac < 360 cm²: a NBR 6118:2014 (13.2.3) não admite pilar com área abaixo de 360 cm²";
    case ColumnRefusal::WallColumn:
        return "Lado maior acima de 5 vezes o menor: pilar-parede (NBR 6118:2014, 14.4.2.4); a verificação de 15.9 "
               "não é feita aqui";
    case ColumnRefusal::SlendernessAbove200:
        return "λ = " + SlendernessText(lambda, MaxSlenderness) + " > 200 para " + name +
               ": a NBR 6118:2014 (15.8.1) não admite pilar com esbeltez acima de 200";
    case ColumnRefusal::GeneralMethodNeeded:
        return "λ = " + SlendernessText(lambda, MaxCoupledSlenderness) + " > 140 para " + name +
               ": só o método geral (NBR 6118:2014, 15.8.3.2) se aplica; use o método geral";
    case ColumnRefusal::BarsNotSymmetric:
        return "Barras não simétricas em relação ao eixo de " + name + ": o " + SecondOrderMethodText(column.method) +
               " não se aplica (NBR 6118:2014, " +
               (column.method == SecondOrderMethod::Curvature ? "15.8.3.3.2" : "15.8.3.3.3") + ")" + coupled;
    case ColumnRefusal::OutlineNotRectangle:
        return "Seção não retangular: o " + std::string(SecondOrderMethodText(SecondOrderMethod::Stiffness)) +
               " não se aplica (NBR 6118:2014, 15.8.3.3.3)" + coupled;
    case ColumnRefusal::CreepDataMissing: {
        const char* missing = column.creepCoefficientMissing && column.quasiPermanentShareMissing ? "faltam φ e ψ"
                              : column.creepCoefficientMissing                                    ? "falta φ"
                                                                                                  : "falta ψ";
        return "λ = " + SlendernessText(lambda) + " > 90 para " + name +
               ": a fluência é obrigatória (NBR 6118:2014, 15.8.4); " + missing;
    }
    case ColumnRefusal::NoResistingMoment:
        return "Sem MRd na direção de " + name + " no diagrama de interação de Nd: o " +
               SecondOrderMethodText(SecondOrderMethod::Coupled) + " não se aplica";
    case ColumnRefusal::NoPointB:
        break;
    }
    return "A curva M–N–1/r de " + name + " termina antes de MRd/γf3: o " +
           SecondOrderMethodText(SecondOrderMethod::Coupled) + " não se aplica a esta combinação";
}

// ---- The summary of many cases ----

const char* CaseStandingKey(CaseStanding standing)
{
    switch (standing) {
    case CaseStanding::Holds:
        return "holds";
    case CaseStanding::Fails:
        return "fails";
    case CaseStanding::Faulted:
        return "error";
    case CaseStanding::NotChecked:
        break;
    }
    return "not-checked";
}

const char* CaseStandingText(CaseStanding standing)
{
    switch (standing) {
    case CaseStanding::Holds:
        return "atende";
    case CaseStanding::Fails:
        return "não atende";
    case CaseStanding::Faulted:
        return "erro";
    case CaseStanding::NotChecked:
        break;
    }
    return "não verificado";
}

const char* CaseStandingCsvWord(CaseStanding standing)
{
    switch (standing) {
    case CaseStanding::Holds:
        return "atende";
    case CaseStanding::Fails:
        return "nao-atende";
    case CaseStanding::Faulted:
        return "erro";
    case CaseStanding::NotChecked:
        break;
    }
    return "nao-verificado";
}

std::string VerdictUtilisationText(double eta)
{
    return UtilisationText(eta);
}

std::string BarDiameterText(double mm)
{
    return DiameterText(mm);
}

const char* EnvironmentClassText(EnvironmentClass environment)
{
    switch (environment) {
    case EnvironmentClass::I:
        return "I";
    case EnvironmentClass::II:
        return "II";
    case EnvironmentClass::III:
        return "III";
    case EnvironmentClass::IV:
        return "IV";
    }
    return "";
}

std::string ColumnSteelText(const ColumnSteel& steel)
{
    return steel.Holds() ? std::string("ok") : SteelMisses(steel);
}

std::string ColumnSteelCsvWords(const ColumnSteel& steel)
{
    static constexpr LimitWords csvWords = {"abaixo-do-minimo", "acima-do-maximo", "diametro-menor-que-10"};
    return steel.Holds()
               ? std::string("ok")
               : Joined(Misses(steel.belowMinimum, steel.aboveMaximum, steel.belowColumnDiameter, csvWords), "+");
}

const char* SituationPlainWord(DesignSituation situation)
{
    switch (situation) {
    case DesignSituation::Top:
        return "topo";
    case DesignSituation::Base:
        return "base";
    case DesignSituation::Intermediate:
        return "intermediaria";
    case DesignSituation::Minimum:
        break;
    }
    return "minima";
}

const std::array<const char*, 9> ManyCasesHeaders = {"Caso",     "Combinação", "Situação", "η",      "Veredito",
                                                     "As (cm²)", "As,mín",     "As,máx",   "Limites"};
const std::array<const char*, 2> ManyDesignsHeaders = {"φ (mm)", "As,nec (cm²)"};

std::string ManyCasesCountText(int holds, int fails, int faulted, int notChecked)
{
    const int cases = holds + fails + faulted + notChecked;
    std::string text = std::to_string(cases) + (cases == 1 ? " caso" : " casos");
    std::string parts;
    const auto add = [&parts](int count, const char* one, const char* many) {
        if (count > 0)
            parts += (parts.empty() ? "" : ", ") + std::to_string(count) + " " + (count == 1 ? one : many);
    };
    add(holds, "atende", "atendem");
    add(fails, "não atende", "não atendem");
    add(faulted, "com erro", "com erro");
    add(notChecked, "não verificado", "não verificados");
    return text + (parts.empty() ? "" : ": " + parts) + ".";
}

} // namespace flexara
