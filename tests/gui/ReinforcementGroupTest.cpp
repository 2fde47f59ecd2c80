// The group "Armadura" driven as the user drives it: the bar count and the
// diameter, the end points with their orientation ties, and the list of lines.
#include "tests/gui/GroupFixture.h"

namespace flexara::test {
namespace {

class LinesTest : public GroupTest {
protected:
    // Fills the selected line through the fields, in the user's order.
    void EnterLine(const char* count, int diameterItem, const char* x1, const char* y1, const char* x2 = nullptr,
                   const char* y2 = nullptr)
    {
        TGBArmadura& a = Armadura();
        TypeAndLeave(a.EdNb, count);
        a.CombDiametro->setFocus();
        a.CombDiametro->setCurrentIndex(diameterItem);
        emit a.CombDiametro->activated(diameterItem);
        TypeAndLeave(a.EdX1, x1);
        TypeAndLeave(a.EdY1, y1);
        if (x2)
            TypeAndLeave(a.EdX2, x2);
        if (y2)
            TypeAndLeave(a.EdY2, y2);
    }
    const BarLine& Line(int k) { return S().BarLines[static_cast<std::size_t>(k - 1)]; }
};

TEST_F(LinesTest, TheNewCaseHasOneEmptyHorizontalLine)
{
    TGBArmadura& a = Armadura();
    EXPECT_EQ(Items(a.LBLinhas), QStringList{"Linha 1"});
    EXPECT_EQ(a.SelectedLine(), 0);
    EXPECT_FALSE(a.BtnExcluir->isEnabled());
    EXPECT_TRUE(a.RadHor->isChecked());
    EXPECT_FALSE(a.EdY2->isEnabled());
    EXPECT_EQ(a.CombDiametro->currentText(), "10");
    EXPECT_EQ(S().LineCount, 1);
    EXPECT_EQ(Line(1).Diameter, 10.0);
    EXPECT_EQ(Line(1).BarCount, 0);
    EXPECT_EQ(window->ratio->text(), "0,00 %");
    EXPECT_EQ(Status(), " ");

    // "Novo" after several lines, the third selected, and a vertical tie.
    a.BtnAdicionarClick();
    a.BtnAdicionarClick();
    Click(a.RadVer);
    window->InstallNewCase();
    EXPECT_EQ(Items(a.LBLinhas), QStringList{"Linha 1"});
    EXPECT_EQ(S().LineCount, 1);
    EXPECT_TRUE(a.RadHor->isChecked());
    EXPECT_TRUE(a.EdX2->isEnabled());
    EXPECT_FALSE(a.EdY2->isEnabled());
    EXPECT_EQ(Line(1).Orientation, OrientationHorizontal);
    EXPECT_EQ(Line(2).Diameter, 0.0) << "no slot keeps the earlier case";
}

TEST_F(LinesTest, TheOrientationTiesTheEndFieldWhileTyping)
{
    struct Case {
        const char* name;
        QRadioButton* TGBArmadura::*button;
        QLineEdit* TGBArmadura::*first;
        QLineEdit* TGBArmadura::*tied;
        double BarLine::*tiedValue;
    };
    const Case cases[] = {
        {"horizontal", &TGBArmadura::RadHor, &TGBArmadura::EdY1, &TGBArmadura::EdY2, &BarLine::Y2},
        {"vertical", &TGBArmadura::RadVer, &TGBArmadura::EdX1, &TGBArmadura::EdX2, &BarLine::X2},
    };
    TGBArmadura& a = Armadura();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Click(a.RadQual);
        Click(a.*c.button);
        EXPECT_FALSE((a.*c.tied)->isEnabled());
        (a.*c.first)->setFocus();
        (a.*c.first)->selectAll();
        const QString typed = "12,5";
        const double expected[] = {1, 12, 12, 12.5};
        for (int i = 0; i < typed.size(); ++i) {
            QTest::keyClick(a.*c.first, typed[i].toLatin1());
            EXPECT_EQ((a.*c.tied)->text(), typed.left(i + 1)) << "after " << i + 1 << " keys";
            EXPECT_EQ(Line(1).*c.tiedValue, expected[i]);
        }
        Leave(a.*c.first);
        EXPECT_EQ(Line(1).*c.tiedValue, 12.5);
        EXPECT_EQ(Status(), " ");
    }
}

TEST_F(LinesTest, SwitchingFromQualquerToHorizontalReplacesYfByYi)
{
    TGBArmadura& a = Armadura();
    Click(a.RadQual);
    EXPECT_TRUE(a.EdY2->isEnabled());
    EXPECT_EQ(Line(1).Orientation, OrientationAny);
    TypeAndLeave(a.EdY1, "5");
    TypeAndLeave(a.EdY2, "30");
    EXPECT_EQ(Line(1).Y2, 30.0);
    Click(a.RadHor);
    EXPECT_EQ(Line(1).Orientation, OrientationHorizontal);
    EXPECT_EQ(a.EdY2->text(), "5");
    EXPECT_EQ(Line(1).Y2, 5.0);
    EXPECT_FALSE(a.EdY2->isEnabled());
    EXPECT_TRUE(a.EdX2->isEnabled());
}

TEST_F(LinesTest, AdicionarCopiesTheSelectedLineAndSelectsTheCopy)
{
    TGBArmadura& a = Armadura();
    EnterLine("4", 5, "5", "5", "35");
    Click(a.BtnAdicionar);
    EXPECT_EQ(Items(a.LBLinhas), (QStringList{"Linha 1", "Linha 2"}));
    EXPECT_EQ(a.SelectedLine(), 1);
    EXPECT_TRUE(a.BtnExcluir->isEnabled());
    for (int k : {1, 2}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(Line(k).BarCount, 4);
        EXPECT_EQ(Line(k).Diameter, 16.0);
        EXPECT_EQ(Line(k).X1, 5.0);
        EXPECT_EQ(Line(k).Y1, 5.0);
        EXPECT_EQ(Line(k).X2, 35.0);
        EXPECT_EQ(Line(k).Y2, 5.0);
        EXPECT_EQ(Line(k).Orientation, OrientationHorizontal);
    }
    // Eight bars of 16 mm: 8 x 2.0106 cm².
    EXPECT_NEAR(S().SteelAreaX100, 8 * 201.06193, 1e-4);

    // Editing the copy leaves the first line as it was.
    TypeAndLeave(a.EdY1, "45");
    EXPECT_EQ(Line(2).Y2, 45.0);
    EXPECT_EQ(Line(1).Y1, 5.0);
}

TEST_F(LinesTest, AdicionarStoresTheFallbackOfAFieldThatDoesNotConvert)
{
    TGBArmadura& a = Armadura();
    EnterLine("3", 3, "5", "5", "25");
    Type(a.EdX2, "abc");
    Type(a.EdNb, "250");
    Click(a.BtnAdicionar);
    EXPECT_EQ(Line(2).X2, 0.0);
    EXPECT_EQ(Line(2).BarCount, MaxBarsPerLine);
    EXPECT_EQ(Line(2).X1, 5.0);
}

TEST_F(LinesTest, DeletingLinha2OfThreeMovesLinha3Up)
{
    TGBArmadura& a = Armadura();
    EnterLine("2", 3, "5", "5", "35");
    Click(a.BtnAdicionar);
    EnterLine("3", 6, "5", "20", "35");
    Click(a.BtnAdicionar);
    Click(a.RadVer);
    EnterLine("4", 8, "40", "5", nullptr, "45");
    ASSERT_EQ(S().LineCount, 3);

    ClickItem(a.LBLinhas, 1);
    EXPECT_EQ(a.EdNb->text(), "3");
    EXPECT_EQ(a.CombDiametro->currentText(), "20");
    EXPECT_TRUE(a.RadHor->isChecked()) << "the orientation of Linha 2 is shown";
    EXPECT_FALSE(a.EdY2->isEnabled());

    Click(a.BtnExcluir);
    EXPECT_EQ(Items(a.LBLinhas), (QStringList{"Linha 1", "Linha 2"}));
    EXPECT_EQ(S().LineCount, 2);
    EXPECT_EQ(a.SelectedLine(), 0);
    EXPECT_EQ(Line(2).BarCount, 4);
    EXPECT_EQ(Line(2).Diameter, 25.0);
    EXPECT_EQ(Line(2).X1, 40.0);
    EXPECT_EQ(Line(2).X2, 40.0);
    EXPECT_EQ(Line(2).Y2, 45.0);
    EXPECT_EQ(Line(2).Orientation, OrientationVertical);
    EXPECT_EQ(Line(3).BarCount, 0) << "the freed slot is cleared";
    // Linha 1 is shown in the fields.
    EXPECT_EQ(a.EdNb->text(), "2");
    EXPECT_EQ(a.EdX2->text(), "35");
    EXPECT_TRUE(a.RadHor->isChecked());
    EXPECT_TRUE(a.BtnExcluir->isEnabled());

    // Deleting the last line of the list moves nothing.
    ClickItem(a.LBLinhas, 1);
    Click(a.BtnExcluir);
    EXPECT_EQ(S().LineCount, 1);
    EXPECT_EQ(Line(1).BarCount, 2);
    EXPECT_FALSE(a.BtnExcluir->isEnabled());
}

TEST_F(LinesTest, TheBarCountTakesOnlyAnIntegerWithinTheLine)
{
    struct Case {
        const char* typed;
        int stored;
        bool refused;
    };
    const Case cases[] = {{"-3", 0, true}, {"2,5", 0, true}, {"", 0, true}, {"150", 100, true}, {"7", 7, false}};
    TGBArmadura& a = Armadura();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Type(a.EdNb, c.typed);
        EXPECT_EQ(Line(1).BarCount, c.stored);
        EXPECT_EQ(Status(), " ");
        Leave(a.EdNb);
        EXPECT_EQ(Line(1).BarCount, c.stored);
        EXPECT_EQ(Status(), c.refused ? InvalidMark : QString(" "));
        EXPECT_EQ(QApplication::focusWidget() == a.EdNb, c.refused);
        EXPECT_EQ(a.EdNb->text(), c.typed);
    }
}

