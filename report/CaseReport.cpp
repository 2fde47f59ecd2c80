#include "report/CaseReport.h"

#include "engine/Version.h"
#include "engine/case/Materials.h"
#include "engine/case/Shapes.h"
#include "engine/section/Capacity.h"
#include "report/ChartDrawing.h"
#include "report/ColumnText.h"
#include "report/CurvatureDrawing.h"
#include "report/DeflectionDrawing.h"
#include "report/NmDiagramDrawing.h"
#include "report/ReportText.h"
#include "report/SectionDrawing.h"
#include "report/SurfaceDrawing.h"
#include "texts/Words.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

namespace flexara {

namespace {

// The page, mm.
constexpr double MarginLeft = 18.0;
constexpr double MarginRight = 18.0;
constexpr double MarginTop = 16.0;
constexpr double MarginBottom = 20.0;
constexpr double TextSize = 3.1;   // a character of the text, about 9 pt
constexpr double LineHeight = 4.7; // one line of text
constexpr double HeadingGap = 3.0; // before a heading

const char* const FamilyNames[] = {"retangular", "trapezoidal", "T", "L", "U", "caixão", "qualquer", "H"};

const char* const MethodText =
    "Verificação no estado-limite último de uma seção de concreto armado sob força normal e flexão oblíqua. "
    "Para cada direção da linha neutra, a passos angulares iguais numa volta completa, procura-se por "
    "bissecção o estado de deformação último cuja resultante normal é Nd; seus momentos resistentes (Mx, My) "
    "formam um ponto do diagrama de interação. Os estados últimos seguem os domínios de deformação: "
    "alongamento de 10 ‰ na barra mais tracionada, encurtamento de 3,5 ‰ na fibra de concreto mais "
    "comprimida e, com a seção toda comprimida, rotação em torno do ponto a 3h/7 da borda mais comprimida, "
    "com 2 ‰ de encurtamento. O concreto é representado pelo bloco retangular de tensões αc·fcd sobre as "
    "fibras encurtadas de 0,7 ‰ ou mais, sem resistência à tração; o aço segue o diagrama de cálculo de sua "
    "classe (A: elastoplástico perfeito; B: encruado a frio). O ponto de cálculo (Mxd, Myd) atende quando está "
    "dentro do diagrama; η = |Md| / MRd, com MRd medido sobre o raio que parte da origem e passa pelo ponto de "
    "cálculo.";

// The method in the code models: what differs from the classic one.
const char* const CodeMethodText =
    "Verificação no estado-limite último de uma seção de concreto armado sob força normal e flexão oblíqua, "
    "segundo a NBR 6118:2014 (itens 8.2.10.1, 8.3.6 e 17.2.2). Para cada direção da linha neutra, a passos "
    "angulares iguais numa volta completa, procura-se por bissecção o estado de deformação último cuja "
    "resultante normal é Nd; seus momentos resistentes (Mx, My) formam um ponto do diagrama de interação. Os "
    "estados últimos seguem os domínios de deformação: alongamento de 10 ‰ na barra mais tracionada, "
    "encurtamento εcu na fibra de concreto mais comprimida e, com a seção toda comprimida, rotação em torno do "
    "ponto C, com encurtamento εc2, à profundidade (εcu − εc2)/εcu·h da borda mais comprimida. Os parâmetros "
    "αc, λ, εc2, εcu e n vêm de fck (item 3). O aço segue um único diagrama bilinear de cálculo para todas as "
    "classes (o diagrama da classe B não é usado), com alongamento limitado a 10 ‰. O ponto de cálculo "
    "(Mxd, Myd) atende quando está dentro do diagrama; η = |Md| / MRd, com MRd medido sobre o raio que parte da "
    "origem e passa pelo ponto de cálculo.";

// The column check, in a paragraph before its tables.
const char* const ColumnMethodText =
    "Verificação do pilar segundo a NBR 6118:2014 (itens 11.3.3.4.3 e 15.8), para cada combinação comprimida e "
    "em cada flexão: índice de esbeltez λ = le/i, momento mínimo de 1ª ordem M1d,min = |Nd|·(0,015 + 0,03·h) "
    "usado como piso de M1d,A (não somado), αb conforme a condição de apoio, esbeltez limite λ1 = "
    "(25 + 12,5·e1/h)/αb entre 35 e 90 e, para λ1 < λ ≤ 90, o momento total da seção intermediária pelo método "
    "do pilar-padrão escolhido. As situações de cálculo (topo, base, seção intermediária e envoltória mínima com "
    "2ª ordem, amostrada em 72 pontos) são lidas no diagrama de interação de Nd; a de maior η determina a "
    "combinação. A menor dimensão b da seção dá γn = 1,95 − 0,05·b para 14 ≤ b < 19 cm (item 13.2.3), que "
    "multiplica Nd e os momentos de cada combinação antes da verificação; b < 14 cm, Ac < 360 cm² e o "
    "pilar-parede (item 14.4.2.4) não são verificados como pilar. Os métodos da curvatura e da rigidez κ "
    "aproximadas valem até λ = 90 e só com barras simétricas em relação ao eixo da flexão (a rigidez κ também só "
    "na seção retangular, item 15.8.3.3); o pilar-padrão acoplado a diagramas M, N, 1/r (item 15.8.3.3.4) vale "
    "até λ = 140 em qualquer seção: da curva M–N–1/r de Nd com 1,10·fcd, o ponto B onde ela atinge MRd/γf3 "
    "(γf3 = 1,1) dá (EI)sec = (MRd/γf3)/(1/r)B e Md,tot = αb·M1d,A/(1 − |Nd|·le²/(10·(EI)sec)). Acima de "
    "λ = 90 a fluência (item 15.8.4) soma |Nd|·e_cc a M1d,A; acima de λ = 140 só o método geral se aplica, "
    "e acima de 200 a combinação é recusada.";

QString Kn(double value)
{
    return Decimal(value, 2);
}

// One column of a table: its caption, width (mm) and alignment.
struct Column {
    QString caption;
    double width;
    Qt::Alignment align;
};

// Lays the report out page by page. A first pass without a painter counts the
// pages; the second draws them with "página i de n" under each.
class Layout {
public:
    Layout(QPagedPaintDevice& device, QPainter* painter, int pages, const ReportCase& report)
        : device(device), painter(painter), total(pages), report(report)
    {
        mm = static_cast<double>(device.width()) / device.widthMM();
        pageHeight = static_cast<double>(device.height()) / mm;
        width = static_cast<double>(device.width()) / mm - MarginLeft - MarginRight;
        y = MarginTop;
    }

