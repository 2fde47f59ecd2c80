#include "report/ColumnText.h"

#include "engine/NumberText.h"
#include "texts/Words.h"

#include <QStringList>

#include <cmath>

namespace flexara {

namespace {

const BendingCheck& Of(const ColumnResult& result, Bending bending)
{
    return result.bending[static_cast<std::size_t>(bending)];
}

// Local second order of a bending as the row's status says it: the bending
// a refusal or an instability names says so, the others yes or no.
QString SecondOrderText(const ColumnResult& result, Bending bending)
{
    if (result.slenderBending == bending) {
        switch (result.status) {
        case ColumnCheckStatus::TooSlender:
            return QStringLiteral("λ > 90");
        case ColumnCheckStatus::Refused:
            if (!IsCaseRefusal(result.refusal))
                return QStringLiteral("recusada");
            break;
        case ColumnCheckStatus::Unstable:
            return QStringLiteral("instável");
        default:
            break;
        }
    }
    return Of(result, bending).secondOrder ? QStringLiteral("sim") : QStringLiteral("não");
}

// The column's numbers: beyond a million in engineering notation, so that
// no length or moment of a hostile case runs to hundreds of digits.
QString Number(double value, int decimals)
{
    return QString::fromStdString(DecimalCommaText(value, decimals, MessageEngineeringFrom));
}

QString Kn(double value)
{
    return Number(value, 2);
}

QString Worked(const std::optional<double>& value)
{
    return value ? Kn(*value) : QStringLiteral("-");
}

} // namespace

std::vector<ColumnNumberRow> ColumnNumberRows(const ColumnResult& result, SecondOrderMethod method)
{
    std::vector<ColumnNumberRow> rows;
    if (!result.InCompression())
        return rows;
    const BendingCheck& x = Of(result, Bending::Mx);
    const BendingCheck& y = Of(result, Bending::My);
    auto add = [&](const char* label, const char* unit, const auto& text) {
        rows.push_back({QString::fromUtf8(label), QString::fromUtf8(unit), text(x), text(y)});
    };
    add("h", "cm", [](const BendingCheck& b) { return Number(b.h, 2); });
    add("i", "cm", [](const BendingCheck& b) { return Number(b.i, 2); });
    add("λ = le/i", "", [](const BendingCheck& b) { return QString::fromStdString(SlendernessText(b.lambda)); });
    add("M1d,min", "kN·m", [](const BendingCheck& b) { return Kn(b.m1dMin); });
    add("MA", "kN·m", [](const BendingCheck& b) { return Kn(b.ma); });
    add("MB", "kN·m", [](const BendingCheck& b) { return Kn(b.mb); });
    add("αb", "", [](const BendingCheck& b) { return Number(b.alphaB, 3); });
    add("e1", "cm", [](const BendingCheck& b) { return Number(b.e1, 2); });
    add("λ1", "", [](const BendingCheck& b) { return Number(b.lambda1, 2); });
    add("M1d,A", "kN·m", [](const BendingCheck& b) { return Kn(b.m1dA); });
    rows.push_back({QStringLiteral("2ª ordem local"), QString(), SecondOrderText(result, Bending::Mx),
                    SecondOrderText(result, Bending::My)});
    if (method == SecondOrderMethod::Curvature) {
        add("1/r", "1/m",
            [](const BendingCheck& b) { return b.curvature ? Number(*b.curvature, 5) : QStringLiteral("-"); });
    } else if (method == SecondOrderMethod::Stiffness) {
        add("κ/ν", "",
            [](const BendingCheck& b) { return b.kappaOverNu ? Number(*b.kappaOverNu, 2) : QStringLiteral("-"); });
    } else if (method == SecondOrderMethod::Coupled) {
        // The side of MA, whose Md,tot the table gives.
        auto side = [](const BendingCheck& b) -> const CoupledSide* {
            if (!b.coupled)
                return nullptr;
            const std::optional<CoupledSide>& s = b.coupled->sides[b.ma < 0.0 ? 1 : 0];
            return s && s->pointB ? &*s : nullptr;
        };
        add("(EI)sec", "kN·m²", [&](const BendingCheck& b) {
            const CoupledSide* s = side(b);
            return s ? Number(s->eiSec, 2) : QStringLiteral("-");
        });
        add("κ", "", [&](const BendingCheck& b) {
            const CoupledSide* s = side(b);
            return s ? Number(s->kappa, 3) : QStringLiteral("-");
        });
    }
    if (result.bending[0].creep || result.bending[1].creep)
        add("e_cc", "cm",
            [](const BendingCheck& b) { return b.creep ? Number(b.creep->ecc, 3) : QStringLiteral("-"); });
    if (method == SecondOrderMethod::General)
        add("z de Md,tot", "cm", [](const BendingCheck& b) {
            const GeneralSolution* bar = b.general ? b.general->Governing() : nullptr;
            return bar && bar->Stable() ? Number(b.general->length * bar->station / b.general->steps, 1)
                                        : QStringLiteral("-");
        });
    // A row refused, too slender or unstable stops before some Md,tot.
    rows.push_back({QStringLiteral("Md,tot"), QStringLiteral("kN·m"), Worked(WorkedMdTot(result, Bending::Mx)),
                    Worked(WorkedMdTot(result, Bending::My))});
    rows.push_back({QStringLiteral("Md,min,tot"), QStringLiteral("kN·m"), Worked(WorkedMdMinTot(result, Bending::Mx)),
                    Worked(WorkedMdMinTot(result, Bending::My))});
    return rows;
}

std::vector<QString> ColumnSituationLines(const ColumnResult& result)
{
    std::vector<QString> lines;
    for (std::size_t k = 0; k < result.situations.size(); ++k) {
        const SituationReading& s = result.situations[k];
        QString line = QStringLiteral("%1: Mx = %2 kN·m, My = %3 kN·m, ")
                           .arg(QString::fromUtf8(SituationText(s.situation)), Kn(s.moments.x), Kn(s.moments.y));
        if (s.reading.utilisation)
            line += QStringLiteral("η = ") + Number(*s.reading.utilisation, 2);
        else
            line += s.reading.inside ? QStringLiteral("dentro do diagrama") : QStringLiteral("fora do diagrama");
        if (static_cast<int>(k) == result.governingSituation)
            line += QStringLiteral(" (determinante)");
        lines.push_back(line);
    }
    return lines;
}

std::vector<QString> ColumnDataLines(const Column& column)
{
    std::vector<QString> lines;
    for (int k = 0; k < BendingCount; ++k) {
        const ColumnBending& b = column.bending[static_cast<std::size_t>(k)];
        lines.push_back(QStringLiteral("%1: le = %2 cm, %3")
                            .arg(QString::fromUtf8(BendingName(static_cast<Bending>(k))), Number(b.le, 2),
                                 QString::fromUtf8(SupportConditionText(b.condition))));
    }
    lines.push_back(QStringLiteral("Método: ") + QString::fromUtf8(SecondOrderMethodText(column.method)));
    if (column.leastDimension)
        lines.push_back(QStringLiteral("b = %1 cm (informado)").arg(Number(*column.leastDimension, 2)));
    if (column.creepCoefficient || column.quasiPermanentShare || column.aggregate != Aggregate::GraniteOrGneiss) {
        auto given = [](const std::optional<double>& value) {
            return value ? Number(*value, 2) : QStringLiteral("não informado");
        };
        lines.push_back(QStringLiteral("Fluência: φ = %1, ψ = %2, agregado: %3")
                            .arg(given(column.creepCoefficient), given(column.quasiPermanentShare),
                                 QString::fromUtf8(AggregateText(column.aggregate))));
    }
    return lines;
}

std::vector<QString> ColumnSlenderLines(const ColumnResult& result)
{
    std::vector<QString> lines;
    if (!result.leastDimension)
        return lines;
    const double b = *result.leastDimension;
    if (result.gammaN != 1.0)
        lines.push_back(QStringLiteral("b = %1 cm: γn = 1,95 − 0,05·b = %2 (NBR 6118:2014, 13.2.3)")
                            .arg(Number(b, 2), Number(result.gammaN, 3)));
    else
        lines.push_back(QStringLiteral("b = %1 cm: γn = 1").arg(Number(b, 2)));
    if (result.gammaN != 1.0) {
        const ColumnForces& a = result.after;
        lines.push_back(QStringLiteral("Esforços após γn: Nd = %1 kN; (Mxd; Myd) no topo = (%2; %3) kN·m, na base = "
                                       "(%4; %5) kN·m")
                            .arg(Kn(a.nd), Kn(a.top.x), Kn(a.top.y), Kn(a.base.x), Kn(a.base.y)));
    }
    if (!result.InCompression())
        return lines;
    for (int k = 0; k < BendingCount; ++k) {
        const Bending bending = static_cast<Bending>(k);
        const BendingCheck& check = Of(result, bending);
        const QString name = QString::fromUtf8(BendingName(bending));
        // Beyond λ = 90 neither approximate method applies, whatever the section.
        auto applicability = [&check](ColumnRefusal refusal) {
            return check.lambda > MaxApproximateSlenderness ? QStringLiteral("não se aplica: λ > 90")
                                                            : QString::fromUtf8(MethodApplicabilityText(refusal));
        };
        if (check.secondOrder)
            lines.push_back(QStringLiteral("%1: barras %2 em relação ao eixo da flexão, seção %3; %4: %5; %6: %7")
                                .arg(name,
                                     result.barsSymmetric[static_cast<std::size_t>(k)]
                                         ? QStringLiteral("simétricas")
                                         : QStringLiteral("não simétricas"),
                                     result.rectangle ? QStringLiteral("retangular") : QStringLiteral("não retangular"),
                                     QString::fromUtf8(SecondOrderMethodText(SecondOrderMethod::Curvature)),
                                     applicability(check.curvatureMethodRefusal),
                                     QString::fromUtf8(SecondOrderMethodText(SecondOrderMethod::Stiffness)),
                                     applicability(check.stiffnessMethodRefusal)));
        if (check.creep) {
            const CreepResult& c = *check.creep;
            lines.push_back(QStringLiteral("%1, fluência (15.8.4): φ = %2, ψ = %3, Nsg = %4 kN, Msg = %5 kN·m, "
                                           "Eci = %6 kN/cm², Ic = %7 cm⁴, Ne = %8 kN")
                                .arg(name, Number(c.phi, 2), Number(c.psi, 2), Kn(c.nsg), Kn(c.msg), Number(c.eci, 1),
                                     Number(c.ic, 0), Kn(c.ne)));
            lines.push_back(QStringLiteral("    θ1 = %1, ea = %2 cm, e_cc = %3 cm, |Nd|·e_cc = %4 kN·m")
                                .arg(Number(c.theta1, 5), Number(c.ea, 3), Number(c.ecc, 3), Kn(c.moment)));
        }
        if (!check.coupled)
            continue;
        for (int s = 0; s < CurvatureSideCount; ++s) {
            const std::optional<CoupledSide>& side = check.coupled->sides[static_cast<std::size_t>(s)];
            const QString where = QStringLiteral("%1, lado %2")
                                      .arg(name, s == 0 ? QStringLiteral("positivo") : QStringLiteral("negativo"));
            if (!side) {
                lines.push_back(where + QStringLiteral(": curva M–N–1/r até 1/r = ") +
                                Number(check.coupled->endCurvature[static_cast<std::size_t>(s)], 5) +
                                QStringLiteral(" 1/m (") +
                                QString::fromUtf8(CurveEndText(check.coupled->end[static_cast<std::size_t>(s)])) +
                                QLatin1Char(')'));
                continue;
            }
            QString line =
                where + QStringLiteral(": MRd = %1 kN·m, MRd/γf3 = %2 kN·m").arg(Kn(side->mrd), Kn(side->target));
            if (side->pointB) {
                line += QStringLiteral("; B: 1/r = %1 1/m, M = %2 kN·m; (EI)sec = %3 kN·m², κ = %4")
                            .arg(Number(side->pointB->curvature, 6), Kn(side->pointB->moment), Number(side->eiSec, 2),
                                 Number(side->kappa, 3));
                line += QStringLiteral("; 1 − |Nd|·le²/(10·(EI)sec) = %1").arg(Number(side->denominator, 4));
                if (side->denominator > 0.0)
                    line += QStringLiteral("; Md,tot = %1 kN·m, Md,min,tot = %2 kN·m")
                                .arg(Kn(side->mdTot), Kn(side->mdMinTot));
            } else {
                line += QStringLiteral("; a curva termina antes de MRd/γf3 (") +
                        QString::fromUtf8(CurveEndText(check.coupled->end[static_cast<std::size_t>(s)])) +
                        QLatin1Char(')');
            }
            lines.push_back(line);
        }
    }
    return lines;
}

QString ColumnDetailsText(const LoadCombination& row, const CombinationResult& result, const Column& column)
{
    QStringList out;
    out << QStringLiteral("%1: Nd = %2 kN").arg(QString::fromStdString(row.name), Kn(row.Nd));
    for (const QString& line : ColumnDataLines(column))
        out << line;
    if (!result.column) {
        out << QString::fromStdString(CombinationMessage(result));
        return out.join(QLatin1Char('\n'));
    }
    const ColumnResult& c = *result.column;
    if (const std::string status = ColumnStatusText(c); !status.empty())
        out << QString::fromStdString(status);
    for (const QString& line : ColumnSlenderLines(c))
        out << line;
    if (c.nu)
        out << QStringLiteral("ν = |Nd|/(Ac·fcd) = ") + Number(*c.nu, 3);
    const std::vector<ColumnNumberRow> rows = ColumnNumberRows(c, column.method);
    if (!rows.empty()) {
        out << QString();
        out << QStringLiteral("%1%2%3")
                   .arg(QString(), -22)
                   .arg(QStringLiteral("Mxd"), 12)
                   .arg(QStringLiteral("Myd"), 12);
        for (const ColumnNumberRow& r : rows) {
            const QString label =
                r.unit.isEmpty() ? r.label : r.label + QStringLiteral(" (") + r.unit + QLatin1Char(')');
            out << QStringLiteral("%1%2%3").arg(label, -22).arg(r.mx, 12).arg(r.my, 12);
        }
    }
    out << QString();
    out << QStringLiteral("Situações de cálculo:");
    for (const QString& line : ColumnSituationLines(c))
        out << line;
    return out.join(QLatin1Char('\n'));
}

} // namespace flexara

