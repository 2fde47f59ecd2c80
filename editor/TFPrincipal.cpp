#include "editor/TFPrincipal.h"

#include "dialogs/TAboutBox.h"
#include "dialogs/TFAviso.h"
#include "dialogs/TFConcreto.h"
#include "dialogs/TFConfig.h"
#include "dialogs/Tconfirma.h"
#include "dialogs/WindowLook.h"
#include "editor/CaseHistory.h"
#include "editor/CombinationsWindow.h"
#include "editor/DiagramsWindow.h"
#include "editor/DocumentCommands.h"
#include "editor/InteractionChart.h"
#include "editor/ReinforcementGroup.h"
#include "editor/SectionDrawing.h"
#include "editor/SectionGroup.h"
#include "engine/Faults.h"
#include "engine/case/Materials.h"
#include "engine/section/Curve.h"
#include "engine/section/DefaultCase.h"
#include "engine/section/Ratio.h"
#include "project/CsvText.h"
#include "project/ProjectFile.h"
#include "report/CaseReport.h"
#include "report/ChartDrawing.h"
#include "report/ReportText.h"
#include "resources/JpegImage.h"
#include "texts/Words.h"
#include "uikit/CaptionedComboBox.h"
#include "uikit/FieldEvents.h"
#include "uikit/FieldText.h"
#include "uikit/FlexaraApplication.h"
#include "uikit/LocalPath.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSize>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>

namespace flexara {

namespace {

// The client area between the menu bar and the status bar, where every control
// keeps its place whatever the size of the window.
constexpr int ClientWidth = 802;
constexpr int ClientHeight = 514;
constexpr int MenuBarHeight = 19;
constexpr int StatusBarHeight = 19;
constexpr int FieldHeight = 21;
constexpr int SplashPeriodMs = 1000;

const QString InvalidInputText = QStringLiteral("Valor de entrada inválido");

QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top, int width = 0)
{
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    if (width > 0)
        label->resize(width, 16);
    else
        label->adjustSize();
    return label;
}

QLineEdit* AddField(QWidget* parent, int left, int top)
{
    auto* field = new QLineEdit(parent);
    field->setGeometry(left, top, 50, FieldHeight);
    return field;
}

QComboBox* AddList(QWidget* parent, int left, int top)
{
    auto* list = new CaptionedComboBox(parent);
    list->setGeometry(left, top, 63, FieldHeight);
    list->setEditable(false);
    return list;
}

QPixmap Picture(const char* file)
{
    return QPixmap::fromImage(LoadJpegResource(QStringLiteral(":/pictures/") + QString::fromUtf8(file)));
}

// The light colour of the hints, on which the status bar reports bad input.
QColor WarningColour()
{
    const QColor hint = QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase);
    if (hint.isValid() && hint != SilverColor() && hint.lightness() > SilverColor().lightness())
        return hint;
    return QColor(255, 255, 225);
}

// The axes follow the data once a generation has ended, also when a fault ended
// it half-way.
class AxesRescaledAtEnd {
public:
    explicit AxesRescaledAtEnd(TChCurva& chart) : chart(chart) {}
    ~AxesRescaledAtEnd() { chart.RescaleAxes(); }
    AxesRescaledAtEnd(const AxesRescaledAtEnd&) = delete;
    AxesRescaledAtEnd& operator=(const AxesRescaledAtEnd&) = delete;

private:
    TChCurva& chart;
};

} // namespace