    int Pages() const { return page; }

    QFont Font(double size = TextSize, bool bold = false) const { return ReportFont(size * mm, bold); }

    // A new page when the next height (mm) does not fit on this one.
    void Ensure(double height)
    {
        if (y + height > pageHeight - MarginBottom)
            NewPage();
    }

    void NewPage()
    {
        Footer();
        if (painter)
            device.newPage();
        ++page;
        y = MarginTop;
    }

    void Finish() { Footer(); }

    void Title(const QString& text, double size, bool bold)
    {
        Ensure(size * 1.6);
        Draw(QRectF(MarginLeft, y, width, size * 1.6), Qt::AlignLeft | Qt::AlignVCenter, text, size, bold);
        y += size * 1.6;
    }

    void Heading(const QString& text)
    {
        y += HeadingGap;
        // A heading never stands alone at the foot of a page.
        Ensure(LineHeight * 4);
        Draw(QRectF(MarginLeft, y, width, LineHeight), Qt::AlignLeft | Qt::AlignVCenter, text, TextSize * 1.15, true);
        y += LineHeight * 1.2;
    }

    void Line(const QString& text, bool bold = false)
    {
        Ensure(LineHeight);
        Draw(QRectF(MarginLeft + 2, y, width - 2, LineHeight), Qt::AlignLeft | Qt::AlignVCenter, text, TextSize, bold);
        y += LineHeight;
    }

    // A paragraph wrapped to the width.
    void Paragraph(const QString& text, bool bold = false)
    {
        const QFontMetricsF metrics(Font(TextSize, bold), &device);
        const QRectF box = metrics.boundingRect(QRectF(0, 0, (width - 2) * mm, 1e6), Qt::TextWordWrap, text);
        const double height = box.height() / mm + 1;
        Ensure(height);
        if (painter) {
            painter->setFont(Font(TextSize, bold));
            painter->setPen(Qt::black);
            painter->drawText(QRectF((MarginLeft + 2) * mm, y * mm, (width - 2) * mm, height * mm),
                              Qt::TextWordWrap | Qt::AlignJustify, text);
        }
        y += height;
    }

    // A table; its header comes again on every page it runs onto.
    void Table(const std::vector<Column>& columns, const std::vector<QStringList>& rows,
               const std::vector<bool>& bold = {})
    {
        auto header = [&] {
            double x = MarginLeft + 2;
            for (std::size_t i = 0; i < columns.size(); ++i) {
                const Column& c = columns[i];
                const double inset = c.align & Qt::AlignLeft && i > 0 ? 3.0 : 0.0;
                Draw(QRectF(x + inset, y, c.width - 1 - inset, LineHeight), c.align | Qt::AlignVCenter, c.caption,
                     TextSize, true);
                x += c.width;
            }
            Rule(y + LineHeight);
            y += LineHeight + 0.6;
        };
        Ensure(LineHeight * 3);
        header();
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (y + LineHeight > pageHeight - MarginBottom) {
                NewPage();
                header();
            }
            double x = MarginLeft + 2;
            for (std::size_t c = 0; c < columns.size() && c < static_cast<std::size_t>(rows[r].size()); ++c) {
                // A column of text starts a little in from the number before it.
                const double inset = columns[c].align & Qt::AlignLeft && c > 0 ? 3.0 : 0.0;
                Draw(QRectF(x + inset, y, columns[c].width - 1 - inset, LineHeight),
                     columns[c].align | Qt::AlignVCenter, rows[r][static_cast<qsizetype>(c)], TextSize,
                     r < bold.size() && bold[r]);
                x += columns[c].width;
            }
            y += LineHeight;
        }
        y += 1;
    }

    // A drawing of the given height (mm) across the width, drawn by paint in
    // device units.
    void Figure(double height, const std::function<void(QPainter&, const QRectF&)>& paint)
    {
        Ensure(height);
        if (painter) {
            painter->save();
            paint(*painter, QRectF(MarginLeft * mm, y * mm, width * mm, height * mm));
            painter->restore();
        }
        y += height;
    }

