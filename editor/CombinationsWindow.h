// FCombinacoes: the window "Combinações de esforços". A table of the load
// combinations of the case (name, Nd, Mxd, Myd as the user types, pastes or
// imports them) and, after "Verificar", the result of each on the current
// case: η, MRd and its situation, the governing row in bold. The group "Pilar"
// makes the case a column (NBR 6118:2014): its lengths, support conditions and
// method, the moments at the base of each row ("Mxd base", "Myd base"; an
// empty cell is the top's) and, checked, the situation that governs each row
// and its details. The group "Detalhamento" gives the case its detailing
// data (the cover by class or typed, φt, dmáx, st), whose rules the check
// judges with the combinations; unchecked, the case has none. The rows belong
// to the case (they are saved in its project file); the results belong to the
// case as it was checked and go as soon as the section, the bars, the
// materials or the settings change.
#pragma once

#include "engine/column/Combinations.h"
#include "engine/design/Detailing.h"
#include "engine/study/CaseVerdict.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
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

    // The base moments and the governing situation show only for a column.
    enum Column {
        ColName,
        ColNd,
        ColMxd,
        ColMyd,
        ColMxdBase,
        ColMydBase,
        ColEta,
        ColMRd,
        ColGoverning,
        ColSituation,
        ColumnCount
    };

    QTableWidget* Tabela = nullptr;
    QPushButton* BtnAdicionar = nullptr;
    QPushButton* BtnExcluir = nullptr;
    QPushButton* BtnColar = nullptr;
    QPushButton* BtnImportar = nullptr;
    QPushButton* BtnExportar = nullptr;
    QPushButton* BtnVerificar = nullptr;
    QPushButton* BtnMostrar = nullptr;
    QPushButton* BtnDiagramas = nullptr;
    QPushButton* BtnDetalhes = nullptr;
    // After "Verificar": the case's verdict, and the warnings of the check.
    QLabel* LblVeredito = nullptr;
    QLabel* LblAviso = nullptr;
    // After "Verificar": "4 de 50 combinações não atendem", and the
    // calculation model of a code model the η were computed in.
    QLabel* LblFalhas = nullptr;
    QLabel* LblModelo = nullptr;

    // The group "Pilar".
    QGroupBox* GBPilar = nullptr;
    QCheckBox* CBPilar = nullptr;
    QLineEdit* EdLeX = nullptr;
    QLineEdit* EdLeY = nullptr;
    QComboBox* CombApoioX = nullptr;
    QComboBox* CombApoioY = nullptr;
    QComboBox* CombMetodo = nullptr;
    // The least dimension b: typed for a free polygon, the computed one shown
    // (read only) for the families; creep's φ and ψ (empty: not given) and
    // the aggregate ("basalto", "granito ou gnaisse", "calcário", "arenito").
    QLineEdit* EdB = nullptr;
    QLineEdit* EdFi = nullptr;
    QLineEdit* EdPsi = nullptr;
    QComboBox* CombAgregado = nullptr;
    QPushButton* BtnDimensionar = nullptr;

    // The group "Detalhamento": the environmental class ("I" to "IV", or
    // "cobrimento informado"), the cover c (the class's shown read only, or
    // typed), φt ("automático" or one of the bar diameters), dmáx and st
    // (empty: the proposed spacing).
    QGroupBox* GBDetalhamento = nullptr;
    QCheckBox* CBDetalhamento = nullptr;
    QComboBox* CombClasse = nullptr;
    QLineEdit* EdCobrimento = nullptr;
    QComboBox* CombEstribo = nullptr;
    QLineEdit* EdDmax = nullptr;
    QLineEdit* EdSt = nullptr;

    void BtnAdicionarClick();
    void BtnExcluirClick();
    void BtnColarClick();
    void BtnImportarClick();
    void BtnExportarClick();
    void BtnVerificarClick();
    void BtnMostrarClick();
    void BtnDiagramasClick();
    void BtnDetalhesClick();

    // The column of the case as the group holds it; none when the box is not
    // checked. A length that is empty, zero, negative or does not convert
    // stops the command that asks, named ("Pilar: le (Mxd) nulo: ...").
    std::optional<flexara::Column> CheckedColumn() const;
    // The group shows the column (a project file, its lengths as written,
    // 0 too) or none (a new case: the lengths empty); the results go.
    void SetColumn(const std::optional<flexara::Column>& column);
    // The detailing data as the group holds them; none when the box is not
    // checked. A c or dmáx that is empty, not positive or does not convert,
    // and an st given so, stop the command that asks, named ("Detalhamento:
    // c deve ser maior que zero").
    std::optional<Detailing> CheckedDetailing() const;
    // The group shows the case's detailing data (a project file's) or none
    // (a new case: the box unchecked, the defaults shown); the case gets them
    // as given, the results go.
    void SetDetailing(const std::optional<Detailing>& detailing);
    // The details of row r of the last check as "Detalhes do pilar" shows
    // them; empty without a column check of that row. A case checked with
    // its detailing data has their rules after the column's text.
    QString DetailsText(int r) const;
    // The dialog "Detalhes do pilar" of row r, none where DetailsText is
    // empty: the text and, for a row checked by the general method, a page
    // per bending with its bar's stations (z, M1, u, M, 1/r) and the picture
    // of its deflected shape and moments.
    std::unique_ptr<QDialog> DetailsDialog(int r);

    // The design of the reinforcement for the rows, behind the progress
    // dialog; its result in FDimensionamento.
    void BtnDimensionarClick();

    // The dialog of the last design while it is open.
    QPointer<TFDimensionamento> FDimensionamento;

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

    // What the tooltip of a cell shows: its own hint (a cell that does not
    // convert), else its whole text when the column cuts it.
    QString CellToolTip(int r, int c) const;
    // Wide enough for every column's title and the verdict words.
    int OpeningWidth() const;

    // The last check, while it still belongs to the case, and the case's
    // verdict from it.
    const std::optional<CombinationCheck>& Results() const { return results; }
    const std::optional<CaseVerdict>& Verdict() const { return verdict; }
    // Called after every edit of the case: the results go when the section,
    // the bars, the materials or the settings are no longer those checked.
    void CaseChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AppendRow(const QString& name, const QString& nd, const QString& mxd, const QString& myd,
                   const QString& mxdBase = QString(), const QString& mydBase = QString());
    // Whether the table's cell holds a value: a base cell may be empty.
    bool CellValid(int r, int c) const;
    bool IsColumn() const;
    void ColumnToggled();
    // b as the case's outline has it: typed for a free polygon (the text the
    // user left), computed and read only for a family.
    void ShowLeastDimension();
    // The group "Detalhamento" follows its box and its class; an edit of it
    // is stored as the case's detailing data when it converts (a bad entry
    // is said by the command that needs the data).
    void DetailingToggled();
    void ShowCover();
    void StoreDetailing();
    // The last check's result of table row r, when it has one.
    const CombinationResult* ResultOfTableRow(int r) const;
    // After rows were added: the buttons follow, and rows beyond the capacity
    // are reported.
    void RowsAdded(std::size_t added, std::size_t leftOut);
    void CellChanged(QTableWidgetItem* item);
    void MarkCell(QTableWidgetItem* item);
    void ClearResults();
    void ShowResults(const std::vector<int>& tableRows);
    void ShowVerdict();
    // Runs the check on worker threads; a progress dialog with "Cancelar"
    // shows when it takes more than half a second. A check that ran to its
    // end gives the case's verdict in judged.
    std::optional<CombinationCheck> RunCheck(const CombinationList& rows, std::optional<CaseVerdict>& judged);
    void UpdateButtons();

    TFPrincipal& w;
    std::optional<CombinationCheck> results;
    std::optional<CaseVerdict> verdict;
    std::string checkedCase;                      // the case the results belong to
    std::vector<int> resultRows;                  // the table row of each result
    std::optional<flexara::Column> checkedColumn; // the column the results were checked with
    bool filling = false;                         // the program is setting cells: no handler
    QString typedLeastDimension;                  // b as typed for a free polygon
    std::optional<Detailing> checkedDetailing;    // the detailing data the verdict was judged with
    bool fillingDetailing = false;                // the program is setting the group: nothing stored
};

} // namespace flexara
