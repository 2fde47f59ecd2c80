// FPrincipal: the main window. It owns the one analysis state of the case; its
// groups write the input fields of that state (the actions and materials here,
// the section and the bars in TGBSecao and TGBArmadura), "Gerar gráfico" turns
// the state into the interaction curve on ChCurva, and every field reports
// invalid input on the status bar through the EditorContext it implements.
#pragma once

#include "engine/Faults.h"
#include "engine/case/UVariav.h"
#include "engine/study/CaseCurve.h"
#include "project/ProjectFile.h"
#include "report/CaseReport.h"
#include "uikit/EditorContext.h"

#include <QByteArray>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QStatusBar;
class QTimer;

namespace flexara {

class TAboutBox;
class TFCombinacoes;
class TFDiagramas;
class TChCurva;
class TFAviso;
class TFConcreto;
class TFConfig;
class TGBArmadura;
class TGBSecao;
class TPaintBox1;
class Tconfirma;
class TDocumentCommands;
class TCaseHistory;
struct MaterialSelection;

class TFPrincipal : public QMainWindow, public EditorContext {
    Q_OBJECT
public:
    explicit TFPrincipal(QWidget* parent = nullptr);
    ~TFPrincipal() override;

    // The dialogs the window opens; they are created after it.
    void AttachDialogs(TAboutBox* aboutBox, Tconfirma* confirma, TFConfig* config, TFConcreto* concreto,
                       TFAviso* aviso);

    // EditorContext.
    AnalysisState& State() override { return *state; }
    void ClearInputMark() override;
    void MarkInputInvalid(QWidget* field) override;
    void TaxaArmadura() override;
    void RepaintSection() override;

    // A fault met inside a handler that the window system called, where no
    // exception may pass: the command in progress raises it at its next step
    // (RaisePendingFault), or the error box shows it once the event is over.
    void ReportFault(const Fault& fault);
    void RaisePendingFault();

    // The status bar in the warning colour with a text of its own, and the focus
    // back to field (the settings dialog's "O número máximo de pontos ...").
    void MarkInput(QWidget* field, const QString& text);
    QString StatusText() const;
    QColor StatusColor() const;

    // The default case; runs when the window is created and on "&Novo".
    void FormCreate();
    void Timer1Timer();

    void EdNdChange();
    void EdNdExit();
    void EdMdxChange();
    void EdMdxExit();
    void EdMdyChange();
    void EdMdyExit();
    void CombConcretoChange(int index);
    void CombConcretoExit();
    void CombAcoExit();
    void BtnGerarClick();

    void Novo1Click();
    void ExportarRelatorioClick();
    void ImprimirRelatorioClick();
    void ExportarGraficoClick();
    void ExportarCurvaClick();
    // An export may not replace the case it comes from (its .fxr, also
    // through a link): throws with the window's message.
    void RefuseCaseFileAsOutput(const QString& path) const;
    void Abrir1Click();
    void Salvar1Click();
    void SavarComo1Click();
    void Sair1Click();
    void ConfiguraClick();
    void CombinacoesClick();
    void DiagramasClick();
    void SobreClick();

    // A load goes into EdNd, EdMdx and EdMdy as the project-file reader puts
    // it there, each shown from its first digit, and "Gerar gráfico" runs:
    // the chart shows its curve and point, and names the load by label for as
    // long as the actions are that load's.
    void ShowLoad(double nd, double mxd, double myd, const QString& label = QString());
    // After "Aplicar" of the design: the chart generated again for the new
    // bars and the combinations checked again, so that no η on screen is the
    // old bars'.
    void DesignApplied();
    // What the writer needs besides the state: the selections, the visible
    // dimension fields and the load combinations of FCombinacoes.
    ProjectWriteInput WriteInput(const CombinationList* combinations,
                                 const std::optional<Column>* column = nullptr) const;
    // The detailing data of the case, as the file gave them (none for a new
    // case): written back with it and judged in the check of its combinations.
    std::optional<Detailing>& CaseDetailing() { return detailing; }
    const std::optional<Detailing>& CaseDetailing() const { return detailing; }
    // The case as far as a check of load combinations depends on it: all of
    // it but the actions of the main window.
    std::string CaseFingerprint() const;

    // The report of the case as it stands: its curve computed afresh on a copy
    // of the state, with the load combinations of FCombinacoes whose cells
    // all convert. printer receives the pages (the print path and its test).
    QByteArray ReportPdfBytes();
    void PrintReportTo(QPrinter& printer);
    // The last generation as the chart shows it; generated first when the
    // chart is empty.
    CaseCurve ChartCurve();