TFPrincipal::TFPrincipal(QWidget* parent) : QMainWindow(parent), state(std::make_unique<AnalysisState>())
{
    setObjectName(QStringLiteral("FPrincipal"));
    setWindowTitle(QString::fromUtf8(ApplicationTitle));
    setWindowIcon(Picture("icone.jpg"));
    PaintSilver(this);

    History = std::make_unique<TCaseHistory>(*this);
    CreateMenu();
    CreateStatusBar();

    auto* client = new QWidget(this);
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    // The ratio comes first: the groups refresh it while they are built.
    Label23 = AddLabel(client, QStringLiteral("Taxa de Armadura:"), 15, 485);
    LblTaxaArm = AddLabel(client, QStringLiteral("0,00 %"), 124, 485, 80);
    for (QLabel* label : {Label23, LblTaxaArm})
        label->setToolTip(QStringLiteral("As/Ac"));
    // A screen reader reads the ratio itself ("1,57 %", its text, kept current)
    // with its caption as its label.
    Label23->setBuddy(LblTaxaArm);
    LblTaxaArm->setAccessibleDescription(QStringLiteral("As/Ac"));

    // Created in keyboard order: loads, materials, section, reinforcement, the
    // button and the chart.
    CreateSolicitacoes(client);
    CreateMateriais(client);
    GBSecao = new TGBSecao(*this, client);
    GBSecao->setGeometry(166, 5, 301, 304);
    GBArmadura = new TGBArmadura(*this, client);
    GBArmadura->setGeometry(14, 314, 452, 155);

    BtnGerar = new QPushButton(QStringLiteral("Gerar gráfico"), client);
    BtnGerar->setGeometry(392, 484, 75, 25);
    HintControl(BtnGerar, QStringLiteral("Gera a curva de interação"));
    connect(BtnGerar, &QPushButton::clicked, this, &TFPrincipal::BtnGerarClick);

    ChCurva = new TChCurva(client);
    ChCurva->setGeometry(478, 10, 307, 299);
    ChCurva->OnWarning = [this](CurveWarning warning) {
        if (FAviso)
            FAviso->ShowWarning(warning);
    };

    PaintBox1 = new TPaintBox1(
        *state, [this] { return GBArmadura->SelectedLine(); }, client);
    PaintBox1->setGeometry(480, 320, 300, 185);

    CreateCreditsPanel(client);
    LetMenuShortcutsThrough();
    Documents = std::make_unique<TDocumentCommands>(*this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(SplashPeriodMs);
    connect(Timer1, &QTimer::timeout, this, &TFPrincipal::Timer1Timer);
    Timer1->start();

    // 802 x 552 inside: 810 x 579 outside with a classic frame of 4 px and a
    // caption of 19 px.
    resize(ClientWidth, MenuBarHeight + ClientHeight + StatusBarHeight);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - QPoint(810 / 2, 579 / 2));

    FormCreate();
}

TFPrincipal::~TFPrincipal() = default;

void TFPrincipal::AttachDialogs(TAboutBox* aboutBox, Tconfirma* confirmaBox, TFConfig* config, TFConcreto* concreto,
                                TFAviso* aviso)
{
    AboutBox = aboutBox;
    confirma = confirmaBox;
    FConfig = config;
    FConcreto = concreto;
    FAviso = aviso;
}

void TFPrincipal::AttachCombinations(TFCombinacoes* combinations)
{
    FCombinacoes = combinations;
    // Its edits are steps of the case: Ctrl+Z works there too.
    combinations->addAction(Desfazer);
    combinations->addAction(Refazer);
    History->StartCase();
}

