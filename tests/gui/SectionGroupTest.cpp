// The group "Seção Transversal" driven as the user drives it: tool buttons,
// typed dimensions, the free polygon's vertex list; and the window's reading of
// a project file compared with the headless loader.
#include "tests/gui/GroupFixture.h"

#include "project/HeadlessLoader.h"
#include "tests/project/ProjectTestSupport.h"

#include <vector>

namespace flexara::test {
namespace {

struct FamilyCase {
    const char* name;
    int button;                        // ToolButton number
    std::vector<const char*> captions; // Lbl1..Lbl6, "" for a hidden field
    std::vector<const char*> texts;    // typed into the visible fields, in order
    std::vector<Point> vertices;       // the outline built
    double area;                       // cm²
};

// Outlines worked out by hand from the dimensions as each figure shows them.
const std::vector<FamilyCase> FamilyCases = {
    {"retângulo 20 x 50",
     1,
     {"B (cm):", "H (cm):", "", "", "", ""},
     {"20", "50"},
     {{0, 0}, {20, 0}, {20, 50}, {0, 50}},
     1000.0},
    {"trapézio de topo largo",
     2,
     {"B1 (cm):", "B2 (cm):", "", "H (cm):", "", ""},
     {"30", "20", "40"},
     {{0, 0}, {20, 0}, {25, 40}, {-5, 40}},
     1000.0},
    {"T 60/20/10/40",
     3,
     {"B1 (cm):", "B2 (cm):", "", "H1 (cm):", "H2 (cm):", ""},
     {"60", "20", "10", "40"},
     {{20, 0}, {40, 0}, {40, 40}, {60, 40}, {60, 50}, {0, 50}, {0, 40}, {20, 40}},
     1400.0},
    // L: leg 10 wide, 40 wide in all, 50 high, horizontal leg 12 thick: 500 + 30 x 12.
    {"L",
     4,
     {"B1 (cm):", "B2 (cm):", "", "H1 (cm):", "H2 (cm):", ""},
     {"10", "40", "50", "12"},
     {{0, 0}, {40, 0}, {40, 12}, {10, 12}, {10, 50}, {0, 50}},
     860.0},
    // U: legs 10 and 12, 50 wide, 40 high, base 8: 2000 - 28 x 32.
    {"U",
     5,
     {"B1 (cm):", "B2 (cm):", "B3 (cm):", "H1 (cm):", "H2 (cm):", ""},
     {"10", "12", "50", "40", "8"},
     {{0, 0}, {50, 0}, {50, 40}, {38, 40}, {38, 8}, {10, 8}, {10, 40}, {0, 40}},
     1104.0},
    {"caixão 15/15/100/80/20/25",
     6,
     {"B1 (cm):", "B2 (cm):", "B3 (cm):", "H1 (cm):", "H2 (cm):", "H3 (cm):"},
     {"15", "15", "100", "80", "20", "25"},
     {{0, 0},
      {100, 0},
      {100, 60 - 1e-10},
      {85, 60 - 1e-10},
      {85, 25},
      {15, 25},
      {15, 60},
      {100, 60},
      {100, 80},
      {0, 80}},
     5550.0},
    // H: 60 x 50 less two notches of 30 x 20 and 30 x 20 beside the web.
    {"H 60/15/15/50/20/20",
     8,
     {"B1 (cm):", "B2 (cm):", "B3 (cm):", "H1 (cm):", "H2 (cm):", "H3 (cm):"},
     {"60", "15", "15", "50", "20", "20"},
     {{0, 0}, {15, 0}, {15, 20}, {45, 20}, {45, 0}, {60, 0}, {60, 50}, {45, 50}, {45, 30}, {15, 30}, {15, 50}, {0, 50}},
     1800.0},
};

TEST_F(GroupTest, EveryFamilyBuildsItsOutlineFromTypedDimensions)
{
    for (const FamilyCase& c : FamilyCases) {
        SCOPED_TRACE(c.name);
        QToolButton* button = Secao().ToolButtons[static_cast<std::size_t>(c.button - 1)];
        Click(button);
        EXPECT_TRUE(button->isChecked());
        EXPECT_EQ(S().Section.ShapeKind, c.button - 1);
        EXPECT_FALSE(Secao().Figures[static_cast<std::size_t>(c.button - 1)]->isHidden());
        EXPECT_FALSE(Secao().LBPontos->isVisible());
        std::size_t typed = 0;
        for (std::size_t i = 0; i < 6; ++i) {
            const bool visible = *c.captions[i] != '\0';
            ASSERT_EQ(Secao().Eds[i]->isVisible(), visible) << "Ed" << i + 1;
            EXPECT_EQ(Secao().Lbls[i]->isVisible(), visible);
            if (!visible)
                continue;
            EXPECT_EQ(Secao().Lbls[i]->text(), c.captions[i]);
            EXPECT_EQ(Secao().Eds[i]->text(), "0") << "a new family starts from zero";
            EXPECT_EQ(Secao().Eds[i]->accessibleName() + ":", c.captions[i]);
            TypeAndLeave(Secao().Eds[i], c.texts[typed++]);
        }
        ASSERT_EQ(S().Section.VertexCount, static_cast<int>(c.vertices.size()));
        for (std::size_t v = 0; v < c.vertices.size(); ++v) {
            SCOPED_TRACE(v + 1);
            EXPECT_DOUBLE_EQ(S().Section.Vertices[v].x, c.vertices[v].x);
            EXPECT_EQ(S().Section.Vertices[v].y, c.vertices[v].y);
        }
        EXPECT_NEAR(S().Section.Area, c.area, 1e-6);
        EXPECT_EQ(Status(), " ");
    }
}

TEST_F(GroupTest, ChangingTheFamilyDiscardsTheDimensions)
{
    TypeAndLeave(Secao().Eds[0], "20");
    TypeAndLeave(Secao().Eds[1], "50");
    Click(Secao().ToolButtons[2]); // T
    Click(Secao().ToolButtons[0]); // back to the rectangle
    EXPECT_EQ(Secao().Eds[0]->text(), "0");
    EXPECT_EQ(Secao().Eds[1]->text(), "0");
    for (double d : S().ShapeDims)
        EXPECT_EQ(d, 0.0);
    for (int v = 0; v < 4; ++v) {
        EXPECT_EQ(S().Section.Vertices[static_cast<std::size_t>(v)].x, 0.0);
        EXPECT_EQ(S().Section.Vertices[static_cast<std::size_t>(v)].y, 0.0);
    }
    EXPECT_EQ(window->ratio->text(), "0,00 %");
}

TEST_F(GroupTest, ANegativeOrEmptyDimensionIsStoredAsZeroAndReportedOnLeaving)
{
    struct Case {
        const char* typed;
    };
    for (const Case c : {Case{"-5"}, Case{""}, Case{"2.5"}}) {
        SCOPED_TRACE(c.typed);
        TypeAndLeave(Secao().Eds[1], "50");
        QLineEdit* b = Secao().Eds[0];
        Type(b, c.typed);
        EXPECT_EQ(S().ShapeDims[0], 0.0);
        EXPECT_EQ(S().Section.Vertices[1].x, 0.0) << "the polygon is rebuilt while typing";
        EXPECT_EQ(Status(), " ") << "nothing is reported while typing";
        Leave(b);
        EXPECT_EQ(Status(), InvalidMark);
        EXPECT_EQ(QApplication::focusWidget(), b);
        EXPECT_EQ(b->text(), c.typed) << "the field keeps what was typed";
        EXPECT_EQ(S().ShapeDims[0], 0.0);
        // One more keystroke clears the mark.
        QTest::keyClicks(b, "7");
        EXPECT_EQ(Status(), " ");
    }
}

TEST_F(GroupTest, ChangingEd4RefreshesTheRatioAtOnce)
{
    Click(Secao().ToolButtons[1]); // trapezoid: Ed4 is H
    TypeAndLeave(Secao().Eds[0], "30");
    TypeAndLeave(Secao().Eds[1], "20");
    const int before = window->ratioRefreshes;
    Type(Secao().Eds[3], "4");
    EXPECT_GT(window->ratioRefreshes, before);
    EXPECT_DOUBLE_EQ(S().Section.Area, 100.0);
}

// Enters (0; 0), (10; 0), (10; 10), (0; 10) as the user does: each "Adicionar"
// copies the fields into a new vertex, which is then edited.
void EnterSquare(TGBSecao& secao)
{
    QTest::mouseClick(secao.ToolButtons[6], Qt::LeftButton);
    auto add = [&secao] { QTest::mouseClick(secao.BtnAdPontos, Qt::LeftButton); };
    auto type = [](QLineEdit* field, const char* text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    };
    add();
    type(secao.Eds[0], "10");
    add();
    type(secao.Eds[1], "10");
    add();
    type(secao.Eds[0], "0");
}

TEST_F(GroupTest, FreePolygonAddsSelectsAndDeletesVertices)
{
    Click(Secao().ToolButtons[6]);
    EXPECT_EQ(S().Section.ShapeKind, ShapeFreePolygon);
    EXPECT_EQ(S().Section.VertexCount, 1);
    EXPECT_EQ(Items(Secao().LBPontos), QStringList{"Ponto 1"});
    EXPECT_EQ(Secao().Lbls[0]->text(), "X (cm):");
    EXPECT_EQ(Secao().Lbls[1]->text(), "Y (cm):");
    EXPECT_TRUE(Secao().LBPontos->isVisible());
    EXPECT_FALSE(Secao().BtnExcPontos->isEnabled());

    // With X = 10 and Y = 0 shown, "Adicionar" appends (10; 0) and selects it.
    Type(Secao().Eds[0], "10");
    Click(Secao().BtnAdPontos);
    EXPECT_EQ(S().Section.VertexCount, 2);
    EXPECT_EQ(Items(Secao().LBPontos), (QStringList{"Ponto 1", "Ponto 2"}));
    EXPECT_EQ(Secao().LBPontos->currentRow(), 1);
    EXPECT_TRUE(Secao().BtnExcPontos->isEnabled());
    EXPECT_EQ(S().Section.Vertices[1].x, 10.0);
    EXPECT_EQ(S().Section.Vertices[1].y, 0.0);
    EXPECT_EQ(Secao().Eds[0]->text(), "10");

    // Negative coordinates are valid here.
    TypeAndLeave(Secao().Eds[1], "-2,5");
    EXPECT_EQ(S().Section.Vertices[1].y, -2.5);
    EXPECT_EQ(Status(), " ");
}

TEST_F(GroupTest, DeletingAVertexRenumbersAndShowsTheFirst)
{
    EnterSquare(Secao());
    ASSERT_EQ(S().Section.VertexCount, 4);
    EXPECT_DOUBLE_EQ(S().Section.Area, 100.0);

    ClickItem(Secao().LBPontos, 1);
    EXPECT_EQ(Secao().Eds[0]->text(), "10");
    EXPECT_EQ(Secao().Eds[1]->text(), "0");

    Click(Secao().BtnExcPontos);
    EXPECT_EQ(Items(Secao().LBPontos), (QStringList{"Ponto 1", "Ponto 2", "Ponto 3"}));
    EXPECT_EQ(Secao().LBPontos->currentRow(), 0);
    ASSERT_EQ(S().Section.VertexCount, 3);
    const Point expected[] = {{0, 0}, {10, 10}, {0, 10}};
    for (std::size_t v = 0; v < 3; ++v) {
        EXPECT_EQ(S().Section.Vertices[v].x, expected[v].x) << v;
        EXPECT_EQ(S().Section.Vertices[v].y, expected[v].y) << v;
    }
    EXPECT_EQ(Secao().Eds[0]->text(), "0");
    EXPECT_DOUBLE_EQ(S().Section.Area, 50.0);
    EXPECT_TRUE(Secao().BtnExcPontos->isEnabled());

    // Selecting the last vertex and editing it moves that vertex only.
    ClickItem(Secao().LBPontos, 2);
    TypeAndLeave(Secao().Eds[0], "-5");
    EXPECT_EQ(S().Section.Vertices[2].x, -5.0);
    EXPECT_EQ(S().Section.Vertices[0].x, 0.0);

    Click(Secao().BtnExcPontos);
    Click(Secao().BtnExcPontos);
    EXPECT_EQ(Items(Secao().LBPontos), QStringList{"Ponto 1"});
    EXPECT_EQ(S().Section.VertexCount, 1);
    EXPECT_FALSE(Secao().BtnExcPontos->isEnabled());
}

TEST_F(GroupTest, AClickBesideTheVertexItemsKeepsOneSelected)
{
    Click(Secao().ToolButtons[6]);
    Click(Secao().BtnAdPontos);
    ClickItem(Secao().LBPontos, 0);
    QListWidget* list = Secao().LBPontos;
    const QPoint below(5, list->viewport()->height() - 3);
    ASSERT_EQ(list->itemAt(below), nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(list->selectedItems().size(), 1);
    TypeAndLeave(Secao().Eds[0], "4");
    EXPECT_EQ(S().Section.Vertices[0].x, 4.0);
}

TEST_F(GroupTest, TheFreePolygonStopsAtItsCapacity)
{
    Click(Secao().ToolButtons[6]);
    for (int i = 1; i < MaxVertices; ++i)
        Click(Secao().BtnAdPontos);
    EXPECT_EQ(S().Section.VertexCount, MaxVertices);
    EXPECT_EQ(Secao().LBPontos->count(), MaxVertices);
    EXPECT_FALSE(Secao().BtnAdPontos->isEnabled());
    Secao().BtnAdPontosClick(); // refused even when reached around the button
    EXPECT_EQ(S().Section.VertexCount, MaxVertices);
    EXPECT_EQ(Secao().LBPontos->count(), MaxVertices);
    Click(Secao().BtnExcPontos);
    EXPECT_TRUE(Secao().BtnAdPontos->isEnabled());
}

TEST_F(GroupTest, AnEmptyVertexListLeavesEveryHandlerHarmless)
{
    // A project file with a free polygon of no vertex.
    Secao().BeginFreePolygonFromFile(0);
    Secao().EndFreePolygonFromFile(0);
    EXPECT_EQ(Secao().LBPontos->count(), 0);
    EXPECT_FALSE(Secao().BtnExcPontos->isEnabled());

    const Point untouched = S().Section.Vertices[0];
    TypeAndLeave(Secao().Eds[0], "12");
    EXPECT_EQ(S().ShapeDims[0], 12.0);
    EXPECT_EQ(S().Section.Vertices[0].x, untouched.x) << "no vertex is selected";
    Secao().BtnExcPontosClick();
    Secao().LBPontosClick();
    EXPECT_EQ(S().Section.VertexCount, 0);

    Click(Secao().BtnAdPontos);
    EXPECT_EQ(S().Section.VertexCount, 1);
    EXPECT_EQ(Items(Secao().LBPontos), QStringList{"Ponto 1"});
    EXPECT_EQ(S().Section.Vertices[0].x, 12.0);
}

TEST_F(GroupTest, TheToolBarFitsItsButtonsInOrderAndThePicturesAreEmbedded)
{
    // From the left: 1, 2, 6, 8, 5, 3, 4, 7, none pushed out of the bar.
    const int order[] = {1, 2, 6, 8, 5, 3, 4, 7};
    for (int place = 0; place < 8; ++place) {
        const QToolButton* button = Secao().ToolButtons[static_cast<std::size_t>(order[place] - 1)];
        EXPECT_TRUE(button->isVisible()) << "ToolButton" << order[place];
        EXPECT_FALSE(button->icon().isNull()) << "ToolButton" << order[place];
        if (place > 0) {
            EXPECT_LT(Secao().ToolButtons[static_cast<std::size_t>(order[place - 1] - 1)]->x(), button->x());
        }
    }
    for (const QLabel* figure : Secao().Figures)
        EXPECT_FALSE(figure->pixmap().isNull()) << figure->objectName().toStdString();
}

// ---- Reading a project file through the window ----

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

std::string Header(const char* lineCount)
{
    return Lines({"1.4", "1.15", "100", "0.85", "150", "12.5", "-3", "3", "2.142857", "1", lineCount});
}

struct FileCase {
    const char* name;
    std::string text;
};

const std::vector<FileCase> FileCases = {
    {"retângulo com linhas hor, ver e qualq",
     Header("3") + Lines({"4", "16", "5", "5", "5", "35", "hor"}) + Lines({"3", "6.3", "5", "45", "5", "7", "ver"}) +
         Lines({"2", "7", "10", "20", "12", "14", "qualq"}) + Lines({"4", "retang", "40", "50"})},
    {"duas linhas verticais seguidas e um caixão", Header("2") + Lines({"2", "20", "3", "77", "4", "4", "ver"}) +
                                                       Lines({"5", "12.5", "6", "76", "9", "30", "ver"}) +
                                                       Lines({"10", "caix", "15", "15", "100", "80", "20", "25"})},
    {"trapézio, orientação em maiúscula",
     Header("1") + Lines({"0", "10", "0", "0", "0", "0", "Hor"}) + Lines({"4", "trap", "30", "20", "40"})},
    {"H, orientação com branco no fim", Header("1") + Lines({"1", "25", "1e-3", "2", "3", "4", "hor "}) +
                                            Lines({"12", "aga", "60", "15", "15", "50", "20", "20"})},
    {"polígono qualquer", Header("1") + Lines({"3", "10", "2.5", "2.5", "1", "9", "hor"}) +
                              Lines({"4", "qual", "0", "0", "10", "0", "10", "0.1", "0", "10"})},
    {"polígono de um vértice",
     Header("1") + Lines({"0", "10", "0", "0", "0", "0", "hor"}) + Lines({"1", "qual", "-3", "4"})},
    {"sem linhas nem vértices", Header("0") + Lines({"0", "qual"})},
    {"forma desconhecida", Header("1") + Lines({"0", "10", "0", "0", "0", "0", "hor"}) + Lines({"7", "circ"})},
    {"arquivo curto", Header("2") + Lines({"3", "10", "1"})},
};

// The case as the project-file tests compare it, and the bar areas the ratio left.
void ExpectSameCase(const AnalysisState& window, const AnalysisState& headless)
{
    flexara::testing::ExpectSameCase(window, headless);
    for (int k = 0; k < window.LineCount && k < headless.LineCount; ++k)
        EXPECT_EQ(window.BarLines[static_cast<std::size_t>(k)].BarArea,
                  headless.BarLines[static_cast<std::size_t>(k)].BarArea)
            << "Linha " << k + 1;
}

TEST_F(GroupTest, ReadingAFileLeavesTheStateTheHeadlessLoaderLeaves)
{
    for (const FileCase& c : FileCases) {
        SCOPED_TRACE(c.name);
        ReadProjectText(c.text, *window);
        auto headless = std::make_unique<AnalysisState>();
        HeadlessLoader loader(*headless);
        ReadProjectText(c.text, loader);
        ExpectSameCase(S(), *headless);
        EXPECT_EQ(window->ratio->text().toStdString(), loader.RatioLabel());
    }
}

TEST_F(GroupTest, ReadingAFileShowsItInTheFields)
{
    ReadProjectText(FileCases[0].text, *window);
    // The last line read is the current line.
    EXPECT_EQ(Items(Armadura().LBLinhas), (QStringList{"Linha 1", "Linha 2", "Linha 3"}));
    EXPECT_EQ(Armadura().SelectedLine(), 2);
    EXPECT_TRUE(Armadura().RadQual->isChecked());
    EXPECT_EQ(Armadura().CombDiametro->currentText(), "40") << "7 mm is not in the table";
    EXPECT_EQ(S().BarLines[2].Diameter, 7.0);
    EXPECT_TRUE(Armadura().BtnExcluir->isEnabled());
    EXPECT_TRUE(Secao().ToolButtons[0]->isChecked());
    EXPECT_EQ(Secao().Eds[0]->text(), "40");
    EXPECT_EQ(Secao().Eds[1]->text(), "50");

    ReadProjectText(FileCases[4].text, *window);
    EXPECT_TRUE(Secao().ToolButtons[6]->isChecked());
    EXPECT_EQ(Items(Secao().LBPontos), (QStringList{"Ponto 1", "Ponto 2", "Ponto 3", "Ponto 4"}));
    EXPECT_EQ(Secao().LBPontos->currentRow(), 3);
    EXPECT_EQ(Secao().Eds[1]->text(), "10");
    EXPECT_TRUE(Secao().BtnExcPontos->isEnabled());
    EXPECT_FALSE(Armadura().BtnExcluir->isEnabled());

    ReadProjectText(FileCases[5].text, *window);
    EXPECT_FALSE(Secao().BtnExcPontos->isEnabled()) << "a polygon of one vertex";

    ReadProjectText(FileCases[7].text, *window);
    EXPECT_TRUE(Secao().ToolButtons[0]->isChecked());
    EXPECT_EQ(S().Section.VertexCount, 4);
}

} // namespace
} // namespace flexara::test
