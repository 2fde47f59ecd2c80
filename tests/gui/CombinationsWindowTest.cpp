// The window "Combinações de esforços": rows pasted, typed and imported, the
// check and its results in the table, "Mostrar no gráfico", the rows in the
// project file, results that go when the case changes, and the chart's corner.
#include "tests/gui/ProgramWindowsFixture.h"

#include "editor/CombinationsWindow.h"
#include "editor/InteractionChart.h"
#include "editor/SectionGroup.h"
#include "project/ProjectFile.h"
#include "uikit/FieldText.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QTableWidget>
#include <QTemporaryDir>

#include <functional>

namespace flexara::testing {
namespace {

const char* const Example = FLEXARA_SOURCE_DIR "/examples/pilar-20x40.fxr";

class CombinationsWindowTest : public ProgramWithDialogsTest {
protected:
    void SetUp() override
    {
        ProgramWithDialogsTest::SetUp();
        main->Documents->ReadProjectFile(QString::fromUtf8(Example));
        main->Combinacoes->trigger();
    }

    TFCombinacoes* Window() { return windows.FCombinacoes; }
    QTableWidget* Table() { return Window()->Tabela; }
    QString Cell(int r, int c) { return Table()->item(r, c)->text(); }

    void Paste(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        QTest::mouseClick(Window()->BtnColar, Qt::LeftButton);
    }

    // The texts of the error boxes a command shows, each answered; waits up
    // to a second for the first.
    QStringList BoxesOf(const std::function<void()>& command)
    {
        ErrorBoxAnswerer boxes;
        command();
        for (int i = 0; i < 100 && boxes.texts.isEmpty(); ++i)
            QTest::qWait(10);
        return boxes.texts;
    }

    // A click on the box of "Verificar como pilar".
    void TickColumn()
    {
        QTest::mouseClick(Window()->CBPilar, Qt::LeftButton, {}, QPoint(6, Window()->CBPilar->height() / 2));
        ASSERT_TRUE(Window()->CBPilar->isChecked());
    }