TEST_F(LinesTest, AnInvalidCoordinateIsStoredAsZeroAndReported)
{
    TGBArmadura& a = Armadura();
    Click(a.RadQual);
    TypeAndLeave(a.EdX2, "30");
    TypeAndLeave(a.EdX2, "3.0");
    EXPECT_EQ(Line(1).X2, 0.0);
    EXPECT_EQ(Status(), InvalidMark);
    EXPECT_EQ(QApplication::focusWidget(), a.EdX2);
    // A disabled end field never stores its text.
    Click(a.RadHor);
    Type(a.EdY1, "8");
    a.EdY2->setText("99");
    EXPECT_EQ(Line(1).Y2, 8.0);
}

TEST_F(LinesTest, TheDiameterShowsByTheReverseMapping)
{
    struct Case {
        double stored;
        const char* shown;
    };
    const Case cases[] = {{5, "5"},       {6, "6,3"}, {6.3, "6,3"}, {6.39, "6,3"}, {7, "40"},
                          {12.5, "12,5"}, {32, "32"}, {33, "40"},   {0, "6,3"}};
    TGBArmadura& a = Armadura();
    a.BtnAdicionarClick();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        ClickItem(a.LBLinhas, 0);
        a.SetDiameterFromFile(c.stored);
        EXPECT_EQ(a.CombDiametro->currentText(), c.shown);
        ClickItem(a.LBLinhas, 1);
        ClickItem(a.LBLinhas, 0);
        EXPECT_EQ(a.CombDiametro->currentText(), c.shown) << "shown again when selected";
        EXPECT_EQ(Line(1).Diameter, c.stored) << "showing stores nothing";
    }
    // Choosing an item stores its diameter and refreshes the ratio.
    const int before = window->ratioRefreshes;
    a.CombDiametro->setCurrentIndex(1);
    emit a.CombDiametro->activated(1);
    EXPECT_EQ(Line(1).Diameter, 6.3);
    EXPECT_GT(window->ratioRefreshes, before);
}

