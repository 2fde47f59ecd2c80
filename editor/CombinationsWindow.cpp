#include "editor/CombinationsWindow.h"

#include "dialogs/WindowLook.h"
#include "editor/CaseHistory.h"
#include "editor/DesignDialog.h"
#include "editor/DiagramsWindow.h"
#include "editor/DocumentCommands.h"
#include "editor/FailingMark.h"
#include "editor/ProgressRun.h"
#include "editor/TFPrincipal.h"
#include "engine/Faults.h"
#include "engine/NumberText.h"
#include "engine/case/CaseEditing.h"
#include "engine/design/Arrangement.h"
#include "project/CsvText.h"
#include "project/ProjectFile.h"
#include "report/ColumnText.h"
#include "texts/Words.h"
#include "uikit/CaptionedComboBox.h"
#include "uikit/FieldText.h"
#include "uikit/FlexaraApplication.h"
#include "uikit/LocalPath.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace flexara {

namespace {

// The loads' captions say the sign convention where Nd is typed; the export
// writes the same.
QStringList Headers()
{
    QStringList headers;
    for (const char* caption : LoadCaptions)
        headers.append(QString::fromUtf8(caption));
    for (const char* caption : {"η", "MRd (kN.m)", "Situação determinante", "Situação"})
        headers.append(QString::fromUtf8(caption));
    return headers;
}

// The aggregates in the order of the list "Agregado".
constexpr Aggregate AggregateOrder[] = {Aggregate::Basalt, Aggregate::GraniteOrGneiss, Aggregate::Limestone,
                                        Aggregate::Sandstone};

int AggregateIndex(Aggregate aggregate)
{
    for (std::size_t k = 0; k < std::size(AggregateOrder); ++k)
        if (AggregateOrder[k] == aggregate)
            return static_cast<int>(k);
    return 1;
}

// Rows brought in carry base moments only for a column.
LoadsTarget TargetOfLoads(bool column)
{
    return column ? LoadsTarget::Column : LoadsTarget::WindowSection;
}

const QString InvalidCellText = QStringLiteral("Valor de entrada inválido");

// A number of the table in the field's text: two decimals, ties up.
QString Decimals(double value)
{
    QString text = QString::fromStdString(FixedHalfUp(value, 2));
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

// The verdict, or what stopped the row: its warnings or its fault.
QString SituationText(const CombinationResult& row)
{
    const bool stopped = row.status == CombinationStatus::Refused || row.status == CombinationStatus::Error;
    const QString text =
        QString::fromStdString(stopped ? CombinationMessage(row) : std::string(CombinationStatusText(row.status)));
    return row.governing ? text + QStringLiteral(" (determinante)") : text;
}

// "4 de 50 combinações não atendem"; the verb agrees with one.
QString FailingCount(std::size_t failing, std::size_t total)
{
    return QStringLiteral("%1 de %2 %3 %4")
        .arg(failing)
        .arg(total)
        .arg(total == 1 ? QStringLiteral("combinação") : QStringLiteral("combinações"))
        .arg(failing == 1 ? QStringLiteral("não atende") : QStringLiteral("não atendem"));
}

} // namespace

TFCombinacoes::TFCombinacoes(TFPrincipal& window, QWidget* parent) : QDialog(parent), w(window)
{
    setObjectName(QStringLiteral("FCombinacoes"));
    setWindowTitle(QStringLiteral("Combinações de esforços"));
    setModal(false);
    PaintSilver(this);
    resize(700, 420);

    Tabela = new QTableWidget(0, ColumnCount, this);
    Tabela->setObjectName(QStringLiteral("Tabela"));
    Tabela->setAccessibleName(windowTitle());
    Tabela->setHorizontalHeaderLabels(Headers());
    Tabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tabela->setSelectionMode(QAbstractItemView::SingleSelection);
    Tabela->horizontalHeader()->setSectionResizeMode(ColSituation, QHeaderView::Stretch);
    Tabela->setColumnWidth(ColName, 120);
    for (int c = ColNd; c < ColSituation; ++c)
        Tabela->setColumnWidth(c, c == ColEta                          ? 60
                                  : c == ColGoverning                  ? 130
                                  : c == ColMxdBase || c == ColMydBase ? 105
                                                                       : 85);
    // The caption of Nd, with its sign convention, shows whole.
    Tabela->setColumnWidth(ColNd,
                           std::max(Tabela->columnWidth(ColNd), Tabela->horizontalHeader()->sectionSizeHint(ColNd)));
    Tabela->verticalHeader()->setDefaultSectionSize(20);
    // Every title shows whole; the verdict takes what is left, and no less
    // than its words need.
    for (int c = ColName; c < ColSituation; ++c)
        Tabela->setColumnWidth(c, std::max(Tabela->columnWidth(c), Tabela->horizontalHeader()->sectionSizeHint(c)));
    Tabela->horizontalHeader()->setStretchLastSection(true);
    // A cut text shows whole in its tooltip.
    Tabela->viewport()->installEventFilter(this);

    auto button = [this](const char* name, const char* caption, const char* hint) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(name));
        HintControl(b, QString::fromUtf8(hint));
        b->setAutoDefault(false);
        return b;
    };
    BtnAdicionar = button("BtnAdicionar", "Adicionar", "Acrescenta uma combinação");
    BtnExcluir = button("BtnExcluir", "Excluir", "Exclui a combinação selecionada");
    BtnColar = button("BtnColar", "Colar", "Acrescenta as linhas copiadas de uma planilha ou de um texto");
    BtnImportar = button("BtnImportar", "Importar CSV...", "Acrescenta as combinações de um arquivo CSV");
    BtnExportar = button("BtnExportar", "Exportar CSV...", "Grava as combinações e os resultados em CSV");
    BtnVerificar = button("BtnVerificar", "Verificar", "Verifica cada combinação na seção atual");
    BtnMostrar =
        button("BtnMostrar", "Mostrar no gráfico", "Leva a combinação selecionada à janela principal e gera o gráfico");
    BtnDiagramas = button("BtnDiagramas", "Diagramas...",
                          "Mostra o diagrama N–M na direção da combinação selecionada e a superfície N–Mx–My");
    BtnDimensionar = button("BtnDimensionar", "Dimensionar...",
                            "Procura o menor diâmetro das barras com que todas as combinações atendem");
    BtnDetalhes = button("BtnDetalhes", "Detalhes do pilar...",
                         "Mostra cada passo da verificação do pilar para a combinação selecionada");

    // The group "Pilar": off, a case is checked as a section, as always.
    GBPilar = new QGroupBox(QStringLiteral("Pilar"), this);
    GBPilar->setObjectName(QStringLiteral("GBPilar"));
    GBPilar->setAccessibleName(QStringLiteral("Pilar"));
    CBPilar = new QCheckBox(QStringLiteral("Verificar como pilar (NBR 6118:2014)"), GBPilar);
    CBPilar->setObjectName(QStringLiteral("CBPilar"));
    CBPilar->setAccessibleName(CBPilar->text());
    // The lengths start empty: a column has none until the user gives them.
    auto lengthField = [this](const char* name, const char* label) {
        auto* field = new QLineEdit(GBPilar);
        field->setObjectName(QString::fromUtf8(name));
        field->setAccessibleName(QString::fromUtf8(label));
        field->setMaximumWidth(90);
        return field;
    };
    EdLeX = lengthField("EdLeX", "le (Mxd) (cm)");
    EdLeY = lengthField("EdLeY", "le (Myd) (cm)");
    auto conditionBox = [this](const char* name, const char* label) {
        auto* box = new CaptionedComboBox(GBPilar);
        box->setObjectName(QString::fromUtf8(name));
        box->setAccessibleName(QString::fromUtf8(label));
        for (SupportCondition c : {SupportCondition::PinnedWithoutTransverseLoads,
                                   SupportCondition::PinnedWithTransverseLoads, SupportCondition::Cantilever})
            box->addItem(QString::fromUtf8(SupportConditionText(c)));
        return box;
    };
    CombApoioX = conditionBox("CombApoioX", "Condição de apoio (Mxd)");
    CombApoioY = conditionBox("CombApoioY", "Condição de apoio (Myd)");
    CombMetodo = new CaptionedComboBox(GBPilar);
    CombMetodo->setObjectName(QStringLiteral("CombMetodo"));
    CombMetodo->setAccessibleName(QStringLiteral("Método de 2ª ordem local"));
    // In the order of their codes: the index is the method.
    for (SecondOrderMethod m : {SecondOrderMethod::Curvature, SecondOrderMethod::Stiffness, SecondOrderMethod::Coupled,
                                SecondOrderMethod::General})
        CombMetodo->addItem(QString::fromUtf8(SecondOrderMethodText(m)));
    // b, φ and ψ start empty: not given.
    EdB = lengthField("EdB", "b (cm)");
    EdFi = lengthField("EdFi", "φ");
    EdPsi = lengthField("EdPsi", "ψ = Nsg/|Nd|");
    HintControl(EdB, QStringLiteral("Menor dimensão da seção para γn (NBR 6118:2014, 13.2.3): informe-a na seção "
                                    "poligonal; nas demais formas ela é calculada"));
    HintControl(EdFi, QStringLiteral("Coeficiente de fluência φ, para λ > 90 (NBR 6118:2014, 15.8.4)"));
    HintControl(EdPsi, QStringLiteral("Parcela quase permanente ψ = Nsg/|Nd|, de 0 a 1, para λ > 90"));
    CombAgregado = new CaptionedComboBox(GBPilar);
    CombAgregado->setObjectName(QStringLiteral("CombAgregado"));
    CombAgregado->setAccessibleName(QStringLiteral("Agregado"));
    for (Aggregate a : AggregateOrder)
        CombAgregado->addItem(QString::fromUtf8(AggregateText(a)));
    CombAgregado->setCurrentIndex(AggregateIndex(Aggregate::GraniteOrGneiss));
    auto* pillar = new QGridLayout(GBPilar);
    pillar->addWidget(CBPilar, 0, 0, 1, 4);
    pillar->addWidget(new QLabel(QStringLiteral("le (Mxd) (cm)"), GBPilar), 1, 0);
    pillar->addWidget(EdLeX, 1, 1);
    pillar->addWidget(new QLabel(QStringLiteral("Apoio (Mxd)"), GBPilar), 1, 2);
    pillar->addWidget(CombApoioX, 1, 3);
    pillar->addWidget(new QLabel(QStringLiteral("le (Myd) (cm)"), GBPilar), 2, 0);
    pillar->addWidget(EdLeY, 2, 1);
    pillar->addWidget(new QLabel(QStringLiteral("Apoio (Myd)"), GBPilar), 2, 2);
    pillar->addWidget(CombApoioY, 2, 3);
    pillar->addWidget(new QLabel(QStringLiteral("Método"), GBPilar), 3, 0);
    pillar->addWidget(CombMetodo, 3, 1, 1, 3);
    pillar->addWidget(new QLabel(QStringLiteral("b (cm)"), GBPilar), 4, 0);
    pillar->addWidget(EdB, 4, 1);
    pillar->addWidget(new QLabel(QStringLiteral("Agregado"), GBPilar), 4, 2);
    pillar->addWidget(CombAgregado, 4, 3);
    pillar->addWidget(new QLabel(QStringLiteral("φ"), GBPilar), 5, 0);
    pillar->addWidget(EdFi, 5, 1);
    pillar->addWidget(new QLabel(QStringLiteral("ψ = Nsg/|Nd|"), GBPilar), 5, 2);
    pillar->addWidget(EdPsi, 5, 3, Qt::AlignLeft);
    pillar->setColumnStretch(3, 1);

    // The group "Detalhamento": off, the case has no detailing data, as always.
    GBDetalhamento = new QGroupBox(QStringLiteral("Detalhamento"), this);
    GBDetalhamento->setObjectName(QStringLiteral("GBDetalhamento"));
    GBDetalhamento->setAccessibleName(GBDetalhamento->title());
    CBDetalhamento = new QCheckBox(QStringLiteral("Verificar o detalhamento (NBR 6118:2014)"), GBDetalhamento);
    CBDetalhamento->setObjectName(QStringLiteral("CBDetalhamento"));
    CBDetalhamento->setAccessibleName(CBDetalhamento->text());
    HintControl(CBDetalhamento, QStringLiteral("Verifica o cobrimento, as barras, os espaçamentos, a armadura "
                                               "mínima e máxima e os estribos do pilar"));
    auto* detailing = new QGridLayout(GBDetalhamento);
    detailing->addWidget(CBDetalhamento, 0, 0, 1, 2);
    // Each control with its label as buddy, its name read with it.
    auto labelled = [this, detailing](QWidget* control, const char* name, const char* caption, const char* hint,
                                      int row) {
        control->setObjectName(QString::fromUtf8(name));
        control->setAccessibleName(QString::fromUtf8(caption));
        HintControl(control, QString::fromUtf8(hint));
        auto* label = new QLabel(QString::fromUtf8(caption), GBDetalhamento);
        const QString controlName = QString::fromUtf8(name);
        label->setObjectName(QStringLiteral("Lbl") +
                             controlName.mid(controlName.startsWith(QStringLiteral("Comb")) ? 4 : 2));
        label->setBuddy(control);
        detailing->addWidget(label, row, 0);
        detailing->addWidget(control, row, 1, Qt::AlignLeft);
    };
    auto field = [this] {
        auto* edit = new QLineEdit(GBDetalhamento);
        // Room for "12,5" and a little more, whatever the window's width.
        edit->setMinimumWidth(60);
        edit->setMaximumWidth(70);
        return edit;
    };
    // Made in reading order, after the column's: Tab goes through them so.
    CombClasse = new CaptionedComboBox(GBDetalhamento);
    for (EnvironmentClass c : {EnvironmentClass::I, EnvironmentClass::II, EnvironmentClass::III, EnvironmentClass::IV})
        CombClasse->addItem(QString::fromUtf8(EnvironmentClassText(c)));
    CombClasse->addItem(QStringLiteral("cobrimento informado"));
    labelled(CombClasse, "CombClasse", "Classe de agressividade",
             "Classe de agressividade ambiental, que dá o cobrimento nominal c (NBR 6118:2014, tabela 7.2); ou o "
             "cobrimento informado",
             1);
    EdCobrimento = field();
    labelled(EdCobrimento, "EdCobrimento", "c (cm)", "Cobrimento nominal: o da classe, ou o informado", 2);
    CombEstribo = new CaptionedComboBox(GBDetalhamento);
    CombEstribo->addItem(QStringLiteral("automático"));
    for (const double mm : BarDiameters)
        CombEstribo->addItem(FormatField(mm));
    labelled(CombEstribo, "CombEstribo", "φt (mm)",
             "Diâmetro dos estribos; automático: o menor da lista com φt ≥ 5 mm e φt ≥ φ/4 (NBR 6118:2014, 18.4.3)", 3);
    EdDmax = field();
    labelled(EdDmax, "EdDmax", "dmáx (mm)",
             "Dimensão máxima característica do agregado graúdo (NBR 6118:2014, 7.4.7.6)", 4);
    EdSt = field();
    labelled(EdSt, "EdSt", "st (cm)",
             "Espaçamento dos estribos; vazio: o maior em centímetros inteiros que atende (NBR 6118:2014, 18.4.3)", 5);
    detailing->setColumnStretch(1, 1);
    auto* groups = new QHBoxLayout();
    groups->addWidget(GBPilar, 1);
    groups->addWidget(GBDetalhamento, 0);

    auto* buttons = new QHBoxLayout();
    for (QPushButton* b : {BtnAdicionar, BtnExcluir, BtnColar, BtnImportar, BtnExportar})
        buttons->addWidget(b);
    buttons->addStretch(1);
    for (QPushButton* b : {BtnVerificar, BtnMostrar, BtnDetalhes, BtnDiagramas, BtnDimensionar})
        buttons->addWidget(b);
    LblVeredito = new QLabel(this);
    LblVeredito->setObjectName(QStringLiteral("LblVeredito"));
    LblVeredito->setWordWrap(true);
    QFont bold = LblVeredito->font();
    bold.setBold(true);
    LblVeredito->setFont(bold);
    LblVeredito->hide();
    LblAviso = new QLabel(this);
    LblAviso->setObjectName(QStringLiteral("LblAviso"));
    LblAviso->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0)"));
    LblAviso->setWordWrap(true);
    LblAviso->hide();
    LblFalhas = new QLabel(this);
    LblFalhas->setObjectName(QStringLiteral("LblFalhas"));
    LblFalhas->hide();
    LblModelo = new QLabel(this);
    LblModelo->setObjectName(QStringLiteral("LblModelo"));
    LblModelo->hide();
    auto* counted = new QHBoxLayout();
    counted->addWidget(LblFalhas);
    counted->addStretch(1);
    counted->addWidget(LblModelo);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(Tabela, 1);
    layout->addLayout(counted);
    layout->addWidget(LblVeredito);
    layout->addWidget(LblAviso);
    layout->addLayout(buttons);

    connect(BtnAdicionar, &QPushButton::clicked, this, &TFCombinacoes::BtnAdicionarClick);
    connect(BtnExcluir, &QPushButton::clicked, this, &TFCombinacoes::BtnExcluirClick);
    connect(BtnColar, &QPushButton::clicked, this, &TFCombinacoes::BtnColarClick);
    connect(BtnImportar, &QPushButton::clicked, this, [this] { RunCommand([this] { BtnImportarClick(); }); });
    connect(BtnExportar, &QPushButton::clicked, this, [this] { RunCommand([this] { BtnExportarClick(); }); });
    connect(BtnVerificar, &QPushButton::clicked, this, [this] { RunCommand([this] { BtnVerificarClick(); }); });
    connect(BtnMostrar, &QPushButton::clicked, this, &TFCombinacoes::BtnMostrarClick);
    connect(BtnDiagramas, &QPushButton::clicked, this, &TFCombinacoes::BtnDiagramasClick);
    connect(BtnDimensionar, &QPushButton::clicked, this, [this] { RunCommand([this] { BtnDimensionarClick(); }); });
    connect(Tabela, &QTableWidget::itemChanged, this, &TFCombinacoes::CellChanged);
    connect(Tabela, &QTableWidget::itemSelectionChanged, this, &TFCombinacoes::UpdateButtons);
    connect(BtnDetalhes, &QPushButton::clicked, this, [this] { RunCommand([this] { BtnDetalhesClick(); }); });
    connect(CBPilar, &QCheckBox::toggled, this, &TFCombinacoes::ColumnToggled);
    // Another column is another check: the results go.
    for (QLineEdit* field : {EdLeX, EdLeY, EdB, EdFi, EdPsi})
        connect(field, &QLineEdit::textChanged, this, [this] { ClearResults(); });
    // What the field holds as b while it is editable belongs to the free polygon.
    connect(EdB, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!EdB->isReadOnly())
            typedLeastDimension = text;
    });
    for (QComboBox* box : {CombApoioX, CombApoioY, CombMetodo, CombAgregado})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { ClearResults(); });
    // Other detailing data, another check: the case keeps them, the results go.
    connect(CBDetalhamento, &QCheckBox::toggled, this, &TFCombinacoes::DetailingToggled);
    connect(CombClasse, &QComboBox::currentIndexChanged, this, &TFCombinacoes::ShowCover);
    connect(CombEstribo, &QComboBox::currentIndexChanged, this, &TFCombinacoes::StoreDetailing);
    for (QLineEdit* field : {EdCobrimento, EdDmax, EdSt})
        connect(field, &QLineEdit::textChanged, this, &TFCombinacoes::StoreDetailing);
    ColumnToggled();
    SetDetailing(w.CaseDetailing());
    resize(std::max(width(), OpeningWidth()), 420);
}

