// The calculation record and the pictures of the chart: what the PDF says (read
// back with pdftotext), its pages, the same content every time for the same
// case, the design point where the axes put it, and SVG that is XML.
#include "project/HeadlessLoader.h"
#include "project/ProjectFile.h"
#include "report/CaseReport.h"
#include "report/ChartDrawing.h"
#include "report/OffscreenGui.h"
#include "report/ReportText.h"
#include "tests/support/Shell.h"

#include <QColor>
#include <QImage>
#include <QTimeZone>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace flexara {
namespace {

std::string Command(const std::string& command)
{
    return testing::RunShell(command).out;
}

// One page of a PDF drawn at 40 dpi: the bytes of its PNG, which pdftoppm
// writes beside the PDF.
std::string PagePicture(const std::string& pdfPath, int page)
{
    const std::string number = std::to_string(page);
    const std::string root = pdfPath + "-page-" + number;
    Command("pdftoppm -png -r 40 -singlefile -f " + number + " -l " + number + " " + pdfPath + " " + root);
    std::ifstream in(root + ".png", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Rendered {
    std::string text;
    int pages = 0;
    std::string pdfPath;
};

// The report of a project file, rendered and read back; withoutDiagrams
// leaves the page of the diagrams out, as the report was before it.
Rendered RenderReport(const std::string& project, const std::string& tag, bool withoutDiagrams = false)
{
    EnsureGuiApplication();
    auto state = std::make_unique<AnalysisState>();
    CombinationList combinations;
    std::optional<Column> column;
    std::optional<Detailing> detailing;
    const MaterialSelection selection = LoadProjectFileHeadless(project, *state, &combinations, &column, &detailing);
    CaseStudy study = StudyCase(*state, selection, combinations, column, detailing);
    if (withoutDiagrams)
        study.diagrams.reset();
    ReportCase report;
    report.study = &study;
    report.selection = selection;
    report.fileName = QString::fromStdString(std::filesystem::path(project).filename().string());
    report.printedAt = QDateTime(QDate(2026, 12, 8), QTime(9, 30));
    Rendered rendered;
    rendered.pdfPath = ::testing::TempDir() + "flexara-report-" + tag + ".pdf";
    SaveFileBytes(rendered.pdfPath, ReportPdf(report).toStdString());
    rendered.text = Command("pdftotext -layout " + rendered.pdfPath + " - 2>/dev/null");
    const std::string info = Command("pdfinfo " + rendered.pdfPath + " 2>/dev/null");
    const std::size_t pages = info.find("Pages:");
    if (pages != std::string::npos)
        rendered.pages = std::stoi(info.substr(pages + 6));
    return rendered;
}

std::string Example(const char* name)
{
    return std::string(FLEXARA_SOURCE_DIR) + "/examples/" + name;
}

TEST(Report, TheColumnsRecordSaysWhatAnEngineerSigns)
{
    const Rendered r = RenderReport(Example("pilar-20x40.fxr"), "column");
    EXPECT_EQ(r.pages, 2);
    for (const char* fragment : {"Flexara 1.0 — Memória de cálculo",
                                 "Arquivo: pilar-20x40.fxr",
                                 "08/12/2026 09:30",
                                 "Seção retangular",
                                 "B = 20,00 cm; H = 40,00 cm",
                                 "Escala 1:",
                                 "Taxa de armadura: As/Ac = 1,57 %",
                                 "Área de concreto: Ac = 800,00 cm²",
                                 "Área de aço: As = 12,57 cm²",
                                 "Concreto C-30: fck = 30,0 MPa",
                                 "fcd = fck/γc = 21,43 MPa",
                                 "αc·fcd = 18,21 MPa",
                                 "Aço CA-50 A: fyk = 500 MPa",
                                 "fyd = fyk/γs = 434,78 MPa",
                                 "εyd = 2,070 ‰",
                                 "classe A",
                                 "γc = 1,40; γs = 1,15; αc = 0,85; pontos do diagrama de interação: 100",
                                 "Nd = -500,00 kN (compressão); Mxd = 60,00 kN.m; Myd = 20,00 kN.m",
                                 "N1 = 546,36 kN",
                                 "N2 = -262,71 kN",
                                 "N3 = -1485,08 kN",
                                 "N4 = -1984,93 kN",
                                 "Diagrama de Interação",
                                 "está dentro do diagrama: a seção atende.",
                                 "η = |Md| / MRd = 0,597",
                                 "MRd = 106,00 kN.m",
                                 "página 1 de 2",
                                 "página 2 de 2",
                                 "3h/7",
                                 "0,7 ‰"}) {
        EXPECT_NE(r.text.find(fragment), std::string::npos) << fragment;
    }
    // Fonts go inside the document: pdffonts says "yes" under "emb" for each
    // (the fifth field from the end of its line).
    const std::string fonts = Command("pdffonts " + r.pdfPath + " 2>/dev/null");
    EXPECT_NE(fonts.find("LiberationSans"), std::string::npos);
    std::istringstream lines(fonts);
    std::string line;
    int embedded = 0;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::vector<std::string> fields{std::istream_iterator<std::string>(words), {}};
        if (fields.size() < 7 || fields[0].find("Liberation") == std::string::npos)
            continue;
        EXPECT_EQ(fields[fields.size() - 5], "yes") << line;
        ++embedded;
    }
    EXPECT_GE(embedded, 1);
}

TEST(Report, EveryExampleAndACaseWithCombinations)
{
    for (const auto& entry : std::filesystem::directory_iterator(std::string(FLEXARA_SOURCE_DIR) + "/examples")) {
        SCOPED_TRACE(entry.path().filename().string());
        const Rendered r = RenderReport(entry.path().string(), entry.path().stem().string());
        EXPECT_GE(r.pages, 2);
        EXPECT_NE(r.text.find("Taxa de armadura: As/Ac ="), std::string::npos);
        EXPECT_NE(r.text.find("N4 = "), std::string::npos);
        // With combinations the section of the design point is titled as the
        // point: the verdict is the case's, on the first page.
        const bool combinations = r.text.find("9. Combinações de esforços") != std::string::npos;
        EXPECT_NE(r.text.find(combinations ? "8. Ponto de cálculo (Nd = " : "8. Verificação"), std::string::npos);
    }
    // The column with three combinations: their table and the governing row.
    const std::string project = ::testing::TempDir() + "flexara-report-combinations.fxr";
    SaveFileBytes(project, LoadProjectBytes(Example("pilar-20x40.fxr")) +
                               "combinacoes\r\n3\r\nELU 1\r\n-500\r\n60\r\n20\r\nELU 2\r\n-500\r\n200\r\n0\r\n"
                               "ELU 3\r\n700\r\n0\r\n0\r\n");
    const Rendered r = RenderReport(project, "combinations");
    for (const char* fragment : {"9. Combinações de esforços", "ELU 1", "0,597", "não atende", "Nd fora do intervalo *",
                                 "* Combinação determinante: ELU 3", "10. Método"})
        EXPECT_NE(r.text.find(fragment), std::string::npos) << fragment;
}

// The column check: its data, each combination's two bendings in the code's
// order and its situations. The first row of the example is the 20 x 50
// column at Nd = -1400 kN, le = 280 cm: about y (h = 20 cm) M1d,min =
// 1400·0,021 = 29,4, λ = 280/5,7735 = 48,50, 1/r = 0,005/(0,20·1,15333) =
// 0,02168 and Md,tot = 29,4 + 1400·0,784·0,021676 = 53,19 kN·m; about x
// (h = 50 cm) Md,tot = M1d,min = 42 kN·m.
TEST(Report, TheColumnCheckHasItsSection)
{
    const Rendered r = RenderReport(Example("pilar-esbelto.fxr"), "slender");
    for (const char* fragment :
         {"10. Verificação do pilar", "11. Método", "11.3.3.4.3",
          "Mxd: le = 280,00 cm, biapoiado, sem cargas transversais", "Método: pilar-padrão com curvatura aproximada",
          "Combinação ELU 1 - compressao centrada", "Nd = -1400,00 kN; (Mxd; Myd) no topo", "Grandeza", "M1d,min",
          "29,40", "48,50", "0,02168", "53,19", "42,00", "seção intermediária", "(determinante)",
          "Nd de tração: sem verificação de pilar"})
        EXPECT_NE(r.text.find(fragment), std::string::npos) << fragment;
    // The rows of the table in the code's order.
    std::size_t at = r.text.find("Grandeza");
    for (const char* label : {"λ = le/i", "M1d,min", "αb", "λ1", "M1d,A", "2ª ordem local", "1/r", "Md,tot"}) {
        const std::size_t next = r.text.find(label, at);
        EXPECT_NE(next, std::string::npos) << label;
        at = next == std::string::npos ? at : next;
    }
    // A case without a column has no such section.
    EXPECT_EQ(RenderReport(Example("pilar-20x40-combinacoes.fxr"), "plain").text.find("Verificação do pilar"),
              std::string::npos);
}

// The column by the coupled method (examples/pilar-acoplado.fxr, worked in
// the README from point B): b and γn, creep's data, about x (EI)sec =
// 16833,6 kN·m² and Md,tot = 21,6/0,9038 = 23,90 kN·m, about y 3394,3 kN·m²
// and 16,8/0,5227 = 32,14 kN·m for the first row; the M–N–1/r pictures of
// the governing row after the rows.
TEST(Report, TheColumnSectionOfTheCoupledMethod)
{
    const Rendered r = RenderReport(Example("pilar-acoplado.fxr"), "coupled");
    for (const char* fragment : {"Método: pilar-padrão acoplado a diagramas M, N, 1/r", "Fluência: φ = 2,00, ψ = 0,60",
                                 "b = 20,00 cm: γn = 1", "(EI)sec", "16833,6", "23,90", "32,14", "38,26",
                                 "acoplado a diagramas", "Relação M–N–1/r da combinação determinante",
                                 "Diagrama M–N–1/r", "Mxd, Nd = -800,00 kN", "Myd, Nd = -800,00 kN", "1/r (1/km)"})
        EXPECT_NE(r.text.find(fragment), std::string::npos) << fragment;
    // The pictures come after every row of the section, before the method.
    const std::size_t pictures = r.text.find("Relação M–N–1/r");
    EXPECT_GT(pictures, r.text.find("Combinação ELU 2"));
    EXPECT_LT(pictures, r.text.find("11. Método"));
}

// The column by the general method (examples/pilar-geral.fxr, λ = 150 about
// y): the governing row's bars after the rows, each bending's picture, its
// Md,tot and the table of its 41 stations. The printed table is checked
// against the bar's mechanics, not against the program: z = k·866/40, u = 0
// at both pinned ends, M = M1 + |Nd|·u at every station (u in cm), M1
// constant along the bar under equal end moments, and the largest |M| the
// Md,tot the line above the table gives.
TEST(Report, TheColumnSectionOfTheGeneralMethod)
{
    const Rendered r = RenderReport(Example("pilar-geral.fxr"), "general");
    for (const char* fragment :
         {"Método: método geral",
          "Método geral, combinação determinante, ELU 1 - Myd 10 nos extremos, em Nd = -200,00 kN",
          "kN: deformada e momentos", "M1(z) de primeira ordem tracejado em azul", "Deformada e momentos", "Momentos",
          "z (cm)", "u (cm)", "M (kN·m)", "M1 (kN·m)", "1/r (1/m)", "Mxd, Nd = -200,00 kN", "Myd, Nd = -200,00 kN",
          "40 passos de L = 866,0 cm"})
        EXPECT_NE(r.text.find(fragment), std::string::npos) << fragment;
    const std::size_t start = r.text.find("Método geral, combinação determinante");
    const std::size_t end = r.text.find("11. Método");
    ASSERT_NE(start, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    ASSERT_LT(start, end);
    EXPECT_GT(start, r.text.find("Combinação ELU 3")) << "after every row";
    // The rows of five numbers between there and the method.
    std::vector<std::array<double, 5>> rows;
    std::istringstream lines(r.text.substr(start, end - start));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::vector<double> numbers;
        for (std::string word; words >> word;) {
            std::replace(word.begin(), word.end(), ',', '.');
            char* rest = nullptr;
            const double value = std::strtod(word.c_str(), &rest);
            if (rest == word.c_str() || *rest != '\0') {
                numbers.clear();
                break;
            }
            numbers.push_back(value);
        }
        if (numbers.size() == 5)
            rows.push_back({numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]});
    }
    ASSERT_EQ(rows.size(), 82u) << "41 stations of each bending";
    const double nd = 200.0;
    for (int b = 0; b < 2; ++b) {
        SCOPED_TRACE(b == 0 ? "Mxd" : "Myd");
        double largest = 0.0, where = 0.0;
        for (int k = 0; k <= 40; ++k) {
            const std::array<double, 5>& s = rows[static_cast<std::size_t>(41 * b + k)];
            EXPECT_NEAR(s[0], 866.0 * k / 40.0, 0.0501) << k; // one decimal
            EXPECT_NEAR(s[3], s[1] + nd * s[2] / 100.0, 0.01 + nd * 0.0005 / 100.0) << k;
            EXPECT_EQ(s[1], rows[static_cast<std::size_t>(41 * b)][1]) << "M1 constant, station " << k;
            largest = std::max(largest, std::fabs(s[3]));
        }
        // Equal end moments: the largest at mid-height (the table's two
        // decimals may tie it with its neighbours).
        where = rows[static_cast<std::size_t>(41 * b + 20)][0];
        EXPECT_EQ(std::fabs(rows[static_cast<std::size_t>(41 * b + 20)][3]), largest);
        EXPECT_EQ(rows[static_cast<std::size_t>(41 * b)][2], 0.0);
        EXPECT_EQ(rows[static_cast<std::size_t>(41 * b + 40)][2], 0.0);
        EXPECT_DOUBLE_EQ(where, 433.0);
        const std::string md = std::string(b == 0 ? "Mxd" : "Myd") +
                               ": Md,tot = " + QString::number(largest, 'f', 2).replace('.', ',').toStdString() +
                               " kN·m em z = 433,0 cm";
        EXPECT_NE(r.text.find(md), std::string::npos) << md;
    }
}

std::string PageText(const Rendered& r, int page)
{
    const std::string p = std::to_string(page);
    return Command("pdftotext -layout -f " + p + " -l " + p + " " + r.pdfPath + " - 2>/dev/null");
}

// A case with combinations gets one page more, the last: the N–M diagram
// along the governing combination's moment and the surface, both titled;
// every page before it as it was. ELU 2 (-500; 20; 200) fails about y (the
// column is 20 cm wide in x) and governs: φ = atan2(200, 20) = atan(10) =
// 84,29°. A governing row without moment (ELU 3 at 700 kN, out of range)
// reads along x: φ = 0,0°. A case without combinations has no such page.
TEST(Report, ThePageOfTheDiagramsComesOnlyWithCombinations)
{
    const struct {
        const char* tag;
        std::string block;
        const char* direction;
        const char* governing;
    } cases[] = {
        {"oblique", "combinacoes\r\n2\r\nELU 1\r\n-500\r\n60\r\n20\r\nELU 2\r\n-500\r\n20\r\n200\r\n", "φ = 84,3°",
         "ELU 2"},
        {"no-moment", "combinacoes\r\n2\r\nELU 1\r\n-500\r\n60\r\n20\r\nELU 3\r\n700\r\n0\r\n0\r\n", "φ = 0,0°",
         "ELU 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tag);
        const std::string project = ::testing::TempDir() + "flexara-report-diagrams-" + c.tag + ".fxr";
        SaveFileBytes(project, LoadProjectBytes(Example("pilar-20x40.fxr")) + c.block);
        const Rendered with = RenderReport(project, std::string("diagrams-") + c.tag);
        const Rendered before = RenderReport(project, std::string("no-diagrams-") + c.tag, true);
        ASSERT_EQ(with.pages, before.pages + 1);
        const std::string last = PageText(with, with.pages);
        for (const char* fragment : {"11. Diagrama N–M e superfície de interação", "Diagrama N–M", "Superfície N–Mx–My",
                                     "compressão negativa para cima", c.direction, c.governing})
            EXPECT_NE(last.find(fragment), std::string::npos) << fragment << "\n" << last;
        EXPECT_EQ(last.find("10. Método"), std::string::npos) << "the page is the diagrams' own";
        // The method comes before it (its text may run over a page).
        std::string earlier;
        for (int page = 1; page < with.pages; ++page)
            earlier += PageText(with, page);
        EXPECT_NE(earlier.find("10. Método"), std::string::npos);
        // The pages before it say what they said, but for "página i de n".
        for (int page = 1; page < with.pages; ++page) {
            SCOPED_TRACE(page);
            std::string a = PageText(with, page);
            std::string b = PageText(before, page);
            const std::string of = "de " + std::to_string(with.pages);
            const std::string ofBefore = "de " + std::to_string(before.pages);
            ASSERT_NE(a.rfind(of), std::string::npos);
            a = a.replace(a.rfind(of), of.size(), ofBefore);
            EXPECT_EQ(a, b);
        }
    }
    const Rendered plain = RenderReport(Example("pilar-20x40.fxr"), "no-combinations");
    EXPECT_EQ(plain.pages, 2);
    EXPECT_EQ(plain.text.find("Diagrama N–M"), std::string::npos);
}

// The steel-area limits of a column under its combinations, stated for every
// case with combinations and for none without them.
TEST(Report, TheSteelAreaLimitsAndWhetherTheCaseMeetsThem)
{
    struct Case {
        const char* name;
        const char* rows; // the block of combinations, "" for none
        std::vector<const char*> fragments;
        bool limits;
    };
    // Four 20 mm bars: As = 12,57 cm²; Ac = 800 cm², As,max = 32 cm²;
    // fyd = 50/1,15 = 43,478 kN/cm².
    const Case cases[] = {
        // 0,15·500/43,478 = 1,73 < 0,004·800 = 3,20: the area governs.
        {"by the area",
         "combinacoes\r\n1\r\nA\r\n-500\r\n60\r\n20\r\n",
         {"As,mín = 3,20 cm² = 0,004·Ac", "As,máx = 32,00 cm²", "As = 12,57 cm²: a armadura atende aos limites."},
         true},
        // 0,15·4000/43,478 = 13,80 > 12,57: below the minimum.
        {"by the force",
         "combinacoes\r\n2\r\nA\r\n-4000\r\n0\r\n0\r\nB\r\n-100\r\n0\r\n0\r\n",
         {"As,mín = 13,80 cm² = 0,15·|Nd|/fyd, com Nd = -4000,00 kN",
          "As = 12,57 cm² < As,mín: a armadura não atende ao mínimo."},
         true},
        {"no combinations", "", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string project = ::testing::TempDir() + "flexara-report-limits.fxr";
        SaveFileBytes(project, LoadProjectBytes(Example("pilar-20x40.fxr")) + c.rows);
        const Rendered r = RenderReport(project, "limits");
        for (const char* fragment : c.fragments)
            EXPECT_NE(r.text.find(fragment), std::string::npos) << fragment;
        EXPECT_EQ(r.text.find("As,máx") != std::string::npos, c.limits);
    }
}

// The text of page 1 of a rendered report, its blanks and line ends as single
// blanks: a wrapped paragraph reads as one line.
std::string FirstPageWords(const Rendered& r)
{
    const std::string text = Command("pdftotext -f 1 -l 1 " + r.pdfPath + " - 2>/dev/null");
    std::string words;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t' || c == '\f';
        if (!blank)
            words += c;
        else if (!words.empty() && words.back() != ' ')
            words += ' ';
    }
    return words;
}

TEST(Report, TheFirstPageStatesTheCasesConclusion)
{
    // The example's four combinations checked as a pinned column of
    // le = 400 cm: ELU 2 (-1200; 80, 10) governs at its intermediate section
    // (80; 65,2) (worked in tests/engine/SurfaceTest.cpp). As,mín =
    // 0,15·1200/43,478 = 4,14 cm², As,máx = 0,04·800 = 32 cm², As = 4 φ20 =
    // 12,57 cm².
    const std::string columnBlock = "pilar\r\n400\r\n400\r\n0\r\n0\r\n0\r\n60\r\n20\r\n80\r\n10\r\n0.5\r\n70\r\n"
                                    "40\r\n-30\r\n";
    // Loads typed with compression positive, checked as a short column.
    const std::string ties = "combinacoes\r\n2\r\nT1\r\n300\r\n10\r\n5\r\nT2\r\n150\r\n0\r\n0\r\n"
                             "pilar\r\n150\r\n150\r\n0\r\n0\r\n0\r\n10\r\n5\r\n0\r\n0\r\n";
    struct Case {
        const char* name;
        std::string project;
        std::vector<const char*> fragments;
        std::vector<const char*> absent;
    };
    const Case cases[] = {
        {"a failing column",
         LoadProjectBytes(Example("pilar-20x40-combinacoes.fxr")) + columnBlock,
         {"Conclusão", "O pilar não atende: combinação determinante ELU 2 - vento em X, seção intermediária, η = ",
          "As,mín = 4,14 cm² = 0,15·|Nd|/fyd, com Nd = -1200,00 kN", "As,máx = 32,00 cm²",
          "As = 12,57 cm²: a armadura atende aos limites.", "φ = 20 mm ≥ 10 mm"},
         {"a seção atende", "Nenhuma combinação comprime"}},
        {"a section",
         LoadProjectBytes(Example("pilar-20x40-combinacoes.fxr")),
         {"Conclusão", "A seção não atende às combinações: combinação determinante ELU 3 - vento em Y, η = 1,08."},
         {"a seção atende", "As,mín"}},
        {"a column without compression",
         LoadProjectBytes(Example("pilar-20x40.fxr")) + ties,
         {"Conclusão", "Nenhuma combinação comprime o pilar: neste programa a compressão é negativa (Nd < 0)"},
         {}},
        {"no combinations", LoadProjectBytes(Example("pilar-20x40.fxr")), {}, {"Conclusão"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string project = ::testing::TempDir() + "flexara-report-conclusion.fxr";
        SaveFileBytes(project, c.project);
        const Rendered r = RenderReport(project, "conclusion");
        const std::string first = FirstPageWords(r);
        for (const char* fragment : c.fragments)
            EXPECT_NE(first.find(fragment), std::string::npos) << fragment << "\n" << first;
        for (const char* fragment : c.absent)
            EXPECT_EQ(first.find(fragment), std::string::npos) << fragment << "\n" << first;
        // With combinations, the design point's section states no conclusion.
        const bool combinations = !c.fragments.empty();
        EXPECT_EQ(r.text.find("8. Ponto de cálculo (Nd = -500,00 kN; Mxd = 60,00 kN.m; Myd = 20,00 kN.m)") !=
                      std::string::npos,
                  combinations);
        EXPECT_EQ(r.text.find("do diagrama: a seção atende.") != std::string::npos, !combinations);
    }
}

// Names and numbers a user can give that the report must still print as
// themselves: CJK from the Noto fonts, an emoji no font has as "?", an empty
// governing name said as such, and a huge moment as a number in one piece.
TEST(Report, NamesAndNumbersPrintAsWhatTheyAre)
{
    const std::string project = ::testing::TempDir() + "flexara-report-names.fxr";
    SaveFileBytes(project,
                  LoadProjectBytes(Example("pilar-20x40.fxr")) +
                      "combinacoes\r\n3\r\n柱 北\r\n-500\r\n60\r\n20\r\n\xF0\x9F\x9A\xA7 obra\r\n-500\r\n10\r\n0\r\n"
                      "\r\n-500\r\n1e308\r\n0\r\n");
    const Rendered r = RenderReport(project, "names");
    // pdftotext joins CJK letters: the blank between them is no test.
    for (const char* fragment : {"柱", "北", "? obra", "1,0E+308", "6,5E+305", "* Combinação determinante: (sem nome)"})
        EXPECT_NE(r.text.find(fragment), std::string::npos) << fragment << "\n" << r.text;
    EXPECT_EQ(r.text.find("10000000000"), std::string::npos) << "a number cut into another";
    EXPECT_NE(Command("pdffonts " + r.pdfPath + " 2>/dev/null").find("NotoSansCJK"), std::string::npos);
}

// The column's section says a row at Nd = 0 as such, and a hostile length in
// engineering notation: le = 1e308 cm gives λ = 1e308/14,434 = 6,9e306 about
// x, not a number of 307 digits.
TEST(Report, AZeroNdAndAHugeLengthInTheColumnsSection)
{
    std::string text = LoadProjectBytes(Example("pilar-esbelto.fxr"));
    const std::string lengths = "pilar\r\n 2.80000000000000E+0002\r\n";
    text.replace(text.find(lengths), lengths.size(), "pilar\r\n 1.00000000000000E+0308\r\n");
    const std::string tension = "ELU 4 - tracao\r\n 1.00000000000000E+0002\r\n";
    text.replace(text.find(tension), tension.size(), "ELU 4 - nulo\r\n 0\r\n");
    const std::string project = ::testing::TempDir() + "flexara-report-zero.fxr";
    SaveFileBytes(project, text);
    const Rendered r = RenderReport(project, "zero");
    for (const char* fragment : {"Nd nulo: sem verificação de pilar", "Mxd: le = 1,0E+308 cm",
                                 "λ = 6,9E+306 > 200 para Mxd: a NBR 6118:2014 (15.8.1) não admite pilar"})
        EXPECT_NE(r.text.find(fragment), std::string::npos) << fragment << "\n" << r.text;
    EXPECT_EQ(r.text.find("Nd de tração"), std::string::npos);
    EXPECT_EQ(r.text.find("0000000000"), std::string::npos) << "a number of hundreds of digits";
}

// The 20 × 40 column of the example with six φ16 instead of its four φ20, at
// c + φt + φ/2 = 3,0 + 0,5 + 0,8 = 4,3 cm from the faces (two at each of
// y = 4,3, 20 and 35,7), one combination, and the detailing block given.
std::string SixBars(const std::string& detailing)
{
    std::string text = LoadProjectBytes(Example("pilar-20x40.fxr"));
    std::string lines = "3\r\n";
    for (const double y : {4.3, 20.0, 35.7})
        lines += "2\r\n" + FormatProjectReal(16) + "\r\n" + FormatProjectReal(y) + "\r\n" + FormatProjectReal(y) +
                 "\r\n" + FormatProjectReal(4.3) + "\r\n" + FormatProjectReal(15.7) + "\r\nhor\r\n";
    const std::size_t from = text.find("2\r\n2\r\n 2.00000000000000E+0001");
    const std::size_t to = text.find("4\r\nretang");
    text.replace(from, to - from, lines);
    return text + "combinacoes\r\n1\r\nELU 1\r\n-500\r\n60\r\n20\r\n" + detailing;
}

// Class II (c = 3,0 cm), φt 5 mm, dmáx 19 mm, st 12 cm; class III, c = 4,0 cm.
const char* const ClassTwo = "detalhamento\r\n2\r\n3\r\n5\r\n19\r\n12\r\n";
const char* const ClassThree = "detalhamento\r\n3\r\n4\r\n5\r\n19\r\n12\r\n";

// The line of the rendered text from `from` on that holds both texts.
std::string RowWith(const std::string& text, std::size_t from, const std::string& item, const std::string& rule)
{
    std::istringstream lines(text.substr(std::min(from, text.size())));
    for (std::string line; std::getline(lines, line);)
        if (line.find(item) != std::string::npos && line.find(rule) != std::string::npos)
            return line;
    return {};
}

// pdftotext's layout may close up a blank ("≥4"): rows are read without them.
std::string NoBlanks(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// Whether pdftohtml finds a piece of text that is exactly `text`, and whether it is bold.
std::optional<bool> BoldPiece(const Rendered& r, const std::string& text)
{
    const std::string xml = Command("pdftohtml -xml -i -stdout " + r.pdfPath + " 2>/dev/null");
    if (xml.find(">" + text + "</text>") != std::string::npos)
        return false;
    if (xml.find("><b>" + text + "</b></text>") != std::string::npos)
        return true;
    return std::nullopt;
}

// Every rule worked by hand for the six φ16 (As = 6·π·0,8² = 12,06 cm²) at
// 4,3 cm from the faces in class II:
// - 7.4.7.2: the surface at 4,3 − 0,8 = 3,50 cm, the limit c + φt = 3,0 +
//   0,5 = 3,50 cm;
// - 7.4.7.5: φ 16 mm ≤ c = 30 mm; 7.4.7.6: dmáx 19 ≤ 1,2·30 = 36 mm;
// - 18.4.2.1: 16 ≥ 10 mm and 16 ≤ b/8 = 200/8 = 25 mm;
// - 18.4.2.2: a bar in each of the 4 corners; the least clear distance across
//   the 20 cm, (15,7 − 4,3)·10 − 16 = 98 mm ≥ max(20, 16, 1,2·19) = 22,8 mm;
//   the widest axis distance along the side faces 20 − 4,3 = 15,7 ≤ min(2·20,
//   40) = 40 cm;
// - 17.3.5.3: As,mín = max(0,15·500/43,478, 0,004·800) = 3,20 and As,máx =
//   0,04·800 = 32 cm²;
// - 18.4.3: φt 5 ≥ max(5, 16/4) mm; st 12 ≤ min(20, b = 20, 12·1,6 = 19,2) cm.
// The two bars at mid-height stand 15,7 cm from the corner bars, beyond
// 20·φt = 10 cm: a supplementary tie each (18.2.4).
TEST(Report, TheDetailingSectionHasEveryRuleWithItsNumbers)
{
    const std::string project = ::testing::TempDir() + "flexara-report-detailing.fxr";
    SaveFileBytes(project, SixBars(ClassTwo));
    const Rendered r = RenderReport(Example("pilar-20x40.fxr"), "detailing-none");
    EXPECT_EQ(r.text.find("Detalhamento"), std::string::npos) << "the example gives no detailing data";
    const Rendered with = RenderReport(project, "detailing");
    const std::size_t heading = with.text.find("10. Detalhamento (NBR 6118:2014)");
    ASSERT_NE(heading, std::string::npos) << with.text;
    // After the combinations and before the method, which moves one on.
    EXPECT_GT(heading, with.text.find("9. Combinações de esforços"));
    EXPECT_LT(heading, with.text.find("11. Método"));
    EXPECT_NE(with.text.find("12. Diagrama N–M"), std::string::npos);
    for (const char* line :
         {"c = 3,00 cm (classe de agressividade II, tabela 7.2)", "φt = 5 mm", "st = 12,00 cm (informado)",
          "dmáx = 19,00 mm", "b = 20,00 cm", "Estribos suplementares (18.2.4): 2",
          "c = 3,0 cm; estribo φ 5 mm a cada 12 cm; 2 estribos suplementares", "Escala 1:5"})
        EXPECT_NE(with.text.find(line, heading), std::string::npos) << line;
    const struct {
        const char* item;
        const char* rule;
        const char* value;
        const char* limit;
    } rows[] = {
        {"7.4.7.2", "cobrimento das barras", "3,50 cm", "≥ 3,50 cm"},
        {"7.4.7.5", "cobrimento ≥ φ", "16,00 mm", "≤ 30,00 mm"},
        {"7.4.7.6", "dmáx ≤ 1,2·c", "19,00 mm", "≤ 36,00 mm"},
        {"18.4.2.1", "φ ≥ 10 mm", "16,00 mm", "≥ 10,00 mm"},
        {"18.4.2.1", "φ ≤ b/8", "16,00 mm", "≤ 25,00 mm"},
        {"18.4.2.2", "barras nos cantos", "4", "≥ 4"},
        {"18.4.2.2", "espaçamento livre", "98,00 mm", "≥ 22,80 mm"},
        {"18.4.2.2", "espaçamento entre eixos", "15,70 cm", "≤ 40,00 cm"},
        {"17.3.5.3.1", "As ≥ As,mín", "12,06 cm²", "≥ 3,20 cm²"},
        {"17.3.5.3.2", "As ≤ As,máx", "12,06 cm²", "≤ 32,00 cm²"},
        {"18.4.3", "diâmetro do estribo", "5,00 mm", "≥ 5,00 mm"},
        {"18.4.3", "espaçamento dos estribos", "12,00 cm", "≤ 19,20 cm"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        const std::string line = RowWith(with.text, heading, row.item, row.rule);
        ASSERT_FALSE(line.empty());
        EXPECT_NE(NoBlanks(line).find(NoBlanks(row.value)), std::string::npos) << line;
        EXPECT_NE(NoBlanks(line).find(NoBlanks(row.limit)), std::string::npos) << line;
        EXPECT_NE(line.find("atende"), std::string::npos) << line;
        EXPECT_EQ(line.find("não"), std::string::npos) << line;
    }
    EXPECT_EQ(BoldPiece(with, "cobrimento das barras"), std::optional<bool>(false));

    // Class III: c + φt = 4,0 + 0,5 = 4,50 cm over the surface at 3,50 cm. The
    // rule fails, in bold, while 7.4.7.5 (16 ≤ 40 mm) holds in plain type.
    SaveFileBytes(project, SixBars(ClassThree));
    const Rendered failing = RenderReport(project, "detailing-failing");
    const std::size_t at = failing.text.find("10. Detalhamento (NBR 6118:2014)");
    ASSERT_NE(at, std::string::npos);
    const std::string cover = RowWith(failing.text, at, "7.4.7.2", "cobrimento das barras");
    EXPECT_NE(NoBlanks(cover).find("3,50cm"), std::string::npos) << cover;
    EXPECT_NE(NoBlanks(cover).find("≥4,50cm"), std::string::npos) << cover;
    EXPECT_NE(cover.find("não atende"), std::string::npos) << cover;
    EXPECT_EQ(BoldPiece(failing, "cobrimento das barras"), std::optional<bool>(true));
    EXPECT_EQ(BoldPiece(failing, "cobrimento ≥ φ"), std::optional<bool>(false));
    const std::string overBar = NoBlanks(RowWith(failing.text, at, "7.4.7.5", "cobrimento"));
    EXPECT_NE(overBar.find("≤40,00mm"), std::string::npos) << overBar;
    EXPECT_EQ(overBar.find("não"), std::string::npos) << overBar;
}

// The detailing adds its section and changes nothing before it: the same
// case without the block (every rule holds, so the conclusion is the same)
// has the same text up to the heading and the same pictures on every page
// wholly before it, section 1's drawing among them.
TEST(Report, TheDetailingChangesNothingBeforeItsSection)
{
    // Under the same name, which the record prints.
    const std::string plainDirectory = ::testing::TempDir() + "flexara-report-plain";
    const std::string detailedDirectory = ::testing::TempDir() + "flexara-report-detailed";
    std::filesystem::create_directories(plainDirectory);
    std::filesystem::create_directories(detailedDirectory);
    const std::string plainProject = plainDirectory + "/seis-barras.fxr";
    const std::string detailedProject = detailedDirectory + "/seis-barras.fxr";
    SaveFileBytes(plainProject, SixBars(""));
    SaveFileBytes(detailedProject, SixBars(ClassTwo));
    const Rendered plain = RenderReport(plainProject, "six-bars");
    const Rendered detailed = RenderReport(detailedProject, "six-bars-detailed");
    const std::string heading = "10. Detalhamento";
    ASSERT_NE(detailed.text.find(heading), std::string::npos);
    EXPECT_EQ(plain.text.find(heading), std::string::npos);
    // The words before it, without the footers, are the plain record's
    // before its method.
    const auto words = [](const Rendered& r) {
        std::string text = Command("pdftotext " + r.pdfPath + " - 2>/dev/null");
        std::replace_if(
            text.begin(), text.end(), [](char c) { return c == '\n' || c == '\f' || c == '\t'; }, ' ');
        text = std::regex_replace(text, std::regex(" +"), " ");
        return std::regex_replace(text, std::regex("Flexara 1[.]0 — seis-barras[.]fxr página [0-9]+ de [0-9]+ ?"), "");
    };
    const std::string detailedWords = words(detailed), plainWords = words(plain);
    const std::size_t at = detailedWords.find(heading), method = plainWords.find("10. Método");
    ASSERT_NE(at, std::string::npos);
    ASSERT_NE(method, std::string::npos);
    EXPECT_EQ(detailedWords.substr(0, at), plainWords.substr(0, method));
    // The pages wholly before the heading, that hold nothing after section 9
    // in the plain record either, section 1's drawing among them.
    int before = 0;
    while (before < detailed.pages && PageText(detailed, before + 1).find(heading) == std::string::npos &&
           PageText(plain, before + 1).find("10. Método") == std::string::npos)
        ++before;
    ASSERT_GE(before, 1);
    // The pictures at 40 dpi above the footer, which says "de n": its rule
    // lies 297 − 20 + 5 = 282 mm down the page, 282/25,4·40 = 444 pixels; the
    // first 440 rows are compared.
    for (int page = 1; page <= before; ++page) {
        SCOPED_TRACE(page);
        const QImage a = QImage::fromData(QByteArray::fromStdString(PagePicture(detailed.pdfPath, page)), "PNG");
        const QImage b = QImage::fromData(QByteArray::fromStdString(PagePicture(plain.pdfPath, page)), "PNG");
        ASSERT_FALSE(a.isNull());
        ASSERT_EQ(a.size(), b.size());
        ASSERT_GT(a.height(), 440);
        EXPECT_EQ(a.copy(0, 0, a.width(), 440), b.copy(0, 0, b.width(), 440));
    }
}

TEST(ReportText, HugeNumbersInOnePiece)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1e308, "1,0E+308"}, {-1.66e308, "-1,7E+308"}, {1e15, "1,0E+015"}, {999999999999999.0, "999999999999999,00"},
        {-0.004, "0,00"},    {21.425, "21,43"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Decimal(c.value, 2).toStdString(), c.text);
    }
}

TEST(ReportTime, SourceDateEpochIsAPlainWholeNumberOrRefused)
{
    const QByteArray saved = qgetenv("SOURCE_DATE_EPOCH");
    const bool wasSet = qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH");
    qputenv("SOURCE_DATE_EPOCH", "1765186200");
    EXPECT_EQ(ReportTime(), QDateTime(QDate(2025, 12, 8), QTime(9, 30), QTimeZone::utc()));
    qputenv("SOURCE_DATE_EPOCH", "253402300799");
    EXPECT_EQ(ReportTime().date(), QDate(9999, 12, 31));
    for (const char* bad : {"abc", "-1", "12.5", " 1", "1 ", "0x10", "253402300800", "1e9"}) {
        SCOPED_TRACE(bad);
        qputenv("SOURCE_DATE_EPOCH", bad);
        EXPECT_THROW(ReportTime(), ReportTimeError);
    }
    if (wasSet)
        qputenv("SOURCE_DATE_EPOCH", saved);
    else
        qunsetenv("SOURCE_DATE_EPOCH");
}

TEST(Report, TheSameCaseGivesTheSameContent)
{
    const Rendered first = RenderReport(Example("viga-T.fxr"), "first");
    const Rendered second = RenderReport(Example("viga-T.fxr"), "second");
    EXPECT_EQ(first.text, second.text);
    ASSERT_GT(first.pages, 0);
    for (int page = 1; page <= first.pages; ++page) {
        SCOPED_TRACE(page);
        const std::string picture = PagePicture(first.pdfPath, page);
        EXPECT_GT(picture.size(), 1000u) << "the page was not drawn";
        EXPECT_EQ(picture, PagePicture(second.pdfPath, page));
    }
}

CaseCurve ColumnCurve(double nd)
{
    auto state = std::make_unique<AnalysisState>();
    const MaterialSelection selection = LoadProjectFileHeadless(Example("pilar-20x40.fxr"), *state);
    state->Nd = nd;
    return GenerateCaseCurve(*state, selection);
}

TEST(ChartPicture, TheDesignPointIsWhereTheAxesPutIt)
{
    EnsureGuiApplication();
    const CaseCurve curve = ColumnCurve(-500);
    ASSERT_TRUE(curve.designPoint.has_value());
    const QImage image = ChartImage(curve);
    const ChartFrame frame = LayOutChart(QRectF(QPointF(0, 0), QSizeF(image.size())), curve);
    const QPoint at = frame.ToDevice(curve.designPoint->x, curve.designPoint->y).toPoint();
    EXPECT_EQ(image.pixelColor(at), QColor(0, 0, 128)) << "navy at (" << at.x() << ", " << at.y() << ")";
    // A curve point is red, and the plot is white away from everything.
    const QPoint onCurve = frame.ToDevice(curve.points.front().x, curve.points.front().y).toPoint();
    bool red = false;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const QColor c = image.pixelColor(onCurve + QPoint(dx, dy));
            red = red || (c.red() > 200 && c.green() < 120 && c.blue() < 120);
        }
    EXPECT_TRUE(red);
    // The same picture as PNG bytes.
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(ChartPng(curve), "PNG"));
    EXPECT_EQ(decoded.size(), ChartPictureSize);
    EXPECT_EQ(decoded.pixelColor(at), QColor(0, 0, 128));
}

TEST(ChartPicture, SvgIsWellFormedXml)
{
    EnsureGuiApplication();
    for (const double nd : {-500.0, 2000.0}) {
        SCOPED_TRACE(nd);
        QXmlStreamReader xml(ChartSvg(ColumnCurve(nd)));
        int elements = 0;
        bool polyline = false;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement) {
                ++elements;
                polyline = polyline || xml.name() == QLatin1String("path") || xml.name() == QLatin1String("polyline");
            }
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_GT(elements, 10);
        EXPECT_TRUE(polyline);
    }
}

} // namespace
} // namespace flexara