    double mm = 1.0;
    double y = 0.0;
    double width = 0.0;

private:
    // Text in a box (mm); what does not fit the box's width ends in "…".
    void Draw(const QRectF& boxMm, Qt::Alignment align, const QString& text, double size, bool bold)
    {
        if (!painter)
            return;
        painter->setFont(Font(size, bold));
        painter->setPen(Qt::black);
        const QRectF box(boxMm.left() * mm, boxMm.top() * mm, boxMm.width() * mm, boxMm.height() * mm);
        painter->drawText(box, align, QFontMetricsF(painter->font()).elidedText(text, Qt::ElideRight, box.width()));
    }

    void Rule(double atMm)
    {
        if (!painter)
            return;
        painter->setPen(QPen(Qt::black, 0.2 * mm));
        painter->drawLine(QPointF((MarginLeft + 2) * mm, atMm * mm), QPointF((MarginLeft + width) * mm, atMm * mm));
    }

    void Footer()
    {
        if (!painter)
            return;
        const double at = pageHeight - MarginBottom + 6;
        painter->setPen(QPen(QColor(120, 120, 120), 0.2 * mm));
        painter->drawLine(QPointF(MarginLeft * mm, (at - 1) * mm), QPointF((MarginLeft + width) * mm, (at - 1) * mm));
        const QString file =
            report.fileName.isEmpty() ? QStringLiteral("caso sem nome") : PrintableText(report.fileName);
        Draw(QRectF(MarginLeft, at, width, LineHeight), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8(ApplicationTitle) + QStringLiteral(" — ") + file, TextSize * 0.9, false);
        Draw(QRectF(MarginLeft, at, width, LineHeight), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("página %1 de %2").arg(page).arg(total), TextSize * 0.9, false);
    }