void TFPrincipal::CreateMenu()
{
    QMenuBar* bar = menuBar();
    bar->setFixedHeight(MenuBarHeight);
    Arquivo = bar->addMenu(QStringLiteral("&Arquivo"));
    auto addItem = [this](QMenu* menu, const QString& caption, const QKeySequence& shortcut,
                          void (TFPrincipal::*slot)()) {
        QAction* item = menu->addAction(caption);
        item->setShortcut(shortcut);
        connect(item, &QAction::triggered, this, slot);
        return item;
    };
    Novo1 = addItem(Arquivo, QStringLiteral("&Novo"), QKeySequence(Qt::CTRL | Qt::Key_N), &TFPrincipal::Novo1Click);
    Abrir1 =
        addItem(Arquivo, QStringLiteral("&Abrir..."), QKeySequence(Qt::CTRL | Qt::Key_A), &TFPrincipal::Abrir1Click);
    Salvar1 =
        addItem(Arquivo, QStringLiteral("&Salvar"), QKeySequence(Qt::CTRL | Qt::Key_S), &TFPrincipal::Salvar1Click);
    SavarComo1 = addItem(Arquivo, QStringLiteral("Savar Como..."), QKeySequence(), &TFPrincipal::SavarComo1Click);
    Arquivo->addSeparator();
    ExportarRelatorio = addItem(Arquivo, QStringLiteral("Exportar relatório (PDF)..."), QKeySequence(),
                                &TFPrincipal::ExportarRelatorioClick);
    ImprimirRelatorio =
        addItem(Arquivo, QStringLiteral("Imprimir relatório..."), QKeySequence(), &TFPrincipal::ImprimirRelatorioClick);
    ExportarGrafico =
        addItem(Arquivo, QStringLiteral("Exportar gráfico..."), QKeySequence(), &TFPrincipal::ExportarGraficoClick);
    ExportarCurva =
        addItem(Arquivo, QStringLiteral("Exportar curva (CSV)..."), QKeySequence(), &TFPrincipal::ExportarCurvaClick);
    Arquivo->addSeparator();
    Sair1 = addItem(Arquivo, QStringLiteral("Sa&ir"), QKeySequence(Qt::ALT | Qt::Key_F4), &TFPrincipal::Sair1Click);

    Editar = bar->addMenu(QStringLiteral("&Editar"));
    Desfazer = Editar->addAction(QStringLiteral("Desfazer"));
    Desfazer->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Refazer = Editar->addAction(QStringLiteral("Refazer"));
    Refazer->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(Desfazer, &QAction::triggered, this, [this] { RunCommand([this] { History->Undo(); }); });
    connect(Refazer, &QAction::triggered, this, [this] { RunCommand([this] { History->Redo(); }); });
    // Each names its step: "Desfazer alteração de Nd".
    QUndoStack& steps = History->Stack();
    connect(&steps, &QUndoStack::undoTextChanged, this, [this](const QString& step) {
        Desfazer->setText(step.isEmpty() ? QStringLiteral("Desfazer") : QStringLiteral("Desfazer ") + step);
    });
    connect(&steps, &QUndoStack::redoTextChanged, this, [this](const QString& step) {
        Refazer->setText(step.isEmpty() ? QStringLiteral("Refazer") : QStringLiteral("Refazer ") + step);
    });
    connect(&steps, &QUndoStack::canUndoChanged, Desfazer, &QAction::setEnabled);
    connect(&steps, &QUndoStack::canRedoChanged, Refazer, &QAction::setEnabled);
    Desfazer->setEnabled(false);
    Refazer->setEnabled(false);

    Configura = bar->addAction(QStringLiteral("&Configurações"));
    connect(Configura, &QAction::triggered, this, &TFPrincipal::ConfiguraClick);
    Combinacoes = bar->addAction(QStringLiteral("Com&binações"));
    connect(Combinacoes, &QAction::triggered, this, &TFPrincipal::CombinacoesClick);
    Diagramas = bar->addAction(QStringLiteral("&Diagramas"));
    connect(Diagramas, &QAction::triggered, this, &TFPrincipal::DiagramasClick);
    Sobre = bar->addAction(QStringLiteral("&Sobre"));
    connect(Sobre, &QAction::triggered, this, &TFPrincipal::SobreClick);
}

void TFPrincipal::CreateStatusBar()
{
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(StatusBarHeight);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setAutoFillBackground(true);
    StatusBar1->setAccessibleName(QStringLiteral("Barra de estado"));
    // The panel is read by its text, which a screen reader announces when the
    // mark appears.
    StatusPanel = new QLabel(QStringLiteral(" "), StatusBar1);
    StatusBar1->addWidget(StatusPanel, 1);
    ClearInputMark();
}

void TFPrincipal::CreateSolicitacoes(QWidget* client)
{
    GBSolicitacoes = new QGroupBox(QStringLiteral("Solicitações"), client);
    GBSolicitacoes->setGeometry(15, 5, 139, 210);

    Image1 = new QLabel(GBSolicitacoes);
    Image1->setGeometry(29, 29, 94, 76);
    Image1->setPixmap(Picture("sinais.jpg"));
    Image1->setToolTip(QStringLiteral("Convenção de sinais positivos"));
    Image1->setAccessibleName(QStringLiteral("Convenção de sinais positivos"));

    LblNd = AddLabel(GBSolicitacoes, QStringLiteral("Nd (kN):"), 8, 126, 68);
    EdNd = AddField(GBSolicitacoes, 77, 123);
    CaptionControl(LblNd, EdNd, QStringLiteral("Esforço normal de cálculo"));
    LblMdx = AddLabel(GBSolicitacoes, QStringLiteral("Mxd (kN.m):"), 8, 153, 68);
    EdMdx = AddField(GBSolicitacoes, 77, 150);
    CaptionControl(LblMdx, EdMdx, QStringLiteral("Momento fletor de cálculo em torno do eixo X"));
    LblMdy = AddLabel(GBSolicitacoes, QStringLiteral("Myd (kN.m):"), 8, 180, 68);
    EdMdy = AddField(GBSolicitacoes, 77, 177);
    CaptionControl(LblMdy, EdMdy, QStringLiteral("Momento fletor de cálculo em torno do eixo Y"));

    connect(EdNd, &QLineEdit::textChanged, this, &TFPrincipal::EdNdChange);
    connect(EdMdx, &QLineEdit::textChanged, this, &TFPrincipal::EdMdxChange);
    connect(EdMdy, &QLineEdit::textChanged, this, &TFPrincipal::EdMdyChange);
    OnExit(EdNd, [this] { EdNdExit(); });
    OnExit(EdMdx, [this] { EdMdxExit(); });
    OnExit(EdMdy, [this] { EdMdyExit(); });
}