int TFCombinacoes::OpeningWidth() const
{
    // The verdict's widest words, and the governing mark after them.
    const QFontMetrics metrics(Tabela->font());
    int verdict = Tabela->horizontalHeader()->sectionSizeHint(ColSituation);
    for (CombinationStatus status : {CombinationStatus::Holds, CombinationStatus::Fails, CombinationStatus::OutOfRange,
                                     CombinationStatus::Refused, CombinationStatus::Error})
        verdict = std::max(verdict, metrics.horizontalAdvance(QString::fromUtf8(CombinationStatusText(status)) +
                                                              QStringLiteral(" (determinante)")) +
                                        16 + 12); // the icon and the cell's margins
    int width = verdict;
    for (int c = ColName; c < ColSituation; ++c)
        if (!Tabela->isColumnHidden(c))
            width += Tabela->columnWidth(c);
    // The row numbers up to the capacity, the frame, the scroll bar and the
    // window's margins.
    width += QFontMetrics(Tabela->verticalHeader()->font()).horizontalAdvance(QString::number(MaxCombinations)) + 12;
    width += 2 * Tabela->frameWidth() + Tabela->verticalScrollBar()->sizeHint().width();
    if (layout())
        width += layout()->contentsMargins().left() + layout()->contentsMargins().right();
    return width;
}

