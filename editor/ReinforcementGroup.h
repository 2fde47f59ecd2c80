// The group "Armadura" (GBArmadura): the lines of bars. The fields always show
// and edit the line selected in LBLinhas; every handler acts on that line.
#pragma once

#include "engine/case/CaseEditing.h"
#include "uikit/EditorContext.h"

#include <QGroupBox>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace flexara {

class TGBArmadura : public QGroupBox {
    Q_OBJECT
public:
    TGBArmadura(EditorContext& context, QWidget* parent);

    // Steps 5 and 7 to 11 of the default case: one line "Linha 1", 0 bars of
    // 10 mm at the origin, horizontal, BtnExcluir disabled.
    void InstallDefaultCase();

    // Reading a project file (the window side of the reader).
    void BeginLinesFromFile(std::int32_t lineCount);
    void BeginLineFromFile(std::int32_t k);
    void SetBarCountFromFile(std::int32_t value);
    void SetDiameterFromFile(double value);
    void SetY1FromFile(double value);
    void SetY2FromFile(double value);
    void SetX1FromFile(double value);
    void SetX2FromFile(double value);
    void SetOrientationFromFile(std::uint8_t code);

    // The diameter (mm, one of the list) chosen in CombDiametro for every line
    // with bars, line by line through LBLinhasClick and CombDiametroChange as
    // the user would; the line selected before is selected again.
    void ChooseDiameterInEveryLine(double diameter);

    // Every line of source in place of the case's lines, each stored
    // through the fields as a project file's lines are read; the first line
    // selected, and the ratio and the drawing of the new bars. Nothing of
    // the old lines lingers in the slots past the new ones.
    void PutLines(const AnalysisState& source);

    // The line selected in LBLinhas, 0-based; -1 when none is.
    int SelectedLine() const;

    QLineEdit* EdNb = nullptr;
    QComboBox* CombDiametro = nullptr;
    QLineEdit* EdX1 = nullptr;
    QLineEdit* EdX2 = nullptr;
    QLineEdit* EdY1 = nullptr;
    QLineEdit* EdY2 = nullptr;
    QRadioButton* RadHor = nullptr;
    QRadioButton* RadVer = nullptr;
    QRadioButton* RadQual = nullptr;
    QListWidget* LBLinhas = nullptr;
    QPushButton* BtnAdicionar = nullptr;
    QPushButton* BtnExcluir = nullptr;
    QLabel* Image2 = nullptr;

    void EdNbChange();
    void EdNbExit();
    void CombDiametroChange();
    void CombDiametroExit();
    void EdX1Change();
    void EdX1Exit();
    void EdX2Change();
    void EdX2Exit();
    void EdY1Change();
    void EdY1Exit();
    void EdY2Change();
    void EdY2Exit();
    void RadHorClick();
    void RadVerClick();
    void RadQualClick();
    void LBLinhasClick();
    void BtnAdicionarClick();
    void BtnExcluirClick();

private:
    void StoreFirstEnd(Axis axis, bool leaving);
    void StoreSecondEnd(Axis axis, bool leaving);
    // The click handling of an orientation button: the ties and open fields.
    void ApplyOrientation(std::uint8_t code);
    void CoordinateFromFile(QLineEdit* field, double BarLine::*value, double read);
    // The selected line of the state; nullptr when none is selected.
    BarLine* Selected();
    void SelectListRow(int row);
    // Shows line row (0-based) in the fields.
    void ShowLine(int row);
    void CheckOrientation(std::uint8_t code);
    void UpdateLineButtons();

    EditorContext& context;
};

} // namespace flexara
