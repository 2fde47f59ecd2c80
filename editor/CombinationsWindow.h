// FCombinacoes: the window "Combinações de esforços". A table of the load
// combinations of the case (name, Nd, Mxd, Myd as the user types, pastes or
// imports them) and, after "Verificar", the result of each on the current
// case: η, MRd and its situation, the governing row in bold. The rows belong
// to the case (they are saved in its project file); the results belong to the
// case as it was checked and go as soon as the section, the bars, the
// materials or the settings change.
#pragma once

#include "engine/Combinations.h"

#include <QDialog>
#include <QPointer>

#include <optional>
#include <string>

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace flexara {

class TFDimensionamento;
class TFPrincipal;

class TFCombinacoes : public QDialog {
    Q_OBJECT
public:
    TFCombinacoes(TFPrincipal& window, QWidget* parent);

    enum Column { ColName, ColNd, ColMxd, ColMyd, ColEta, ColMRd, ColSituation, ColumnCount };

    QTableWidget* Tabela = nullptr;
    QPushButton* BtnAdicionar = nullptr;
    QPushButton* BtnExcluir = nullptr;
    QPushButton* BtnColar = nullptr;
    QPushButton* BtnImportar = nullptr;
    QPushButton* BtnExportar = nullptr;
    QPushButton* BtnVerificar = nullptr;
    QPushButton* BtnMostrar = nullptr;
    QPushButton* BtnDiagramas = nullptr;
    QPushButton* BtnDimensionar = nullptr;

    void BtnAdicionarClick();
    void BtnExcluirClick();
    void BtnColarClick();
    void BtnImportarClick();
    void BtnExportarClick();
    void BtnVerificarClick();
    void BtnMostrarClick();
    void BtnDiagramasClick();
    // The design of the reinforcement for the rows, behind the progress
    // dialog; its result in FDimensionamento.
    void BtnDimensionarClick();

    // The dialog of the last design while it is open.
    QPointer<TFDimensionamento> FDimensionamento;

    // The column the checks and the design of this window take: the one place
    // the window's case gives it. A case has none yet.
    std::optional<flexara::Column> CaseColumn() const;

    // The rows as the table holds them: a cell that does not convert gives 0.
    CombinationList Rows() const;
    // The rows for what keeps or checks them (Save, "Exportar CSV...",
    // "Verificar"): a marked cell is never written or checked as 0, so a row
    // with one stops the command, named ("Combinação 3: Nd inválido").
    CombinationList CheckedRows() const;
    // Whether every number of row r converts.
    bool RowValid(int r) const;
    // The rows whose numbers all convert, and where they stand in the table.
    CombinationList ValidRows(std::vector<int>* tableRows = nullptr) const;
    // Replaces the rows (a new case, a project file); the results go.
    void SetRows(const CombinationList& rows);
    // Appends rows (imported); past the capacity the rest is left out and the
    // user told how many went in and how many not.
    void AppendRows(const CombinationList& rows);

    // The last check, while it still belongs to the case.
    const std::optional<CombinationCheck>& Results() const { return results; }
    // Called after every edit of the case: the results go when the section,
    // the bars, the materials or the settings are no longer those checked.
    void CaseChanged();

private:
    void AppendRow(const QString& name, const QString& nd, const QString& mxd, const QString& myd);
    // After rows were added: the buttons follow, and rows beyond the capacity
    // are reported.
    void RowsAdded(std::size_t added, std::size_t leftOut);
    void CellChanged(QTableWidgetItem* item);
    void MarkCell(QTableWidgetItem* item);
    void ClearResults();
    void ShowResults(const std::vector<int>& tableRows);
    // Runs the check on worker threads; a progress dialog with "Cancelar"
    // shows when it takes more than half a second.
    std::optional<CombinationCheck> RunCheck(const CombinationList& rows);
    void UpdateButtons();

    TFPrincipal& w;
    std::optional<CombinationCheck> results;
    std::string checkedCase; // the case the results belong to
    bool filling = false;    // the program is setting cells: no handler
};

} // namespace flexara