QString TFCombinacoes::CellToolTip(int r, int c) const
{
    const QTableWidgetItem* item = Tabela->item(r, c);
    if (item == nullptr)
        return QString();
    if (!item->toolTip().isEmpty())
        return item->toolTip();
    const QString text = item->text();
    if (text.isEmpty())
        return QString();
    QFont font = item->font();
    const int room = Tabela->visualItemRect(item).width() - 8 - (item->icon().isNull() ? 0 : 16);
    return QFontMetrics(font).horizontalAdvance(text) > room ? text : QString();
}

bool TFCombinacoes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Tabela->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QTableWidgetItem* item = Tabela->itemAt(help->pos());
        const QString tip = item ? CellToolTip(item->row(), item->column()) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, Tabela->viewport(), Tabela->visualItemRect(item));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// ---- The column ----

bool TFCombinacoes::IsColumn() const
{
    return CBPilar->isChecked();
}

void TFCombinacoes::ColumnToggled()
{
    const bool column = IsColumn();
    for (QWidget* field :
         std::initializer_list<QWidget*>{EdLeX, EdLeY, CombApoioX, CombApoioY, CombMetodo, EdFi, EdPsi, CombAgregado})
        field->setEnabled(column);
    ShowLeastDimension();
    for (int c : {ColMxdBase, ColMydBase, ColGoverning})
        Tabela->setColumnHidden(c, !column);
    // The columns of a column shown, the verdict keeps its words.
    if (width() < OpeningWidth())
        resize(OpeningWidth(), height());
    ClearResults();
    UpdateButtons();
}

