#include "dialogs/TFConfig.h"

#include "dialogs/WindowLook.h"
#include "uikit/FieldEvents.h"
#include "uikit/FieldText.h"

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
    setFixedSize(304, 186);

    Label1 = new QLabel(QStringLiteral("Tensão na área comprimida de concreto:"), this);
    Label1->setGeometry(12, 10, 280, 16);
    RadioButton1 = new QRadioButton(QStringLiteral("0,85 fcd"), this);
    RadioButton1->setGeometry(28, 30, 80, 18);
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("0,80 fcd"), this);
    RadioButton2->setGeometry(128, 30, 80, 18);
    for (QRadioButton* radio : {RadioButton1, RadioButton2})
        radio->setAccessibleDescription(Label1->text());

    auto addField = [this](QLabel*& label, QLineEdit*& field, const char* caption, int top) {
        label = new QLabel(QString::fromUtf8(caption), this);
        label->setGeometry(12, top + 3, 226, 16);
        field = new QLineEdit(this);
        field->setGeometry(242, top, 50, 21);
        CaptionControl(label, field);
    };
    addField(Label2, EdCoeCon, "Coeficiente de segurança do concreto:", 58);
    addField(Label3, EdCoeAco, "Coeficiente de segurança do aço:", 86);
    addField(Label4, EdPontsInt, "Número de pontos do diagrama de interação:", 114);

    Button1 = new QPushButton(QStringLiteral("Valores Originais"), this);
    Button1->setGeometry(46, 150, 110, 25);
    Button2 = new QPushButton(QStringLiteral("OK"), this);
    Button2->setGeometry(174, 150, 75, 25);
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
    sentBackTo = nullptr;
    exec();
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
    accept();
}

} // namespace flexara