    // Three rows as a spreadsheet copies them, a header first, decimal commas.
    void PasteThreeRows()
    {
        Paste(QStringLiteral("Nome\tNd (kN)\tMxd\tMyd\n"
                             "ELU 1\t-500\t60\t20\n"
                             "ELU 2\t-500\t0,5\t150\n"
                             "ELU 3\t-1200,5\t10\t10\n"));
        ASSERT_EQ(Table()->rowCount(), 3);
    }
};

TEST_F(CombinationsWindowTest, TheMenuOpensOneModelessWindow)
{
    const QList<QAction*> items = main->menuBar()->actions();
    const int at = static_cast<int>(items.indexOf(main->Combinacoes));
    ASSERT_GT(at, 0);
    EXPECT_EQ(items[at - 1], main->Configura);
    EXPECT_EQ(items[at + 1], main->Diagramas);
    EXPECT_EQ(main->Combinacoes->text(), "Com&binações");
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_FALSE(Window()->isModal());
    EXPECT_EQ(Window()->windowTitle(), "Combinações de esforços");
    main->Combinacoes->trigger();
    EXPECT_EQ(main->findChildren<TFCombinacoes*>().size(), 1);
    // The columns of a column check stay hidden for a section.
    QStringList headers;
    for (int c = 0; c < Table()->columnCount(); ++c)
        if (!Table()->isColumnHidden(c))
            headers.append(Table()->horizontalHeaderItem(c)->text());
    EXPECT_EQ(headers,
              QStringList({"Nome", "Nd (kN, tração +)", "Mxd (kN.m)", "Myd (kN.m)", "η", "MRd (kN.m)", "Situação"}));
}

TEST_F(CombinationsWindowTest, PastedRowsAreCheckedAndTheGoverningRowMarked)
{
    PasteThreeRows();
    EXPECT_EQ(Cell(0, TFCombinacoes::ColName), "ELU 1");
    EXPECT_EQ(Cell(1, TFCombinacoes::ColMxd), "0,5");
    EXPECT_EQ(Cell(2, TFCombinacoes::ColNd), "-1200,5");
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    ASSERT_TRUE(Window()->Results().has_value());
    EXPECT_EQ(Window()->Results()->generations, 2) << "two rows share Nd = -500";
    // The example column at -500 with (60, 20): eta = 0.5967.
    EXPECT_EQ(Cell(0, TFCombinacoes::ColEta), "0,60");
    EXPECT_EQ(Cell(0, TFCombinacoes::ColSituation), "atende");
    EXPECT_TRUE(Cell(0, TFCombinacoes::ColMRd).contains(QLatin1Char(',')));
    // 150 kN·m about y is beyond the 65 the column gives: it fails and governs.
    EXPECT_EQ(Cell(1, TFCombinacoes::ColSituation), "não atende (determinante)");
    EXPECT_TRUE(Table()->item(1, TFCombinacoes::ColName)->font().bold());
    EXPECT_FALSE(Table()->item(0, TFCombinacoes::ColName)->font().bold());
    EXPECT_EQ(Cell(2, TFCombinacoes::ColSituation), "atende");
    // FLEXARA_SCREENSHOTS=folder keeps pictures for the documentation.
    if (const QByteArray shots = qgetenv("FLEXARA_SCREENSHOTS"); !shots.isEmpty()) {
        Window()->resize(820, 380);
        Table()->setCurrentCell(0, TFCombinacoes::ColName);
        QTest::qWait(100);
        Window()->grab().save(QString::fromLocal8Bit(shots) + "/combinations.png");
        QTest::mouseClick(Window()->BtnMostrar, Qt::LeftButton);
        QTest::qWait(100);
        main->grab().save(QString::fromLocal8Bit(shots) + "/main-with-eta.png");
    }
}

TEST_F(CombinationsWindowTest, AMarkedCellIsNeverSavedExportedOrCheckedAsZero)
{
    PasteThreeRows();
    Table()->item(2, TFCombinacoes::ColMyd)->setText("1.000,5");
    EXPECT_EQ(Cell(2, TFCombinacoes::ColMyd), "1.000,5");
    EXPECT_EQ(Table()->item(2, TFCombinacoes::ColMyd)->toolTip(), "Valor de entrada inválido");
    EXPECT_FALSE(Window()->RowValid(2));
    const QString saved = folder.filePath("marcada.fxr");
    const QString exported = folder.filePath("marcada.csv");
    dialogs->saveAnswers.push_back(saved);
    dialogs->otherAnswers.push_back({exported, QString()});
    const struct {
        const char* name;
        std::function<void()> command;
    } commands[] = {
        {"Salvar como", [&] { main->SavarComo1->trigger(); }},
        {"Exportar CSV", [&] { QTest::mouseClick(Window()->BtnExportar, Qt::LeftButton); }},
        {"Verificar", [&] { QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton); }},
    };
    for (const auto& c : commands) {
        SCOPED_TRACE(c.name);
        const QStringList boxes = BoxesOf(c.command);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes.front(), "Combinação 3: Myd inválido.");
    }
    // Nothing was written, nothing was asked, nothing was checked.
    EXPECT_FALSE(QFile::exists(saved));
    EXPECT_FALSE(QFile::exists(exported));
    EXPECT_EQ(dialogs->saveAsked, 0);
    EXPECT_FALSE(Window()->Results().has_value());
    EXPECT_EQ(Cell(2, TFCombinacoes::ColMyd), "1.000,5");
    // Mended, the row is a number again and everything goes.
    Table()->item(2, TFCombinacoes::ColMyd)->setText("10");
    EXPECT_TRUE(Table()->item(2, TFCombinacoes::ColMyd)->toolTip().isEmpty());
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    ASSERT_TRUE(Window()->Results().has_value());
    EXPECT_EQ(Window()->Results()->rows.size(), 3u);
}