std::optional<flexara::Column> TFCombinacoes::CheckedColumn() const
{
    if (!IsColumn())
        return std::nullopt;
    flexara::Column column;
    const QLineEdit* fields[] = {EdLeX, EdLeY};
    for (int k = 0; k < BendingCount; ++k) {
        const QString text = fields[k]->text();
        double le = 0.0;
        std::optional<LengthProblem> problem;
        if (text.trimmed().isEmpty())
            problem = LengthProblem::Missing;
        else if (!ParseField(text, le))
            problem = LengthProblem::Invalid;
        else
            problem = LengthProblemOf(le);
        if (problem)
            throw std::runtime_error(ColumnLengthText(ColumnLengthFault{static_cast<Bending>(k), *problem}));
        column.bending[static_cast<std::size_t>(k)].le = le;
    }
    column.bending[static_cast<std::size_t>(Bending::Mx)].condition =
        static_cast<SupportCondition>(CombApoioX->currentIndex());
    column.bending[static_cast<std::size_t>(Bending::My)].condition =
        static_cast<SupportCondition>(CombApoioY->currentIndex());
    column.method = static_cast<SecondOrderMethod>(CombMetodo->currentIndex());
    // b, φ and ψ where given; b only for a free polygon (the families
    // compute theirs, and their files stay as they were).
    struct Datum {
        const QLineEdit* field;
        ColumnDatum datum;
        std::optional<double>* value;
        const char* name;
    };
    const bool polygon = w.State().Section.ShapeKind == ShapeFreePolygon;
    const Datum data[] = {
        {EdB, ColumnDatum::LeastDimension, &column.leastDimension, "b"},
        {EdFi, ColumnDatum::CreepCoefficient, &column.creepCoefficient, "φ"},
        {EdPsi, ColumnDatum::QuasiPermanentShare, &column.quasiPermanentShare, "ψ"},
    };
    for (const Datum& d : data) {
        if (d.field == EdB && !polygon)
            continue;
        const QString text = d.field->text();
        if (text.trimmed().isEmpty())
            continue;
        double value = 0.0;
        if (!ParseField(text, value))
            throw std::runtime_error(std::string("Pilar: ") + d.name + " inválido");
        if (!ColumnDatumValid(d.datum, value))
            throw std::runtime_error(std::string("Pilar: ") + d.name +
                                     (d.datum == ColumnDatum::LeastDimension     ? " deve ser positivo"
                                      : d.datum == ColumnDatum::CreepCoefficient ? " não pode ser negativo"
                                                                                 : " deve estar entre 0 e 1"));
        *d.value = value;
    }
    column.aggregate = AggregateOrder[static_cast<std::size_t>(std::max(0, CombAgregado->currentIndex()))];
    return column;
}

void TFCombinacoes::ShowLeastDimension()
{
    const QSignalBlocker block(EdB);
    const AnalysisState& s = w.State();
    if (s.Section.ShapeKind == ShapeFreePolygon) {
        EdB->setReadOnly(false);
        EdB->setEnabled(IsColumn());
        EdB->setText(typedLeastDimension);
        return;
    }
    // The families' own b, shown as the check takes it.
    const std::optional<double> b = FamilyLeastDimension(s);
    EdB->setReadOnly(true);
    EdB->setEnabled(false);
    EdB->setText(b ? FormatField(*b) : QString());
}

void TFCombinacoes::SetColumn(const std::optional<flexara::Column>& column)
{
    const flexara::Column shown = column.value_or(flexara::Column{});
    {
        // A file's lengths as it holds them, a 0 too (the check then says it
        // is none); a case without a column has none.
        const QSignalBlocker blockX(EdLeX), blockY(EdLeY);
        EdLeX->setText(column ? FormatField(shown.bending[static_cast<std::size_t>(Bending::Mx)].le) : QString());
        EdLeY->setText(column ? FormatField(shown.bending[static_cast<std::size_t>(Bending::My)].le) : QString());
    }
    CombApoioX->setCurrentIndex(static_cast<int>(shown.bending[static_cast<std::size_t>(Bending::Mx)].condition));
    CombApoioY->setCurrentIndex(static_cast<int>(shown.bending[static_cast<std::size_t>(Bending::My)].condition));
    CombMetodo->setCurrentIndex(static_cast<int>(shown.method));
    {
        const QSignalBlocker blockFi(EdFi), blockPsi(EdPsi);
        EdFi->setText(shown.creepCoefficient ? FormatField(*shown.creepCoefficient) : QString());
        EdPsi->setText(shown.quasiPermanentShare ? FormatField(*shown.quasiPermanentShare) : QString());
    }
    typedLeastDimension = shown.leastDimension ? FormatField(*shown.leastDimension) : QString();
    CombAgregado->setCurrentIndex(AggregateIndex(shown.aggregate));
    CBPilar->setChecked(column.has_value());
    ColumnToggled();
}