void TFPrincipal::CreateMateriais(QWidget* client)
{
    GBMateriais = new QGroupBox(QStringLiteral("Materiais"), client);
    GBMateriais->setGeometry(14, 229, 139, 78);

    LblConcreto = AddLabel(GBMateriais, QStringLiteral("Concreto:"), 8, 20, 56);
    CombConcreto = AddList(GBMateriais, 66, 17);
    for (const char* item : ConcreteItems)
        CombConcreto->addItem(QString::fromUtf8(item));
    CaptionControl(LblConcreto, CombConcreto, QStringLiteral("Resistência característica do concreto"));
    LblAco = AddLabel(GBMateriais, QStringLiteral("Aço:"), 8, 49, 56);
    CombAco = AddList(GBMateriais, 65, 46);
    for (const char* item : SteelItems)
        CombAco->addItem(QString::fromUtf8(item));
    CaptionControl(LblAco, CombAco, QStringLiteral("Resistência característica do aço"));

    // Only a choice of the user opens the custom strength, never the program's.
    connect(CombConcreto, &QComboBox::activated, this, &TFPrincipal::CombConcretoChange);
    OnExit(CombConcreto, [this] { CombConcretoExit(); });
    OnExit(CombAco, [this] { CombAcoExit(); });
}

void TFPrincipal::CreateCreditsPanel(QWidget* client)
{
    Panel1 = new QFrame(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(213, 170, 360, 193);
    Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel1->setLineWidth(1);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    Panel1->setAutoFillBackground(true);

    auto* icon = new QLabel(Panel1);
    icon->setGeometry(16, 14, 32, 32);
    icon->setPixmap(Picture("icone.jpg"));

    auto* product = new QLabel(QStringLiteral("FLEXARA"), Panel1);
    QFont productFont(QStringLiteral("Lucida Console"));
    productFont.setStyleHint(QFont::Monospace);
    productFont.setPixelSize(27);
    product->setFont(productFont);
    product->setGeometry(60, 8, 200, 34);

    auto* version = new QLabel(QStringLiteral("versão 1.0"), Panel1);
    QFont versionFont = version->font();
    versionFont.setBold(true);
    versionFont.setPixelSize(16);
    version->setFont(versionFont);
    version->setGeometry(62, 42, 200, 20);

    auto* support = new QLabel(QStringLiteral("Apoio:"), Panel1);
    QFont bold = support->font();
    bold.setBold(true);
    support->setFont(bold);
    support->setGeometry(16, 84, 100, 16);

    const char* logos[] = {"logo1.jpg", "logo2.jpg", "logo3.jpg"};
    for (int i = 0; i < 3; ++i) {
        auto* logo = new QLabel(Panel1);
        logo->setGeometry(16 + 52 * i, 108, 48, 48);
        logo->setPixmap(Picture(logos[i]));
    }
    const char* thanks[] = {"Instituições de ensino e de", "fomento à pesquisa, e os", "laboratórios de estruturas",
                            "que apoiaram o projeto."};
    for (int i = 0; i < 4; ++i)
        AddLabel(Panel1, QString::fromUtf8(thanks[i]), 180, 108 + 16 * i, 172);

    Panel1->raise();
}

void TFPrincipal::LetMenuShortcutsThrough()
{
    // A field would take Ctrl+A as "select all"; here it opens a project file.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->installEventFilter(this);
}

bool TFPrincipal::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_A))
            return true; // not accepted: the menu's shortcut runs
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- The status bar and the shared refreshes ----