TEST_F(CombinationsWindowTest, APasteIsReadAsWrittenOrRefused)
{
    const struct {
        const char* name;
        const char* text;
        int rows;          // in the table after the paste
        const char* first; // the first row: name|Nd|Mxd|Myd
        const char* refusal;
    } cases[] = {
        {"a first line with a bad cell is a row", "ELU 1\t-5OO\t60\t20\nELU 2\t-500\t0\t0", 2, "ELU 1|-5OO|60|20", ""},
        {"a name of two words between blanks", "ELU 1 -500 60 20", 1, "ELU 1|-500|60|20", ""},
        {"lines ended by CR alone", "A;1;2;3\rB;4;5;6", 2, "A|1|2|3", ""},
        {"a thousands point among decimal commas", "A\t-1.900\t60,5\t20", 0, "",
         "Linha 1, coluna 2: \"-1.900\" é ambíguo: o texto usa a vírgula como separador decimal e este número tem "
         "ponto."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Window()->SetRows({});
        ErrorBoxAnswerer boxes;
        Paste(QString::fromUtf8(c.text));
        QTest::qWait(30);
        EXPECT_EQ(boxes.texts.join("/"), QString::fromUtf8(c.refusal));
        ASSERT_EQ(Table()->rowCount(), c.rows);
        if (c.rows > 0) {
            EXPECT_EQ(QStringList({Cell(0, 0), Cell(0, 1), Cell(0, 2), Cell(0, 3)}).join("|"),
                      QString::fromUtf8(c.first));
        }
    }
    // The bad cell is marked, not skipped.
    Paste(QStringLiteral("ELU 1\t-5OO\t60\t20"));
    EXPECT_FALSE(Window()->RowValid(0));
}

TEST_F(CombinationsWindowTest, PastTheCapacityTheWindowSaysWhatWentInAndStaysUsable)
{
    std::string csv = "nome;nd;mxd;myd\r\n";
    for (int i = 0; i < 1003; ++i)
        csv += "C" + std::to_string(i) + ";-500;" + std::to_string(i % 90) + ";0\r\n";
    const QString input = folder.filePath("muitas.csv");
    SaveFileBytes(QFile::encodeName(input).toStdString(), csv);
    {
        dialogs->otherAnswers.push_back({input, QString()});
        ErrorBoxAnswerer boxes;
        QTest::mouseClick(Window()->BtnImportar, Qt::LeftButton);
        for (int i = 0; i < 100 && boxes.texts.isEmpty(); ++i)
            QTest::qWait(10);
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_EQ(boxes.texts.front(),
                  "1000 combinações acrescentadas e 3 deixadas de fora: o máximo é de 1000 combinações.");
    }
    EXPECT_EQ(Table()->rowCount(), 1000);
    EXPECT_EQ(Cell(999, TFCombinacoes::ColName), "C999");
    EXPECT_TRUE(Window()->BtnVerificar->isEnabled());
    EXPECT_TRUE(Window()->BtnExportar->isEnabled());
    {
        ErrorBoxAnswerer boxes;
        Paste(QStringLiteral("A;1;2;3\nB;4;5;6"));
        for (int i = 0; i < 100 && boxes.texts.isEmpty(); ++i)
            QTest::qWait(10);
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_EQ(boxes.texts.front(),
                  "0 combinações acrescentadas e 2 deixadas de fora: o máximo é de 1000 combinações.");
    }
    EXPECT_EQ(Table()->rowCount(), 1000);
}

TEST_F(CombinationsWindowTest, ACsvOfExcelInWindows1252ReadsItsAccents)
{
    const QString input = folder.filePath("excel.csv");
    SaveFileBytes(QFile::encodeName(input).toStdString(), "nome;nd;mxd;myd\r\nTra\xE7\xE3o;-500;60,5;20\r\n");
    dialogs->otherAnswers.push_back({input, QString()});
    QTest::mouseClick(Window()->BtnImportar, Qt::LeftButton);
    ASSERT_EQ(Table()->rowCount(), 1);
    EXPECT_EQ(Cell(0, TFCombinacoes::ColName), "Tração");
    EXPECT_EQ(Cell(0, TFCombinacoes::ColMxd), "60,5");
}

TEST_F(CombinationsWindowTest, ADamagedBlockIsRefusedAtItsLine)
{
    const QString path = folder.filePath("fantasma.fxr");
    SaveFileBytes(QFile::encodeName(path).toStdString(),
                  LoadProjectBytes(Example) + "combinacoes\r\n2\r\nA\r\n-500\r\n60\r\n20\r\n");
    dialogs->openAnswers.push_back(path);
    const QString error = RunMenuCommand(main->Abrir1);
    EXPECT_TRUE(error.endsWith("o arquivo acaba antes do fim do bloco de combinações (Invalid numeric input)"))
        << error.toStdString();
    EXPECT_TRUE(error.startsWith("Linha ")) << error.toStdString();
    EXPECT_EQ(Table()->rowCount(), 0) << "no phantom row";
}

TEST_F(CombinationsWindowTest, MostrarNoGraficoDrawsTheSelectedRow)
{
    PasteThreeRows();
    Table()->setCurrentCell(0, TFCombinacoes::ColName);
    QTest::mouseClick(Window()->BtnMostrar, Qt::LeftButton);
    EXPECT_EQ(main->EdNd->text(), "-500");
    EXPECT_EQ(main->EdMdx->text(), "60");
    EXPECT_EQ(main->EdMdy->text(), "20");
    EXPECT_EQ(State().Nd, -500.0);
    TChCurva* chart = main->ChCurva;
    ASSERT_EQ(chart->CurvePoints().size(), 102);
    ASSERT_EQ(chart->DesignPoints().size(), 1);
    EXPECT_EQ(chart->DesignPoints().front(), QPointF(60, 20));
    EXPECT_EQ(chart->CornerText(), "η = 0,60");
    // A point outside the curve reads "fora".
    Table()->setCurrentCell(1, TFCombinacoes::ColName);
    QTest::mouseClick(Window()->BtnMostrar, Qt::LeftButton);
    EXPECT_EQ(chart->CornerText(), "fora");
    // A refused generation leaves no corner text. "Mostrar no gráfico" wrote
    // the main fields: Novo asks first.
    EXPECT_TRUE(testing::AnsweringSaveQuestion([&] { main->Novo1->trigger(); }));
    EXPECT_EQ(chart->CornerText(), "");
}

TEST_F(CombinationsWindowTest, AnEditOfTheCaseClearsTheResultsButNotTheRows)
{
    PasteThreeRows();
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    ASSERT_TRUE(Window()->Results().has_value());
    // The actions of the main window are no part of the check.
    TypeAndLeave(main->EdNd, "-700");
    EXPECT_TRUE(Window()->Results().has_value());
    // The section is.
    TypeInto(main->Secao().Eds[0], "25");
    EXPECT_FALSE(Window()->Results().has_value());
    EXPECT_EQ(Cell(0, TFCombinacoes::ColEta), "");
    EXPECT_EQ(Cell(1, TFCombinacoes::ColSituation), "");
    EXPECT_FALSE(Table()->item(1, TFCombinacoes::ColName)->font().bold());
    EXPECT_EQ(Table()->rowCount(), 3);
    // And so are the materials and the settings.
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    ASSERT_TRUE(Window()->Results().has_value());
    main->CombAco->setCurrentIndex(2);
    FocusOn(main->CombAco);
    LeaveWithTab(main->CombAco);
    EXPECT_FALSE(Window()->Results().has_value());
}

TEST_F(CombinationsWindowTest, RowsSurviveSaveAndOpenAndANewCaseHasNone)
{
    PasteThreeRows();
    const QString path = folder.filePath("com-combinacoes.fxr");
    dialogs->saveAnswers.push_back(path);
    EXPECT_EQ(RunMenuCommand(main->SavarComo1), "");
    const std::string bytes = LoadProjectBytes(QFile::encodeName(path).toStdString());
    EXPECT_NE(bytes.find("\r\ncombinacoes\r\n3\r\nELU 1\r\n"), std::string::npos);

    main->Novo1->trigger();
    EXPECT_EQ(Table()->rowCount(), 0);
    dialogs->openAnswers.push_back(path);
    EXPECT_EQ(RunMenuCommand(main->Abrir1), "");
    ASSERT_EQ(Table()->rowCount(), 3);
    EXPECT_EQ(Cell(2, TFCombinacoes::ColName), "ELU 3");
    EXPECT_EQ(Cell(2, TFCombinacoes::ColNd), "-1200,5");
    EXPECT_EQ(Cell(1, TFCombinacoes::ColMxd), "0,5");
    // The same file again: a case opened and saved writes what it read.
    const QString again = folder.filePath("de-novo.fxr");
    dialogs->saveAnswers.push_back(again);
    EXPECT_EQ(RunMenuCommand(main->SavarComo1), "");
    EXPECT_EQ(LoadProjectBytes(QFile::encodeName(again).toStdString()), bytes);
}

TEST_F(CombinationsWindowTest, CsvImportAndExport)
{
    const QString input = folder.filePath("entrada.csv");
    SaveFileBytes(QFile::encodeName(input).toStdString(), "nome;nd;mxd;myd\nA;-500;60;20\nB;-300;-40.5;0\n");
    dialogs->otherAnswers.push_back({input, QString()});
    QTest::mouseClick(Window()->BtnImportar, Qt::LeftButton);
    ASSERT_EQ(Table()->rowCount(), 2);
    EXPECT_EQ(Cell(1, TFCombinacoes::ColMxd), "-40,5");
    EXPECT_FALSE(dialogs->otherAsked.back().save);

    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    const QString output = folder.filePath("saida.csv");
    dialogs->otherAnswers.push_back({output, QString()});
    QTest::mouseClick(Window()->BtnExportar, Qt::LeftButton);
    const std::string written = LoadProjectBytes(QFile::encodeName(output).toStdString());
    EXPECT_EQ(written.rfind("\xEF\xBB\xBFNome;Nd (kN, tração +);Mxd (kN.m);Myd (kN.m);situacao;eta;mrx;mry;mrd;"
                            "axial;determinante\r\nA;-500;60;20;atende;0,59667",
                            0),
              0u)
        << written;

    // A file that is no CSV of combinations ends in the error box.
    const QString bad = folder.filePath("ruim.csv");
    SaveFileBytes(QFile::encodeName(bad).toStdString(), "x;y\n1;2\n");
    dialogs->otherAnswers.push_back({bad, QString()});
    ErrorBoxAnswerer boxes;
    QTest::mouseClick(Window()->BtnImportar, Qt::LeftButton);
    for (int i = 0; i < 50 && boxes.texts.isEmpty(); ++i)
        QTest::qWait(10);
    ASSERT_EQ(boxes.texts.size(), 1);
    EXPECT_TRUE(boxes.texts.front().startsWith("Linha 1: o cabeçalho")) << boxes.texts.front().toStdString();
    EXPECT_EQ(Table()->rowCount(), 2);
}

TEST_F(CombinationsWindowTest, ALongCheckShowsItsProgressAndCanBeCancelled)
{
    // A section of many bars and many distinct Nd keeps the workers busy for
    // more than half a second.
    AnalysisState& s = State();
    s.LineCount = 40;
    for (int k = 0; k < 40; ++k) {
        BarLine& line = s.BarLines[static_cast<std::size_t>(k)];
        line = BarLine{};
        line.BarCount = 60;
        line.Diameter = 10;
        line.X1 = 4;
        line.X2 = 16;
        line.Y1 = line.Y2 = 5 + 0.75 * k;
    }
    main->TaxaArmadura();
    QString rows;
    for (int i = 0; i < 60; ++i)
        rows += QStringLiteral("C%1\t%2\t10\t5\n").arg(i).arg(-1800 + 25 * i);
    Paste(rows);
    ASSERT_EQ(Table()->rowCount(), 60);
    bool progressShown = false;
    ModalScript script({[&](QWidget* modal) {
                           auto* progress = qobject_cast<QProgressDialog*>(modal);
                           ASSERT_NE(progress, nullptr);
                           progressShown = true;
                           EXPECT_EQ(progress->labelText(), "Verificando as combinações...");
                           progress->cancel();
                       }},
                       60000);
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    EXPECT_TRUE(progressShown);
    EXPECT_FALSE(Window()->Results().has_value()) << "a cancelled check shows nothing";
}

// Nd, Mx top, My top, Mx base, My base: the usual layout of a column's loads.
TEST_F(CombinationsWindowTest, FiveNumbersPastedAreNdTheTopsAndTheBases)
{
    const struct {
        const char* name;
        const char* text;
        const char* row; // name|Nd|Mxd|Myd|Mxd base|Myd base
    } cases[] = {
        {"five between tabs", "-500\t60\t20\t-30\t10", "Comb. 1|-500|60|20|-30|10"},
        {"six with the name", "P1;-500;60,5;20;-30;10", "P1|-500|60,5|20|-30|10"},
        {"blanks and a name of two words", "ELU 1 -500 60 20 -30 10", "ELU 1|-500|60|20|-30|10"},
        {"a header with the bases in the other order", "nome;nd;mxd;myd;myd_base;mxd_base\nP2;-500;60;20;10;-30",
         "P2|-500|60|20|-30|10"},
    };
    TickColumn();
    ErrorBoxAnswerer boxes; // a refusal would be a fault here, not a hang
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Window()->SetRows({});
        Paste(QString::fromUtf8(c.text));
        EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join("/").toStdString();
        ASSERT_EQ(Table()->rowCount(), 1);
        QStringList cells;
        for (int col = TFCombinacoes::ColName; col <= TFCombinacoes::ColMydBase; ++col)
            cells.append(Cell(0, col));
        EXPECT_EQ(cells.join("|"), QString::fromUtf8(c.row));
        // Compression, as typed: not the +120 of a shifted row.
        EXPECT_EQ(Window()->Rows()[0].Nd, -500.0);
        EXPECT_EQ(Window()->Rows()[0].MydBase, 10.0);
    }
}

