// "Dimensionamento da armadura": the design of the reinforcement of the case
// for the load combinations of FCombinacoes, in one of two tables.
//
// The diameters of the list (As, ρ, the governing η and combination, the
// limits), the chosen one marked and said in words, and the area needed under
// it. "Aplicar" puts the chosen diameter into every line with bars through
// the reinforcement group's own handlers, as if chosen in its list line by
// line, and closes.
//
// Or, for a rectangle whose case has detailing data, its arrangements (nx,
// ny, φ, the bars, As, the governing η, combination and situation, the
// supplementary ties and the rules broken), those that hold first and the
// chosen one marked, those that do not in the colour of the marks. "Aplicar"
// puts the selected holding arrangement in place of every line, through the
// fields as a project file's lines go in, and its φt and st into the case's
// detailing data, and closes.
//
// Either "Aplicar" is one step of the case's history; "Cancelar" leaves the
// case as it was.
#pragma once

#include "engine/column/Combinations.h"
#include "engine/design/Arrangement.h"
#include "engine/design/Design.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;

namespace flexara {

class TFPrincipal;

class TFDimensionamento : public QDialog {
    Q_OBJECT
public:
    TFDimensionamento(TFPrincipal& window, const CombinationList& rows, DesignResult result, QWidget* parent);
    // The arrangements; column says whether the rows were checked as a
    // column's, whose governing situations then show.
    TFDimensionamento(TFPrincipal& window, const CombinationList& rows, ArrangementDesign design, bool column,
                      QWidget* parent);

    enum Column { ColDiameter, ColArea, ColRatio, ColEta, ColCombination, ColLimits, ColumnCount };
    enum ArrangementColumn {
        ColBarsX,
        ColBarsY,
        ColBarDiameter,
        ColBars,
        ColSteelArea,
        ColGoverningEta,
        ColGoverningRow,
        ColSituation,
        ColTies,
        ColRules,
        ArrangementColumnCount
    };

    QTableWidget* Tabela = nullptr;
    QLabel* LblEscolha = nullptr; // the choice, or that nothing suffices
    QLabel* LblAsNec = nullptr;   // As,nec and ρnec; for the arrangements As,mín and As,máx
    QPushButton* BtnAplicar = nullptr;
    QPushButton* BtnCancelar = nullptr;

    void BtnAplicarClick();

    const DesignResult& Result() const { return result; }
    // The arrangements, when the dialog shows them.
    const std::optional<ArrangementDesign>& Arrangements() const { return arrangements; }
    // The arrangement "Aplicar" applies: the selected row when it holds; -1
    // for none.
    int SelectedOption() const;

private:
    void MakeTable(int rows, int columns, const char* const* headers);
    void MakeLabelsAndButtons(const QString& choice, const QString& below, const QString& applyHint);
    void FillArrangements(const CombinationList& rows, bool column);
    void UpdateAplicar();

    TFPrincipal& w;
    DesignResult result;
    std::optional<ArrangementDesign> arrangements;
};

} // namespace flexara
