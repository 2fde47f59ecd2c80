// "Dimensionar..." in the combinations window: the dialog "Dimensionamento da
// armadura" with its table and the chosen diameter, "Aplicar" through the
// diameter list of every line, "Cancelar" that changes nothing.
#include "tests/gui/ProgramWindowsFixture.h"

#include "editor/CombinationsWindow.h"
#include "editor/DesignDialog.h"
#include "editor/InteractionChart.h"
#include "editor/ReinforcementGroup.h"
#include "project/ProjectFile.h"
#include "tests/support/ColumnExample.h"

#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>

#include <cmath>

namespace flexara::testing {
namespace {

const char* const Example = FLEXARA_SOURCE_DIR "/examples/pilar-20x40.fxr";

class DesignDialogTest : public ProgramWithDialogsTest {
protected:
    void SetUp() override
    {
        ProgramWithDialogsTest::SetUp();
        main->Documents->ReadProjectFile(QString::fromUtf8(Example));
        main->Combinacoes->trigger();
    }

    TFCombinacoes* Window() { return windows.FCombinacoes; }

    // The rows pasted and "Dimensionar..." pressed: the dialog it opens.
    TFDimensionamento* Design(const QString& rows)
    {
        QApplication::clipboard()->setText(rows);
        QTest::mouseClick(Window()->BtnColar, Qt::LeftButton);
        QTest::mouseClick(Window()->BtnDimensionar, Qt::LeftButton);
        return Window()->FDimensionamento;
    }