// ---- The detailing ----

namespace {

// The class of the list's item; none for "cobrimento informado", the last.
std::optional<EnvironmentClass> ClassOfItem(int item)
{
    if (item >= 0 && item < 4)
        return static_cast<EnvironmentClass>(item + 1);
    return std::nullopt;
}

// A length of the detailing as its field holds it: none for an empty field
// where that is allowed (st), else positive, or the command stops, named.
std::optional<double> DetailingValue(const QLineEdit& field, DetailingDatum datum, const char* name, bool mayBeEmpty)
{
    const QString text = field.text();
    if (text.trimmed().isEmpty()) {
        if (mayBeEmpty)
            return std::nullopt;
        throw std::runtime_error(std::string("Detalhamento: ") + name + " não informado");
    }
    double value = 0.0;
    if (!ParseField(text, value))
        throw std::runtime_error(std::string("Detalhamento: ") + name + " inválido");
    if (!DetailingDatumValid(datum, value))
        throw std::runtime_error(std::string("Detalhamento: ") + name + " deve ser maior que zero");
    return value;
}

} // namespace

std::optional<Detailing> TFCombinacoes::CheckedDetailing() const
{
    if (!CBDetalhamento->isChecked())
        return std::nullopt;
    Detailing detailing;
    detailing.environment = ClassOfItem(CombClasse->currentIndex());
    if (!detailing.environment)
        detailing.typedCover = *DetailingValue(*EdCobrimento, DetailingDatum::Cover, "c", false);
    const int stirrup = CombEstribo->currentIndex();
    if (stirrup > 0 && stirrup <= static_cast<int>(BarDiameters.size()))
        detailing.stirrupDiameter = BarDiameters[static_cast<std::size_t>(stirrup - 1)];
    detailing.aggregateSize = *DetailingValue(*EdDmax, DetailingDatum::AggregateSize, "dmáx", false);
    detailing.stirrupSpacing = DetailingValue(*EdSt, DetailingDatum::StirrupSpacing, "st", true);
    return detailing;
}

void TFCombinacoes::SetDetailing(const std::optional<Detailing>& detailing)
{
    const Detailing shown = detailing.value_or(Detailing{});
    fillingDetailing = true;
    CBDetalhamento->setChecked(detailing.has_value());
    CombClasse->setCurrentIndex(shown.environment ? static_cast<int>(*shown.environment) - 1 : 4);
    EdCobrimento->setText(FormatField(shown.Cover()));
    const auto diameter = std::find(BarDiameters.begin(), BarDiameters.end(), shown.stirrupDiameter.value_or(0.0));
    CombEstribo->setCurrentIndex(
        diameter == BarDiameters.end() ? 0 : static_cast<int>(std::distance(BarDiameters.begin(), diameter)) + 1);
    EdDmax->setText(FormatField(shown.aggregateSize));
    EdSt->setText(shown.stirrupSpacing ? FormatField(*shown.stirrupSpacing) : QString());
    fillingDetailing = false;
    DetailingToggled();
    // As given, not as read back from the texts: a file's data are saved
    // again to the last digit.
    w.CaseDetailing() = detailing;
}

void TFCombinacoes::DetailingToggled()
{
    const bool on = CBDetalhamento->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{CombClasse, EdCobrimento, CombEstribo, EdDmax, EdSt})
        control->setEnabled(on);
    ShowCover();
}

void TFCombinacoes::ShowCover()
{
    // A class gives its cover, shown as the check takes it; a typed cover
    // starts from the one shown last.
    const std::optional<EnvironmentClass> environment = ClassOfItem(CombClasse->currentIndex());
    EdCobrimento->setReadOnly(environment.has_value());
    if (environment) {
        const QSignalBlocker quiet(EdCobrimento);
        EdCobrimento->setText(FormatField(ColumnCoverOf(*environment)));
    }
    StoreDetailing();
}

void TFCombinacoes::StoreDetailing()
{
    ClearResults();
    // A step undone puts the case's data back from its file.
    if (fillingDetailing || (w.History && w.History->Restoring()))
        return;
    try {
        w.CaseDetailing() = CheckedDetailing();
    } catch (const std::runtime_error&) {
        // A bad entry: the case keeps its last data until it converts, and
        // every command that needs them says what is wrong.
    }
}

const CombinationResult* TFCombinacoes::ResultOfTableRow(int r) const
{
    if (!results)
        return nullptr;
    for (std::size_t i = 0; i < resultRows.size() && i < results->rows.size(); ++i)
        if (resultRows[i] == r)
            return &results->rows[i];
    return nullptr;
}

QString TFCombinacoes::DetailsText(int r) const
{
    const CombinationResult* result = ResultOfTableRow(r);
    if (result == nullptr || !checkedColumn)
        return QString();
    QString text = ColumnDetailsText(Rows()[static_cast<std::size_t>(r)], *result, *checkedColumn);
    // The rules as the verdict judged them, with the data it read.
    if (verdict && verdict->detailing && checkedDetailing)
        text += QStringLiteral("\n\n") + DetailingText(*verdict->detailing, *checkedDetailing);
    return text;
}