TEST_F(CombinationsWindowTest, BaseMomentsWithoutTheColumnTickedAreRefused)
{
    const QString input = folder.filePath("bases.csv");
    SaveFileBytes(QFile::encodeName(input).toStdString(), "nome;nd;mxd;myd;mxd_base\nA;-500;60;20;-30\n");
    const struct {
        const char* name;
        std::function<void()> command;
    } commands[] = {
        {"Colar", [&] { Paste(QStringLiteral("-500\t60\t20\t-30\t10")); }},
        {"Importar CSV",
         [&] {
             dialogs->otherAnswers.push_back({input, QString()});
             QTest::mouseClick(Window()->BtnImportar, Qt::LeftButton);
         }},
    };
    ASSERT_FALSE(Window()->CBPilar->isChecked());
    for (const auto& c : commands) {
        SCOPED_TRACE(c.name);
        const QStringList boxes = BoxesOf(c.command);
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes.front().contains("marque \"Verificar como pilar\"")) << boxes.front().toStdString();
        EXPECT_EQ(Table()->rowCount(), 0);
    }
}

// What a Brazilian spreadsheet opens as written: a byte-order mark, ";",
// decimal commas and 15 significant digits (160,5 stays 160,5; 1/3 is
// 0,333333333333333; 123456789012345678 is 1,23456789012346E17).
TEST_F(CombinationsWindowTest, TheExportIsWhatASpreadsheetReadsAsWritten)
{
    ErrorBoxAnswerer boxes; // a refusal would be a fault here, not a hang
    Paste(QStringLiteral("ELU 1\t-1200,5\t0,333333333333333333\t1E-7\n"
                         "B\t160,5\t123456789012345678\t-0,1\n"));
    ASSERT_EQ(Table()->rowCount(), 2);
    const QString output = folder.filePath("planilha.csv");
    dialogs->otherAnswers.push_back({output, QString()});
    QTest::mouseClick(Window()->BtnExportar, Qt::LeftButton);
    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join("/").toStdString();
    EXPECT_EQ(LoadProjectBytes(QFile::encodeName(output).toStdString()),
              "\xEF\xBB\xBFNome;Nd (kN, tração +);Mxd (kN.m);Myd (kN.m)\r\n"
              "ELU 1;-1200,5;0,333333333333333;1E-7\r\n"
              "B;160,5;1,23456789012346E17;-0,1\r\n");
}