TEST_F(LinesTest, AddingStopsAtOneHundredLines)
{
    TGBArmadura& a = Armadura();
    for (int k = 1; k < MaxLines; ++k)
        Click(a.BtnAdicionar);
    EXPECT_EQ(S().LineCount, MaxLines);
    EXPECT_FALSE(a.BtnAdicionar->isEnabled());
    a.BtnAdicionarClick();
    EXPECT_EQ(S().LineCount, MaxLines);
    EXPECT_EQ(a.LBLinhas->count(), MaxLines);
    EXPECT_EQ(a.LBLinhas->item(MaxLines - 1)->text(), "Linha 100");
}

TEST_F(LinesTest, AnEmptyLineListLeavesEveryHandlerHarmless)
{
    TGBArmadura& a = Armadura();
    // A project file with no line.
    a.BeginLinesFromFile(0);
    ASSERT_EQ(a.LBLinhas->count(), 0);
    EXPECT_EQ(a.SelectedLine(), -1);
    const BarLine before = Line(1);
    TypeAndLeave(a.EdNb, "5");
    TypeAndLeave(a.EdX1, "5");
    TypeAndLeave(a.EdY1, "5");
    Click(a.RadVer);
    Click(a.RadQual);
    TypeAndLeave(a.EdX2, "9");
    emit a.CombDiametro->activated(2);
    a.LBLinhasClick();
    a.BtnExcluirClick();
    EXPECT_EQ(S().LineCount, 0);
    EXPECT_EQ(Line(1).BarCount, before.BarCount);
    EXPECT_EQ(Line(1).X1, before.X1);
    EXPECT_EQ(Line(1).Orientation, before.Orientation);
    EXPECT_TRUE(a.EdY2->isEnabled()) << "the fields follow the checked button all the same";

    Click(a.BtnAdicionar);
    EXPECT_EQ(Items(a.LBLinhas), QStringList{"Linha 1"});
    EXPECT_EQ(Line(1).BarCount, 5);
    EXPECT_EQ(Line(1).X2, 9.0);
    EXPECT_EQ(Line(1).Orientation, OrientationAny);
    EXPECT_FALSE(a.BtnExcluir->isEnabled());
}

TEST_F(LinesTest, TheKeyboardVisitsTheFieldsInOrder)
{
    TGBArmadura& a = Armadura();
    EXPECT_FALSE(a.Image2->pixmap().isNull()) << "the picture is embedded";
    // Keyboard order, with every end field enabled and two lines in the list.
    Click(a.RadQual);
    Click(a.BtnAdicionar);
    const QWidget* order[] = {a.EdNb, a.CombDiametro, a.EdX1,     a.EdX2,         a.EdY1,
                              a.EdY2, a.RadQual,      a.LBLinhas, a.BtnAdicionar, a.BtnExcluir};
    a.EdNb->setFocus(Qt::TabFocusReason);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << "Tab " << i;
    }
}

} // namespace
} // namespace flexara::test