std::unique_ptr<QDialog> TFCombinacoes::DetailsDialog(int r)
{
    const QString text = DetailsText(r);
    if (text.isEmpty())
        return nullptr;
    auto dialog = std::make_unique<QDialog>(this);
    dialog->setObjectName(QStringLiteral("DetalhesPilar"));
    dialog->setWindowTitle(QStringLiteral("Detalhes do pilar"));
    PaintSilver(dialog.get());
    auto* view = new QPlainTextEdit(text, dialog.get());
    view->setObjectName(QStringLiteral("TextoDetalhes"));
    view->setAccessibleName(dialog->windowTitle());
    view->setReadOnly(true);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, dialog.get());
    connect(close, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog.get());
    layout->addWidget(view, 1);
    // The general method's bars: a page per bending, its stations beside
    // its picture.
    const CombinationResult* result = ResultOfTableRow(r);
    const std::array<std::optional<ShownBar>, 2> bars =
        result && result->column && result->column->InCompression()
            ? ShownBars(*result, GoverningNd(Rows()[static_cast<std::size_t>(r)], *result))
            : std::array<std::optional<ShownBar>, 2>{};
    if (bars[0] || bars[1]) {
        auto* pages = new QTabWidget(dialog.get());
        pages->setObjectName(QStringLiteral("PgBarras"));
        pages->setAccessibleName(QStringLiteral("Barras do método geral"));
        for (int b = 0; b < BendingCount; ++b) {
            const std::optional<ShownBar>& shown = bars[static_cast<std::size_t>(b)];
            if (!shown)
                continue;
            const QString name = QString::fromUtf8(BendingName(static_cast<Bending>(b)));
            auto* page = new QWidget(pages);
            auto* row = new QHBoxLayout(page);
            auto* table = new QTableWidget(page);
            table->setObjectName(QStringLiteral("TabelaEstacoes") + name);
            table->setAccessibleName(QStringLiteral("Estações de ") + name);
            const QStringList captions = GeneralStationCaptions();
            table->setColumnCount(static_cast<int>(captions.size()));
            table->setHorizontalHeaderLabels(captions);
            table->verticalHeader()->hide();
            table->setEditTriggers(QAbstractItemView::NoEditTriggers);
            const std::vector<QStringList> rows =
                shown->bar.Stable() ? GeneralStationRows(shown->bar) : std::vector<QStringList>{};
            table->setRowCount(static_cast<int>(rows.size()));
            for (std::size_t i = 0; i < rows.size(); ++i)
                for (qsizetype c = 0; c < rows[i].size(); ++c) {
                    auto* item = new QTableWidgetItem(rows[i][c]);
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                    // Md,tot's station in bold.
                    if (static_cast<int>(i) == shown->bar.station) {
                        QFont bold = item->font();
                        bold.setBold(true);
                        item->setFont(bold);
                    }
                    table->setItem(static_cast<int>(i), static_cast<int>(c), item);
                }
            table->resizeColumnsToContents();
            auto* picture = new TDeformada(page);
            picture->setObjectName(QStringLiteral("PbDeformada") + name);
            std::array<std::optional<ShownBar>, 2> one;
            one[static_cast<std::size_t>(b)] = shown;
            picture->Show(std::move(one));
            row->addWidget(table, 0);
            row->addWidget(picture, 1);
            pages->addTab(page, name);
        }
        layout->addWidget(pages, 2);
        dialog->resize(980, 820);
    } else {
        dialog->resize(560, 520);
    }
    layout->addWidget(close);
    return dialog;
}

void TFCombinacoes::BtnDetalhesClick()
{
    const std::unique_ptr<QDialog> dialog = DetailsDialog(Tabela->currentRow());
    if (dialog)
        dialog->exec();
}

// ---- The rows ----

void TFCombinacoes::AppendRow(const QString& name, const QString& nd, const QString& mxd, const QString& myd,
                              const QString& mxdBase, const QString& mydBase)
{
    if (Tabela->rowCount() >= MaxCombinations)
        throw std::runtime_error("O máximo é de " + std::to_string(MaxCombinations) + " combinações");
    filling = true;
    const int r = Tabela->rowCount();
    Tabela->insertRow(r);
    const QString texts[] = {name, nd, mxd, myd, mxdBase, mydBase};
    for (int c = 0; c < ColumnCount; ++c) {
        auto* item = new QTableWidgetItem(c <= ColMydBase ? texts[c] : QString());
        if (c > ColMydBase)
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        if (c >= ColNd && c < ColGoverning)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Tabela->setItem(r, c, item);
        if (c >= ColNd && c <= ColMydBase)
            MarkCell(item);
    }
    filling = false;
}

bool TFCombinacoes::CellValid(int r, int c) const
{
    const QString text = Tabela->item(r, c)->text();
    // An empty base cell is the top's moment.
    if ((c == ColMxdBase || c == ColMydBase) && text.trimmed().isEmpty())
        return true;
    double value = 0.0;
    return ParseField(text, value);
}

void TFCombinacoes::MarkCell(QTableWidgetItem* item)
{
    const bool valid = CellValid(item->row(), item->column());
    // An invalid cell keeps its text, in the colour of the invalid-input mark.
    item->setBackground(valid ? QBrush() : QBrush(QColor(255, 255, 225)));
    item->setForeground(valid ? QBrush() : QBrush(QColor(192, 0, 0)));
    item->setToolTip(valid ? QString() : InvalidCellText);
}

void TFCombinacoes::CellChanged(QTableWidgetItem* item)
{
    if (filling || item->column() > ColMydBase)
        return;
    filling = true;
    if (item->column() >= ColNd)
        MarkCell(item);
    filling = false;
    ClearResults();
}

bool TFCombinacoes::RowValid(int r) const
{
    // The base cells count for a column only.
    const int last = IsColumn() ? ColMydBase : ColMyd;
    for (int c = ColNd; c <= last; ++c)
        if (!CellValid(r, c))
            return false;
    return true;
}

CombinationList TFCombinacoes::Rows() const
{
    CombinationList rows;
    rows.reserve(static_cast<std::size_t>(Tabela->rowCount()));
    for (int r = 0; r < Tabela->rowCount(); ++r) {
        LoadCombination row;
        row.name = Tabela->item(r, ColName)->text().toStdString();
        double* values[] = {&row.Nd, &row.Mxd, &row.Myd};
        for (int c = ColNd; c <= ColMyd; ++c)
            if (!ParseField(Tabela->item(r, c)->text(), *values[c - ColNd]))
                *values[c - ColNd] = 0.0;
        std::optional<double>* bases[] = {&row.MxdBase, &row.MydBase};
        for (int c = ColMxdBase; c <= ColMydBase; ++c) {
            double value = 0.0;
            if (ParseField(Tabela->item(r, c)->text(), value))
                *bases[c - ColMxdBase] = value;
        }
        rows.push_back(row);
    }
    return rows;
}

CombinationList TFCombinacoes::ValidRows(std::vector<int>* tableRows) const
{
    const CombinationList all = Rows();
    CombinationList valid;
    for (int r = 0; r < Tabela->rowCount(); ++r)
        if (RowValid(r)) {
            valid.push_back(all[static_cast<std::size_t>(r)]);
            if (tableRows)
                tableRows->push_back(r);
        }
    return valid;
}

void TFCombinacoes::SetRows(const CombinationList& rows)
{
    ClearResults();
    Tabela->setRowCount(0);
    AppendRows(rows);
}

void TFCombinacoes::AppendRows(const CombinationList& rows)
{
    std::size_t added = 0;
    for (const LoadCombination& row : rows) {
        if (Tabela->rowCount() >= MaxCombinations)
            break;
        AppendRow(QString::fromStdString(row.name), FormatField(row.Nd), FormatField(row.Mxd), FormatField(row.Myd),
                  row.MxdBase ? FormatField(*row.MxdBase) : QString(),
                  row.MydBase ? FormatField(*row.MydBase) : QString());
        ++added;
    }
    RowsAdded(added, rows.size() - added);
}