    std::vector<double> Diameters()
    {
        std::vector<double> d;
        for (int k = 0; k < State().LineCount; ++k)
            d.push_back(State().BarLines[static_cast<std::size_t>(k)].Diameter);
        return d;
    }
};

// ELU 1 governs: η = 1,0017 with 12,5 mm and 0,8221 with 16 mm (the engine's
// test of the same column).
const QString SixteenMillimetres = QStringLiteral("ELU 1\t-500\t100\t0\nELU 2\t-1200\t40\t20\n");

TEST_F(DesignDialogTest, TheTableSaysTheChosenDiameterInWords)
{
    TFDimensionamento* dialog = Design(SixteenMillimetres);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), "Dimensionamento da armadura");
    QTableWidget* table = dialog->Tabela;
    EXPECT_EQ(table->accessibleName(), "Dimensionamento da armadura");
    QStringList headers;
    for (int c = 0; c < table->columnCount(); ++c)
        headers.append(table->horizontalHeaderItem(c)->text());
    EXPECT_EQ(headers, QStringList({"Diâmetro (mm)", "As (cm²)", "ρ (%)", "η determinante", "Combinação determinante",
                                    "Limites"}));
    ASSERT_EQ(table->rowCount(), 11);
    // 16 mm, the sixth of the list: four bars of 2,0106 cm² = 8,04 cm², 1,01 %
    // of 800 cm².
    const int chosen = 5;
    const auto cell = [table](int r, int c) { return table->item(r, c)->text(); };
    EXPECT_EQ(cell(chosen, TFDimensionamento::ColDiameter), "16");
    EXPECT_EQ(cell(chosen, TFDimensionamento::ColArea), "8,04");
    EXPECT_EQ(cell(chosen, TFDimensionamento::ColRatio), "1,01");
    EXPECT_EQ(cell(chosen, TFDimensionamento::ColEta), "0,822");
    EXPECT_EQ(cell(chosen, TFDimensionamento::ColCombination), "ELU 1");
    EXPECT_EQ(cell(chosen, TFDimensionamento::ColLimits), "ok");
    EXPECT_EQ(cell(chosen - 1, TFDimensionamento::ColEta), "1,002");
    // 5 mm: 0,785 cm² is below 0,004·800 = 3,2 cm² and the diameter below 10 mm.
    EXPECT_EQ(cell(0, TFDimensionamento::ColLimits), "As < As,mín; φ < 10 mm");
    // 40 mm: 50,27 cm² beyond 4 % of 800 cm².
    EXPECT_EQ(cell(10, TFDimensionamento::ColLimits), "As > As,máx");
    for (int r = 0; r < table->rowCount(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(table->verticalHeaderItem(r)->text(), r == chosen ? "escolhido" : "");
        EXPECT_EQ(table->item(r, TFDimensionamento::ColDiameter)->font().bold(), r == chosen);
    }
    EXPECT_EQ(dialog->LblEscolha->text(), "Diâmetro escolhido: 16 mm (η = 0,82).");
    EXPECT_TRUE(dialog->LblAsNec->text().startsWith("As,nec = ")) << dialog->LblAsNec->text().toStdString();
    EXPECT_TRUE(dialog->LblAsNec->text().contains("ρnec = "));
    EXPECT_TRUE(dialog->BtnAplicar->isEnabled());
    if (const QByteArray shots = qgetenv("FLEXARA_SCREENSHOTS"); !shots.isEmpty()) {
        QTest::qWait(100);
        dialog->grab().save(QString::fromLocal8Bit(shots) + "/design.png");
    }
    QTest::mouseClick(dialog->BtnCancelar, Qt::LeftButton);
}

TEST_F(DesignDialogTest, AplicarSetsEveryLineAsTheDiameterListWould)
{
    // A third line of no bars: no bar, no diameter to change.
    TGBArmadura& arm = main->Armadura();
    QTest::mouseClick(arm.BtnAdicionar, Qt::LeftButton);
    ASSERT_EQ(State().LineCount, 3);
    arm.EdNb->setFocus();
    arm.EdNb->selectAll();
    QTest::keyClicks(arm.EdNb, "0");
    arm.LBLinhas->setFocus();
    ASSERT_EQ(State().BarLines[2].BarCount, 0);
    arm.LBLinhas->setCurrentRow(0);
    ASSERT_EQ(main->LblTaxaArm->text(), "1,57 %");

    TFDimensionamento* dialog = Design(SixteenMillimetres);
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->BtnAplicar, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(Window()->FDimensionamento.isNull()) << "the dialog closes";
    EXPECT_EQ(Diameters(), std::vector<double>({16.0, 16.0, 20.0}));
    // 4·π·1,6²/4 = 8,0425 cm² over 800 cm²: 1,005 %.
    const double ratio = 4 * std::acos(-1.0) * 1.6 * 1.6 / 4 / 800 * 100;
    EXPECT_NEAR(ratio, 1.0053, 1e-4);
    EXPECT_EQ(main->LblTaxaArm->text(), "1,01 %");
    // The line selected before shows again, with its new diameter.
    EXPECT_EQ(arm.SelectedLine(), 0);
    EXPECT_EQ(arm.CombDiametro->currentText(), "16");
    // The case changed: the combinations are checked again on the new bars,
    // ELU 1 at the 0,822 of the design's row of 16 mm.
    ASSERT_TRUE(Window()->Results().has_value());
    EXPECT_EQ(Window()->Tabela->item(0, TFCombinacoes::ColEta)->text(), "0,82");
}

TEST_F(DesignDialogTest, AfterAplicarTheChartAndTheCheckAreThoseOfTheNewBars)
{
    // The chart of the bars as opened (20 mm), and their check.
    QApplication::clipboard()->setText(SixteenMillimetres);
    QTest::mouseClick(Window()->BtnColar, Qt::LeftButton);
    main->ShowLoad(-500, 100, 0);
    const QList<QPointF> oldCurve = main->ChCurva->CurvePoints();
    ASSERT_FALSE(oldCurve.isEmpty());
    const QString oldEta = main->ChCurva->CornerText();
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    ASSERT_TRUE(Window()->Results().has_value());
    const QString oldRowEta = Window()->Tabela->item(0, TFCombinacoes::ColEta)->text();

    QTest::mouseClick(Window()->BtnDimensionar, Qt::LeftButton);
    TFDimensionamento* dialog = Window()->FDimensionamento;
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->BtnAplicar, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(Diameters(), std::vector<double>({16.0, 16.0}));

    const QList<QPointF> curve = main->ChCurva->CurvePoints();
    const QString eta = main->ChCurva->CornerText();
    ASSERT_TRUE(Window()->Results().has_value());
    const QString rowEta = Window()->Tabela->item(0, TFCombinacoes::ColEta)->text();
    // Smaller bars: a smaller curve, a larger η, for the chart and the row.
    EXPECT_NE(curve, oldCurve);
    EXPECT_NE(eta, oldEta);
    EXPECT_NE(rowEta, oldRowEta);
    EXPECT_EQ(rowEta, "0,82");
    // "Gerar gráfico" and "Verificar" on the case as it stands show the same.
    main->BtnGerar->click();
    EXPECT_EQ(main->ChCurva->CurvePoints(), curve);
    EXPECT_EQ(main->ChCurva->CornerText(), eta);
    QTest::mouseClick(Window()->BtnVerificar, Qt::LeftButton);
    EXPECT_EQ(Window()->Tabela->item(0, TFCombinacoes::ColEta)->text(), rowEta);
}

TEST_F(DesignDialogTest, CancelarChangesNothing)
{
    const std::string before = main->CaseFingerprint();
    TFDimensionamento* dialog = Design(SixteenMillimetres);
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->BtnCancelar, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(Window()->FDimensionamento.isNull());
    EXPECT_EQ(Diameters(), std::vector<double>({20.0, 20.0}));
    EXPECT_EQ(main->LblTaxaArm->text(), "1,57 %");
    EXPECT_EQ(main->Armadura().CombDiametro->currentText(), "20");
    EXPECT_EQ(main->CaseFingerprint(), before);
}

TEST_F(DesignDialogTest, WhenNoDiameterSufficesThereIsNothingToApply)
{
    // 25 mm still fails (η = 1,48, the engine's test); 32 and 40 mm are
    // beyond As,max.
    TFDimensionamento* dialog = Design(QStringLiteral("A\t-500\t300\t0\n"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->BtnAplicar->isEnabled());
    EXPECT_TRUE(dialog->LblEscolha->text().startsWith("Nenhum diâmetro atende: com 40 mm, η = "))
        << dialog->LblEscolha->text().toStdString();
    EXPECT_TRUE(dialog->LblEscolha->text().endsWith("As > As,máx."));
    for (int r = 0; r < dialog->Tabela->rowCount(); ++r)
        EXPECT_EQ(dialog->Tabela->verticalHeaderItem(r)->text(), "");
    QTest::mouseClick(dialog->BtnCancelar, Qt::LeftButton);
}

// Bars whose circles stick out of the concrete are said in the table and
// never chosen; a case without bars is told so, with nothing to apply.
TEST_F(DesignDialogTest, BarsThatStickOutAndACaseWithoutBarsAreSaid)
{
    // The example's bars moved to 1,5 cm from the faces: up to 30 mm fit;
    // and the example with no bar in either line.
    const std::string near = WithBarsNearTheFaces(LoadProjectBytes(Example));
    const std::string bare = WithoutBars(LoadProjectBytes(Example));
    const struct {
        const char* name;
        std::string file;
        int rows;
        const char* choice;
    } cases[] = {
        {"near the faces", near, 11, "Diâmetro escolhido: "},
        {"no bars", bare, 0,
         "O caso não tem barras: acrescente linhas de barras para que o dimensionamento escolha o seu diâmetro."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromUtf8(c.name) + ".fxr");
        SaveFileBytes(QFile::encodeName(path).toStdString(), c.file);
        main->Documents->ReadProjectFile(path);
        TFDimensionamento* dialog = Design(SixteenMillimetres);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->Tabela->rowCount(), c.rows);
        EXPECT_TRUE(dialog->LblEscolha->text().startsWith(QString::fromUtf8(c.choice)))
            << dialog->LblEscolha->text().toStdString();
        if (c.rows > 0) {
            // 25 mm, the ninth of the list, fits; 32 and 40 mm do not.
            EXPECT_EQ(dialog->Tabela->item(8, TFDimensionamento::ColLimits)->text(), "ok");
            EXPECT_EQ(dialog->Tabela->item(9, TFDimensionamento::ColLimits)->text(), "As > As,máx; não cabe");
            EXPECT_TRUE(dialog->BtnAplicar->isEnabled());
        } else {
            EXPECT_FALSE(dialog->BtnAplicar->isEnabled());
        }
        QTest::mouseClick(dialog->BtnCancelar, Qt::LeftButton);
        QApplication::processEvents();
    }
}

} // namespace
} // namespace flexara::testing
