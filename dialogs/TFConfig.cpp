#include "dialogs/TFConfig.h"

#include "texts/Words.h"

#include "dialogs/WindowLook.h"
#include "uikit/FieldEvents.h"
#include "uikit/FieldText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace flexara {

namespace {

// The settings every run starts from.
constexpr double InitialGammaC = 1.4;
constexpr double InitialGammaS = 1.15;
constexpr std::int32_t InitialCurvePointCount = 100;
constexpr double StressBlockFactorHigh = 0.85;
constexpr double StressBlockFactorLow = 0.80;

} // namespace

TFConfig::TFConfig(EditorContext& context, StatusWarning warn, QWidget* parent)
    : QDialog(parent), context(context), warn(std::move(warn))
{
    setObjectName(QStringLiteral("FConfig"));
    setWindowTitle(QStringLiteral("Configurações"));
    FixDialogBorder(this, true);
    PaintSilver(this);
    setFixedSize(304, 318);

    // The model heads the dialog: it decides what the row under it means.
    GroupBox1 = new QGroupBox(QStringLiteral("Modelo de cálculo"), this);
    GroupBox1->setGeometry(8, 4, 288, 128);
    RadioButton3 = new QRadioButton(QString::fromUtf8(ModelName(CalculationModel::Classic)), GroupBox1);
    RadioButton3->setGeometry(10, 18, 272, 18);
    RadioButton3->setChecked(true);
    RadioButton4 = new QRadioButton(QString::fromUtf8(ModelName(CalculationModel::NbrRectangular)), GroupBox1);
    RadioButton4->setGeometry(10, 38, 272, 18);
    RadioButton5 = new QRadioButton(QString::fromUtf8(ModelName(CalculationModel::NbrParabolaRectangle)), GroupBox1);
    RadioButton5->setGeometry(10, 58, 272, 18);
    for (QRadioButton* radio : {RadioButton3, RadioButton4, RadioButton5}) {
        radio->setAccessibleDescription(GroupBox1->title());
        connect(radio, &QRadioButton::toggled, this, &TFConfig::RadioButtonModeloClick);
    }
    Label5 = new QLabel(QStringLiteral("Nos modelos da NBR 6118:2014 o aço segue o diagrama bilinear em todas "
                                       "as classes: a curva do aço classe B não é usada."),
                        GroupBox1);
    Label5->setGeometry(10, 80, 272, 42);
    Label5->setWordWrap(true);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The check box takes the place of the block factor in the code models.
    const QString narrowing =
        QStringLiteral("Largura da zona comprimida diminui em direção à borda comprimida (0,9·αc)");
    CheckBox1 = new QCheckBox(QStringLiteral("Largura da zona comprimida diminui em direção à\n"
                                             "borda comprimida (0,9·αc)"),
                              this);
    CheckBox1->setGeometry(12, 136, 284, 34);
    CheckBox1->setAccessibleName(narrowing);
    HintControl(CheckBox1, QStringLiteral("Só no modelo retangular: a tensão do bloco passa a 0,9·αc·fcd"));
    CheckBox1->hide();

    Label1 = new QLabel(QStringLiteral("Tensão na área comprimida de concreto:"), this);
    Label1->setGeometry(12, 138, 280, 16);
    RadioButton1 = new QRadioButton(QStringLiteral("0,85 fcd"), this);
    RadioButton1->setGeometry(28, 158, 80, 18);
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("0,80 fcd"), this);
    RadioButton2->setGeometry(128, 158, 80, 18);
    for (QRadioButton* radio : {RadioButton1, RadioButton2})
        radio->setAccessibleDescription(Label1->text());
    // Radio buttons sharing a parent are one group, and the dialog holds the
    // model's buttons too (in their box): each set gets a group of its own.
    auto* factorButtons = new QButtonGroup(this);
    factorButtons->addButton(RadioButton1);
    factorButtons->addButton(RadioButton2);
    auto* modelButtons = new QButtonGroup(this);
    for (QRadioButton* radio : {RadioButton3, RadioButton4, RadioButton5})
        modelButtons->addButton(radio);

    auto addField = [this](QLabel*& label, QLineEdit*& field, const char* caption, int top) {
        label = new QLabel(QString::fromUtf8(caption), this);
        label->setGeometry(12, top + 3, 226, 16);
        field = new QLineEdit(this);
        field->setGeometry(242, top, 50, 21);
        CaptionControl(label, field);
    };
    addField(Label2, EdCoeCon, "Coeficiente de segurança do concreto:", 186);
    addField(Label3, EdCoeAco, "Coeficiente de segurança do aço:", 214);
    addField(Label4, EdPontsInt, "Número de pontos do diagrama de interação:", 242);

    Button1 = new QPushButton(QStringLiteral("Valores Originais"), this);
    Button1->setGeometry(46, 282, 110, 25);
    Button2 = new QPushButton(QStringLiteral("OK"), this);
    Button2->setGeometry(174, 282, 75, 25);
    for (QPushButton* button : {Button1, Button2})
        button->setAutoDefault(false);

    OnExit(EdCoeCon, [this] { EdCoeConExit(); });
    OnExit(EdCoeAco, [this] { EdCoeAcoExit(); });
    OnExit(EdPontsInt, [this] { EdPontsIntExit(); });
    for (QLineEdit* field : {EdCoeCon, EdCoeAco, EdPontsInt})
        connect(field, &QLineEdit::textEdited, this, [this] { sentBackTo = nullptr; });
    connect(Button1, &QPushButton::clicked, this, &TFConfig::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFConfig::Button2Click);
}

