// Undo and redo of the case: every kind of stored edit is one step named in
// the menu "Editar"; an undone step leaves the file the window saves byte for
// byte as before it, redone as after it; the chart keeps its curve; Ctrl+Z in
// a field being typed is the field's own.
#include "tests/gui/ProgramWindowsFixture.h"

#include "editor/CaseHistory.h"
#include "editor/CombinationsWindow.h"
#include "editor/DesignDialog.h"
#include "editor/InteractionChart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include <functional>

namespace flexara::testing {
namespace {

const char* const Example = FLEXARA_SOURCE_DIR "/examples/pilar-20x40.fxr";

class UndoRedoTest : public ProgramWithDialogsTest {
protected:
    void SetUp() override
    {
        ProgramWithDialogsTest::SetUp();
        main->Documents->ReadProjectFile(QString::fromUtf8(Example));
        // Two rows, so that the combinations and the column are in the file.
        windows.FCombinacoes->SetRows({LoadCombination{"ELU 1", -500, 60, 20}, LoadCombination{"ELU 2", -800, 10, 5}});
        main->History->StartCase();
    }

    // The bytes Salvar writes for the case as it stands.
    QByteArray Saved()
    {
        const QString path = Path("caso.fxr");
        main->Documents->WriteProjectFile(path);
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(UndoRedoTest, EveryKindOfStepUndoneAndRedoneByTheSavedBytes)
{
    TGBArmadura& bars = main->Armadura();
    TGBSecao& section = main->Secao();
    TFCombinacoes& combinations = *windows.FCombinacoes;
    const struct {
        const char* step;
        std::function<void()> edit;
    } steps[] = {
        // First, while the section has an area to generate on.
        {"Mostrar no gráfico", [&] { main->ShowLoad(-800, 10, 5, "Combinação: ELU 2"); }},
        {"alteração de Nd", [&] { TypeAndLeave(main->EdNd, "-350"); }},
        {"alteração de Mxd", [&] { TypeAndLeave(main->EdMdx, "45,5"); }},
        {"alteração das dimensões da seção", [&] { TypeAndLeave(section.Eds[1], "45"); }},
        {"alteração da forma da seção", [&] { QTest::mouseClick(section.ToolButtons[1], Qt::LeftButton); }},
        {"alteração do número de barras", [&] { TypeAndLeave(bars.EdNb, "3"); }},
        {"alteração de X1", [&] { TypeAndLeave(bars.EdX1, "5"); }},
        {"alteração da orientação", [&] { QTest::mouseClick(bars.RadQual, Qt::LeftButton); }},
        {"inclusão de linha de barras", [&] { QTest::mouseClick(bars.BtnAdicionar, Qt::LeftButton); }},
        {"exclusão de linha de barras", [&] { QTest::mouseClick(bars.BtnExcluir, Qt::LeftButton); }},
        {"alteração do aço",
         [&] {
             main->CombAco->setCurrentIndex(3);
             main->CombAcoExit();
         }},
        {"alteração das configurações", [&] { main->State().GammaC = 1.5; }},
        {"alteração das configurações", [&] { main->State().Model = CalculationModel::NbrParabolaRectangle; }},
        {"alteração das combinações", [&] { combinations.Tabela->item(0, TFCombinacoes::ColNd)->setText("-650"); }},
        {"alteração das combinações", [&] { QTest::mouseClick(combinations.BtnAdicionar, Qt::LeftButton); }},
        {"alteração do pilar",
         [&] {
             combinations.CBPilar->setChecked(true);
             combinations.EdLeX->setText("300");
             combinations.EdLeY->setText("280");
         }},
    };
    const QByteArray opened = Saved();
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        const QByteArray before = Saved();
        const int count = main->History->Stack().count();
        s.edit();
        main->History->RecordEdit(); // what the next input event would do
        ASSERT_EQ(main->History->Stack().count(), count + 1) << "one step";
        EXPECT_EQ(main->Desfazer->text(), QStringLiteral("Desfazer ") + QString::fromUtf8(s.step));
        const QByteArray after = Saved();
        EXPECT_NE(after, before);
        main->Desfazer->trigger();
        EXPECT_EQ(Saved(), before);
        EXPECT_EQ(main->Refazer->text(), QStringLiteral("Refazer ") + QString::fromUtf8(s.step));
        main->Refazer->trigger();
        EXPECT_EQ(Saved(), after);
    }
    // All the way back: the case as opened, byte for byte, and no change.
    for (int i = 0; i < 100 && main->Desfazer->isEnabled(); ++i)
        main->Desfazer->trigger();
    EXPECT_FALSE(main->Desfazer->isEnabled());
    EXPECT_EQ(Saved(), opened);
}

TEST_F(UndoRedoTest, AplicarOfTheDesignIsOneStepUndoneByTheSavedBytes)
{
    TFCombinacoes& combinations = *windows.FCombinacoes;
    combinations.show();
    const QByteArray before = Saved();
    const std::vector<double> diameters = {main->State().BarLines[0].Diameter, main->State().BarLines[1].Diameter};
    QTest::mouseClick(combinations.BtnDimensionar, Qt::LeftButton);
    TFDimensionamento* dialog = combinations.FDimensionamento;
    ASSERT_NE(dialog, nullptr);
    ASSERT_GE(dialog->Result().chosen, 0);
    const double chosen = dialog->Result().options[static_cast<std::size_t>(dialog->Result().chosen)].diameter;
    // The example's 20 mm bars are more than the two rows need.
    ASSERT_NE(chosen, diameters[0]);
    const int count = main->History->Stack().count();
    QTest::mouseClick(dialog->BtnAplicar, Qt::LeftButton);
    QApplication::processEvents();
    main->History->RecordEdit();
    // The new bars, the chart generated again and the rows checked again: one
    // step, the generation and the check none.
    EXPECT_EQ(main->History->Stack().count(), count + 1);
    EXPECT_EQ(main->State().BarLines[0].Diameter, chosen);
    EXPECT_EQ(main->Desfazer->text(), QStringLiteral("Desfazer aplicação do dimensionamento"));
    const QByteArray after = Saved();
    EXPECT_NE(after, before);
    main->Desfazer->trigger();
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(main->State().BarLines[0].Diameter, diameters[0]);
    EXPECT_EQ(main->State().BarLines[1].Diameter, diameters[1]);
    EXPECT_FALSE(main->History->Modified());
    main->Refazer->trigger();
    EXPECT_EQ(Saved(), after);
    EXPECT_EQ(main->State().BarLines[0].Diameter, chosen);
}

TEST_F(UndoRedoTest, BackToTheOpenedCaseThroughManySteps)
{
    const QByteArray opened = Saved();
    const QString bNd = main->EdNd->text();
    for (int i = 1; i <= 120; ++i) {
        main->EdNd->setText(QString::number(-i));
        main->EdNdExit();
        main->History->RecordEdit();
    }
    EXPECT_EQ(main->History->Stack().count(), 120);
    for (int i = 0; i < 120; ++i)
        main->Desfazer->trigger();
    EXPECT_EQ(main->EdNd->text(), bNd);
    EXPECT_EQ(Saved(), opened);
    EXPECT_FALSE(main->Desfazer->isEnabled());
    EXPECT_FALSE(main->History->Modified());
}

TEST_F(UndoRedoTest, TheMenuEditarComesAfterArquivoWithItsKeys)
{
    const QList<QAction*> items = main->menuBar()->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items[0]->text(), "&Arquivo");
    EXPECT_EQ(items[1]->text(), "&Editar");
    EXPECT_EQ(main->Desfazer->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(main->Refazer->shortcuts(), QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_Y),
                                                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    EXPECT_EQ(main->Desfazer->text(), "Desfazer");
    EXPECT_FALSE(main->Desfazer->isEnabled());
}

TEST_F(UndoRedoTest, AnUndoKeepsTheChartAsAfterAnyEditAndAGenerationIsNoStep)
{
    main->BtnGerar->click();
    const QList<QPointF> curve = main->ChCurva->CurvePoints();
    ASSERT_FALSE(curve.isEmpty());
    EXPECT_EQ(main->History->Stack().count(), 0);
    TypeAndLeave(main->Secao().Eds[0], "30");
    main->History->RecordEdit();
    main->Desfazer->trigger();
    EXPECT_EQ(main->ChCurva->CurvePoints(), curve);
    main->BtnGerar->click();
    EXPECT_FALSE(main->Desfazer->text().contains("Gerar"));
}

TEST_F(UndoRedoTest, CtrlZInAFieldBeingTypedIsTheField)
{
    const double openedMxd = main->State().Mxd;
    const QString openedMxdText = main->EdMdx->text();
    TypeAndLeave(main->EdMdx, "10");
    main->History->RecordEdit();
    ASSERT_EQ(main->History->Stack().count(), 1);
    const QString nd = main->EdNd->text();
    TypeInto(main->EdNd, "5");
    ASSERT_EQ(main->EdNd->text(), "5");
    QTest::keyClick(main->EdNd, Qt::Key_Z, Qt::ControlModifier);
    // The field's own undo: its text back, no step of the case undone.
    EXPECT_EQ(main->EdNd->text(), nd);
    EXPECT_EQ(main->State().Mxd, 10.0);
    EXPECT_EQ(main->History->Stack().index(), 1);
    // Typed back to its text, the next Ctrl+Z is the case's.
    QTest::keyClick(main->EdNd, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(main->State().Mxd, openedMxd);
    EXPECT_EQ(main->EdMdx->text(), openedMxdText);
    EXPECT_EQ(main->History->Stack().index(), 0);
    // Ctrl+Y does it again.
    QTest::keyClick(main->EdNd, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(main->State().Mxd, 10.0);
}

} // namespace
} // namespace flexara::testing
