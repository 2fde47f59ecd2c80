// The group "Seção Transversal" (GBSecao): the shape tool bar, the figures, the
// six dimension fields and the free polygon's vertex list. Every accepted edit
// rebuilds the section polygon, refreshes the ratio and repaints the drawing.
#pragma once

#include "uikit/EditorContext.h"

#include <QGroupBox>

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolBar;
class QToolButton;

namespace flexara {

class TGBSecao : public QGroupBox {
    Q_OBJECT
public:
    TGBSecao(EditorContext& context, QWidget* parent);

    // Step 4 of the default case: the rectangle, ToolButton1 down, Ed1..Ed6 "0".
    void InstallDefaultCase();

    // Reading a project file (the window side of the reader).
    void SelectFamilyFromFile(std::uint8_t shapeKind); // as its tool button, shown pressed
    void SetShapeDimFromFile(int index, double value); // ShapeDims[index] then Ed(index+1) shows it
    void BeginFreePolygonFromFile(std::int32_t vertexCount);
    void SetVertexFromFile(std::int32_t i, double x, double y);
    void EndFreePolygonFromFile(std::int32_t vertexCount);
    void KeepDefaultSectionFromFile();

    QToolBar* ToolBar1 = nullptr;
    std::array<QToolButton*, 8> ToolButtons{}; // ToolButton1 .. ToolButton8
    std::array<QLabel*, 8> Figures{}; // by ShapeKind: FigRetang, FigTrap, FigTe, FigEle, FigU, FigCai, FigQq, FigAga
    std::array<QLineEdit*, 6> Eds{};  // Ed1 .. Ed6
    std::array<QLabel*, 6> Lbls{};    // Lbl1 .. Lbl6
    QListWidget* LBPontos = nullptr;
    QPushButton* BtnAdPontos = nullptr;
    QPushButton* BtnExcPontos = nullptr;

    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton4Click();
    void ToolButton5Click();
    void ToolButton6Click();
    void ToolButton7Click();
    void ToolButton8Click();
    void EdChange(int index); // Ed1Change .. Ed6Change
    void EdExit(int index);   // Ed1Exit .. Ed6Exit
    void BtnAdPontosClick();
    void BtnExcPontosClick();
    void LBPontosClick();

private:
    // Figure, fields, captions and vertex list of a family; stores nothing.
    void ShowLayout(std::uint8_t kind);
    // What a tool button does for a parametric family.
    void SelectFamily(std::uint8_t kind);
    // Stores the text of Ed(index+1); false when it was refused.
    bool StoreDimension(int index);
    // The vertex selected in LBPontos, 0-based; -1 when none is.
    int SelectedVertex() const;
    void SelectPoint(int row);
    void UpdatePointButtons();

    EditorContext& context;
};

} // namespace flexara
