// FConfig: the calculation settings GammaC, GammaS, CurvePointCount, AlphaC
// and the calculation model (Model, ReducedBlockStress). Each field stores its
// setting when it is left, reporting bad input on the main window's status
// bar; AlphaC and the model change only with "OK", as choices of buttons.
#pragma once

#include "uikit/EditorContext.h"

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace flexara {

class TFConfig : public QDialog {
    Q_OBJECT
public:
    // warn shows a text of its own on the status bar in the colour of the
    // invalid-input mark and gives the focus back to the field.
    using StatusWarning = std::function<void(QWidget* field, const QString& text)>;

    TFConfig(EditorContext& context, StatusWarning warn, QWidget* parent);

    // Fills the fields from the settings and shows the dialog modally.
    void Execute();

    QGroupBox* GroupBox1 = nullptr;       // "Modelo de cálculo"
    QRadioButton* RadioButton3 = nullptr; // "Clássico (0,85 fcd a partir de 0,7 ‰)"
    QRadioButton* RadioButton4 = nullptr; // "NBR 6118:2014 — retangular (αc, λ)"
    QRadioButton* RadioButton5 = nullptr; // "NBR 6118:2014 — parábola-retângulo"
    QLabel* Label5 = nullptr;             // the steel of the code models
    // In the code models in place of the block factor; meaningful for the
    // rectangular model only.
    QCheckBox* CheckBox1 = nullptr;       // "Largura da zona comprimida diminui ... (0,9·αc)"
    QLabel* Label1 = nullptr;             // "Tensão na área comprimida de concreto:"
    QRadioButton* RadioButton1 = nullptr; // "0,85 fcd"
    QRadioButton* RadioButton2 = nullptr; // "0,80 fcd"
    QLabel* Label2 = nullptr;
    QLineEdit* EdCoeCon = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* EdCoeAco = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* EdPontsInt = nullptr;
    QPushButton* Button1 = nullptr; // "Valores Originais"
    QPushButton* Button2 = nullptr; // "OK"

    // The checks on leaving each field; false when the field was marked.
    bool EdCoeConExit();
    bool EdCoeAcoExit();
    bool EdPontsIntExit();
    void Button1Click();
    void Button2Click();
    // The block factor or the check box, after the model chosen.
    void RadioButtonModeloClick();

protected:
    // No cancel button: Esc does nothing; "OK" and the close box close it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool CheckFactor(QLineEdit* field, double& setting);
    QRadioButton* ModelButton(CalculationModel model) const;
    // True when a field holds the focus after a refused check.
    bool HeldByField();
    void Refused(QWidget* field);

    EditorContext& context;
    StatusWarning warn;
    QWidget* sentBackTo = nullptr;
};

} // namespace flexara
