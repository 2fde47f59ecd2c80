// FAviso: the warning with which a curve generation refuses a section. The
// caller names the refusal; exactly one of the texts is visible.
#pragma once

#include "engine/section/Curve.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace flexara {

class TFAviso : public QDialog {
    Q_OBJECT
public:
    explicit TFAviso(QWidget* parent);

    // Shows the text of the refusal, hides the other, and waits for "OK".
    void ShowWarning(CurveWarning warning);

    QLabel* LblAvisoFora = nullptr; // "Barras de aço fora da seção."
    QLabel* LblAvisoArea = nullptr; // "Área de concreto ou aço nula."
    // "Contorno da seção inválido: ...", on two lines of a wider dialog.
    QLabel* LblAvisoContorno = nullptr;
    QPushButton* Button1 = nullptr; // "OK"
};

} // namespace flexara