void TFPrincipal::ShowStatus(const QColor& colour, const QString& text)
{
    QPalette palette = StatusBar1->palette();
    palette.setColor(QPalette::Window, colour);
    StatusBar1->setPalette(palette);
    if (StatusPanel->text() == text)
        return;
    StatusPanel->setText(text);
    StatusPanel->setAccessibleDescription(text.trimmed());
    QAccessibleEvent named(StatusPanel, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent described(StatusPanel, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

void TFPrincipal::ClearInputMark()
{
    ShowStatus(SilverColor(), QStringLiteral(" "));
}

void TFPrincipal::MarkInput(QWidget* field, const QString& text)
{
    ShowStatus(WarningColour(), text);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
}

void TFPrincipal::MarkInputInvalid(QWidget* field)
{
    MarkInput(field, InvalidInputText);
}

QString TFPrincipal::StatusText() const
{
    return StatusPanel->text();
}

QColor TFPrincipal::StatusColor() const
{
    return StatusBar1->palette().color(QPalette::Window);
}

void TFPrincipal::TaxaArmadura()
{
    try {
        LblTaxaArm->setText(QString::fromStdString(UpdateReinforcementRatio(*state)));
    } catch (const EngineError& error) {
        // The label keeps its last value; the fault ends the command.
        ReportFault(error.fault());
    }
    CaseEdited();
}

void TFPrincipal::CaseEdited()
{
    if (FCombinacoes)
        FCombinacoes->CaseChanged();
    if (FDiagramas)
        FDiagramas->CaseChanged();
}

void TFPrincipal::ReportFault(const Fault& fault)
{
    if (pendingFault)
        return;
    pendingFault = fault;
    // Raised by the command in progress (the reading of a file) at its next
    // step; shown here once the event is over if no command took it.
    QTimer::singleShot(0, this, [this] {
        if (!pendingFault)
            return;
        const Fault shown = *pendingFault;
        pendingFault.reset();
        FlexaraApplication::ShowError(FaultText(shown).c_str());
    });
}

void TFPrincipal::RaisePendingFault()
{
    if (!pendingFault)
        return;
    const Fault fault = *pendingFault;
    pendingFault.reset();
    throw EngineError(fault);
}

void TFPrincipal::RepaintSection()
{
    update();
    CaseEdited();
}

// ---- Start-up ----

void TFPrincipal::FormCreate()
{
    // The state starts from the default case before the fields show it, so that
    // no refresh on the way meets what an earlier case left (a bar area beyond
    // the double range, from a file that failed to open).
    InstallDefaultCase(*state);
    // A step undone comes back through here with the chart as it is and the
    // file it was saved to.
    const bool restoring = History->Restoring();
    if (!restoring) {
        ChCurva->ClearCurve();
        shownLoad.reset();
        ChCurva->SetOutOfRangeNotice(false);
        ChCurva->RescaleAxes();
        HasFileName = false;
    }

    for (QLineEdit* field : {EdNd, EdMdx, EdMdy})
        field->setText(QStringLiteral("0"));
    EdNdExit();
    EdMdxExit();
    EdMdyExit();

    GBSecao->InstallDefaultCase();

    // The default materials; a zero safety factor stays silent here (the
    // settings outlive "&Novo") and is reported when a list is left.
    CombConcreto->setCurrentIndex(DefaultConcreteIndex);
    CombAco->setCurrentIndex(DefaultSteelIndex);
    ApplyConcreteSelection(*state, CombConcreto->currentIndex());
    ApplySteelSelection(*state, CombAco->currentIndex());

    GBArmadura->InstallDefaultCase();
    // A new case has no load combinations, no column and no detailing data.
    detailing.reset();
    if (FCombinacoes) {
        FCombinacoes->SetColumn(std::nullopt);
        FCombinacoes->SetDetailing(std::nullopt);
        FCombinacoes->SetRows({});
    }
    update();
    History->StartCase();
}

void TFPrincipal::Timer1Timer()
{
    // The first tick only records itself; the second removes the credits for good.
    if (SplashTickSeen) {
        Timer1->stop();
        delete Panel1.data();
    }
    SplashTickSeen = true;
}

// ---- Solicitações ----

void TFPrincipal::EdNdChange()
{
    ClearInputMark();
}

void TFPrincipal::EdNdExit()
{
    ClearInputMark();
    double value = 0.0;
    // An invalid text leaves Nd as it was.
    if (ParseField(EdNd->text(), value))
        state->Nd = value;
    else
        MarkInputInvalid(EdNd);
}

bool TFPrincipal::StoreMoment(QLineEdit* field, double& moment)
{
    ClearInputMark();
    double value = 0.0;
    const bool converted = ParseField(field->text(), value);
    moment = converted ? value : 0.0;
    return converted;
}

void TFPrincipal::EdMdxChange()
{
    StoreMoment(EdMdx, state->Mxd);
}

void TFPrincipal::EdMdxExit()
{
    if (!StoreMoment(EdMdx, state->Mxd))
        MarkInputInvalid(EdMdx);
}

void TFPrincipal::EdMdyChange()
{
    StoreMoment(EdMdy, state->Myd);
}

void TFPrincipal::EdMdyExit()
{
    if (!StoreMoment(EdMdy, state->Myd))
        MarkInputInvalid(EdMdy);
}

// ---- Materiais ----

void TFPrincipal::CombConcretoChange(int index)
{
    if (index == ConcreteOtherIndex && FConcreto)
        FConcreto->exec();
    CaseEdited();
    History->RecordEdit();
}

// A zero safety factor would make the strength infinite: the division by zero
// is reported and the strength kept.
void TFPrincipal::CombConcretoExit()
{
    ClearFpFaults();
    ApplyConcreteSelection(*state, CombConcreto->currentIndex());
    if (FaultKind fault{}; RaisedFpFault(fault))
        ReportFault(Fault{fault});
    CaseEdited();
}

void TFPrincipal::CombAcoExit()
{
    ClearFpFaults();
    ApplySteelSelection(*state, CombAco->currentIndex());
    if (FaultKind fault{}; RaisedFpFault(fault))
        ReportFault(Fault{fault});
    CaseEdited();
}

int TFPrincipal::ConcreteIndex() const
{
    return CombConcreto->currentIndex();
}

int TFPrincipal::SteelIndex() const
{
    return CombAco->currentIndex();
}

MaterialSelection TFPrincipal::Selection() const
{
    return MaterialSelection{ConcreteIndex(), SteelIndex()};
}

// ---- Gerar gráfico ----

void TFPrincipal::BtnGerarClick()
{
    // A generation is no edit of the case, whatever it refreshes; what was
    // edited before it is a step of its own.
    History->RecordEdit();
    const bool modified = History->Modified();
    struct Absorbed {
        TCaseHistory& history;
        bool modified;
        ~Absorbed() { history.AbsorbGeneration(modified); }
    } absorbed{*History, modified};
    RunCommand([this] {
        {
            const AxesRescaledAtEnd rescaled(*ChCurva);
            GenerateCurve(*state, Selection(), *ChCurva);
        }
        ShowUtilisation();
        TaxaArmadura();
    });
}

// ---- Menu ----

void TFPrincipal::Novo1Click()
{
    RunCommand([this] {
        if (Documents->SettleUnsavedChanges())
            FormCreate();
    });
}

void TFPrincipal::Abrir1Click()
{
    RunCommand([this] { Documents->Abrir(); });
}

void TFPrincipal::Salvar1Click()
{
    RunCommand([this] { Documents->Salvar(); });
}

void TFPrincipal::SavarComo1Click()
{
    RunCommand([this] { Documents->SavarComo(); });
}

// ---- Report and exports ----

CaseStudy TFPrincipal::StudyForReport() const
{
    const CombinationList rows = FCombinacoes ? FCombinacoes->ValidRows() : CombinationList{};
    const std::optional<Column> column = FCombinacoes ? FCombinacoes->CheckedColumn() : std::nullopt;
    // A detailing datum that does not convert stops the report, named.
    if (FCombinacoes)
        FCombinacoes->CheckedDetailing();
    return StudyCase(*state, Selection(), rows, column, detailing);
}

ReportCase TFPrincipal::ReportOf(const CaseStudy& study) const
{
    ReportCase report;
    report.study = &study;
    report.selection = Selection();
    report.fileName = QFileInfo(Documents->CaseFile()).fileName();
    report.printedAt = ReportTime();
    return report;
}

QByteArray TFPrincipal::ReportPdfBytes()
{
    const CaseStudy study = StudyForReport();
    return ReportPdf(ReportOf(study));
}

void TFPrincipal::PrintReportTo(QPrinter& printer)
{
    const CaseStudy study = StudyForReport();
    PaintReport(printer, ReportOf(study));
}

CaseCurve TFPrincipal::ChartCurve()
{
    if (ChCurva->CurvePoints().isEmpty() && ChCurva->DesignPoints().isEmpty() && !ChCurva->NoticeShown())
        BtnGerarClick();
    CaseCurve curve;
    curve.nd = state->Nd;
    for (const QPointF& p : ChCurva->CurvePoints())
        curve.points.push_back(Point{p.x(), p.y()});
    if (!ChCurva->DesignPoints().isEmpty())
        curve.designPoint = Point{ChCurva->DesignPoints().front().x(), ChCurva->DesignPoints().front().y()};
    if (ChCurva->NoticeShown())
        curve.status = CurveStatus::OutOfRange;
    return curve;
}

QString TFPrincipal::AskExportPath(const QString& title, const QStringList& filters, QString* chosenFilter)
{
    // The suffix of the first filter: "Documento PDF (*.pdf)" gives "pdf".
    const QString& first = filters.front();
    const qsizetype star = first.indexOf(QLatin1String("*."));
    const QString suffix = first.mid(star + 2, first.indexOf(QLatin1Char(')'), star) - star - 2);
    OtherFileRequest request;
    request.title = title;
    request.filters = filters;
    request.defaultSuffix = suffix;
    // The case file's name, or the save dialog's first one, with the suffix.
    const QString file = QFileInfo(Documents->CaseFile()).completeBaseName();
    request.proposedName = (file.isEmpty() ? QStringLiteral("Seção1") : file) + QLatin1Char('.') + suffix;
    return Documents->Dialogs().AskOtherFile(request, chosenFilter);
}

void TFPrincipal::RefuseCaseFileAsOutput(const QString& path) const
{
    const QString& caseFile = Documents->CaseFile();
    if (caseFile.isEmpty())
        return;
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(caseFile).absoluteFilePath() ||
        SameFile(LocalPath(path), LocalPath(caseFile)))
        throw std::runtime_error("O arquivo escolhido é o do próprio caso (" +
                                 QFileInfo(caseFile).fileName().toStdString() +
                                 "): a exportação o substituiria. Escolha outro nome");
}

void TFPrincipal::ExportarRelatorioClick()
{
    RunCommand([this] {
        const QString path =
            AskExportPath(QStringLiteral("Exportar relatório"), {QStringLiteral("Documento PDF (*.pdf)")});
        if (path.isEmpty())
            return;
        RefuseCaseFileAsOutput(path);
        SaveFileBytes(LocalPath(path), ReportPdfBytes().toStdString());
    });
}

void TFPrincipal::ImprimirRelatorioClick()
{
    RunCommand([this] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        printer.setFullPage(true);
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Imprimir relatório"));
        if (dialog.exec() == QDialog::Accepted)
            PrintReportTo(printer);
    });
}

void TFPrincipal::ExportarGraficoClick()
{
    RunCommand([this] {
        QString filter;
        const QString path =
            AskExportPath(QStringLiteral("Exportar gráfico"),
                          {QStringLiteral("Imagem PNG (*.png)"), QStringLiteral("Desenho SVG (*.svg)")}, &filter);
        if (path.isEmpty())
            return;
        RefuseCaseFileAsOutput(path);
        const CaseCurve curve = ChartCurve();
        // The kind follows the filter chosen (a name typed with the other
        // suffix still gets the kind of its suffix).
        const bool svg = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ||
                         (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) && filter.contains("svg"));
        SaveFileBytes(LocalPath(path), (svg ? ChartSvg(curve) : ChartPng(curve)).toStdString());
    });
}