TEST_F(CombinationsWindowTest, AnExportImportsBackToTheSameRows)
{
    // A column, with base moments given and not, checked: the export carries
    // the results too, which the import skips.
    TickColumn();
    Window()->EdLeX->setText("280");
    Window()->EdLeY->setText("280");
    ErrorBoxAnswerer boxes; // a refusal would be a fault here, not a hang
    Paste(QStringLiteral("Nome\tNd\tMxd\tMyd\tMxd base\tMyd base\n"
                         "ELU 1\t-500\t60\t20\t-30\t\n"
                         "Vento à esquerda\t-1200,5\t0,333333333333333\t1E-7\t\t10\n"
                         "Tração\t150\t0\t-12,25\t\t\n"));
    ASSERT_EQ(Table()->rowCount(), 3);
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    ASSERT_TRUE(Window()->Results().has_value());
    const CombinationList before = Window()->Rows();
    ASSERT_EQ(before[0].MxdBase, -30.0);
    ASSERT_FALSE(before[0].MydBase.has_value());
    ASSERT_EQ(before[1].MydBase, 10.0);
    QStringList texts;
    for (int r = 0; r < 3; ++r)
        for (int c = TFCombinacoes::ColName; c <= TFCombinacoes::ColMydBase; ++c)
            texts.append(Cell(r, c));

    const QString output = folder.filePath("ida-e-volta.csv");
    dialogs->otherAnswers.push_back({output, QString()});
    QTest::mouseClick(Window()->BtnExportar, Qt::LeftButton);
    ASSERT_NE(LoadProjectBytes(QFile::encodeName(output).toStdString()).find(";situacao;eta;"), std::string::npos);
    Window()->SetRows({});
    dialogs->otherAnswers.push_back({output, QString()});
    QTest::mouseClick(Window()->BtnImportar, Qt::LeftButton);

    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join("/").toStdString();
    const CombinationList after = Window()->Rows();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(after[i].name, before[i].name);
        EXPECT_EQ(after[i].Nd, before[i].Nd);
        EXPECT_EQ(after[i].Mxd, before[i].Mxd);
        EXPECT_EQ(after[i].Myd, before[i].Myd);
        EXPECT_EQ(after[i].MxdBase, before[i].MxdBase);
        EXPECT_EQ(after[i].MydBase, before[i].MydBase);
    }
    QStringList again;
    for (int r = 0; r < 3; ++r)
        for (int c = TFCombinacoes::ColName; c <= TFCombinacoes::ColMydBase; ++c)
            again.append(Cell(r, c));
    EXPECT_EQ(again, texts);
}

} // namespace
} // namespace flexara::testing
