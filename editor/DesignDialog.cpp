#include "editor/DesignDialog.h"

#include "dialogs/WindowLook.h"
#include "editor/CombinationsWindow.h"
#include "editor/FailingMark.h"
#include "editor/ReinforcementGroup.h"
#include "editor/TFPrincipal.h"
#include "engine/NumberText.h"
#include "texts/Words.h"
#include "uikit/FieldText.h"
#include "uikit/FlexaraApplication.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>

namespace flexara {

namespace {

// A number of the table: decimals rounded half up, a comma.
QString Decimals(double value, int decimals)
{
    QString text = QString::fromStdString(FixedHalfUp(value, decimals));
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString GoverningName(const CombinationList& rows, int row)
{
    return row >= 0 && static_cast<std::size_t>(row) < rows.size()
               ? QString::fromStdString(rows[static_cast<std::size_t>(row)].name)
               : QString();
}

QString EtaText(const std::optional<double>& eta, CombinationStatus status)
{
    return eta ? Decimals(*eta, 3) : QString::fromUtf8(CombinationStatusText(status));
}

// The chosen row is marked in its header with a word, which a screen reader
// reads with the row, and in bold.
void MarkChosen(QTableWidgetItem& item)
{
    QFont font = item.font();
    font.setBold(true);
    item.setFont(font);
}

static_assert(DesignTableHeaders.size() == TFDimensionamento::ColumnCount);
static_assert(ArrangementTableHeaders.size() == TFDimensionamento::ArrangementColumnCount);

} // namespace

void TFDimensionamento::MakeTable(int rows, int columns, const char* const* headers)
{
    setObjectName(QStringLiteral("FDimensionamento"));
    setWindowTitle(QString::fromUtf8(DesignTitle));
    PaintSilver(this);

    Tabela = new QTableWidget(rows, columns, this);
    Tabela->setObjectName(QStringLiteral("Tabela"));
    Tabela->setAccessibleName(windowTitle());
    QStringList captions;
    for (int c = 0; c < columns; ++c)
        captions.append(QString::fromUtf8(headers[c]));
    Tabela->setHorizontalHeaderLabels(captions);
    Tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tabela->setSelectionMode(QAbstractItemView::SingleSelection);
    Tabela->verticalHeader()->setDefaultSectionSize(20);
}

void TFDimensionamento::MakeLabelsAndButtons(const QString& choice, const QString& below, const QString& applyHint)
{
    LblEscolha = new QLabel(choice, this);
    LblEscolha->setObjectName(QStringLiteral("LblEscolha"));
    LblAsNec = new QLabel(below, this);
    LblAsNec->setObjectName(QStringLiteral("LblAsNec"));
    QFont bold = LblEscolha->font();
    bold.setBold(true);
    LblEscolha->setFont(bold);
    LblEscolha->setWordWrap(true);
    LblAsNec->setWordWrap(true);
    LblEscolha->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    LblAsNec->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    LblEscolha->setAccessibleName(LblEscolha->text());
    LblAsNec->setAccessibleName(LblAsNec->text());

    BtnAplicar = new QPushButton(QStringLiteral("Aplicar"), this);
    BtnAplicar->setObjectName(QStringLiteral("BtnAplicar"));
    HintControl(BtnAplicar, applyHint);
    BtnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    BtnCancelar->setObjectName(QStringLiteral("BtnCancelar"));
    HintControl(BtnCancelar, QStringLiteral("Fecha sem mudar a armadura"));

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(BtnAplicar);
    buttons->addWidget(BtnCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Tabela, 1);
    layout->addWidget(LblEscolha);
    layout->addWidget(LblAsNec);
    layout->addLayout(buttons);

    connect(BtnAplicar, &QPushButton::clicked, this, [this] { RunCommand([this] { BtnAplicarClick(); }); });
    connect(BtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

TFDimensionamento::TFDimensionamento(TFPrincipal& window, const CombinationList& rows, DesignResult designed,
                                     QWidget* parent)
    : QDialog(parent), w(window), result(std::move(designed))
{
    MakeTable(static_cast<int>(result.options.size()), ColumnCount, DesignTableHeaders.data());
    resize(780, 420);
    QStringList rowHeaders;
    for (std::size_t i = 0; i < result.options.size(); ++i) {
        const DesignOption& o = result.options[i];
        const bool chosen = static_cast<int>(i) == result.chosen;
        rowHeaders.append(chosen ? QStringLiteral("escolhido") : QString());
        const QString texts[ColumnCount] = {FormatField(o.diameter),
                                            Decimals(o.steelArea, 2),
                                            Decimals(100.0 * o.ratio, 2),
                                            EtaText(o.governingEta, o.governingStatus),
                                            GoverningName(rows, o.governingRow),
                                            QString::fromStdString(DesignLimitsText(o))};
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (c < ColCombination)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (chosen)
                MarkChosen(*item);
            Tabela->setItem(static_cast<int>(i), c, item);
        }
    }
    Tabela->setVerticalHeaderLabels(rowHeaders);
    Tabela->resizeColumnsToContents();
    Tabela->horizontalHeader()->setStretchLastSection(true);
    if (result.chosen >= 0)
        Tabela->setCurrentCell(result.chosen, ColDiameter);

    MakeLabelsAndButtons(QString::fromStdString(DesignChoiceText(result)),
                         QString::fromStdString(DesignAreaNeededText(result)),
                         QStringLiteral("Põe o diâmetro escolhido em todas as linhas com barras"));
    BtnAplicar->setEnabled(result.chosen >= 0);
    BtnAplicar->setDefault(result.chosen >= 0);
}

TFDimensionamento::TFDimensionamento(TFPrincipal& window, const CombinationList& rows, ArrangementDesign design,
                                     bool column, QWidget* parent)
    : QDialog(parent), w(window), arrangements(std::move(design))
{
    MakeTable(static_cast<int>(arrangements->options.size()), ArrangementColumnCount, ArrangementTableHeaders.data());
    resize(900, 460);
    FillArrangements(rows, column);
    MakeLabelsAndButtons(
        QString::fromStdString(ArrangementChoiceText(*arrangements)),
        QString::fromStdString(SteelMinimumText(arrangements->limits) + "\n" + SteelMaximumText(arrangements->limits)),
        QStringLiteral("Põe o arranjo selecionado no lugar das linhas de barras, com os seus "
                       "estribos"));
    BtnAplicar->setDefault(arrangements->chosen >= 0);
    connect(Tabela, &QTableWidget::itemSelectionChanged, this, &TFDimensionamento::UpdateAplicar);
    UpdateAplicar();
}

void TFDimensionamento::FillArrangements(const CombinationList& rows, bool column)
{
    const ArrangementDesign& design = *arrangements;
    QStringList rowHeaders;
    for (std::size_t i = 0; i < design.options.size(); ++i) {
        const ArrangementOption& o = design.options[i];
        const Arrangement& a = o.arrangement;
        const bool chosen = static_cast<int>(i) == design.chosen;
        rowHeaders.append(chosen ? QStringLiteral("escolhido") : QString());
        const QString texts[ArrangementColumnCount] = {
            QString::number(a.barsX),
            QString::number(a.barsY),
            FormatField(a.diameter),
            QString::number(a.Count()),
            Decimals(o.steelArea, 2),
            EtaText(o.governingEta, o.governingStatus),
            GoverningName(rows, o.governingRow),
            o.governingSituation ? QString::fromUtf8(SituationText(*o.governingSituation)) : QStringLiteral("-"),
            QString::number(o.detailing.Ties()),
            QString::fromStdString(ArrangementRulesText(o.detailing))};
        // A row that misses a combination or a rule in the colour of the
        // marks, the named mark at its start.
        const bool failing = !o.Holds();
        for (int c = 0; c < ArrangementColumnCount; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (c < ColGoverningRow || c == ColTies)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (c == ColBarsX)
                MarkFailing(*item, failing);
            else if (failing)
                item->setForeground(FailingColour);
            if (chosen)
                MarkChosen(*item);
            if (c == ColRules)
                item->setToolTip(texts[c]);
            Tabela->setItem(static_cast<int>(i), c, item);
        }
    }
    Tabela->setVerticalHeaderLabels(rowHeaders);
    Tabela->setColumnHidden(ColSituation, !column);
    // The rules take the room left, their whole text in the tooltip.
    Tabela->resizeColumnsToContents();
    Tabela->setColumnWidth(ColRules, Tabela->horizontalHeader()->sectionSizeHint(ColRules));
    Tabela->horizontalHeader()->setStretchLastSection(true);
    if (design.chosen >= 0)
        Tabela->setCurrentCell(design.chosen, ColBarsX);
}

int TFDimensionamento::SelectedOption() const
{
    if (!arrangements)
        return -1;
    const int r = Tabela->currentRow();
    if (r < 0 || r >= static_cast<int>(arrangements->options.size()) || !Tabela->item(r, ColBarsX)->isSelected())
        return -1;
    return arrangements->options[static_cast<std::size_t>(r)].Holds() ? r : -1;
}

void TFDimensionamento::UpdateAplicar()
{
    BtnAplicar->setEnabled(SelectedOption() >= 0);
}

void TFDimensionamento::BtnAplicarClick()
{
    if (arrangements) {
        const int option = SelectedOption();
        if (option < 0 || !w.CaseDetailing())
            return;
        // The lines on a copy of the case, then into the window through its
        // fields; φt and st straight into the case's detailing data.
        auto applied = std::make_unique<AnalysisState>(w.State());
        ApplyArrangement(*applied, *w.CaseDetailing(), arrangements->options[static_cast<std::size_t>(option)]);
        w.Armadura().PutLines(*applied);
        // The group "Detalhamento" shows the stirrups applied.
        if (w.FCombinacoes)
            w.FCombinacoes->SetDetailing(w.CaseDetailing());
    } else {
        if (result.chosen < 0)
            return;
        w.Armadura().ChooseDiameterInEveryLine(result.options[static_cast<std::size_t>(result.chosen)].diameter);
    }
    accept();
    w.DesignApplied();
}

} // namespace flexara