void TFCombinacoes::RowsAdded(std::size_t added, std::size_t leftOut)
{
    ClearResults();
    UpdateButtons();
    if (leftOut > 0)
        throw std::runtime_error(std::to_string(added) +
                                 (added == 1 ? " combinação acrescentada e " : " combinações acrescentadas e ") +
                                 std::to_string(leftOut) + (leftOut == 1 ? " deixada de fora" : " deixadas de fora") +
                                 ": o máximo é de " + std::to_string(MaxCombinations) + " combinações");
}

CombinationList TFCombinacoes::CheckedRows() const
{
    static const char* const Names[] = {"Nd", "Mxd", "Myd", "Mxd base", "Myd base"};
    const int last = IsColumn() ? ColMydBase : ColMyd;
    for (int r = 0; r < Tabela->rowCount(); ++r)
        for (int c = ColNd; c <= last; ++c)
            if (!CellValid(r, c))
                throw std::runtime_error("Combinação " + std::to_string(r + 1) + ": " + Names[c - ColNd] + " inválido");
    return Rows();
}

void TFCombinacoes::UpdateButtons()
{
    const bool selected = Tabela->currentRow() >= 0 && !Tabela->selectedItems().isEmpty();
    BtnExcluir->setEnabled(selected);
    BtnMostrar->setEnabled(selected);
    BtnDetalhes->setVisible(IsColumn());
    BtnDetalhes->setEnabled(selected && ResultOfTableRow(Tabela->currentRow()) != nullptr);
    BtnVerificar->setEnabled(Tabela->rowCount() > 0);
    BtnDimensionar->setEnabled(Tabela->rowCount() > 0);
    BtnExportar->setEnabled(Tabela->rowCount() > 0);
}

// ---- Buttons ----

void TFCombinacoes::BtnAdicionarClick()
{
    RunCommand([this] {
        // A new row starts from the actions of the main window.
        const AnalysisState& s = w.State();
        AppendRow(QStringLiteral("Comb. %1").arg(Tabela->rowCount() + 1), FormatField(s.Nd), FormatField(s.Mxd),
                  FormatField(s.Myd));
        Tabela->setCurrentCell(Tabela->rowCount() - 1, ColName);
        ClearResults();
        UpdateButtons();
    });
}

void TFCombinacoes::BtnExcluirClick()
{
    const int r = Tabela->currentRow();
    if (r < 0)
        return;
    Tabela->removeRow(r);
    ClearResults();
    UpdateButtons();
}

void TFCombinacoes::BtnColarClick()
{
    RunCommand([this] {
        const std::vector<PastedRow> pasted =
            ReadPastedRows(QApplication::clipboard()->text().toUtf8().toStdString(), TargetOfLoads(IsColumn()));
        std::size_t added = 0;
        for (const PastedRow& row : pasted) {
            if (Tabela->rowCount() >= MaxCombinations)
                break;
            const QString name =
                row.named ? QString::fromStdString(row.name) : QStringLiteral("Comb. %1").arg(Tabela->rowCount() + 1);
            const auto& n = row.numbers;
            AppendRow(name, QString::fromStdString(n[0]), QString::fromStdString(n[1]), QString::fromStdString(n[2]),
                      QString::fromStdString(n[3]), QString::fromStdString(n[4]));
            ++added;
        }
        RowsAdded(added, pasted.size() - added);
    });
}

void TFCombinacoes::BtnImportarClick()
{
    OtherFileRequest request;
    request.save = false;
    request.title = QStringLiteral("Importar combinações");
    request.filters = {QStringLiteral("Planilha CSV (*.csv)"), QStringLiteral("Todos os Arquivos (*)")};
    request.defaultSuffix = QStringLiteral("csv");
    const QString path = w.Documents->Dialogs().AskOtherFile(request, nullptr);
    if (path.isEmpty())
        return;
    // Every row is read (and so checked); what goes beyond the capacity is
    // left out and said.
    AppendRows(ReadCombinationsCsv(LoadCsvBytes(LocalPath(path)), SIZE_MAX, TargetOfLoads(IsColumn())));
}

void TFCombinacoes::BtnExportarClick()
{
    CheckedRows(); // a marked cell stops the export before its dialog
    OtherFileRequest request;
    request.title = QStringLiteral("Exportar combinações");
    request.filters = {QStringLiteral("Planilha CSV (*.csv)")};
    request.defaultSuffix = QStringLiteral("csv");
    request.proposedName = QStringLiteral("Combinações.csv");
    const QString path = w.Documents->Dialogs().AskOtherFile(request, nullptr);
    if (path.isEmpty())
        return;
    // Never onto the case's own file.
    w.RefuseCaseFileAsOutput(path);
    // With the results of the check of these very rows, when there is one.
    const CombinationList rows = CheckedRows();
    const bool checked = results && results->rows.size() == rows.size();
    // As a Brazilian spreadsheet opens it; a column's rows go with their base
    // moments, read back by "Importar CSV...".
    SaveFileBytes(LocalPath(path), SpreadsheetCombinationsCsv(rows, checked ? &*results : nullptr, IsColumn()));
}

void TFCombinacoes::BtnVerificarClick()
{
    ClearResults();
    // A row with a cell that does not convert stops the check, named; so does
    // a length of the column and a detailing datum.
    CheckedRows();
    const std::optional<flexara::Column> column = CheckedColumn();
    CheckedDetailing();
    std::vector<int> tableRows;
    const CombinationList valid = ValidRows(&tableRows);
    const std::string checking = w.CaseFingerprint();
    std::optional<CombinationCheck> check = RunCheck(valid, verdict);
    if (!check || check->cancelled)
        return;
    results = std::move(check);
    checkedCase = checking;
    checkedColumn = column;
    resultRows = tableRows;
    ShowResults(tableRows);
    ShowVerdict();
    UpdateButtons();
}

void TFCombinacoes::BtnMostrarClick()
{
    const int r = Tabela->currentRow();
    if (r < 0 || !RowValid(r))
        return;
    const LoadCombination row = Rows()[static_cast<std::size_t>(r)];
    // Checked as a column, the point drawn is that of the situation that
    // governs the row, whose η the table gives; before a check, and for a
    // row without a governing situation, the first-order moments at the top.
    const CombinationResult* result = ResultOfTableRow(r);
    const Point moments = result ? GoverningMoments(row, *result) : Point{row.Mxd, row.Myd};
    QString label = QStringLiteral("Combinação: ") + QString::fromStdString(row.name);
    if (IsColumn()) {
        const bool governs = result && result->column && result->column->governingSituation >= 0;
        const DesignSituation situation =
            governs ? result->column->situations[static_cast<std::size_t>(result->column->governingSituation)].situation
                    : DesignSituation::Top;
        label += QStringLiteral("\nSituação: ") + QString::fromUtf8(flexara::SituationText(situation));
    }
    w.ShowLoad(row.Nd, moments.x, moments.y, label);
}