namespace flexara {

namespace {

// The unit each rule's value and limit are in.
const char* RuleUnit(DetailingRule rule)
{
    switch (rule) {
    case DetailingRule::BarCover:
    case DetailingRule::AxisSpacing:
    case DetailingRule::StirrupSpacing:
        return "cm";
    case DetailingRule::CoverOverBar:
    case DetailingRule::AggregateSize:
    case DetailingRule::LeastBarDiameter:
    case DetailingRule::LargestBarDiameter:
    case DetailingRule::ClearSpacing:
    case DetailingRule::StirrupDiameter:
        return "mm";
    case DetailingRule::SteelMinimum:
    case DetailingRule::SteelMaximum:
        return "cm²";
    case DetailingRule::CornerBars:
        return "";
    }
    return "";
}

QString RuleNumber(DetailingRule rule, double value)
{
    if (rule == DetailingRule::CornerBars)
        return QString::number(static_cast<long long>(std::llround(value)));
    const QString unit = QString::fromUtf8(RuleUnit(rule));
    return Number(value, 2) + (unit.isEmpty() ? QString() : QStringLiteral(" ") + unit);
}

// Why a rule could not be read: the rules that need b say so; the others
// had no bars.
QString NotJudgedText(DetailingRule rule)
{
    switch (rule) {
    case DetailingRule::LargestBarDiameter:
    case DetailingRule::AxisSpacing:
    case DetailingRule::StirrupSpacing:
        return QStringLiteral("não verificada: sem b");
    default:
        return QStringLiteral("não verificada: sem barras");
    }
}

} // namespace

std::vector<DetailingRuleRow> DetailingRuleRows(const DetailingCheck& check)
{
    std::vector<DetailingRuleRow> rows;
    for (const RuleCheck& r : check.rules) {
        DetailingRuleRow row;
        row.item = QString::fromUtf8(DetailingRuleItem(r.rule));
        row.rule = QString::fromUtf8(DetailingRuleText(r.rule));
        row.holds = r.verdict == RuleVerdict::Holds;
        const bool judged = r.verdict != RuleVerdict::NotJudged;
        row.value = judged ? RuleNumber(r.rule, r.value) : QStringLiteral("-");
        // A limit needs b where b is missing: none to show.
        row.limit = judged || r.limit > 0.0
                        ? QString::fromUtf8(r.upperLimit ? "≤ " : "≥ ") + RuleNumber(r.rule, r.limit)
                        : QStringLiteral("-");
        switch (r.verdict) {
        case RuleVerdict::Holds:
            row.verdict = QStringLiteral("atende");
            break;
        case RuleVerdict::Fails:
            row.verdict = QStringLiteral("não atende");
            break;
        case RuleVerdict::NotJudged:
            row.verdict = NotJudgedText(r.rule);
            break;
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<QString> DetailingDataLines(const DetailingCheck& check, const Detailing& detailing)
{
    std::vector<QString> lines;
    const QString cover = QStringLiteral("c = %1 cm").arg(Number(check.cover, 2));
    lines.push_back(detailing.environment
                        ? cover + QStringLiteral(" (classe de agressividade %1, tabela 7.2)")
                                      .arg(QString::fromUtf8(EnvironmentClassText(*detailing.environment)))
                        : cover + QStringLiteral(" (informado)"));
    lines.push_back(QStringLiteral("φt = %1 mm%2")
                        .arg(QString::fromStdString(BarDiameterText(check.stirrupDiameter)),
                             detailing.stirrupDiameter ? QString() : QStringLiteral(" (automático)")));
    lines.push_back(QStringLiteral("st = %1 cm%2")
                        .arg(Number(check.stirrupSpacing, 2),
                             detailing.stirrupSpacing
                                 ? QStringLiteral(" (informado)")
                                 : QStringLiteral(" (o maior em centímetros inteiros que atende)")));
    lines.push_back(QStringLiteral("dmáx = %1 mm").arg(Number(detailing.aggregateSize, 2)));
    lines.push_back(check.leastDimension ? QStringLiteral("b = %1 cm").arg(Number(*check.leastDimension, 2))
                                         : QStringLiteral("b: não informado"));
    lines.push_back(QStringLiteral("As,máx = 4 % de Ac fora das emendas; 8 % com as emendas: %1 cm² (17.3.5.3.2)")
                        .arg(Number(check.lapMaximum, 2)));
    lines.push_back(check.Ties() == 0 ? QStringLiteral("Estribos suplementares (18.2.4): nenhum")
                                      : QStringLiteral("Estribos suplementares (18.2.4): %1").arg(check.Ties()));
    return lines;
}

QString DetailingText(const DetailingCheck& check, const Detailing& detailing)
{
    QStringList out;
    out << QStringLiteral("Detalhamento (NBR 6118:2014)");
    for (const QString& line : DetailingDataLines(check, detailing))
        out << line;
    out << QString();
    for (const DetailingRuleRow& row : DetailingRuleRows(check))
        out << QStringLiteral("%1%2%3%4%5")
                   .arg(row.item, -12)
                   .arg(row.rule, -26)
                   .arg(row.value, -14)
                   .arg(row.limit, -16)
                   .arg(row.verdict);
    return out.join(QLatin1Char('\n'));
}

} // namespace flexara