void TFConfig::Execute()
{
    const AnalysisState& state = context.State();
    EdCoeCon->setText(FormatField(state.GammaC));
    EdCoeAco->setText(FormatField(state.GammaS));
    EdPontsInt->setText(QString::number(state.CurvePointCount));
    // Any other factor (none can be typed) leaves the buttons as they were.
    if (state.AlphaC == StressBlockFactorHigh)
        RadioButton1->setChecked(true);
    else if (state.AlphaC == StressBlockFactorLow)
        RadioButton2->setChecked(true);
    ModelButton(state.Model)->setChecked(true);
    CheckBox1->setChecked(state.ReducedBlockStress);
    RadioButtonModeloClick();
    sentBackTo = nullptr;
    exec();
}

QRadioButton* TFConfig::ModelButton(CalculationModel model) const
{
    switch (model) {
    case CalculationModel::NbrRectangular:
        return RadioButton4;
    case CalculationModel::NbrParabolaRectangle:
        return RadioButton5;
    case CalculationModel::Classic:
        break;
    }
    return RadioButton3;
}

void TFConfig::RadioButtonModeloClick()
{
    const bool codeModel = !RadioButton3->isChecked();
    Label1->setVisible(!codeModel);
    RadioButton1->setVisible(!codeModel);
    RadioButton2->setVisible(!codeModel);
    CheckBox1->setVisible(codeModel);
    CheckBox1->setEnabled(RadioButton4->isChecked());
}

void TFConfig::Refused(QWidget* field)
{
    sentBackTo = field;
    context.MarkInputInvalid(field);
}

bool TFConfig::CheckFactor(QLineEdit* field, double& setting)
{
    context.ClearInputMark();
    bool passed = true;
    double value = 0.0;
    if (ParseField(field->text(), value)) {
        setting = value;
    } else {
        Refused(field);
        passed = false;
    }
    // A negative factor is marked but stays stored.
    if (setting < 0.0) {
        Refused(field);
        passed = false;
    }
    if (passed)
        sentBackTo = nullptr;
    update();
    return passed;
}

bool TFConfig::EdCoeConExit()
{
    return CheckFactor(EdCoeCon, context.State().GammaC);
}

bool TFConfig::EdCoeAcoExit()
{
    return CheckFactor(EdCoeAco, context.State().GammaS);
}

bool TFConfig::EdPontsIntExit()
{
    context.ClearInputMark();
    AnalysisState& state = context.State();
    bool passed = true;
    std::int32_t count = 0;
    if (ParseFieldInteger(EdPontsInt->text(), count)) {
        state.CurvePointCount = count;
    } else {
        Refused(EdPontsInt);
        passed = false;
    }
    // A negative count is marked and stored; the generation refuses it.
    if (state.CurvePointCount < 0) {
        Refused(EdPontsInt);
        passed = false;
    } else if (state.CurvePointCount > MaxCurvePointCount) {
        sentBackTo = EdPontsInt;
        state.CurvePointCount = MaxCurvePointCount;
        EdPontsInt->setText(QString::number(MaxCurvePointCount));
        warn(EdPontsInt, QStringLiteral("O número máximo de pontos é igual a 200"));
        passed = false;
    }
    if (passed)
        sentBackTo = nullptr;
    update();
    return passed;
}

void TFConfig::Button1Click()
{
    EdCoeCon->setText(FormatField(InitialGammaC));
    EdCoeAco->setText(FormatField(InitialGammaS));
    EdPontsInt->setText(QString::number(InitialCurvePointCount));
    RadioButton1->setChecked(true);
    // The model, like the block factor, is a choice that "OK" stores.
    RadioButton3->setChecked(true);
    CheckBox1->setChecked(false);
    EdCoeConExit();
    EdCoeAcoExit();
    EdPontsIntExit();
}

bool TFConfig::HeldByField()
{
    QWidget* field = focusWidget();
    if (field != EdCoeCon && field != EdCoeAco && field != EdPontsInt)
        return false;
    if (sentBackTo == field)
        return true;
    // Pressed without leaving the field (from the program): check it now.
    if (field == EdCoeCon)
        return !EdCoeConExit();
    if (field == EdCoeAco)
        return !EdCoeAcoExit();
    return !EdPontsIntExit();
}

void TFConfig::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFConfig::Button2Click()
{
    if (HeldByField())
        return;
    AnalysisState& state = context.State();
    if (RadioButton1->isChecked())
        state.AlphaC = StressBlockFactorHigh;
    else if (RadioButton2->isChecked())
        state.AlphaC = StressBlockFactorLow;
    state.Model = RadioButton5->isChecked()   ? CalculationModel::NbrParabolaRectangle
                  : RadioButton4->isChecked() ? CalculationModel::NbrRectangular
                                              : CalculationModel::Classic;
    state.ReducedBlockStress = CheckBox1->isChecked();
    accept();
}

} // namespace flexara
