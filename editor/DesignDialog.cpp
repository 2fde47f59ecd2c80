#include "editor/DesignDialog.h"

#include "dialogs/WindowLook.h"
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

namespace flexara {

namespace {

// A number of the table: decimals rounded half up, a comma.
QString Decimals(double value, int decimals)
{
    QString text = QString::fromStdString(FixedHalfUp(value, decimals));
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

} // namespace

TFDimensionamento::TFDimensionamento(TFPrincipal& window, const CombinationList& rows, DesignResult designed,
                                     QWidget* parent)
    : QDialog(parent), w(window), result(std::move(designed))
{
    setObjectName(QStringLiteral("FDimensionamento"));
    setWindowTitle(QString::fromUtf8(DesignTitle));
    PaintSilver(this);
    resize(780, 420);

    Tabela = new QTableWidget(static_cast<int>(result.options.size()), ColumnCount, this);
    Tabela->setObjectName(QStringLiteral("Tabela"));
    Tabela->setAccessibleName(windowTitle());
    QStringList headers;
    for (const char* header : DesignTableHeaders)
        headers.append(QString::fromUtf8(header));
    Tabela->setHorizontalHeaderLabels(headers);
    Tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Tabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    Tabela->setSelectionMode(QAbstractItemView::SingleSelection);
    Tabela->verticalHeader()->setDefaultSectionSize(20);
    QStringList rowHeaders;
    for (std::size_t i = 0; i < result.options.size(); ++i) {
        const DesignOption& o = result.options[i];
        const bool chosen = static_cast<int>(i) == result.chosen;
        // The chosen row is marked in its header with a word, which a screen
        // reader reads with the row, and in bold.
        rowHeaders.append(chosen ? QStringLiteral("escolhido") : QString());
        QString eta =
            o.governingEta ? Decimals(*o.governingEta, 3) : QString::fromUtf8(CombinationStatusText(o.governingStatus));
        const QString name = o.governingRow >= 0 && static_cast<std::size_t>(o.governingRow) < rows.size()
                                 ? QString::fromStdString(rows[static_cast<std::size_t>(o.governingRow)].name)
                                 : QString();
        const QString texts[ColumnCount] = {FormatField(o.diameter),
                                            Decimals(o.steelArea, 2),
                                            Decimals(100.0 * o.ratio, 2),
                                            eta,
                                            name,
                                            QString::fromStdString(DesignLimitsText(o))};
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (c < ColCombination)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (chosen) {
                QFont font = item->font();
                font.setBold(true);
                item->setFont(font);
            }
            Tabela->setItem(static_cast<int>(i), c, item);
        }
    }
    Tabela->setVerticalHeaderLabels(rowHeaders);
    Tabela->resizeColumnsToContents();
    Tabela->horizontalHeader()->setStretchLastSection(true);
    if (result.chosen >= 0)
        Tabela->setCurrentCell(result.chosen, ColDiameter);

    LblEscolha = new QLabel(QString::fromStdString(DesignChoiceText(result)), this);
    LblEscolha->setObjectName(QStringLiteral("LblEscolha"));
    LblAsNec = new QLabel(QString::fromStdString(DesignAreaNeededText(result)), this);
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
    HintControl(BtnAplicar, QStringLiteral("Põe o diâmetro escolhido em todas as linhas com barras"));
    BtnAplicar->setEnabled(result.chosen >= 0);
    BtnAplicar->setDefault(result.chosen >= 0);
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

void TFDimensionamento::BtnAplicarClick()
{
    if (result.chosen < 0)
        return;
    w.Armadura().ChooseDiameterInEveryLine(result.options[static_cast<std::size_t>(result.chosen)].diameter);
    accept();
    w.DesignApplied();
}

} // namespace flexara