void TFCombinacoes::BtnDiagramasClick()
{
    w.DiagramasClick();
}

void TFCombinacoes::BtnDimensionarClick()
{
    // A row with a cell that does not convert stops the design, named; so
    // do a length of the column and a detailing datum.
    CheckedRows();
    const std::optional<flexara::Column> column = CheckedColumn();
    CheckedDetailing();
    const CombinationList rows = ValidRows();
    // The workers read a copy of the case taken now.
    const auto state = std::make_unique<AnalysisState>(w.State());
    const MaterialSelection selection = w.Selection();
    const std::optional<Detailing> detailing = w.CaseDetailing();
    // The diameter design is judged by the detailing rules too.
    const bool byArrangement = DesignedByArrangement(*state, detailing);
    std::optional<DesignResult> designed;
    std::optional<ArrangementDesign> arranged;
    RunWithProgress(this, QStringLiteral("Dimensionando a armadura..."), [&](WorkProgress& progress) {
        if (byArrangement)
            arranged = DesignArrangement(*state, selection, rows, column, *detailing, WorkerThreads(), &progress);
        else
            designed = DesignReinforcement(*state, selection, rows, column, WorkerThreads(), &progress,
                                           CurveReading::AroundEachRay, detailing);
    });
    if (byArrangement ? (!arranged || arranged->cancelled) : (!designed || designed->cancelled))
        return;
    if (FDimensionamento)
        FDimensionamento->close();
    // Shown without a nested event loop, and modal: the case stays as it was
    // designed until the dialog closes.
    auto* dialog = byArrangement ? new TFDimensionamento(w, rows, std::move(*arranged), column.has_value(), this)
                                 : new TFDimensionamento(w, rows, std::move(*designed), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    FDimensionamento = dialog;
    dialog->show();
}

// ---- The check ----

std::optional<CombinationCheck> TFCombinacoes::RunCheck(const CombinationList& rows, std::optional<CaseVerdict>& judged)
{
    // The workers read a copy of the case taken now; the window stays free.
    const auto state = std::make_unique<AnalysisState>(w.State());
    const MaterialSelection selection = w.Selection();
    const std::optional<flexara::Column> column = CheckedColumn();
    const std::optional<Detailing> detailing = w.CaseDetailing();
    std::optional<CombinationCheck> check;
    RunWithProgress(this, QStringLiteral("Verificando as combinações..."), [&](WorkProgress& progress) {
        check = CheckCombinations(*state, selection, rows, column, WorkerThreads(), &progress);
    });
    // The case's verdict from the very case checked.
    if (check && !check->cancelled) {
        judged = JudgeCase(*state, selection, rows, *check, column, detailing);
        checkedDetailing = detailing;
    }
    return check;
}

void TFCombinacoes::ShowResults(const std::vector<int>& tableRows)
{
    filling = true;
    for (int r = 0; r < Tabela->rowCount(); ++r)
        Tabela->item(r, ColSituation)->setText(InvalidCellText);
    for (std::size_t i = 0; i < tableRows.size(); ++i) {
        const CombinationResult& row = results->rows[i];
        const int r = tableRows[i];
        Tabela->item(r, ColEta)->setText(row.utilisation ? Decimals(*row.utilisation) : QStringLiteral("-"));
        Tabela->item(r, ColMRd)->setText(row.resistingMoment ? Decimals(*row.resistingMoment) : QStringLiteral("-"));
        QTableWidgetItem* situation = Tabela->item(r, ColSituation);
        situation->setText(SituationText(row));
        const bool failing = row.status != CombinationStatus::Holds;
        MarkFailing(*situation, failing);
        const bool above = row.utilisation && *row.utilisation > 1.0;
        Tabela->item(r, ColEta)->setForeground(above ? QBrush(FailingColour) : QBrush());
        if (row.column && row.column->governingSituation >= 0)
            Tabela->item(r, ColGoverning)
                ->setText(QString::fromUtf8(flexara::SituationText(
                    row.column->situations[static_cast<std::size_t>(row.column->governingSituation)].situation)));
        else if (row.column)
            Tabela->item(r, ColGoverning)->setText(QStringLiteral("-"));
        for (int c = 0; c < ColumnCount; ++c) {
            QFont font = Tabela->item(r, c)->font();
            font.setBold(row.governing);
            Tabela->item(r, c)->setFont(font);
        }
    }
    filling = false;
}

void TFCombinacoes::ShowVerdict()
{
    LblVeredito->setText(verdict ? QString::fromStdString(CaseVerdictText(*verdict)) : QString());
    LblVeredito->setVisible(verdict.has_value());
    QStringList warnings;
    if (verdict)
        for (const CaseWarning warning : verdict->warnings)
            warnings.append(QString::fromUtf8(CaseWarningText(warning)));
    LblAviso->setText(warnings.join(QLatin1Char('\n')));
    LblAviso->setVisible(!warnings.isEmpty());
    std::size_t failing = 0;
    if (results)
        for (const CombinationResult& row : results->rows)
            failing += row.status != CombinationStatus::Holds ? 1 : 0;
    LblFalhas->setText(results ? FailingCount(failing, results->rows.size()) : QString());
    LblFalhas->setVisible(results.has_value());
    // The η are the model's of the case checked: a code model is named.
    const CalculationModel model = w.State().Model;
    LblModelo->setText(QStringLiteral("Modelo de cálculo: ") + QString::fromUtf8(ModelName(model)));
    LblModelo->setVisible(results.has_value() && model != CalculationModel::Classic);
}

void TFCombinacoes::ClearResults()
{
    results.reset();
    verdict.reset();
    if (LblVeredito)
        ShowVerdict();
    checkedCase.clear();
    checkedColumn.reset();
    checkedDetailing.reset();
    resultRows.clear();
    filling = true;
    for (int r = 0; r < Tabela->rowCount(); ++r)
        for (int c = 0; c < ColumnCount; ++c) {
            QTableWidgetItem* item = Tabela->item(r, c);
            if (item == nullptr)
                continue;
            if (c > ColMydBase) {
                item->setText(QString());
                MarkFailing(*item, false);
            }
            QFont font = item->font();
            font.setBold(false);
            item->setFont(font);
        }
    filling = false;
    UpdateButtons();
}

void TFCombinacoes::CaseChanged()
{
    // Another outline may have another b, or none to compute.
    ShowLeastDimension();
    if (results && w.CaseFingerprint() != checkedCase)
        ClearResults();
}

} // namespace flexara
