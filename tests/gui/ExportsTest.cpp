// The report and the exports of the menu "&Arquivo": their place in the menu,
// the PDF of the case, the chart as PNG or SVG by the filter chosen, the curve
// as CSV, a chart generated first when it is empty, and the print path.
#include "tests/gui/ProgramWindowsFixture.h"

#include "editor/CombinationsWindow.h"
#include "editor/InteractionChart.h"
#include "project/ProjectFile.h"
#include "report/ChartDrawing.h"
#include "tests/support/Shell.h"

#include <QMenu>
#include <QPrinter>
#include <QTableWidget>
#include <QTemporaryDir>

#include <array>
#include <cstdio>

namespace flexara::testing {
namespace {

std::string PdfText(const QString& path)
{
    return RunShell("pdftotext -layout '" + QFile::encodeName(path).toStdString() + "' - 2>/dev/null").out;
}

class ExportsTest : public ProgramWithDialogsTest {
protected:
    void SetUp() override
    {
        ProgramWithDialogsTest::SetUp();
        main->Documents->ReadProjectFile(QString::fromUtf8(FLEXARA_SOURCE_DIR "/examples/pilar-20x40.fxr"));
    }

    // Runs an export, answering its dialog with path and filter.
    QString Export(QAction* action, const QString& name, const QString& filter = QString())
    {
        const QString path = folder.filePath(name);
        dialogs->otherAnswers.push_back({path, filter});
        EXPECT_EQ(RunMenuCommand(action), "");
        return path;
    }

    QByteArray Read(const QString& path) const
    {
        return QByteArray::fromStdString(LoadProjectBytes(QFile::encodeName(path).toStdString()));
    }
};

TEST_F(ExportsTest, TheMenuHoldsTheExportsBetweenSaveAsAndExit)
{
    QStringList items;
    for (QAction* action : main->Arquivo->actions())
        items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(items,
              QStringList({"&Novo", "&Abrir...", "&Salvar", "Savar Como...", "-", "Exportar relatório (PDF)...",
                           "Imprimir relatório...", "Exportar gráfico...", "Exportar curva (CSV)...", "-", "Sa&ir"}));
}

TEST_F(ExportsTest, TheReportOfTheCaseAsPdf)
{
    const QString path = Export(main->ExportarRelatorio, "relatorio.pdf");
    ASSERT_EQ(dialogs->otherAsked.size(), 1u);
    EXPECT_EQ(dialogs->otherAsked.back().proposedName, "pilar-20x40.pdf");
    EXPECT_EQ(dialogs->otherAsked.back().filters, QStringList{"Documento PDF (*.pdf)"});
    EXPECT_TRUE(Read(path).startsWith("%PDF"));
    const std::string text = PdfText(path);
    EXPECT_NE(text.find("Arquivo: pilar-20x40.fxr"), std::string::npos);
    EXPECT_NE(text.find("Taxa de armadura: As/Ac = 1,57 %"), std::string::npos);
    EXPECT_NE(text.find("η = |Md| / MRd = 0,597"), std::string::npos);
    // The combinations of the window go in, their invalid rows not.
    windows.FCombinacoes->AppendRows({{"ELU 9", -800, 30, 30}});
    windows.FCombinacoes->Tabela->item(0, TFCombinacoes::ColMxd)->setText("x");
    windows.FCombinacoes->AppendRows({{"ELU 7", -600, 10, 10}});
    const std::string withRows = PdfText(Export(main->ExportarRelatorio, "com-combinacoes.pdf"));
    EXPECT_NE(withRows.find("ELU 7"), std::string::npos);
    EXPECT_EQ(withRows.find("ELU 9"), std::string::npos);
}

TEST_F(ExportsTest, TheChartAsPngOrSvgByTheFilterChosen)
{
    // The chart is empty after opening: it is generated first.
    ASSERT_TRUE(main->ChCurva->CurvePoints().isEmpty());
    const QString png = Export(main->ExportarGrafico, "grafico", "Imagem PNG (*.png)");
    EXPECT_EQ(main->ChCurva->CurvePoints().size(), 102);
    QImage image;
    ASSERT_TRUE(image.loadFromData(Read(png), "PNG"));
    EXPECT_EQ(image.size(), ChartPictureSize);
    EXPECT_EQ(dialogs->otherAsked.back().filters, QStringList({"Imagem PNG (*.png)", "Desenho SVG (*.svg)"}));

    const QByteArray svg = Read(Export(main->ExportarGrafico, "grafico-svg", "Desenho SVG (*.svg)"));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("</svg>"));
    // A name with a suffix of its own gets its kind.
    EXPECT_TRUE(Read(Export(main->ExportarGrafico, "outro.svg", "Imagem PNG (*.png)")).contains("<svg"));
}

TEST_F(ExportsTest, TheCurveOfTheLastGenerationAsCsv)
{
    QTest::mouseClick(main->BtnGerar, Qt::LeftButton);
    const QList<QPointF> points = main->ChCurva->CurvePoints();
    ASSERT_EQ(points.size(), 102);
    // An edit afterwards does not change the last generation's rows.
    TypeAndLeave(main->EdNd, "-900");
    const QByteArray csv = Read(Export(main->ExportarCurva, "curva.csv"));
    const QList<QByteArray> lines = csv.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 103);
    EXPECT_EQ(lines.front(), "Mx;My");
    const QList<QByteArray> first = lines[1].split(';');
    EXPECT_EQ(first[0].toDouble(), points.front().x());
    EXPECT_EQ(first[1].toDouble(), points.front().y());
}

TEST_F(ExportsTest, AFailedExportEndsInTheErrorBox)
{
    const QString error = [&] {
        dialogs->otherAnswers.push_back({folder.path(), QString()});
        return RunMenuCommand(main->ExportarRelatorio);
    }();
    EXPECT_EQ(error, QString::fromUtf8(NotARegularFileMessage));
}

TEST_F(ExportsTest, NoExportReplacesItsOwnCase)
{
    const QString caseFile = folder.filePath("caso.fxr");
    const std::string text = LoadProjectBytes(FLEXARA_SOURCE_DIR "/examples/pilar-20x40.fxr");
    SaveFileBytes(QFile::encodeName(caseFile).toStdString(), text);
    main->Documents->ReadProjectFile(caseFile);
    ASSERT_TRUE(QFile::link(caseFile, folder.filePath("atalho.pdf")));
    for (QAction* action : {main->ExportarRelatorio, main->ExportarGrafico, main->ExportarCurva}) {
        for (const char* name : {"caso.fxr", "atalho.pdf"}) {
            SCOPED_TRACE(action->text().toStdString() + " " + name);
            dialogs->otherAnswers.push_back({folder.filePath(name), QString()});
            EXPECT_EQ(RunMenuCommand(action),
                      "O arquivo escolhido é o do próprio caso (caso.fxr): a exportação o substituiria. Escolha "
                      "outro nome.");
            EXPECT_EQ(Read(caseFile).toStdString(), text);
        }
    }
}

TEST_F(ExportsTest, ThePrintPathDrawsTheSameReport)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = folder.filePath("impresso.pdf");
    printer.setOutputFileName(path);
    main->PrintReportTo(printer);
    const std::string text = PdfText(path);
    EXPECT_NE(text.find("Memória de cálculo"), std::string::npos);
    EXPECT_NE(text.find("página 2 de 2"), std::string::npos);
}

} // namespace
} // namespace flexara::testing