    // Reading a project file (the window side of the reader).
    void SetNdFromFile(double value);
    void SetMxdFromFile(double value);
    void SetMydFromFile(double value);
    // Select without running a handler; -1 selects none.
    void SelectConcreteFromFile(int index);
    void SelectSteelFromFile(int index);

    TGBSecao& Secao() { return *GBSecao; }
    TGBArmadura& Armadura() { return *GBArmadura; }
    const AnalysisState& State() const { return *state; }
    int ConcreteIndex() const;
    int SteelIndex() const;
    MaterialSelection Selection() const;

    // New, Open, Save and Save As, with the file dialogs.
    std::unique_ptr<TDocumentCommands> Documents;
    // Unsaved changes and the steps to undo.
    std::unique_ptr<TCaseHistory> History;
    bool HasFileName = false;
    bool SplashTickSeen = false;

    QGroupBox* GBSolicitacoes = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* LblNd = nullptr;
    QLineEdit* EdNd = nullptr;
    QLabel* LblMdx = nullptr;
    QLineEdit* EdMdx = nullptr;
    QLabel* LblMdy = nullptr;
    QLineEdit* EdMdy = nullptr;
    QGroupBox* GBMateriais = nullptr;
    QLabel* LblConcreto = nullptr;
    QComboBox* CombConcreto = nullptr;
    QLabel* LblAco = nullptr;
    QComboBox* CombAco = nullptr;
    TGBSecao* GBSecao = nullptr;
    TGBArmadura* GBArmadura = nullptr;
    TChCurva* ChCurva = nullptr;
    TPaintBox1* PaintBox1 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* LblTaxaArm = nullptr;
    QPushButton* BtnGerar = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel = nullptr;
    QPointer<QFrame> Panel1; // null once the credits are gone
    QTimer* Timer1 = nullptr;

    QMenu* Arquivo = nullptr;
    QAction* Novo1 = nullptr;
    QAction* Abrir1 = nullptr;
    QAction* Salvar1 = nullptr;
    QAction* SavarComo1 = nullptr;
    QAction* ExportarRelatorio = nullptr;
    QAction* ImprimirRelatorio = nullptr;
    QAction* ExportarGrafico = nullptr;
    QAction* ExportarCurva = nullptr;
    QAction* Sair1 = nullptr;
    // "&Editar": the steps of the case undone and done again.
    QMenu* Editar = nullptr;
    QAction* Desfazer = nullptr;
    QAction* Refazer = nullptr;
    QAction* Configura = nullptr;
    QAction* Combinacoes = nullptr;
    QAction* Diagramas = nullptr;
    QAction* Sobre = nullptr;

    TAboutBox* AboutBox = nullptr;
    Tconfirma* confirma = nullptr;
    TFConfig* FConfig = nullptr;
    TFConcreto* FConcreto = nullptr;
    TFAviso* FAviso = nullptr;
    TFCombinacoes* FCombinacoes = nullptr;
    TFDiagramas* FDiagramas = nullptr;

    // The combinations' rows and column belong to the case from now on.
    void AttachCombinations(TFCombinacoes* combinations);
    void AttachDiagrams(TFDiagramas* diagrams) { FDiagramas = diagrams; }

    // Every request to close the window asks confirma first; with unsaved
    // changes, whether to save them instead.
    bool FormCloseQuery();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenu();
    void CreateStatusBar();
    void CreateSolicitacoes(QWidget* client);
    void CreateMateriais(QWidget* client);
    void CreateCreditsPanel(QWidget* client);
    // Results of load combinations belong to the case they were checked on.
    void CaseEdited();
    // The utilisation of the design point in the chart's corner.
    void ShowUtilisation();
    CaseStudy StudyForReport() const;
    ReportCase ReportOf(const CaseStudy& study) const;
    // The path of an export, asked in a save dialog that proposes the case
    // file's name with the suffix of the first filter.
    QString AskExportPath(const QString& title, const QStringList& filters, QString* chosenFilter = nullptr);
    void LetMenuShortcutsThrough();
    // Stores a moment from its field: 0 for a text that does not convert.
    bool StoreMoment(QLineEdit* field, double& moment);
    void ShowStatus(const QColor& colour, const QString& text);

    std::unique_ptr<AnalysisState> state;
    std::optional<Detailing> detailing;
    std::optional<Fault> pendingFault;
    // The load "Mostrar no gráfico" put into the actions, and its name on the
    // chart.
    struct ShownLoad {
        double nd = 0.0;
        double mxd = 0.0;
        double myd = 0.0;
        QString label;
    };
    std::optional<ShownLoad> shownLoad;
};

} // namespace flexara
