// The group "Pilar" of the window "Combinações de esforços": its widgets, the
// base moments' columns, the check as a column with its details and its
// point on the chart, and the column in the project file.
#include "tests/gui/ProgramWindowsFixture.h"

#include "editor/CombinationsWindow.h"
#include "editor/DiagramsWindow.h"
#include "editor/InteractionChart.h"
#include "project/ProjectFile.h"
#include "tests/project/ProjectTestSupport.h"
#include "texts/Words.h"
#include "uikit/CaptionedComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include <cmath>
#include <functional>

namespace flexara::testing {
namespace {

const char* const Slender = FLEXARA_SOURCE_DIR "/examples/pilar-esbelto.fxr";
const char* const Plain = FLEXARA_SOURCE_DIR "/examples/pilar-20x40-combinacoes.fxr";

class ColumnWindowTest : public ProgramWithDialogsTest {
protected:
    void SetUp() override
    {
        ProgramWithDialogsTest::SetUp();
        main->Combinacoes->trigger();
    }
    void Open(const char* path) { main->Documents->ReadProjectFile(QString::fromUtf8(path)); }
    TFCombinacoes* Window() { return windows.FCombinacoes; }
    QTableWidget* Table() { return Window()->Tabela; }
    QString Cell(int r, int c) { return Table()->item(r, c)->text(); }
    QString SaveAs(const QString& name)
    {
        const QString path = folder.filePath(name);
        dialogs->saveAnswers.push_back(path);
        EXPECT_EQ(RunMenuCommand(main->SavarComo1), "");
        return path;
    }
};

TEST_F(ColumnWindowTest, TheGroupAndTheColumnsItShows)
{
    EXPECT_EQ(Window()->GBPilar->title(), "Pilar");
    EXPECT_EQ(Window()->CBPilar->text(), "Verificar como pilar (NBR 6118:2014)");
    EXPECT_FALSE(Window()->CBPilar->isChecked());
    const QStringList conditions = {"biapoiado, sem cargas transversais",
                                    "biapoiado, com cargas transversais significativas",
                                    "em balanço (engastado na base)"};
    EXPECT_EQ(Items(Window()->CombApoioX), conditions);
    EXPECT_EQ(Items(Window()->CombApoioY), conditions);
    EXPECT_EQ(Items(Window()->CombMetodo),
              QStringList({"pilar-padrão com curvatura aproximada", "pilar-padrão com rigidez κ aproximada",
                           "pilar-padrão acoplado a diagramas M, N, 1/r", "método geral"}));
    for (QWidget* w :
         std::initializer_list<QWidget*>{Window()->CBPilar, Window()->EdLeX, Window()->EdLeY, Window()->CombApoioX,
                                         Window()->CombApoioY, Window()->CombMetodo}) {
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_FALSE(w->accessibleName().isEmpty());
        if (w != Window()->CBPilar) {
            EXPECT_FALSE(w->isEnabled()) << "off until the box is checked";
        }
    }
    const int extra[] = {TFCombinacoes::ColMxdBase, TFCombinacoes::ColMydBase, TFCombinacoes::ColGoverning};
    for (int c : extra)
        EXPECT_TRUE(Table()->isColumnHidden(c));
    EXPECT_FALSE(Window()->BtnDetalhes->isVisible());
    Window()->CBPilar->setChecked(true);
    for (int c : extra)
        EXPECT_FALSE(Table()->isColumnHidden(c));
    EXPECT_TRUE(Window()->EdLeX->isEnabled());
    EXPECT_TRUE(Window()->BtnDetalhes->isVisible());
    // After Myd, in this order.
    EXPECT_EQ(Table()->horizontalHeaderItem(TFCombinacoes::ColMyd + 1)->text(), "Mxd base (kN.m)");
    EXPECT_EQ(Table()->horizontalHeaderItem(TFCombinacoes::ColMyd + 2)->text(), "Myd base (kN.m)");
    EXPECT_EQ(Table()->horizontalHeaderItem(TFCombinacoes::ColGoverning)->text(), "Situação determinante");
}

TEST_F(ColumnWindowTest, TheCheckAsAColumnItsDetailsAndItsPoint)
{
    Open(Slender);
    ASSERT_TRUE(Window()->CBPilar->isChecked());
    EXPECT_EQ(Window()->EdLeX->text(), "280");
    ASSERT_EQ(Table()->rowCount(), 4);
    EXPECT_EQ(Cell(1, TFCombinacoes::ColMxdBase), "25");
    EXPECT_EQ(Cell(2, TFCombinacoes::ColMxdBase), "-30");
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    ASSERT_TRUE(Window()->Results().has_value());
    ASSERT_TRUE(Window()->Results()->rows[0].column.has_value());
    EXPECT_EQ(Cell(0, TFCombinacoes::ColGoverning), "seção intermediária");
    // Row 1, the 20 x 50 column at Nd = -1400, le = 280 (worked in
    // tests/cli/ColumnCheckTest.cpp): Md,tot 42 about x, 53,19 about y.
    const QString details = Window()->DetailsText(0);
    EXPECT_TRUE(details.contains("Md,tot (kN·m)")) << details.toStdString();
    EXPECT_TRUE(details.contains("53,19")) << details.toStdString();
    EXPECT_TRUE(details.contains("42,00")) << details.toStdString();
    EXPECT_TRUE(details.contains("seção intermediária")) << details.toStdString();
    EXPECT_TRUE(details.contains("(determinante)")) << details.toStdString();
    // The numbers come in the order the code computes them.
    const char* const order[] = {"\nh (cm)", "\ni (cm)", "λ = le/i", "M1d,min",  "\nMA ", "\nMB ",  "αb",
                                 "e1 (cm)",  "λ1",       "M1d,A",    "2ª ordem", "1/r",   "Md,tot", "Md,min,tot"};
    qsizetype at = 0;
    for (const char* label : order) {
        const qsizetype next = details.indexOf(QString::fromUtf8(label), at);
        EXPECT_GT(next, at) << label;
        at = std::max(at, next);
    }
    EXPECT_TRUE(Window()->DetailsText(3).contains("Nd de tração: sem verificação de pilar"));
    // "Mostrar no gráfico" draws the situation that governs.
    Table()->setCurrentCell(0, TFCombinacoes::ColName);
    EXPECT_TRUE(Window()->BtnDetalhes->isEnabled());
    QTest::mouseClick(Window()->BtnMostrar, Qt::LeftButton);
    EXPECT_EQ(State().Nd, -1400.0);
    EXPECT_NEAR(std::fabs(State().Mxd), 42.0, 1e-9);
    EXPECT_NEAR(std::fabs(State().Myd), 53.19, 0.005);
    ASSERT_EQ(main->ChCurva->DesignPoints().size(), 1);
    EXPECT_NEAR(std::fabs(main->ChCurva->DesignPoints().front().y()), 53.19, 0.005);

    // Exported, the rows keep their base moments and the column's results.
    const QString csv = folder.filePath("pilar.csv");
    dialogs->otherAnswers.push_back({csv, QString()});
    QTest::mouseClick(Window()->BtnExportar, Qt::LeftButton);
    const std::string exported = LoadCsvBytes(QFile::encodeName(csv).toStdString());
    EXPECT_EQ(exported.rfind("\xEF\xBB\xBFNome;Nd (kN, tração +);Mxd (kN.m);Myd (kN.m);Mxd base (kN.m);Myd base "
                             "(kN.m);situacao;",
                             0),
              0u)
        << exported;
    EXPECT_NE(exported.find("\r\nELU 2 - curvatura simples;-1000;50;15;25;10;atende;"), std::string::npos) << exported;
    if (const QByteArray shots = qgetenv("FLEXARA_SCREENSHOTS"); !shots.isEmpty()) {
        Window()->resize(900, 360);
        QTest::qWait(100);
        Window()->grab().save(QString::fromLocal8Bit(shots) + "/column.png");
    }

    // Past λ = 90 the row is refused, named: le = 600 cm gives
    // λ = 600/(20/√12) = 103,9 about y.
    Window()->EdLeY->setText("600");
    EXPECT_FALSE(Window()->Results().has_value()) << "another column, another check";
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    ASSERT_TRUE(Window()->Results().has_value());
    EXPECT_TRUE(Cell(0, TFCombinacoes::ColSituation)
                    .startsWith("λ = 103,92 > 90 para Myd: os métodos aproximados não se aplicam"))
        << Cell(0, TFCombinacoes::ColSituation).toStdString();
    EXPECT_TRUE(Window()->DetailsText(0).contains("λ = 103,92 > 90 para Myd"));
}

TEST_F(ColumnWindowTest, AfterVerificarTheWindowStatesTheCasesVerdictAndItsWarnings)
{
    Open(Plain);
    const struct {
        const char* name;
        const char* le;
        // Cell texts put into the table before the check: Nd of rows 0..3.
        std::vector<const char*> nds;
        const char* verdict; // how the verdict begins
        const char* warning;
    } cases[] = {
        // le = 400: ELU 2 fails at its intermediate section.
        {"a slender column",
         "400",
         {},
         "O pilar não atende: combinação determinante ELU 2 - vento em X, seção "
         "intermediária, η = ",
         ""},
        // Compression typed positive: no row compresses the column.
        {"compression typed positive",
         "100",
         {"500", "1200", "500", "200"},
         "O pilar",
         "Nenhuma combinação comprime o pilar: neste programa a compressão é negativa (Nd < 0)"},
    };
    Window()->CBPilar->setChecked(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Window()->EdLeX->setText(QString::fromUtf8(c.le));
        Window()->EdLeY->setText(QString::fromUtf8(c.le));
        for (std::size_t r = 0; r < c.nds.size(); ++r)
            Table()->item(static_cast<int>(r), TFCombinacoes::ColNd)->setText(QString::fromUtf8(c.nds[r]));
        EXPECT_FALSE(Window()->LblVeredito->isVisible()) << "no verdict before the check";
        QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
        ASSERT_TRUE(Window()->Verdict().has_value());
        EXPECT_TRUE(Window()->LblVeredito->isVisible());
        EXPECT_TRUE(Window()->LblVeredito->text().startsWith(QString::fromUtf8(c.verdict)))
            << Window()->LblVeredito->text().toStdString();
        EXPECT_EQ(Window()->LblVeredito->text().toStdString(), CaseVerdictText(*Window()->Verdict()));
        EXPECT_EQ(Window()->LblAviso->isVisible(), *c.warning != '\0');
        EXPECT_EQ(Window()->LblAviso->text(), QString::fromUtf8(c.warning));
        if (const QByteArray shots = qgetenv("FLEXARA_SCREENSHOTS"); !shots.isEmpty() && *c.warning) {
            Window()->resize(900, 400);
            QTest::qWait(100);
            Window()->grab().save(QString::fromLocal8Bit(shots) + "/column-warning.png");
        }
    }
    // An edit of the rows takes the verdict with the results.
    Table()->item(0, TFCombinacoes::ColNd)->setText("-500");
    EXPECT_FALSE(Window()->Verdict().has_value());
    EXPECT_FALSE(Window()->LblVeredito->isVisible());
    EXPECT_FALSE(Window()->LblAviso->isVisible());
}

TEST_F(ColumnWindowTest, MostrarNoGraficoDrawsTheGoverningSituationAndNamesIt)
{
    Open(WriteFailingColumn(folder).toUtf8().constData());
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    ASSERT_TRUE(Window()->Results().has_value());
    TChCurva* chart = main->ChCurva;
    // The governing points worked by hand (tests/engine/SurfaceTest.cpp).
    const struct {
        int row;
        double mx, my;
        const char* label;
    } cases[] = {
        {0, 60, 40, "Combinação: ELU 1 - peso proprio + sobrecarga\nSituação: seção intermediária"},
        {1, 80, 65.2, "Combinação: ELU 2 - vento em X\nSituação: seção intermediária"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        Table()->setCurrentCell(c.row, TFCombinacoes::ColName);
        QTest::mouseClick(Window()->BtnMostrar, Qt::LeftButton);
        EXPECT_NEAR(State().Mxd, c.mx, 1e-9);
        EXPECT_NEAR(State().Myd, c.my, 1e-9);
        // Each field from its first digit.
        for (QLineEdit* field : {main->EdNd, main->EdMdx, main->EdMdy})
            EXPECT_EQ(field->cursorPosition(), 0) << field->objectName().toStdString();
        EXPECT_EQ(chart->LoadLabel(), QString::fromUtf8(c.label));
        ASSERT_EQ(chart->DesignPoints().size(), 1);
        EXPECT_NEAR(chart->DesignPoints().front().y(), c.my, 1e-9);
        // The chart's η is the table's: the point is the one the table's η
        // belongs to ("fora" past the curve).
        const QString eta = Cell(c.row, TFCombinacoes::ColEta);
        const bool holds =
            Window()->Results()->rows[static_cast<std::size_t>(c.row)].status == CombinationStatus::Holds;
        EXPECT_EQ(chart->CornerText(), holds ? QStringLiteral("η = ") + eta : QStringLiteral("fora"))
            << eta.toStdString();
        if (const QByteArray shots = qgetenv("FLEXARA_SCREENSHOTS"); !shots.isEmpty()) {
            QTest::qWait(100);
            main->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/shown-row-%1.png").arg(c.row));
        }
    }
    // A generation for other actions drops the name.
    main->EdNd->setText("-600");
    main->EdNdExit();
    main->BtnGerarClick();
    ASSERT_EQ(State().Nd, -600.0);
    EXPECT_EQ(chart->LoadLabel(), "");
}

TEST_F(ColumnWindowTest, ABadBaseCellOrLengthIsMarkedAndRefused)
{
    Open(Slender);
    Table()->item(1, TFCombinacoes::ColMydBase)->setText("1.0,5");
    EXPECT_EQ(Table()->item(1, TFCombinacoes::ColMydBase)->toolTip(), "Valor de entrada inválido");
    // An empty base cell is the top's: no mark.
    Table()->item(2, TFCombinacoes::ColMxdBase)->setText("");
    EXPECT_TRUE(Table()->item(2, TFCombinacoes::ColMxdBase)->toolTip().isEmpty());
    EXPECT_FALSE(Window()->Rows()[2].MxdBase.has_value());
    const struct {
        const char* name;
        std::function<void()> arrange;
        const char* message;
    } cases[] = {
        {"a base cell", [] {}, "Combinação 2: Myd base inválido."},
        {"a length",
         [this] {
             Table()->item(1, TFCombinacoes::ColMydBase)->setText("10");
             Window()->EdLeX->setText("abc");
         },
         "Pilar: le (Mxd) inválido."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        ErrorBoxAnswerer boxes;
        QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
        for (int i = 0; i < 100 && boxes.texts.isEmpty(); ++i)
            QTest::qWait(10);
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_EQ(boxes.texts.front(), c.message);
        EXPECT_FALSE(Window()->Results().has_value());
    }
    // Without the column the base cells are no part of the check.
    Window()->CBPilar->setChecked(false);
    Table()->item(1, TFCombinacoes::ColMydBase)->setText("x");
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    ASSERT_TRUE(Window()->Results().has_value());
    EXPECT_FALSE(Window()->Results()->rows[0].column.has_value());
}

// A column needs its lengths: ticked, the box leaves them empty, and every
// command that checks or keeps the column refuses it, naming the bending. A
// file with le 0 (older files were saved so) opens with its 0 shown, and is
// refused the same way.
TEST_F(ColumnWindowTest, AColumnWithoutItsLengthsIsRefusedNamingTheBending)
{
    Open(Plain);
    Window()->CBPilar->setChecked(true);
    EXPECT_EQ(Window()->EdLeX->text(), "");
    EXPECT_EQ(Window()->EdLeY->text(), "");
    const QString missingX = "Pilar: le (Mxd) não informado: o comprimento de flambagem deve ser positivo.";
    const QString zeroY = "Pilar: le (Myd) nulo: o comprimento de flambagem deve ser positivo.";
    std::string zero = LoadProjectBytes(Slender);
    const std::string lengths = "pilar\r\n 2.80000000000000E+0002\r\n 2.80000000000000E+0002\r\n";
    zero.replace(zero.find(lengths), lengths.size(), "pilar\r\n 2.80000000000000E+0002\r\n 0.00000000000000E+0000\r\n");
    const QString zeroFile = folder.filePath("zero.fxr");
    SaveFileBytes(QFile::encodeName(zeroFile).toStdString(), zero);
    const struct {
        const char* name;
        std::function<void()> arrange;
        std::function<QString()> command; // the error box's text
        QString message;
    } cases[] = {
        {"Verificar, both empty", [] {}, [this] { return Click(Window()->BtnVerificar); }, missingX},
        {"Dimensionar, both empty", [] {}, [this] { return Click(Window()->BtnDimensionar); }, missingX},
        {"Salvar, both empty", [] {}, [this] { return RunMenuCommand(main->SavarComo1); }, missingX},
        {"Verificar, Myd empty", [this] { Window()->EdLeX->setText("280"); },
         [this] { return Click(Window()->BtnVerificar); },
         "Pilar: le (Myd) não informado: o comprimento de flambagem deve ser positivo."},
        {"Verificar, Mxd of blanks", [this] { Window()->EdLeX->setText("  "); },
         [this] { return Click(Window()->BtnVerificar); }, missingX},
        {"Verificar, Mxd zero", [this] { Window()->EdLeX->setText("0"); },
         [this] { return Click(Window()->BtnVerificar); },
         "Pilar: le (Mxd) nulo: o comprimento de flambagem deve ser positivo."},
        {"a file with le 0, Verificar",
         [this, &zeroFile] {
             main->Documents->ReadProjectFile(zeroFile);
             EXPECT_EQ(Window()->EdLeY->text(), "0") << "the file's length as written";
         },
         [this] { return Click(Window()->BtnVerificar); }, zeroY},
        {"a file with le 0, Salvar", [] {}, [this] { return RunMenuCommand(main->Salvar1); }, zeroY},
        {"a file with le 0, Dimensionar", [] {}, [this] { return Click(Window()->BtnDimensionar); }, zeroY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        dialogs->saveAnswers.push_back(folder.filePath("never.fxr"));
        EXPECT_EQ(c.command(), c.message);
        EXPECT_FALSE(Window()->Results().has_value());
        EXPECT_TRUE(Window()->FDimensionamento.isNull());
        dialogs->saveAnswers.clear();
    }
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("never.fxr")));
    EXPECT_EQ(LoadProjectBytes(QFile::encodeName(zeroFile).toStdString()), zero) << "not saved over";
    // Given, the lengths check.
    Window()->EdLeY->setText("280");
    EXPECT_EQ(Click(Window()->BtnVerificar), "");
    EXPECT_TRUE(Window()->Results().has_value());
}

// A row at Nd = 0 has no column check, and is no tension either.
TEST_F(ColumnWindowTest, ARowAtZeroNdIsSaidAsSuch)
{
    Open(Slender);
    Table()->item(3, TFCombinacoes::ColNd)->setText("0");
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    ASSERT_TRUE(Window()->Results().has_value());
    EXPECT_EQ(Window()->Results()->rows[3].column->status, ColumnCheckStatus::ZeroForce);
    const QString details = Window()->DetailsText(3);
    EXPECT_TRUE(details.contains("Nd nulo: sem verificação de pilar")) << details.toStdString();
    EXPECT_FALSE(details.contains("tração")) << details.toStdString();
}

TEST_F(ColumnWindowTest, TheColumnBelongsToTheCaseFile)
{
    // Opened and saved, the example comes back byte for byte: the column and
    // every base moment.
    Open(Slender);
    const QString saved = SaveAs("pilar.fxr");
    const std::string original = LoadProjectBytes(Slender);
    EXPECT_EQ(LoadProjectBytes(QFile::encodeName(saved).toStdString()), original);

    // Edited in the window, saved and opened again.
    Window()->EdLeY->setText("350,5");
    Window()->CombApoioX->setCurrentIndex(2);
    Window()->CombMetodo->setCurrentIndex(3);
    Table()->item(0, TFCombinacoes::ColMxdBase)->setText("-12,5");
    const QString edited = SaveAs("editado.fxr");
    main->Novo1->trigger();
    EXPECT_FALSE(Window()->CBPilar->isChecked()) << "a new case has no column";
    EXPECT_EQ(Table()->rowCount(), 0);
    main->Documents->ReadProjectFile(edited);
    EXPECT_TRUE(Window()->CBPilar->isChecked());
    EXPECT_EQ(Window()->EdLeY->text(), "350,5");
    EXPECT_EQ(Window()->CombApoioX->currentIndex(), 2);
    EXPECT_EQ(Window()->CombApoioY->currentIndex(), 0);
    EXPECT_EQ(Window()->CombMetodo->currentIndex(), 3);
    EXPECT_EQ(Cell(0, TFCombinacoes::ColMxdBase), "-12,5");
    EXPECT_EQ(Cell(1, TFCombinacoes::ColMydBase), "10");

    // A case without a column saves as it always did.
    Open(Plain);
    EXPECT_FALSE(Window()->CBPilar->isChecked());
    const QString plain = SaveAs("sem-pilar.fxr");
    EXPECT_EQ(LoadProjectBytes(QFile::encodeName(plain).toStdString()), LoadProjectBytes(Plain));
    // Unchecking the box leaves the column out of the file.
    Open(Slender);
    Window()->CBPilar->setChecked(false);
    const std::string unchecked = LoadProjectBytes(QFile::encodeName(SaveAs("desmarcado.fxr")).toStdString());
    EXPECT_EQ(unchecked.find("pilar\r\n"), std::string::npos);
    EXPECT_EQ(unchecked, original.substr(0, original.find("pilar\r\n")));
}

TEST_F(ColumnWindowTest, BlocksInAnotherOrderOpenAndSaveWhole)
{
    // The model right after the section, before the combinations and the
    // column: all three reach the window, and its save writes them in their
    // usual order.
    const std::string slender = LoadProjectBytes(Slender);
    const std::size_t blocks = slender.find("combinacoes\r\n");
    const std::string model = "modelo\r\n2\r\n1\r\n";
    const QString reordered = folder.filePath("modelo-primeiro.fxr");
    SaveFileBytes(QFile::encodeName(reordered).toStdString(),
                  slender.substr(0, blocks) + model + slender.substr(blocks));
    main->Documents->ReadProjectFile(reordered);
    EXPECT_TRUE(Window()->CBPilar->isChecked());
    EXPECT_EQ(Table()->rowCount(), 4);
    EXPECT_EQ(main->State().Model, CalculationModel::NbrParabolaRectangle);
    EXPECT_EQ(LoadProjectBytes(QFile::encodeName(SaveAs("salvo.fxr")).toStdString()), slender + model);

    // A block the program does not know is refused in the error box with its
    // line, and no block of the file reaches the window.
    const QString capital = folder.filePath("Modelo.fxr");
    SaveFileBytes(QFile::encodeName(capital).toStdString(), slender + "Modelo\r\n2\r\n1\r\n");
    dialogs->openAnswers.push_back(capital);
    EXPECT_EQ(RunMenuCommand(main->Abrir1),
              "Linha 62: «Modelo» não é um bloco deste programa (os blocos são combinacoes, pilar, modelo, "
              "pilar-b-fluencia, detalhamento)");
    EXPECT_FALSE(Window()->CBPilar->isChecked());
    EXPECT_EQ(Table()->rowCount(), 0);
    EXPECT_EQ(main->State().Model, CalculationModel::Classic);
}

const char* const Coupled = FLEXARA_SOURCE_DIR "/examples/pilar-acoplado.fxr";

TEST_F(ColumnWindowTest, TheCoupledMethodCreepAndTheFamilysB)
{
    Open(Coupled);
    ASSERT_TRUE(Window()->CBPilar->isChecked());
    EXPECT_EQ(Window()->CombMetodo->currentText(), "pilar-padrão acoplado a diagramas M, N, 1/r");
    EXPECT_EQ(Window()->EdFi->text(), "2");
    EXPECT_EQ(Window()->EdPsi->text(), "0,6");
    EXPECT_EQ(Window()->CombAgregado->currentText(), "granito ou gnaisse");
    EXPECT_EQ(Items(Window()->CombAgregado), QStringList({"basalto", "granito ou gnaisse", "calcário", "arenito"}));
    // A rectangle computes its b: shown, not typed.
    EXPECT_EQ(Window()->EdB->text(), "20");
    EXPECT_FALSE(Window()->EdB->isEnabled());
    for (QWidget* w :
         std::initializer_list<QWidget*>{Window()->EdB, Window()->EdFi, Window()->EdPsi, Window()->CombAgregado})
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    // Opened and saved, byte for byte: the block of b and creep too.
    EXPECT_EQ(LoadProjectBytes(QFile::encodeName(SaveAs("acoplado.fxr")).toStdString()), LoadProjectBytes(Coupled));

    EXPECT_EQ(Click(Window()->BtnVerificar), "");
    ASSERT_TRUE(Window()->Results().has_value());
    // Row 1 at Nd = −800 kN, le = 450 cm, as worked in the README from point
    // B: about x (EI)sec = 135,4255/0,00804493 = 16833,6 kN·m², κ = 61,37,
    // 1 − 800·4,5²/(10·16833,6) = 0,9038 and Md,tot = 21,6/0,9038 = 23,90.
    const QString details = Window()->DetailsText(0);
    for (const char* part :
         {"b = 20,00 cm: γn = 1", "Mxd, lado positivo: MRd = 148,97 kN·m", "B: 1/r = 0,008045", "(EI)sec = 16833,6",
          "κ = 61,37", "Md,tot = 23,90 kN·m", "(EI)sec (kN·m²)", "curvatura aproximada: aplica-se"})
        EXPECT_TRUE(details.contains(QString::fromUtf8(part))) << part << "\n" << details.toStdString();

    // The aggregate goes to the file by its code (basalt 1).
    Window()->CombAgregado->setCurrentIndex(0);
    const std::string basalt = LoadProjectBytes(QFile::encodeName(SaveAs("basalto.fxr")).toStdString());
    EXPECT_EQ(basalt.substr(basalt.size() - 5), "\r\n1\r\n");

    // The page M–N–1/r of the diagrams: both bendings of the chosen row.
    Table()->setCurrentCell(0, TFCombinacoes::ColName);
    QTest::mouseClick(Window()->BtnDiagramas, Qt::LeftButton);
    TFDiagramas* diagrams = windows.FDiagramas;
    ASSERT_NE(diagrams, nullptr);
    EXPECT_EQ(diagrams->PgVistas->tabText(2), "M–N–1/r");
    const auto& relations = diagrams->PbCurvatura->Relations();
    ASSERT_TRUE(relations[0].has_value());
    ASSERT_TRUE(relations[1].has_value());
    ASSERT_TRUE(relations[0]->secant[0].has_value());
    ASSERT_TRUE(relations[0]->secant[0]->pointB.has_value());
    EXPECT_NEAR(relations[0]->secant[0]->pointB->curvature, 0.00804493, 1e-8);
    EXPECT_NEAR(relations[1]->secant[0]->eiSec, 3394.315, 0.01);
    EXPECT_TRUE(diagrams->PbCurvatura->Notice().isEmpty());
    diagrams->PgVistas->setCurrentWidget(diagrams->PbCurvatura);
    EXPECT_FALSE(diagrams->PbCurvatura->grab().isNull());
    // Exported: both bendings one above the other, as the page draws them.
    const struct {
        const char* name;
        const char* filter;
    } exports[] = {{"mn1r.png", "Imagem PNG (*.png)"}, {"mn1r.svg", "Desenho SVG (*.svg)"}};
    for (const auto& e : exports) {
        SCOPED_TRACE(e.name);
        const QString path = folder.filePath(QString::fromUtf8(e.name));
        dialogs->otherAnswers.push_back({path, QString::fromUtf8(e.filter)});
        QTest::mouseClick(diagrams->BtnExportar, Qt::LeftButton);
        ASSERT_FALSE(dialogs->otherAsked.empty());
        EXPECT_EQ(dialogs->otherAsked.back().proposedName, "Diagrama M-N-1-r.png");
        const QByteArray bytes = QByteArray::fromStdString(LoadProjectBytes(QFile::encodeName(path).toStdString()));
        if (path.endsWith(QStringLiteral(".png"))) {
            const QImage image = QImage::fromData(bytes, "PNG");
            EXPECT_EQ(image.size(), QSize(CurvaturePictureSize.width(), 2 * CurvaturePictureSize.height()));
        } else {
            EXPECT_TRUE(bytes.contains("<title>Diagrama M–N–1/r</title>"));
        }
    }
}

const char* const General = FLEXARA_SOURCE_DIR "/examples/pilar-geral.fxr";

// Red pixels of a picture in a part of it: where a line was drawn in red.
int RedPixels(const QImage& image, const QRect& part)
{
    int count = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.red() > 200 && c.green() < 80 && c.blue() < 80 ? 1 : 0;
        }
    return count;
}

double Number(const QString& text)
{
    return QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

TEST_F(ColumnWindowTest, TheGeneralMethodsBarsInTheDetailsAndTheDiagrams)
{
    Open(General);
    ASSERT_TRUE(Window()->CBPilar->isChecked());
    EXPECT_EQ(Window()->CombMetodo->currentText(), "método geral");
    EXPECT_EQ(Click(Window()->BtnVerificar), "");
    ASSERT_TRUE(Window()->Results().has_value());

    // Each row's details: a page per bending with its 41 stations, and the
    // numbers of the table in equilibrium as printed: M = M1 + |Nd|·u (u in
    // cm, so /100), within the rounding of the table (M 0,005, M1 0,005,
    // |Nd|·0,0005 cm/100).
    const struct {
        int row;
        double nd;
        bool symmetric; // equal end moments: the shape mirrors about mid-height
        double mdTotZ;  // where the largest |M| is, cm
    } rows[] = {
        {0, 200.0, true, 433.0}, // Myd 10 at both ends: at mid-height
        {1, 200.0, false, 0.0},  // 10 at the top, −10 at the base (with creep −13,63): at the base
        {2, 250.0, true, 433.0}, // M1d,min all along
    };
    for (const auto& c : rows) {
        SCOPED_TRACE(c.row);
        const std::unique_ptr<QDialog> dialog = Window()->DetailsDialog(c.row);
        ASSERT_NE(dialog, nullptr);
        auto* pages = dialog->findChild<QTabWidget*>(QStringLiteral("PgBarras"));
        ASSERT_NE(pages, nullptr);
        ASSERT_EQ(pages->count(), 2);
        EXPECT_EQ(pages->tabText(0), "Mxd");
        EXPECT_EQ(pages->tabText(1), "Myd");
        auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("TabelaEstacoesMyd"));
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(table->rowCount(), 41);
        QStringList headers;
        for (int k = 0; k < table->columnCount(); ++k)
            headers.append(table->horizontalHeaderItem(k)->text());
        EXPECT_EQ(headers, QStringList({"z (cm)", "M1 (kN·m)", "u (cm)", "M (kN·m)", "1/r (1/m)"}));
        auto at = [&](int r, int k) { return Number(table->item(r, k)->text()); };
        // z = k·866/40 from the base; u = 0 at both pinned ends.
        EXPECT_DOUBLE_EQ(at(0, 0), 0.0);
        EXPECT_DOUBLE_EQ(at(20, 0), 433.0);
        EXPECT_DOUBLE_EQ(at(40, 0), 866.0);
        EXPECT_DOUBLE_EQ(at(0, 2), 0.0);
        EXPECT_DOUBLE_EQ(at(40, 2), 0.0);
        int largest = 0;
        for (int r = 0; r < 41; ++r) {
            EXPECT_NEAR(at(r, 3), at(r, 1) + c.nd * at(r, 2) / 100.0, 0.01 + c.nd * 0.0005 / 100.0) << "station " << r;
            // The curvature has the moment's sign.
            EXPECT_GE(at(r, 3) * at(r, 4), 0.0) << "station " << r;
            if (c.symmetric) {
                EXPECT_EQ(table->item(r, 2)->text(), table->item(40 - r, 2)->text()) << "station " << r;
            }
            if (std::fabs(at(r, 3)) > std::fabs(at(largest, 3)))
                largest = r;
        }
        EXPECT_DOUBLE_EQ(at(largest, 0), c.mdTotZ);
        // Md,tot's row in bold, the others not.
        EXPECT_TRUE(table->item(largest, 3)->font().bold());
        EXPECT_FALSE(table->item(largest == 0 ? 1 : 0, 3)->font().bold());
        // The picture of the bending, with its red lines drawn in both panels.
        auto* picture = dialog->findChild<TDeformada*>(QStringLiteral("PbDeformadaMyd"));
        ASSERT_NE(picture, nullptr);
        ASSERT_TRUE(picture->Bars()[1].has_value());
        EXPECT_FALSE(picture->Bars()[0].has_value());
        EXPECT_EQ(picture->Bars()[1]->subtitle, QStringLiteral("Myd, Nd = -%1,00 kN").arg(c.nd));
        QImage image(DeflectionPictureSize, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            picture->Draw(painter, QRectF(QPointF(0, 0), QSizeF(DeflectionPictureSize)));
        }
        const int w = image.width(), h = image.height();
        EXPECT_GT(RedPixels(image, QRect(0, h / 5, w / 2, h * 4 / 5 - 1)), 100) << "the deflected shape";
        EXPECT_GT(RedPixels(image, QRect(w / 2, h / 5, w / 2, h * 4 / 5 - 1)), 100) << "the moments";
    }

    // The page "Deformada" of the diagrams: both bendings' bars of the chosen
    // row, the same as its details show; exported one above the other.
    Table()->setCurrentCell(1, TFCombinacoes::ColName);
    QTest::mouseClick(Window()->BtnDiagramas, Qt::LeftButton);
    TFDiagramas* diagrams = windows.FDiagramas;
    ASSERT_NE(diagrams, nullptr);
    EXPECT_EQ(diagrams->PgVistas->tabText(3), "Deformada");
    EXPECT_EQ(diagrams->CombCombinacao->currentIndex(), 1);
    const auto& bars = diagrams->PbDeformada->Bars();
    ASSERT_TRUE(bars[0].has_value());
    ASSERT_TRUE(bars[1].has_value());
    EXPECT_TRUE(diagrams->PbDeformada->Notice().isEmpty());
    const GeneralSolution* row1 = Window()->Results()->rows[1].column->bending[1].general->Governing();
    ASSERT_NE(row1, nullptr);
    ASSERT_EQ(bars[1]->bar.stations.size(), row1->stations.size());
    for (std::size_t k = 0; k < row1->stations.size(); ++k)
        EXPECT_EQ(bars[1]->bar.stations[k].m, row1->stations[k].m) << k;
    // Double curvature: u changes sign along the bar, the base's M is −Md,tot.
    EXPECT_LT(bars[1]->bar.stations[10].u * bars[1]->bar.stations[30].u, 0.0);
    EXPECT_DOUBLE_EQ(bars[1]->bar.stations.front().m, -row1->mdTot);
    diagrams->PgVistas->setCurrentWidget(diagrams->PbDeformada);
    EXPECT_FALSE(diagrams->PbDeformada->grab().isNull());
    const struct {
        const char* name;
        const char* filter;
    } exports[] = {{"deformada.png", "Imagem PNG (*.png)"}, {"deformada.svg", "Desenho SVG (*.svg)"}};
    for (const auto& e : exports) {
        SCOPED_TRACE(e.name);
        const QString path = folder.filePath(QString::fromUtf8(e.name));
        dialogs->otherAnswers.push_back({path, QString::fromUtf8(e.filter)});
        QTest::mouseClick(diagrams->BtnExportar, Qt::LeftButton);
        ASSERT_FALSE(dialogs->otherAsked.empty());
        EXPECT_EQ(dialogs->otherAsked.back().proposedName, "Deformada.png");
        const QByteArray bytes = QByteArray::fromStdString(LoadProjectBytes(QFile::encodeName(path).toStdString()));
        if (path.endsWith(QStringLiteral(".png"))) {
            const QImage image = QImage::fromData(bytes, "PNG");
            ASSERT_EQ(image.size(), QSize(DeflectionPictureSize.width(), 2 * DeflectionPictureSize.height()));
            // Lines in both pictures (Mxd above, Myd below).
            const int w = image.width(), h = DeflectionPictureSize.height();
            EXPECT_GT(RedPixels(image, QRect(w / 2, h / 5, w / 2, h * 4 / 5 - 1)), 100);
            EXPECT_GT(RedPixels(image, QRect(w / 2, h + h / 5, w / 2, h * 4 / 5 - 1)), 100);
        } else {
            EXPECT_TRUE(bytes.contains("<title>Deformada e momentos</title>"));
        }
    }

    // A row checked by another method has no bars in its details, nor on
    // the page.
    Window()->CombMetodo->setCurrentIndex(0);
    EXPECT_EQ(Click(Window()->BtnVerificar), "");
    const std::unique_ptr<QDialog> plain = Window()->DetailsDialog(0);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->findChild<QTabWidget*>(QStringLiteral("PgBarras")), nullptr);
    QTest::mouseClick(Window()->BtnDiagramas, Qt::LeftButton);
    EXPECT_FALSE(windows.FDiagramas->PbDeformada->Bars()[0].has_value());
    EXPECT_FALSE(windows.FDiagramas->PbDeformada->Bars()[1].has_value());
    EXPECT_FALSE(windows.FDiagramas->PbDeformada->Notice().isEmpty());
}

TEST_F(ColumnWindowTest, AFreePolygonNeedsItsTypedB)
{
    // The L of the examples (legs 20 cm thick) as a short column: no second
    // order, so only b decides.
    const std::string l = LoadProjectBytes(FLEXARA_SOURCE_DIR "/examples/poligono-L.fxr");
    const QString path = folder.filePath("L.fxr");
    SaveFileBytes(QFile::encodeName(path).toStdString(), l + Lines({"combinacoes", "1", "c", "-500", "10", "10",
                                                                    "pilar", "150", "150", "0", "0", "0", "10", "10"}));
    main->Documents->ReadProjectFile(path);
    ASSERT_TRUE(Window()->CBPilar->isChecked());
    EXPECT_TRUE(Window()->EdB->isEnabled());
    EXPECT_FALSE(Window()->EdB->isReadOnly());
    EXPECT_EQ(Window()->EdB->text(), "");
    EXPECT_EQ(Click(Window()->BtnVerificar), "");
    ASSERT_TRUE(Window()->Results().has_value());
    ASSERT_TRUE(Window()->Results()->rows[0].column.has_value());
    EXPECT_EQ(Window()->Results()->rows[0].column->refusal, ColumnRefusal::LeastDimensionMissing);
    EXPECT_TRUE(Window()->DetailsText(0).contains("informe b (cm)")) << Window()->DetailsText(0).toStdString();

    TypeInto(Window()->EdB, "20");
    EXPECT_EQ(Click(Window()->BtnVerificar), "");
    ASSERT_TRUE(Window()->Results().has_value());
    EXPECT_EQ(Window()->Results()->rows[0].column->status, ColumnCheckStatus::Checked);
    EXPECT_TRUE(Window()->DetailsText(0).contains("b = 20,00 cm: γn = 1"));
    const std::string saved = LoadProjectBytes(QFile::encodeName(SaveAs("L-b.fxr")).toStdString());
    EXPECT_EQ(saved.substr(saved.find("pilar-b-fluencia")),
              "pilar-b-fluencia\r\n1\r\n 2.00000000000000E+0001\r\n0\r\n0\r\n0\r\n");

    // What cannot be b, φ or ψ stops the check, named.
    const struct {
        QLineEdit* field;
        const char* text;
        const char* message;
    } cases[] = {
        {Window()->EdB, "abc", "Pilar: b inválido."},
        {Window()->EdB, "0", "Pilar: b deve ser positivo."},
        {Window()->EdFi, "-1", "Pilar: φ não pode ser negativo."},
        {Window()->EdPsi, "1,5", "Pilar: ψ deve estar entre 0 e 1."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QString before = c.field->text();
        TypeInto(c.field, QString::fromUtf8(c.text));
        EXPECT_EQ(Click(Window()->BtnVerificar), QString::fromUtf8(c.message));
        c.field->setText(before);
    }
}

} // namespace
} // namespace flexara::testing