    QPagedPaintDevice& device;
    QPainter* painter;
    int total;
    const ReportCase& report;
    int page = 1;
    double pageHeight = 297.0;
};

QString Signed(double nd)
{
    return nd < 0 ? QStringLiteral(" (compressão)") : (nd > 0 ? QStringLiteral(" (tração)") : QString());
}

// The N–M diagram along the governing combination's moment and the surface,
// with the combinations on both.
void WriteDiagrams(Layout& out, const CaseStudy& study, int number)
{
    const CaseDiagrams& d = *study.diagrams;
    out.NewPage();
    out.Heading(QStringLiteral("%1. Diagrama N–M e superfície de interação").arg(number));
    const Surface& surface = d.surface;
    if (surface.status != SurfaceStatus::Ok || surface.levels.empty()) {
        QString why = QStringLiteral("nenhum nível de Nd tem diagrama de interação.");
        if (surface.status == SurfaceStatus::Refused && !surface.warnings.empty())
            why = QString::fromUtf8(WarningText(surface.warnings.front()));
        else if (surface.fault)
            why = QString::fromStdString(WithFullStop(FaultText(*surface.fault)));
        out.Line(QStringLiteral("Não calculados: ") + why);
        return;
    }
    const CaseVerdict& verdict = *study.verdict;
    if (d.governing >= 0) {
        const std::string& name = study.combinations[static_cast<std::size_t>(d.governing)].name;
        // Checked as a column, along the moment of the situation that governs it.
        const QString situation =
            verdict.governingSituation
                ? QStringLiteral(" (%1)").arg(QString::fromUtf8(SituationText(*verdict.governingSituation)))
                : QString();
        out.Line(QStringLiteral("Na direção do momento da combinação determinante, %1%2: %3")
                     .arg(name.empty() ? QStringLiteral("(sem nome)") : PrintableText(QString::fromStdString(name)),
                          situation, DirectionText(d.diagram.angle)));
    } else {
        out.Line(QStringLiteral("Na direção x, sem combinação determinante: %1").arg(DirectionText(d.diagram.angle)));
    }
    out.Line(QStringLiteral("Superfície de %1 níveis de Nd entre N4 e N1; combinações em azul quando atendem, em "
                            "vermelho quando não atendem")
                 .arg(surface.levels.size()));
    if (study.column)
        out.Line(QStringLiteral("Cada combinação no ponto da sua situação determinante da verificação do pilar"));
    // Both drawings at their own proportions, centred, one above the other.
    auto centred = [](const QRectF& area, double widthOverHeight) {
        const double w = std::min(area.width(), area.height() * widthOverHeight);
        return QRectF(area.left() + (area.width() - w) / 2, area.top(), w, area.height());
    };
    NmPicture nm;
    nm.diagram = &d.diagram;
    nm.loads = d.loads;
    nm.selected = d.governing;
    out.Figure(120.0, [&](QPainter& painter, const QRectF& area) {
        DrawNmDiagram(painter, centred(area, static_cast<double>(NmPictureSize.width()) / NmPictureSize.height()), nm);
    });
    SurfacePicture wireframe;
    wireframe.surface = &surface;
    wireframe.loads = d.loads;
    wireframe.selected = d.governing;
    out.Figure(116.0, [&](QPainter& painter, const QRectF& area) {
        DrawSurface(painter,
                    centred(area, static_cast<double>(SurfacePictureSize.width()) / SurfacePictureSize.height()),
                    wireframe);
    });
}

// The M–N–1/r relation of the governing combination at its Nd after γn, one
// picture per bending, as the engine studied it.
void WriteCurvaturePictures(Layout& out, const CaseStudy& study)
{
    if (!study.deformation[0] && !study.deformation[1])
        return;
    const int g = study.check->governing;
    const LoadCombination& row = study.combinations[static_cast<std::size_t>(g)];
    const double nd = GoverningNd(row, study.check->rows[static_cast<std::size_t>(g)]);
    out.Ensure(LineHeight * 3 + 80.0);
    out.Line(QStringLiteral("Relação M–N–1/r da combinação determinante, %1, em Nd = %2 kN: curva de deformação "
                            "(1,10·fcd) em vermelho, reta AB até MRd/γf3 em azul")
                 .arg(row.name.empty() ? QStringLiteral("(sem nome)") : PrintableText(QString::fromStdString(row.name)),
                      Kn(nd)),
             true);
    for (int b = 0; b < BendingCount; ++b) {
        const std::optional<DeformationStudy>& relation = study.deformation[static_cast<std::size_t>(b)];
        if (!relation)
            continue;
        CurvaturePicture picture;
        picture.study = &*relation;
        picture.subtitle = QString::fromUtf8(BendingName(static_cast<Bending>(b))) + QStringLiteral(", Nd = ") +
                           Kn(nd) + QStringLiteral(" kN");
        out.Figure(80.0, [&](QPainter& painter, const QRectF& area) {
            const double ratio = static_cast<double>(CurvaturePictureSize.width()) / CurvaturePictureSize.height();
            const double w = std::min(area.width(), area.height() * ratio);
            DrawCurvaturePicture(painter, QRectF(area.left() + (area.width() - w) / 2, area.top(), w, area.height()),
                                 picture);
        });
    }
}

// The general method's bars of the governing combination: for each bending
// the deflected shape and the moments, then the table of its stations.
void WriteGeneralBars(Layout& out, const CaseStudy& study)
{
    const int g = study.check->governing;
    if (g < 0 || static_cast<std::size_t>(g) >= study.check->rows.size())
        return;
    const CombinationResult& result = study.check->rows[static_cast<std::size_t>(g)];
    if (!result.column || !result.column->InCompression() || result.column->method != SecondOrderMethod::General)
        return;
    const LoadCombination& row = study.combinations[static_cast<std::size_t>(g)];
    const double nd = GoverningNd(row, result);
    out.Ensure(LineHeight * 3 + 80.0);
    out.Line(QStringLiteral("Método geral, combinação determinante, %1, em Nd = %2 kN: deformada e momentos")
                 .arg(row.name.empty() ? QStringLiteral("(sem nome)") : PrintableText(QString::fromStdString(row.name)),
                      Kn(nd)),
             true);
    out.Line(QStringLiteral("Deformada u(z) da barra; M1(z) de primeira ordem tracejado em azul, M(z) em vermelho, "
                            "Md,tot marcado"));
    for (int b = 0; b < BendingCount; ++b) {
        const std::optional<GeneralBending>& general = result.column->bending[static_cast<std::size_t>(b)].general;
        const GeneralSolution* bar = general ? general->Governing() : nullptr;
        if (!bar)
            continue;
        const QString name = QString::fromUtf8(BendingName(static_cast<Bending>(b)));
        if (!bar->Stable()) {
            out.Line(name + QStringLiteral(": sem forma de equilíbrio"));
            continue;
        }
        DeflectionPicture picture;
        picture.bar = bar;
        picture.length = general->length;
        picture.subtitle = name + QStringLiteral(", Nd = ") + Kn(nd) + QStringLiteral(" kN");
        out.Figure(80.0, [&](QPainter& painter, const QRectF& area) {
            const double ratio = static_cast<double>(DeflectionPictureSize.width()) / DeflectionPictureSize.height();
            const double w = std::min(area.width(), area.height() * ratio);
            DrawDeflectionPicture(painter, QRectF(area.left() + (area.width() - w) / 2, area.top(), w, area.height()),
                                  picture);
        });
        out.Line(QStringLiteral("%1: %2, %3 passos de L = %4 cm, %5 iterações")
                     .arg(name, GeneralMdTotText(*bar), QString::number(general->steps), Decimal(general->length, 1),
                          QString::number(bar->iterations)));
        const QStringList captions = GeneralStationCaptions();
        std::vector<Column> columns;
        for (const QString& caption : captions)
            columns.push_back({caption, 26, Qt::AlignRight});
        std::vector<bool> bold(bar->stations.size(), false);
        if (bar->station >= 0 && static_cast<std::size_t>(bar->station) < bold.size())
            bold[static_cast<std::size_t>(bar->station)] = true;
        out.Table(columns, GeneralStationRows(*bar), bold);
    }
}

// The steel-area limits with the combinations, and whether the bars as they
// stand meet them (in bold where they do not, when asked).
void WriteSteelLimits(Layout& out, const SteelLimits& limits, bool boldWhenMissed)
{
    out.Line(QString::fromStdString(SteelMinimumText(limits)));
    out.Line(QString::fromStdString(SteelMaximumText(limits)));
    out.Line(QString::fromStdString(SteelLimitsVerdictText(limits)), boldWhenMissed && !limits.Meets());
}

// The detailing of the bars: the data the rules were read with, the table of
// the rules (those not met in bold) and the section drawn with its stirrup
// and ties, larger than in section 1 so that the cover reads.
void WriteDetailing(Layout& out, const CaseStudy& study, const DetailingCheck& check, const Detailing& detailing,
                    int number)
{
    const std::vector<QString> data = DetailingDataLines(check, detailing);
    // The heading, the data and the table on one page.
    out.Ensure(HeadingGap + LineHeight * (1.2 + static_cast<double>(data.size()) + 2.0 + DetailingRuleCount));
    out.Heading(QStringLiteral("%1. Detalhamento (NBR 6118:2014)").arg(number));
    for (const QString& line : data)
        out.Line(line);
    std::vector<QStringList> rows;
    std::vector<bool> missed;
    for (const DetailingRuleRow& row : DetailingRuleRows(check)) {
        rows.push_back({row.item, row.rule, row.value, row.limit, row.verdict});
        missed.push_back(!row.holds);
    }
    out.Table({{QStringLiteral("Item"), 20, Qt::AlignLeft},
               {QStringLiteral("Regra"), 46, Qt::AlignLeft},
               {QStringLiteral("Valor"), 28, Qt::AlignRight},
               {QStringLiteral("Limite"), 30, Qt::AlignRight},
               {QStringLiteral("Verificação"), 48, Qt::AlignLeft}},
              rows, missed);
    // 105 mm: a 40 cm section at 1:5 with the room of its dimensions, scale
    // and line.
    out.Figure(105.0, [&](QPainter& painter, const QRectF& area) {
        DrawSection(painter, area, out.mm, *study.state, &check, &detailing);
    });
}

// The verdict of the case as the engine gave it: whether it holds, the
// governing combination and situation with η, a column's steel against its
// limits, and the warnings of the check.
void WriteConclusion(Layout& out, const CaseVerdict& verdict)
{
    out.Heading(QStringLiteral("Conclusão"));
    out.Paragraph(PrintableText(QString::fromStdString(CaseVerdictText(verdict))), true);
    for (const CaseWarning warning : verdict.warnings)
        out.Paragraph(QString::fromUtf8(CaseWarningText(warning)), true);
    if (verdict.steel) {
        WriteSteelLimits(out, verdict.limits, false);
        out.Line(QString::fromStdString(ColumnDiameterText(*verdict.steel)));
    }
}

void WriteCase(Layout& out, const ReportCase& report)
{
    const CaseStudy& study = *report.study;
    const AnalysisState& s = *study.state;
    const CaseCurve& curve = study.curve;

    out.Title(QString::fromUtf8(ApplicationTitle) + QStringLiteral(" — Memória de cálculo"), 6.0, true);
    out.Line(QStringLiteral("Verificação de seção de concreto armado à flexão oblíqua composta no estado-limite "
                            "último"));
    out.Line(QStringLiteral("Arquivo: ") +
             (report.fileName.isEmpty() ? QStringLiteral("caso sem nome") : PrintableText(report.fileName)) +
             QStringLiteral("        Data: ") + report.printedAt.toString(QStringLiteral("dd/MM/yyyy HH:mm")));

    // With combinations, the case's conclusion before anything else.
    if (study.verdict)
        WriteConclusion(out, *study.verdict);

    // 1. The section.
    out.Heading(QStringLiteral("1. Seção transversal"));
    const int kind = s.Section.ShapeKind < 8 ? s.Section.ShapeKind : 0;
    QString family = QStringLiteral("Seção ") + QString::fromUtf8(FamilyNames[kind]);
    if (kind == ShapeFreePolygon)
        family += QStringLiteral(", polígono de %1 vértices").arg(s.Section.VertexCount);
    out.Line(family);
    if (kind != ShapeFreePolygon) {
        QStringList dims;
        for (int i = 0; i < ShapeDimCount; ++i)
            if (const char* name = ShapeFamilyOf(static_cast<std::uint8_t>(kind)).dimNames[static_cast<std::size_t>(i)])
                dims.append(QString::fromUtf8(name) + QStringLiteral(" = ") +
                            Decimal(s.ShapeDims[static_cast<std::size_t>(i)], 2) + QStringLiteral(" cm"));
        out.Line(dims.join(QStringLiteral(";  ")));
    }
    out.Figure(72.0, [&](QPainter& painter, const QRectF& area) {
        const QRectF box(area.left() + area.width() * 0.2, area.top(), area.width() * 0.6, area.height());
        DrawSection(painter, box, out.mm, s);
    });

    // 2. The reinforcement.
    out.Heading(QStringLiteral("2. Armadura"));
    const char* const orientations[] = {"horizontal", "vertical", "qualquer"};
    std::vector<QStringList> lines;
    const int lineCount = std::clamp(s.LineCount, 0, MaxLines);
    for (int k = 0; k < lineCount; ++k) {
        const BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        lines.push_back({QString::number(k + 1), QString::number(line.BarCount), Decimal(line.Diameter, 1),
                         Decimal(line.X1, 2), Decimal(line.Y1, 2), Decimal(line.X2, 2), Decimal(line.Y2, 2),
                         QString::fromUtf8(orientations[std::min<int>(line.Orientation, 2)])});
    }
    const Qt::Alignment right = Qt::AlignRight;
    out.Table({{QStringLiteral("Linha"), 14, right},
               {QStringLiteral("Barras"), 16, right},
               {QStringLiteral("Ø (mm)"), 18, right},
               {QStringLiteral("Xi (cm)"), 22, right},
               {QStringLiteral("Yi (cm)"), 22, right},
               {QStringLiteral("Xf (cm)"), 22, right},
               {QStringLiteral("Yf (cm)"), 22, right},
               {QStringLiteral("Orientação"), 34, Qt::AlignLeft}},
              lines);
    out.Line(QStringLiteral("Área de concreto: Ac = %1 cm²").arg(Decimal(s.Section.Area, 2)));
    out.Line(QStringLiteral("Área de aço: As = %1 cm²").arg(Decimal(s.SteelAreaX100 / 100.0, 2)));
    out.Line(QStringLiteral("Taxa de armadura: As/Ac = ") +
             (curve.ratio ? QString::fromStdString(*curve.ratio) : QStringLiteral("—")));

    // 3. Materials, 4. settings, 5. actions.
    out.Heading(QStringLiteral("3. Materiais"));
    const int concrete = report.selection.concreteIndex;
    const QString concreteClass = concrete >= 0 && concrete < ConcreteItemCount
                                      ? QString::fromUtf8(ConcreteItems[static_cast<std::size_t>(concrete)])
                                      : QStringLiteral("—");
    const ModelParameters& model = study.model;
    const bool code = IsCodeModel(model.model);
    if (!code) {
        out.Line(QStringLiteral("Concreto %1: fck = %2 MPa;  fcd = fck/γc = %3 MPa;  αc·fcd = %4 MPa")
                     .arg(concreteClass, Decimal(CurrentConcreteFck(s), 1), Decimal(s.Fcd * 10, 2),
                          Decimal(s.AlphaC * s.Fcd * 10, 2)));
        out.Line(QStringLiteral("Modelo de cálculo: ") + QString::fromUtf8(ModelName(model.model)));
    } else {
        out.Line(QStringLiteral("Concreto %1: fck = %2 MPa;  fcd = fck/γc = %3 MPa")
                     .arg(concreteClass, Decimal(model.fck, 1), Decimal(s.Fcd * 10, 2)));
        out.Line(QStringLiteral("Modelo de cálculo: ") + QString::fromUtf8(ModelName(model.model)));
        // The stress of the block or of the parabola's plateau, and its factor on fcd.
        const bool parabola = model.model == CalculationModel::NbrParabolaRectangle;
        const QString stress =
            parabola ? QStringLiteral("patamar da parábola: 0,85·fcd = %1 MPa").arg(Decimal(model.stress * 10, 2))
            : model.reducedBlockStress ? QStringLiteral("bloco: 0,9·αc·fcd = %1 MPa (largura diminui em direção à "
                                                        "borda comprimida)")
                                             .arg(Decimal(model.stress * 10, 2))
                                       : QStringLiteral("bloco: αc·fcd = %1 MPa").arg(Decimal(model.stress * 10, 2));
        out.Line(QStringLiteral("αc = %1;  λ = %2;  εc2 = %3 ‰;  εcu = %4 ‰;  n = %5")
                     .arg(Decimal(model.alphaC, 4), model.lambda ? Decimal(*model.lambda, 4) : QStringLiteral("—"),
                          Decimal(model.epsC2, 4), Decimal(model.epsCu, 4),
                          model.exponent ? Decimal(*model.exponent, 4) : QStringLiteral("—")));
        out.Line(stress +
                 QStringLiteral(";  pivô C a %1·h da borda mais comprimida").arg(Decimal(model.pivotDepth, 4)));
    }
    const int steel = report.selection.steelIndex;
    if (steel >= 0 && steel < SteelClassCount) {
        const bool coldWorked = steel >= 2;
        out.Line(QStringLiteral("Aço %1: fyk = %2 MPa;  fyd = fyk/γs = %3 MPa;  εyd = %4 ‰;  Es = %5 MPa")
                     .arg(QString::fromUtf8(SteelItems[static_cast<std::size_t>(steel)]),
                          Decimal(SteelFyk[static_cast<std::size_t>(steel)] * 10, 0), Decimal(s.Fyd * 10, 2),
                          Decimal(s.EpsYd, 3), Decimal(s.Es * 10, 0)));
        if (code)
            out.Line(QStringLiteral("Diagrama do aço: bilinear de cálculo, o mesmo para todas as classes (o diagrama "
                                    "da classe B não é usado)"));
        else
            out.Line(coldWorked ? QStringLiteral("Diagrama do aço: classe B, encruado a frio (trecho curvo acima de "
                                                 "0,7·fyd)")
                                : QStringLiteral("Diagrama do aço: classe A, elastoplástico perfeito"));
    } else {
        out.Line(QStringLiteral("Aço: nenhuma classe selecionada"));
    }
    out.Heading(QStringLiteral("4. Parâmetros de cálculo"));
    if (code)
        out.Line(QStringLiteral("γc = %1;  γs = %2;  pontos do diagrama de interação: %3")
                     .arg(Decimal(s.GammaC, 2), Decimal(s.GammaS, 2))
                     .arg(s.CurvePointCount));
    else
        out.Line(QStringLiteral("γc = %1;  γs = %2;  αc = %3;  pontos do diagrama de interação: %4")
                     .arg(Decimal(s.GammaC, 2), Decimal(s.GammaS, 2), Decimal(s.AlphaC, 2))
                     .arg(s.CurvePointCount));
    out.Heading(QStringLiteral("5. Solicitações de cálculo"));
    out.Line(QStringLiteral("Nd = %1 kN%2;  Mxd = %3 kN.m;  Myd = %4 kN.m")
                 .arg(Kn(curve.nd), Signed(curve.nd), Kn(s.Mxd), Kn(s.Myd)));

    // 6. The reference axial forces.
    out.Heading(QStringLiteral("6. Esforços normais de referência (θ = 0)"));
    if (curve.references) {
        const ReferenceForces& r = *curve.references;
        out.Line(QStringLiteral("N1 = %1 kN — tração pura, todas as barras a 10 ‰").arg(Kn(r.N1)));
        const QString epsCu = Decimal(model.epsCu, code ? 4 : 1).remove(QRegularExpression(QStringLiteral(",?0+$")));
        const QString epsC2 = Decimal(model.epsC2, 4).remove(QRegularExpression(QStringLiteral(",?0+$")));
        out.Line(QStringLiteral("N2 = %1 kN — εc = −%2 ‰ na fibra mais comprimida, εs = 10 ‰ na barra extrema")
                     .arg(Kn(r.N2), epsCu));
        out.Line(QStringLiteral("N3 = %1 kN — εc = −%2 ‰ com a linha neutra no vértice inferior").arg(Kn(r.N3), epsCu));
        out.Line(QStringLiteral("N4 = %1 kN — encurtamento uniforme de %2 ‰").arg(Kn(r.N4), epsC2));
    } else {
        out.Line(QStringLiteral("Não calculados: a seção foi recusada antes do primeiro ângulo."));
    }

    // 7. The chart, on a page of its own with the verdict.
    out.NewPage();
    out.Heading(QStringLiteral("7. Diagrama de interação para Nd = %1 kN").arg(Kn(curve.nd)));
    const double chartWidth = std::min(out.width, 150.0);
    out.Figure(chartWidth * 299.0 / 307.0, [&](QPainter& painter, const QRectF& area) {
        const double w = chartWidth * out.mm;
        DrawChart(painter, QRectF(area.left() + (area.width() - w) / 2, area.top(), w, area.height()), curve);
    });

    // 8. The verdict; with combinations, the conclusion is the case's (on
    // the first page), and this is only the reading of the design point.
    const bool pointOnly = study.verdict.has_value();
    if (pointOnly)
        out.Heading(QStringLiteral("8. Ponto de cálculo (Nd = %1 kN; Mxd = %2 kN.m; Myd = %3 kN.m)")
                        .arg(Kn(curve.nd), Kn(s.Mxd), Kn(s.Myd)));
    else
        out.Heading(QStringLiteral("8. Verificação"));
    if (curve.status == CurveStatus::Refused) {
        for (const CurveWarning warning : curve.warnings)
            out.Line(QStringLiteral("Seção recusada: ") + QString::fromUtf8(WarningText(warning)), true);
    } else if (curve.status == CurveStatus::OutOfRange) {
        out.Line(QString::fromStdString(OutOfRangeNoticeText()) +
                     (pointOnly ? QString() : QStringLiteral(" A seção não atende.")),
                 !pointOnly);
    } else if (curve.status == CurveStatus::Error) {
        const std::string fault = curve.error ? WithFullStop(FaultText(*curve.error)) : std::string();
        out.Line(QStringLiteral("O cálculo parou: ") + QString::fromStdString(fault), true);
    } else if (curve.designPoint) {
        const RayCapacity capacity = CapacityAlongRay(curve.points, *curve.designPoint);
        const QString point = QStringLiteral("(%1; %2) kN.m").arg(Kn(curve.designPoint->x), Kn(curve.designPoint->y));
        const QString where = capacity.inside ? QStringLiteral("dentro") : QStringLiteral("fora");
        if (pointOnly)
            out.Line(QStringLiteral("O ponto de cálculo %1 está %2 do diagrama.").arg(point, where));
        else
            out.Line(QStringLiteral("O ponto de cálculo %1 está %2 do diagrama: a seção %3.")
                         .arg(point, where,
                              QString::fromUtf8(CombinationStatusText(capacity.holds ? CombinationStatus::Holds
                                                                                     : CombinationStatus::Fails))),
                     true);
        if (capacity.utilisation)
            out.Line(QStringLiteral("η = |Md| / MRd = %1").arg(Decimal(*capacity.utilisation, 3)));
        if (capacity.resistingMoment)
            out.Line(QStringLiteral("MRd = %1 kN.m, no ponto (MRx; MRy) = (%2; %3) kN.m do diagrama")
                         .arg(Kn(*capacity.resistingMoment), Kn(capacity.resisting->x), Kn(capacity.resisting->y)));
        if (!capacity.originInside)
            out.Line(QStringLiteral("A origem está fora do diagrama: sem η, vale a posição do ponto."));
    }

    // 9. The load combinations.
    if (study.check && !study.combinations.empty()) {
        out.Heading(QStringLiteral("9. Combinações de esforços"));
        std::vector<QStringList> rows;
        std::vector<bool> governing;
        for (std::size_t i = 0; i < study.combinations.size() && i < study.check->rows.size(); ++i) {
            const LoadCombination& c = study.combinations[i];
            const CombinationResult& r = study.check->rows[i];
            // The governing row is bold and marked, and named under the table.
            QString situation = QString::fromUtf8(CombinationStatusText(r.status));
            if (r.governing)
                situation += QStringLiteral(" *");
            rows.push_back({PrintableText(QString::fromStdString(c.name)), Kn(c.Nd), Kn(c.Mxd), Kn(c.Myd),
                            r.utilisation ? Decimal(*r.utilisation, 3) : QStringLiteral("—"),
                            r.resistingMoment ? Kn(*r.resistingMoment) : QStringLiteral("—"), situation});
            governing.push_back(r.governing);
        }
        out.Table({{QStringLiteral("Nome"), 38, Qt::AlignLeft},
                   {QStringLiteral("Nd (kN)"), 19, right},
                   {QStringLiteral("Mxd (kN.m)"), 19, right},
                   {QStringLiteral("Myd (kN.m)"), 19, right},
                   {QStringLiteral("η"), 15, right}, // room for "6,5E+305"
                   {QStringLiteral("MRd (kN.m)"), 19, right},
                   {QStringLiteral("Situação"), 45, Qt::AlignLeft}},
                  rows, governing);
        if (study.check->governing >= 0) {
            const std::string& name = study.combinations[static_cast<std::size_t>(study.check->governing)].name;
            out.Line(QStringLiteral("* Combinação determinante: ") +
                     (name.empty() ? QStringLiteral("(sem nome)") : PrintableText(QString::fromStdString(name))));
        }
        // The steel-area limits of a column with these combinations, and
        // whether the bars as they stand meet them.
        if (study.verdict)
            WriteSteelLimits(out, study.verdict->limits, true);
    }

    // 10. The column: its data, then every combination's two bendings and
    // situations.
    int method = study.check ? 10 : 9;
    if (study.check && study.column && !study.combinations.empty()) {
        ++method;
        out.Heading(QStringLiteral("10. Verificação do pilar"));
        out.Paragraph(QString::fromUtf8(ColumnMethodText));
        for (const QString& line : ColumnDataLines(*study.column))
            out.Line(line);
        for (std::size_t i = 0; i < study.combinations.size() && i < study.check->rows.size(); ++i) {
            const LoadCombination& c = study.combinations[i];
            const CombinationResult& r = study.check->rows[i];
            // A combination's heading starts no page alone: its data and the
            // head of its table come with it.
            out.Ensure(LineHeight * 6);
            out.Line(QStringLiteral("Combinação ") + (c.name.empty() ? QStringLiteral("(sem nome)")
                                                                     : PrintableText(QString::fromStdString(c.name))),
                     true);
            out.Line(
                QStringLiteral("Nd = %1 kN; (Mxd; Myd) no topo = (%2; %3) kN·m, na base = (%4; %5) kN·m")
                    .arg(Kn(c.Nd), Kn(c.Mxd), Kn(c.Myd), Kn(c.MxdBase.value_or(c.Mxd)), Kn(c.MydBase.value_or(c.Myd))));
            if (!r.column) {
                out.Line(QString::fromStdString(CombinationMessage(r)));
                continue;
            }
            const ColumnResult& column = *r.column;
            if (const std::string status = ColumnStatusText(column); !status.empty())
                out.Line(QString::fromStdString(status));
            for (const QString& line : ColumnSlenderLines(column))
                out.Paragraph(line);
            if (column.nu)
                out.Line(QStringLiteral("ν = |Nd|/(Ac·fcd) = ") + Decimal(*column.nu, 3));
            const std::vector<ColumnNumberRow> numbers = ColumnNumberRows(column, study.column->method);
            if (!numbers.empty()) {
                std::vector<QStringList> rows;
                for (const ColumnNumberRow& n : numbers)
                    rows.push_back({n.label, n.unit, n.mx, n.my});
                out.Table({{QStringLiteral("Grandeza"), 40, Qt::AlignLeft},
                           {QStringLiteral("Unidade"), 20, Qt::AlignLeft},
                           {QStringLiteral("Mxd"), 28, right},
                           {QStringLiteral("Myd"), 28, right}},
                          rows);
            }
            for (const QString& line : ColumnSituationLines(column))
                out.Line(QStringLiteral("  ") + line);
        }
        WriteCurvaturePictures(out, study);
        WriteGeneralBars(out, study);
    }

    // The detailing, after the combinations and the column: its rules read
    // their As,mín and As,máx and the column's b.
    if (study.verdict && study.verdict->detailing && study.detailing)
        WriteDetailing(out, study, *study.verdict->detailing, *study.detailing, method++);

    // The method.
    out.Heading(QStringLiteral("%1. Método").arg(method));
    out.Paragraph(QString::fromUtf8(code ? CodeMethodText : MethodText));

    // With combinations, their diagrams on a page of their own after the
    // method, so that the pages before it stay as they are.
    if (study.diagrams)
        WriteDiagrams(out, study, method + 1);
}

} // namespace