void TFPrincipal::ExportarCurvaClick()
{
    RunCommand([this] {
        const QString path = AskExportPath(QStringLiteral("Exportar curva"), {QStringLiteral("Planilha CSV (*.csv)")});
        if (path.isEmpty())
            return;
        RefuseCaseFileAsOutput(path);
        SaveFileBytes(LocalPath(path), CurvePointsCsv(ChartCurve().points));
    });
}

void TFPrincipal::Sair1Click()
{
    close();
}

bool TFPrincipal::FormCloseQuery()
{
    // The question about the changes takes the place of the confirmation.
    if (History->Modified()) {
        bool close = false;
        RunCommand([this, &close] { close = Documents->SettleUnsavedChanges(); });
        return close;
    }
    return confirma == nullptr || confirma->Ask();
}

void TFPrincipal::closeEvent(QCloseEvent* event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TFPrincipal::ConfiguraClick()
{
    if (FConfig)
        FConfig->Execute();
    CaseEdited();
    History->RecordEdit();
}

void TFPrincipal::CombinacoesClick()
{
    if (!FCombinacoes)
        return;
    FCombinacoes->show();
    FCombinacoes->raise();
    FCombinacoes->activateWindow();
}

void TFPrincipal::DiagramasClick()
{
    // On the combination selected in FCombinacoes, when there is one.
    RunCommand([this] {
        if (FDiagramas)
            FDiagramas->Open(FCombinacoes ? FCombinacoes->Tabela->currentRow() : -1);
    });
}

void TFPrincipal::ShowLoad(double nd, double mxd, double myd, const QString& label)
{
    History->RecordEdit();
    SetNdFromFile(nd);
    SetMxdFromFile(mxd);
    SetMydFromFile(myd);
    // A long number reads from its sign and first digit, not from its end.
    for (QLineEdit* field : {EdNd, EdMdx, EdMdy})
        field->setCursorPosition(0);
    shownLoad = ShownLoad{nd, mxd, myd, label};
    History->RecordEdit(QStringLiteral("Mostrar no gráfico"));
    BtnGerarClick();
}

void TFPrincipal::DesignApplied()
{
    History->RecordEdit(QStringLiteral("aplicação do dimensionamento"));
    BtnGerarClick();
    if (FCombinacoes && FCombinacoes->Tabela->rowCount() > 0)
        FCombinacoes->BtnVerificarClick();
}

ProjectWriteInput TFPrincipal::WriteInput(const CombinationList* combinations,
                                          const std::optional<Column>* column) const
{
    ProjectWriteInput input;
    input.concreteIndex = ConcreteIndex();
    input.steelIndex = SteelIndex();
    const auto& eds = GBSecao->Eds;
    for (std::size_t i = 0; i < input.dimFieldVisible.size(); ++i)
        input.dimFieldVisible[i] = !eds[i + 2]->isHidden();
    input.combinations = combinations;
    input.column = column;
    input.detailing = &detailing;
    return input;
}

std::string TFPrincipal::CaseFingerprint() const
{
    // The file of the case less its lines 5 to 7, the actions.
    std::string text;
    try {
        text = WriteProjectText(*state, WriteInput(nullptr));
    } catch (const ProjectFileError&) {
        return std::string(); // a value no file holds: the case is in no state to compare
    }
    std::size_t start = 0;
    for (int line = 1; line < 5; ++line)
        start = text.find("\r\n", start) + 2;
    std::size_t end = start;
    for (int line = 5; line <= 7; ++line)
        end = text.find("\r\n", end) + 2;
    return text.erase(start, end - start);
}

void TFPrincipal::ShowUtilisation()
{
    std::vector<Point> points;
    for (const QPointF& p : ChCurva->CurvePoints())
        points.push_back(Point{p.x(), p.y()});
    std::optional<Point> design;
    if (!ChCurva->DesignPoints().isEmpty())
        design = Point{ChCurva->DesignPoints().front().x(), ChCurva->DesignPoints().front().y()};
    const QString utilisation = UtilisationCornerText(points, design);
    ChCurva->SetCornerText(utilisation);
    // In a code model the η says which; the classic model's chart as always.
    ChCurva->SetModelText(!utilisation.isEmpty() && state->Model != CalculationModel::Classic
                              ? QString::fromUtf8(ModelName(state->Model))
                              : QString());
    // The load's name stays while the actions are still that load's.
    if (shownLoad && (state->Nd != shownLoad->nd || state->Mxd != shownLoad->mxd || state->Myd != shownLoad->myd))
        shownLoad.reset();
    ChCurva->SetLoadLabel(shownLoad ? shownLoad->label : QString());
}

void TFPrincipal::SobreClick()
{
    if (AboutBox)
        AboutBox->exec();
}

// ---- Reading a project file ----

void TFPrincipal::SetNdFromFile(double value)
{
    state->Nd = value;
    EdNd->setText(FormatField(value));
}

void TFPrincipal::SetMxdFromFile(double value)
{
    state->Mxd = value;
    EdMdx->setText(FormatField(value));
}

void TFPrincipal::SetMydFromFile(double value)
{
    state->Myd = value;
    EdMdy->setText(FormatField(value));
}

void TFPrincipal::SelectConcreteFromFile(int index)
{
    // activated is the user's signal only: no handler runs.
    CombConcreto->setCurrentIndex(index >= 0 && index < CombConcreto->count() ? index : -1);
}

void TFPrincipal::SelectSteelFromFile(int index)
{
    CombAco->setCurrentIndex(index >= 0 && index < CombAco->count() ? index : -1);
}

} // namespace flexara
