// "Dimensionamento da armadura": the design of the reinforcement of the case
// for the load combinations of FCombinacoes, as a table of the diameters of
// the list (As, ρ, the governing η and combination, the limits), the chosen
// one marked and said in words, and the area needed under it. "Aplicar" puts
// the chosen diameter into every line with bars through the reinforcement
// group's own handlers, as if chosen in its list line by line, and closes;
// "Cancelar" leaves the case as it was.
#pragma once

#include "engine/column/Combinations.h"
#include "engine/design/Design.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace flexara {

class TFPrincipal;

class TFDimensionamento : public QDialog {
    Q_OBJECT
public:
    TFDimensionamento(TFPrincipal& window, const CombinationList& rows, DesignResult result, QWidget* parent);

    enum Column { ColDiameter, ColArea, ColRatio, ColEta, ColCombination, ColLimits, ColumnCount };

    QTableWidget* Tabela = nullptr;
    QLabel* LblEscolha = nullptr; // the chosen diameter, or that none suffices
    QLabel* LblAsNec = nullptr;   // As,nec and ρnec
    QPushButton* BtnAplicar = nullptr;
    QPushButton* BtnCancelar = nullptr;

    void BtnAplicarClick();

    const DesignResult& Result() const { return result; }

private:
    TFPrincipal& w;
    DesignResult result;
};

} // namespace flexara
