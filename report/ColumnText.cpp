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

// Whether the approximate methods were refused for this bending: its λ is
// beyond 90 and nothing past λ1 was computed.
bool Refused(const BendingCheck& check)
{
    // The general method works at any λ up to 200.
    return check.lambda > MaxApproximateSlenderness && !check.general;
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
    add("2ª ordem local", "", [](const BendingCheck& b) {
        return Refused(b) ? QStringLiteral("λ > 90") : (b.secondOrder ? QStringLiteral("sim") : QStringLiteral("não"));
    });
    if (method == SecondOrderMethod::Curvature)
        add("1/r", "1/m",
            [](const BendingCheck& b) { return b.curvature ? Number(*b.curvature, 5) : QStringLiteral("-"); });
    else
        add("κ/ν", "",
            [](const BendingCheck& b) { return b.kappaOverNu ? Number(*b.kappaOverNu, 2) : QStringLiteral("-"); });
    if (method == SecondOrderMethod::General)
        add("z de Md,tot", "cm", [](const BendingCheck& b) {
            const GeneralSolution* bar = b.general && b.general->bar[0] ? &*b.general->bar[0] : nullptr;
            return bar && bar->Stable() ? Number(b.general->length * bar->station / b.general->steps, 1)
                                        : QStringLiteral("-");
        });
    add("Md,tot", "kN·m", [](const BendingCheck& b) { return Refused(b) ? QStringLiteral("-") : Kn(b.mdTot); });
    add("Md,min,tot", "kN·m", [](const BendingCheck& b) { return Refused(b) ? QStringLiteral("-") : Kn(b.mdMinTot); });
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