int PaintReport(QPagedPaintDevice& device, const ReportCase& report)
{
    // First the pages are counted, then drawn knowing how many there are.
    Layout count(device, nullptr, 0, report);
    WriteCase(count, report);
    const int pages = count.Pages();
    QPainter painter(&device);
    Layout out(device, &painter, pages, report);
    WriteCase(out, report);
    out.Finish();
    painter.end();
    return pages;
}

QByteArray ReportPdf(const ReportCase& report)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    pdf.setResolution(600);
    pdf.setTitle(QStringLiteral("Memória de cálculo — ") + report.fileName);
    pdf.setCreator(QString::fromUtf8(ApplicationTitle));
    PaintReport(pdf, report);
    buffer.close();
    return bytes;
}

QDateTime ReportTime()
{
    const QByteArray text = qgetenv("SOURCE_DATE_EPOCH");
    if (text.isEmpty())
        return QDateTime::currentDateTime();
    // Digits only: no sign, no blanks, no hexadecimal, no fraction.
    long long epoch = 0;
    bool ok = text.size() <= 12;
    for (const char c : text) {
        ok = ok && c >= '0' && c <= '9';
        if (ok)
            epoch = epoch * 10 + (c - '0');
    }
    if (!ok || epoch > MaxSourceDateEpoch)
        throw ReportTimeError("SOURCE_DATE_EPOCH inválido (\"" + text.left(40).toStdString() +
                              "\"): deve ser um número inteiro de segundos desde 1970, de 0 a " +
                              std::to_string(MaxSourceDateEpoch));
    return QDateTime::fromSecsSinceEpoch(epoch, QTimeZone::utc());
}

} // namespace flexara
