// Each editing handler of the groups leaves the case as the editing core
// leaves a copy of it: the window adds no rule of its own.
#include "engine/case/CaseEditing.h"
#include "engine/section/Ratio.h"
#include "tests/gui/GroupFixture.h"
#include "tests/project/ProjectTestSupport.h"

#include <functional>

namespace flexara::test {
namespace {

class EditingCoreTest : public GroupTest {};

TEST_F(EditingCoreTest, EveryHandlerAppliesTheCoreRule)
{
    struct Case {
        const char* name;
        std::function<void()> prepare;            // brings the window to the starting case
        std::function<void()> edit;               // what the user does
        std::function<void(AnalysisState&)> core; // the rule, on a copy taken before the edit
    };
    auto vertical = [this] {
        TypeAndLeave(Armadura().EdNb, "3");
        Click(Armadura().RadVer);
        TypeAndLeave(Armadura().EdY2, "30");
    };
    auto threeLines = [this] {
        TypeAndLeave(Armadura().EdNb, "2");
        Armadura().BtnAdicionarClick();
        TypeAndLeave(Armadura().EdNb, "5");
        Armadura().BtnAdicionarClick();
        TypeAndLeave(Armadura().EdY1, "7");
        ClickItem(Armadura().LBLinhas, 1);
    };
    auto polygon = [this] {
        Click(Secao().ToolButtons[ShapeFreePolygon]);
        TypeAndLeave(Secao().Eds[0], "2");
        Click(Secao().BtnAdPontos);
        TypeAndLeave(Secao().Eds[0], "9");
        TypeAndLeave(Secao().Eds[1], "-4");
        ClickItem(Secao().LBPontos, 0);
    };
    auto none = [] {};
    const Case cases[] = {
        {"X1 of a vertical line carries X2", vertical, [this] { TypeAndLeave(Armadura().EdX1, "12,5"); },
         [](AnalysisState& s) { StoreFirstEnd(s.BarLines[0], Axis::X, 12.5); }},
        {"Y1 of a vertical line leaves Y2", vertical, [this] { TypeAndLeave(Armadura().EdY1, "4"); },
         [](AnalysisState& s) { StoreFirstEnd(s.BarLines[0], Axis::Y, 4.0); }},
        {"Y1 of a horizontal line carries Y2", none, [this] { TypeAndLeave(Armadura().EdY1, "-3"); },
         [](AnalysisState& s) { StoreFirstEnd(s.BarLines[0], Axis::Y, -3.0); }},
        {"a bar count beyond the line", none, [this] { TypeAndLeave(Armadura().EdNb, "250"); },
         [](AnalysisState& s) {
             bool valid = true;
             s.BarLines[0].BarCount = StoredBarCount(250, valid);
         }},
        {"Excluir the middle line", threeLines, [this] { Armadura().BtnExcluirClick(); },
         [](AnalysisState& s) { RemoveLine(s, 1); }},
        {"a family's button", none, [this] { Click(Secao().ToolButtons[ShapeBox]); },
         [](AnalysisState& s) { SelectFamily(s, ShapeBox); }},
        {"a negative dimension", none, [this] { TypeAndLeave(Secao().Eds[1], "-40"); },
         [](AnalysisState& s) {
             bool valid = true;
             StoreDimension(s, 1, StoredDimension(s.Section.ShapeKind, -40.0, valid), -1);
         }},
        {"a coordinate of the selected vertex", polygon, [this] { TypeAndLeave(Secao().Eds[1], "-7,5"); },
         [](AnalysisState& s) { StoreDimension(s, 1, -7.5, 0); }},
        {"Excluir a vertex", polygon, [this] { Click(Secao().BtnExcPontos); },
         [](AnalysisState& s) {
             RemoveVertex(s, 0);
             // The fields then show the first vertex, and store what they show.
             StoreDimension(s, 0, s.Section.Vertices[0].x, 0);
             StoreDimension(s, 1, s.Section.Vertices[0].y, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->InstallNewCase();
        c.prepare();
        auto expected = std::make_unique<AnalysisState>(S());
        c.core(*expected);
        UpdateReinforcementRatio(*expected); // the ratio refresh every edit ends with
        c.edit();
        testing::ExpectSameCase(*expected, S());
    }
}

} // namespace
} // namespace flexara::test
