// A stand-in for the main window around the section and reinforcement groups:
// it holds the analysis state, a status-bar label with the input mark, the
// ratio label and the section drawing, placed as in the main window, and
// reads project files through the groups' own entry points.
#pragma once

#include "editor/ReinforcementGroup.h"
#include "editor/SectionDrawing.h"
#include "editor/SectionGroup.h"
#include "engine/section/DefaultCase.h"
#include "engine/section/Ratio.h"
#include "project/ProjectFile.h"
#include "uikit/EditorContext.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace flexara::test {

inline const QString InvalidMark = QStringLiteral("Valor de entrada inválido");

class FakeWindow : public EditorContext, public ProjectReaderSink {
public:
    FakeWindow() : state(std::make_unique<AnalysisState>())
    {
        QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
        QFont font("MS Sans Serif");
        font.setPixelSize(11);
        host.setFont(font);
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, QColor(192, 192, 192));
        host.setPalette(palette);
        host.setAutoFillBackground(true);
        host.resize(810, 560);
        secao = new TGBSecao(*this, &host);
        armadura = new TGBArmadura(*this, &host);
        drawing = new TPaintBox1(
            *state, [this] { return armadura->SelectedLine(); }, &host);
        statusBar = new QLabel(" ", &host);
        statusBar->setObjectName("StatusBar1");
        statusBar->setGeometry(0, 541, 810, 19);
        ratio = new QLabel("0,00 %", &host);
        ratio->setObjectName("LblTaxaArm");
        ratio->setGeometry(124, 485, 60, 16);
        InstallNewCase();
    }

    AnalysisState& State() override { return *state; }
    void ClearInputMark() override { statusBar->setText(" "); }
    void MarkInputInvalid(QWidget* field) override
    {
        statusBar->setText(InvalidMark);
        field->setFocus(Qt::OtherFocusReason);
    }
    void TaxaArmadura() override
    {
        ++ratioRefreshes;
        ratio->setText(QString::fromStdString(UpdateReinforcementRatio(*state)));
    }
    void RepaintSection() override
    {
        ++repaints;
        drawing->update();
    }

    // The default case as the main window installs it.
    void InstallNewCase()
    {
        ratio->setText(QString::fromStdString(InstallDefaultCase(*state)));
        secao->InstallDefaultCase();
        armadura->InstallDefaultCase();
    }

    // Shows the window and waits until it can take the keyboard focus.
    bool ShowActive()
    {
        host.show();
        host.activateWindow();
        return QTest::qWaitForWindowActive(&host);
    }

    // ---- ProjectReaderSink: the window's side of the reader ----
    void ResetToNewCase() override { InstallNewCase(); }
    void SetGammaC(double value) override { state->GammaC = value; }
    void SetGammaS(double value) override { state->GammaS = value; }
    void SetCurvePointCount(std::int32_t value) override { state->CurvePointCount = value; }
    void SetAlphaC(double value) override { state->AlphaC = value; }
    void SetNd(double value) override { state->Nd = value; }
    void SetMxd(double value) override { state->Mxd = value; }
    void SetMyd(double value) override { state->Myd = value; }
    void SelectConcrete(std::int32_t) override {}
    void SetFcd(double value) override { state->Fcd = value; }
    void SelectSteel(std::int32_t) override {}
    void BeginLines(std::int32_t lineCount) override { armadura->BeginLinesFromFile(lineCount); }
    void BeginLine(std::int32_t k) override { armadura->BeginLineFromFile(k); }
    void SetBarCount(std::int32_t value) override { armadura->SetBarCountFromFile(value); }
    void SetDiameter(double value) override { armadura->SetDiameterFromFile(value); }
    void SetY1(double value) override { armadura->SetY1FromFile(value); }
    void SetY2(double value) override { armadura->SetY2FromFile(value); }
    void SetX1(double value) override { armadura->SetX1FromFile(value); }
    void SetX2(double value) override { armadura->SetX2FromFile(value); }
    void SetOrientation(std::uint8_t code) override { armadura->SetOrientationFromFile(code); }
    void SelectFamily(std::uint8_t shapeKind) override { secao->SelectFamilyFromFile(shapeKind); }
    void SetShapeDim(int index, double value) override { secao->SetShapeDimFromFile(index, value); }
    void BeginFreePolygon(std::int32_t vertexCount) override { secao->BeginFreePolygonFromFile(vertexCount); }
    void SetVertex(std::int32_t i, double x, double y) override { secao->SetVertexFromFile(i, x, y); }
    void EndFreePolygon(std::int32_t vertexCount) override { secao->EndFreePolygonFromFile(vertexCount); }
    void KeepDefaultSection() override { secao->KeepDefaultSectionFromFile(); }
    // The groups know no load combinations and no column.
    void BeginCombinations(std::int32_t) override {}
    void AddCombination(const LoadCombination&) override {}
    void SetColumn(const Column&, const std::vector<std::pair<double, double>>&) override {}
    void SetCalculationModel(CalculationModel model, bool reduced) override
    {
        state->Model = model;
        state->ReducedBlockStress = reduced;
    }

    std::unique_ptr<AnalysisState> state;
    QWidget host;
    TGBSecao* secao = nullptr;
    TGBArmadura* armadura = nullptr;
    TPaintBox1* drawing = nullptr;
    QLabel* statusBar = nullptr;
    QLabel* ratio = nullptr;
    int ratioRefreshes = 0;
    int repaints = 0;
};

class GroupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<FakeWindow>();
        ASSERT_TRUE(window->ShowActive());
    }
    void TearDown() override { window.reset(); }

    AnalysisState& S() { return *window->state; }
    TGBSecao& Secao() { return *window->secao; }
    TGBArmadura& Armadura() { return *window->armadura; }
    QString Status() const { return window->statusBar->text(); }

    // Types into a field as the user does: focus it, select all, type.
    static void Type(QLineEdit* field, const QString& text)
    {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        else
            QTest::keyClicks(field, text);
    }
    // Leaves the focused field with the Tab key.
    static void Leave(QWidget* field) { QTest::keyClick(field, Qt::Key_Tab); }
    static void TypeAndLeave(QLineEdit* field, const QString& text)
    {
        Type(field, text);
        Leave(field);
    }
    static void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static void ClickItem(QListWidget* list, int row)
    {
        QListWidgetItem* item = list->item(row);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }
    static QStringList Items(const QListWidget* list)
    {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items;
    }

    std::unique_ptr<FakeWindow> window;
};

} // namespace flexara::test
